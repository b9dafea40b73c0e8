// O livro em páginas: o plano das páginas, o compositor que as desenha uma a uma num destino,
// e as páginas de capa, verso, separadores e símbolo.
#pragma once

#include "core/Tipos.hpp"
#include "layout/Canvas.hpp"
#include "layout/Grelhas.hpp"
#include "layout/Regras.hpp"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// O recurso do selo da licença, na página do verso.
inline constexpr std::u16string_view SeloDaLicenca = u"CC_BY_NC_ND";

// Onde as páginas vão parar: cada NovaPagina acrescenta uma página em branco ao fim do documento.
class IDestinoPaginas {
public:
    virtual ~IDestinoPaginas() = default;
    virtual std::shared_ptr<ICanvasPagina> NovaPagina() = 0;
};

enum class TTipoPagina : std::uint8_t {
    pgCapa = 0,
    pgVerso = 1,
    pgSeparador = 2,
    pgSimbolo = 3,
    pgPuzzle = 4,
    pgSolucoes = 5,
};

struct TDescPagina {
    TTipoPagina Tipo = TTipoPagina::pgCapa;
    // Puzzle mostrado (pgPuzzle), primeiro dos até quatro (pgSolucoes), secção 0/1 (pgSeparador); 0 nas outras.
    std::int32_t Primeiro = 0;
    std::int32_t Numero = 0; // número impresso no rodapé; 0 = sem número
    friend bool operator==(const TDescPagina&, const TDescPagina&) = default;
};

// O plano segue as opções de impressão: em letra grande as regras ocupam duas páginas e as soluções vão
// duas por página, tal como quando as letras das soluções de maiorLado ficariam abaixo do mínimo.
std::vector<TDescPagina> PlanoDePaginas(std::int32_t numPuzzles, const TOpcoesImpressao& impressao = {},
                                        std::int32_t maiorLado = 0);
std::int32_t NumPaginasLivro(std::int32_t numPuzzles, const TOpcoesImpressao& impressao = {},
                             std::int32_t maiorLado = 0);
// A medianiz de um livro com estas páginas: 0 quando não se encaderna.
double MedianizDoLivro(const TOpcoesImpressao& impressao, std::int32_t paginas);
// A geometria da página de índice indice (0 é a capa, uma página da direita).
TGeometriaPagina GeometriaDaPagina(const TOpcoesImpressao& impressao, double medianiz, std::size_t indice);
bool TemAcentos(const std::vector<TPuzzle>& puzzles);
bool TemSeparadores(const std::vector<TPuzzle>& puzzles);

class TCompositorLivro {
public:
    explicit TCompositorLivro(const TDadosLivro& ALivro);

    std::int32_t NumPaginas() const { return static_cast<std::int32_t>(FPaginas.size()); }
    const std::vector<TDescPagina>& Paginas() const { return FPaginas; }
    // Desenha as páginas de índice [primeira, fim) do plano, por ordem; fim além do plano é o fim do plano.
    void Compor(IDestinoPaginas& ADestino, std::size_t primeira = 0, std::size_t fim = SIZE_MAX) const;

private:
    void DesenharCapa(ICanvasPagina& canvas, const TGeometriaPagina& g) const;
    void DesenharVerso(ICanvasPagina& canvas, const TGeometriaPagina& g, const TDescPagina& pagina) const;
    void DesenharSeparador(ICanvasPagina& canvas, const TGeometriaPagina& g, const TDescPagina& pagina) const;
    void DesenharSimbolo(ICanvasPagina& canvas, const TGeometriaPagina& g) const;
    void DesenharPuzzle(ICanvasPagina& canvas, const TGeometriaPagina& g, const TDescPagina& pagina) const;
    void DesenharSolucoes(ICanvasPagina& canvas, const TGeometriaPagina& g, const TDescPagina& pagina) const;

    TDadosLivro FLivro;
    std::int32_t FMaiorLado = 0;
    std::vector<TDescPagina> FPaginas;
    double FMedianiz = 0;
    bool FTemAcentos = false;
    bool FTemSeparadores = false;
};

// Uma linha de texto que tem de caber numa largura: o tamanho e o texto com que sai.
struct TLinhaAjustada {
    std::u16string Texto;
    double TamanhoPt = 0;
};

// Encolhe de passo em passo de inicio até minimo; se ainda não cabe, continua até ao chão e, no chão,
// corta o fim e acaba em «…».
TLinhaAjustada AjustarLinha(ICanvasPagina& canvas, std::u16string_view texto, double largura, double inicio,
                            double minimo, double passo, double chao, bool negrito);
// O texto cortado até caber com «…» no fim (só «…» se nem uma letra cabe); inteiro se já cabe.
std::u16string ComReticencias(ICanvasPagina& canvas, std::u16string_view texto, double largura, double tamanhoPt,
                              bool negrito);

// Linha centrada na mancha do A4 que encolhe até caber ou chegar ao mínimo, depois até 8 pt e «…».
void TituloAjustado(ICanvasPagina& canvas, double y, std::u16string_view texto, double inicio, double minimo,
                    double passo, bool negrito);
void TituloAjustado(ICanvasPagina& canvas, const TGeometriaPagina& g, double y, std::u16string_view texto,
                    double inicio, double minimo, double passo, bool negrito);

// A capa do livro (e a frente da capa para impressão): a marca, o título, os puzzles, o lado e o grupo,
// centrados na mancha de g; as linhas seguem os Y do A4 à escala, a partir de g.Topo.
void DesenharPaginaDaCapa(ICanvasPagina& canvas, const TGeometriaPagina& g, const TDadosLivro& livro);

// O título da capa: numa linha de 34 pt até 16 pt, depois em duas linhas até 8 pt, depois com «…».
void DesenharTituloDaCapa(ICanvasPagina& canvas, const TGeometriaPagina& g, double y, std::u16string_view titulo);

// As regras do A4 a partir de y; devolve o Y por baixo da última linha.
double DesenharRegras(ICanvasPagina& canvas, const std::vector<TLinhaRegras>& linhas, double y);
double DesenharRegras(ICanvasPagina& canvas, const TGeometriaPagina& g, std::span<const TLinhaRegras> linhas, double y);
// Quantas linhas das regras cabem na primeira página (as restantes vão para a segunda, em letra grande).
std::size_t RegrasDaPrimeiraPagina(ICanvasPagina& canvas, const TGeometriaPagina& g,
                                   std::span<const TLinhaRegras> linhas);

// Quebra gulosa nos espaços; uma palavra mais larga do que a linha fica sozinha e transborda.
std::vector<std::u16string> QuebrarTexto(ICanvasPagina& canvas, std::u16string_view texto, double largura,
                                         double tamanhoPt, bool negrito);

std::u16string GrupoDaCapa(const TConfigLivro& config);

// A grelha 6 × 6 com SOPA e LETRA da página de símbolo.
TPuzzle PuzzleSimbolo();

} // namespace zelta
