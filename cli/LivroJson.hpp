// O livro em JSON: a escrita (versão, opções, semente e cada puzzle com a grelha e as palavras colocadas) e a
// leitura de um livro gravado, que vem de fora e só serve depois de verificado puzzle a puzzle.
#pragma once

#include "book/Livro.hpp"
#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta::cli {

// A versão do formato que se escreve e a única que se lê.
inline constexpr std::int32_t VersaoLivroJson = 1;
// Um livro de 100 puzzles de 20 × 20 tem menos de 1 MiB; acima disto nem se lê.
inline constexpr std::uint64_t MaxBytesLivroJson = 16ULL * 1024 * 1024;

// As medidas da capa para impressão gravada com o livro, em mm, para quem a manda imprimir; a leitura ignora-as.
struct TMedidasCapa {
    std::string Papel; // "branco" ou "creme"
    std::int32_t Paginas = 0;
    double Largura = 0;
    double Altura = 0;
    double Lombada = 0;
    double Sangria = 0;
};

// entrada é a entrada do seletor escolhida («Natureza», «Mix de Temas», «Dicionário»). Nada de datas nem de
// caminhos: a mesma semente dá o mesmo texto, byte a byte. Com capa, as medidas dela vão no fim.
std::string LivroEmJson(const TDadosLivro& livro, std::u16string_view entrada, const TRelatorioLivro& relatorio,
                        const std::optional<TMedidasCapa>& capa = std::nullopt);

struct TLivroLido {
    TDadosLivro Livro;
    std::u16string Entrada; // a entrada do seletor com que o livro foi feito
    friend bool operator==(const TLivroLido&, const TLivroLido&) = default;
};

// Lê um livro escrito por LivroEmJson, talvez editado à mão, e verifica-o com a lista negra dada. Contam os
// puzzles presentes, pela ordem em que estão (Config.NumPuzzles fica com quantos são); «numero»,
// «opcoes.puzzles» e «falhas» não se leem. Qualquer falta levanta EZelta com uma frase que diz onde está.
TLivroLido LerLivroJson(std::string_view bytes, const std::vector<std::u16string>& listaNegra);

// Os bytes de um livro gravado; recusa um ficheiro de mais de MaxBytesLivroJson antes de o ler. As falhas de
// leitura levantam EZelta com a frase do sistema.
std::string LerFicheiroLivroJson(const std::filesystem::path& caminho);
// LerFicheiroLivroJson e depois LerLivroJson.
TLivroLido LerLivroJsonDeFicheiro(const std::filesystem::path& caminho, const std::vector<std::u16string>& listaNegra);

} // namespace zelta::cli
