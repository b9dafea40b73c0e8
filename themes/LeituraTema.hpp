// O formato dos ficheiros de temas: descodificação dos bytes, corte em linhas e leitura com relatório.
#pragma once

#include "core/Tipos.hpp"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

struct TRelatorioTema {
    std::int32_t Aceites = 0;
    std::int32_t Repetidas = 0;
    std::int32_t Rejeitadas = 0;
    bool TemNome = false;
    bool TemGrupo = false;
    std::vector<std::u16string> Detalhe; // no máximo 30 linhas
};

struct TTemaLido {
    TTema Tema;
    TRelatorioTema Relatorio;
};

// Um tema real tem kilobytes; acima disto o ficheiro não é um tema e lê-lo esgotaria a memória. A importação
// também não escreve nada maior, para o que importa se poder ler depois.
inline constexpr std::uint64_t MaxBytesTema = 256ULL * 1024 * 1024;

// A leitura parou porque o sinal de cancelar foi dado; nada do que se leu fica.
class ELeituraCancelada : public EZelta {
public:
    ELeituraCancelada();
};

bool Utf8Valido(std::span<const std::uint8_t> bytes, std::size_t inicio);
// Descodifica (UTF-8, UTF-16 com ou sem marca, senão Windows-1252), tira a marca de ordem dos bytes — o único
// sítio onde se tira — e normaliza em NFC.
std::u16string BytesParaTexto(std::span<const std::uint8_t> bytes);
// Zeros em quase todos os bytes pares ou em quase todos os ímpares, sem marca: o texto parece UTF-16 (com
// ou sem descodificação válida).
bool PareceUtf16SemMarca(std::span<const std::uint8_t> bytes);
std::vector<std::u16string> CortarLinhas(std::u16string_view texto);

TTemaLido LerTema(const std::vector<std::u16string>& linhas, std::u16string_view nomePorOmissao);

// Lê o ficheiro comum inteiro (até MaxBytesTema); uma falha levanta EZelta com a frase de FraseFalhaLer.
// Com cancelar, ELeituraCancelada pouco depois de *cancelar passar a verdadeiro.
std::vector<std::uint8_t> LerFicheiro(const std::filesystem::path& caminho,
                                      const std::atomic<bool>* cancelar = nullptr);
// O tema de um ficheiro; o nome por omissão é o do ficheiro sem a última extensão. Cancelável como LerFicheiro.
TTemaLido LerTemaDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar = nullptr);

} // namespace zelta
