// A corrida de um livro: fontes de palavras, plano de temas, escolha das candidatas e os puzzles.
#pragma once

#include "core/ConjuntoDeFormas.hpp"
#include "core/Random.hpp"
#include "core/Tipos.hpp"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelta {

// Vistas sobre o bloco do pool a que o item pertence.
struct TItemPool {
    std::u16string_view Texto;
    std::u16string_view Palavra; // as letras que vão para a grelha
    friend bool operator==(const TItemPool&, const TItemPool&) = default;
};

// Um pool e a posição de cada palavra nele: o conjunto das formas que o montou, que já as tem todas, sem
// repetidas, pela ordem dos itens. Os textos dos itens vivem num só bloco do pool, como as palavras de um tema,
// em vez de duas cadeias por item. Move-se mas não se copia, porque os itens apontam para o bloco.
struct TPoolIndexado {
    TPoolIndexado() = default;
    TPoolIndexado(TPoolIndexado&&) = default;
    TPoolIndexado& operator=(TPoolIndexado&&) = default;
    TPoolIndexado(const TPoolIndexado&) = delete;
    TPoolIndexado& operator=(const TPoolIndexado&) = delete;

    TPalavrasTema Bloco; // o texto e a palavra da grelha de cada item, pela ordem dos itens
    std::vector<TItemPool> Itens;
    TConjuntoDeFormas Palavras;

    // A posição do item cujas letras são palavra, ou −1.
    std::int32_t Posicao(std::u16string_view palavra) const;
};

// Procura por vista numa tabela indexada por cadeias, sem construir a cadeia.
struct THashDePalavra {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view palavra) const { return std::hash<std::u16string_view>{}(palavra); }
};
template <class T> using TPorPalavra = std::unordered_map<std::u16string, T, THashDePalavra, std::equal_to<>>;

// Quantas vezes cada palavra já foi colocada neste livro, e em que puzzles.
struct TRegistoUsos {
    TPorPalavra<std::int32_t> UsosPorPalavra;
    TPorPalavra<std::vector<std::int32_t>> PuzzlesPorPalavra;
};

struct TRelatorioLivro {
    std::int32_t Pedidos = 0;
    std::int32_t Gerados = 0;
    bool Cancelado = false;
    std::vector<std::u16string> Falhas;
};

// Memória de trabalho da contagem dos pools. Quem conta muitas vezes (a análise das opções corre a cada
// mudança) guarda uma e passa sempre a mesma: pedir de novo a memória do dicionário inteiro custava quase
// tanto como a própria contagem.
struct TTrabalhoDoPool {
    std::u16string Dobradas; // as formas sem acentos; a reserva impede que as vistas se invalidem
    std::vector<std::u16string_view> Formas;
    TConjuntoDeFormas Vistas;
};

// Memória de trabalho da escolha das candidatas, guardada de um puzzle para o seguinte.
struct TTrabalhoDaEscolha {
    std::vector<std::int32_t> Ordem;
    std::vector<std::int32_t> Usadas;
    std::vector<std::int32_t> Partilhadas;
};

// (índice do puzzle, total, pedido de cancelamento)
using TProgressoLivro = std::function<void(std::int32_t indice, std::int32_t total, bool& cancelar)>;

// As palavras dos temas que cabem nas opções, sem repetidas nem (com todas as direções) palíndromos, pela
// ordem dos temas, com a posição de cada palavra para a escolha consultar os usos sem procurar. O pool leva o
// conjunto das formas do trabalho; sem trabalho, a memória pede-se só para esta chamada.
TPoolIndexado PoolDosTemas(std::span<const TTema* const> temas, const TConfigLivro& config, TTrabalhoDoPool& trabalho);
TPoolIndexado PoolDosTemas(std::span<const TTema* const> temas, const TConfigLivro& config);
// O comprimento de PoolDosTemas, sem construir os itens, contado só até ate: quem só quer saber se chegam
// tantas palavras para no primeiro bocado do dicionário em vez de o percorrer todo.
std::int32_t TamanhoDoPool(std::span<const TTema* const> temas, const TConfigLivro& config, TTrabalhoDoPool& trabalho,
                           std::int32_t ate = std::numeric_limits<std::int32_t>::max());
