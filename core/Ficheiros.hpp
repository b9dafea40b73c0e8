// Escrita de um ficheiro inteiro sem nunca deixar meio ficheiro: temporário na mesma pasta, depois renomeado.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace zelta {

// Os bytes já escritos num temporário da pasta do destino, à espera de Confirmar() para tomarem o lugar
// dele. Sem confirmação o temporário desaparece e o destino fica como estava.
class TFicheiroPendente {
public:
    TFicheiroPendente(std::filesystem::path destino, std::span<const std::uint8_t> bytes);
    ~TFicheiroPendente();
    TFicheiroPendente(const TFicheiroPendente&) = delete;
    TFicheiroPendente& operator=(const TFicheiroPendente&) = delete;

    // 0, ou o errno da escrita do temporário.
    int Erro() const { return FErro; }
    // Põe o ficheiro no lugar do destino; devolve 0 ou o errno da falha.
    int Confirmar();

private:
    std::filesystem::path FDestino;
    std::string FTemporario; // vazio quando não há temporário a apagar
    int FErro = 0;
};

// Escreve e confirma de uma vez; devolve 0, ou o errno da falha, com o destino como estava.
int GravarAtomicamente(const std::filesystem::path& destino, std::span<const std::uint8_t> bytes);

} // namespace zelta
