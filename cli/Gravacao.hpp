// Um ficheiro escrito ao lado do destino e só posto no lugar quando o resto do livro foi gravado.
#pragma once

#include <filesystem>
#include <string_view>

namespace zelta::cli {

// Escreve já num temporário da mesma pasta; Confirmar() troca-o pelo destino. Sem confirmação, o
// temporário desaparece e o destino fica como estava: uma falha a meio não deixa nada escrito.
class TGravacaoPendente {
public:
    TGravacaoPendente(std::filesystem::path destino, std::string_view conteudo);
    ~TGravacaoPendente();
    TGravacaoPendente(const TGravacaoPendente&) = delete;
    TGravacaoPendente& operator=(const TGravacaoPendente&) = delete;

    void Confirmar();

private:
    std::filesystem::path FDestino;
    std::filesystem::path FTemporario;
};

} // namespace zelta::cli