std::int32_t TamanhoDoPool(std::span<const TTema* const> temas, const TConfigLivro& config);
// Quantas palavras um puzzle pode ter em comum com outro: um quarto das pedidas, pelo menos uma.
std::int32_t MaxPartilhadas(std::int32_t numPalavras);
// Até alvo candidatas compatíveis entre si, pela ordem de um baralhar do pool inteiro: primeiro as nunca
// usadas, depois as menos usadas; nenhuma leva um puzzle anterior além de limite palavras em comum.
std::vector<TCandidata> EscolherCandidatas(const TPoolIndexado& pool, const TRegistoUsos& registo,
                                           std::int32_t numPuzzles, std::int32_t alvo, std::int32_t limite,
                                           bool todasAsDirecoes, TGeradorAleatorio& gerador);
// Conta as palavras colocadas no puzzle indice como usadas.
void RegistarPuzzle(TRegistoUsos& registo, std::int32_t indice, const std::vector<TPalavraColocada>& palavras);

// A fonte de cada puzzle: cada uma pelo menos uma vez quando cabem, o resto pelos pesos (maiores restos),
// baralhado pelo gerador.
std::vector<std::int32_t> PlanoDeTemas(const std::vector<std::int32_t>& pesos, std::int32_t numPuzzles,
                                       TGeradorAleatorio& gerador);
// A fonte planeada primeiro, depois as outras por peso decrescente.
std::vector<std::int32_t> OrdemDeRecurso(std::int32_t planeada, const std::vector<std::int32_t>& pesos);

// Levanta EZelta quando a configuração não dá uma corrida (lado, puzzles, letras ou palavras fora do sítio).
void ValidarConfig(const TConfigLivro& config);

struct TFonteDoLivro {
    std::u16string Nome;
    TPoolIndexado Pool;
    std::int32_t Peso = 0;
};

// O início do primeiro baralhar de um puzzle: a fonte, o gerador antes e depois, e as primeiras posições.
struct TBaralhadoGuardado {
    std::size_t Fonte = 0;
    TGeradorAleatorio Antes{0};
    TGeradorAleatorio Depois{0};
    std::vector<std::int32_t> Inicio;
};

// As fontes de palavras de um livro (o pool único do Mix, ou um por tema do grupo), feitas uma só vez:
// a estimativa e a corrida do mesmo livro usam as mesmas. Guarda uma cópia da configuração; os temas
// só se leem no construtor. Não é para usar de duas threads ao mesmo tempo.
class TPoolsDoLivro {
public:
    // Levanta EZelta quando a configuração é inválida ou o grupo não tem temas. O trabalho pode vir da análise
    // das opções do mesmo livro: a memória que ela já pediu serve outra vez.
    TPoolsDoLivro(const TConfigLivro& config, std::span<const TTema* const> temas, TTrabalhoDoPool& trabalho);
    TPoolsDoLivro(const TConfigLivro& config, std::span<const TTema* const> temas);

    const TConfigLivro& Config() const { return FConfig; }
    const std::vector<TFonteDoLivro>& Fontes() const { return FFontes; }

    // O ensaio deixa aqui o início do primeiro baralhar de cada puzzle; a corrida, que parte do mesmo
    // estado do gerador, lê-o em vez de baralhar outra vez o pool inteiro, e só baralha se precisar de
    // ir além dele. Não muda nenhum resultado: só poupa tiragens já feitas.
    std::vector<std::optional<TBaralhadoGuardado>>& Baralhados() const { return FBaralhados; }

private:
    TConfigLivro FConfig;
    std::vector<TFonteDoLivro> FFontes;
    mutable std::vector<std::optional<TBaralhadoGuardado>> FBaralhados;
};

// A corrida do livro: os puzzles feitos, pela ordem, e no relatório os pedidos, os feitos, as falhas
// e se o progresso pediu para parar. A mesma semente dá sempre os mesmos puzzles.
std::vector<TPuzzle> GerarPuzzles(const TPoolsDoLivro& pools, const std::vector<std::u16string>& listaNegra,
                                  const TProgressoLivro& progresso, TRelatorioLivro& relatorio);
// O ensaio da estimativa: a mesma escolha de palavras, sem construir grelhas (Lado 0, palavras sem
// posição, no máximo NumPalavras por puzzle).
std::vector<TPuzzle> EnsaiarPuzzles(const TPoolsDoLivro& pools, TRelatorioLivro& relatorio);
// Quantos puzzles o ensaio consegue fazer: o que a janela e o zelta-livro perguntam antes de gerar.
std::int32_t EstimarPuzzles(const TPoolsDoLivro& pools);

// O mesmo, construindo os pools só para esta chamada.
std::vector<TPuzzle> GerarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas,
                                  const std::vector<std::u16string>& listaNegra, const TProgressoLivro& progresso,
                                  TRelatorioLivro& relatorio);
std::int32_t EstimarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas);

} // namespace zelta
