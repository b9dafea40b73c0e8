// A corrida de um livro: fontes de palavras, plano de temas, escolha das candidatas e os puzzles.
#pragma once

#include "core/Random.hpp"
#include "core/Tipos.hpp"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace zelta {

struct TItemPool {
    std::u16string Texto;
    std::u16string Palavra; // as letras que vão para a grelha
    friend bool operator==(const TItemPool&, const TItemPool&) = default;
};

// Um pool e a posição de cada palavra nele: a escolha lê os usos do registo sem procurar palavra a palavra.
struct TPoolIndexado {
    std::vector<TItemPool> Itens;
    std::unordered_map<std::u16string, std::int32_t> Posicao;
};

// Quantas vezes cada palavra já foi colocada neste livro, e em que puzzles.
struct TRegistoUsos {
    std::unordered_map<std::u16string, std::int32_t> UsosPorPalavra;
    std::unordered_map<std::u16string, std::vector<std::int32_t>> PuzzlesPorPalavra;
};

struct TRelatorioLivro {
    std::int32_t Pedidos = 0;
    std::int32_t Gerados = 0;
    bool Cancelado = false;
    std::vector<std::u16string> Falhas;
};

// (índice do puzzle, total, pedido de cancelamento)
using TProgressoLivro = std::function<void(std::int32_t indice, std::int32_t total, bool& cancelar)>;

std::vector<TItemPool> PoolDosTemas(std::span<const TTema* const> temas, const TConfigLivro& config);
// O comprimento de PoolDosTemas, sem construir os itens.
std::int32_t TamanhoDoPool(std::span<const TTema* const> temas, const TConfigLivro& config);
TPoolIndexado IndexarPool(std::vector<TItemPool> itens);
std::int32_t MaxPartilhadas(std::int32_t numPalavras);
std::vector<TCandidata> EscolherCandidatas(const TPoolIndexado& pool, const TRegistoUsos& registo,
                                           std::int32_t numPuzzles, std::int32_t alvo, std::int32_t limite,
                                           bool todasAsDirecoes, TGeradorAleatorio& gerador);
void RegistarPuzzle(TRegistoUsos& registo, std::int32_t indice, const std::vector<TPalavraColocada>& palavras);

std::vector<std::int32_t> PlanoDeTemas(const std::vector<std::int32_t>& pesos, std::int32_t numPuzzles,
                                       TGeradorAleatorio& gerador);
// A fonte planeada primeiro, depois as outras por peso decrescente.
std::vector<std::int32_t> OrdemDeRecurso(std::int32_t planeada, const std::vector<std::int32_t>& pesos);

void ValidarConfig(const TConfigLivro& config);

std::vector<TPuzzle> GerarPuzzlesLivro(const TConfigLivro& config, std::span<const TTema* const> temas,
                                       const std::vector<std::u16string>& listaNegra, const TProgressoLivro& progresso,
                                       bool soPalavras, TRelatorioLivro& relatorio);
std::vector<TPuzzle> GerarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas,
                                  const std::vector<std::u16string>& listaNegra, const TProgressoLivro& progresso,
                                  TRelatorioLivro& relatorio);
std::int32_t EstimarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas);

} // namespace zelta
