// O livro em páginas: o plano das páginas, o compositor que as desenha uma a uma num destino,
// e as páginas de capa, verso, separadores e símbolo.
#pragma once

#include "core/Tipos.hpp"
#include "layout/Canvas.hpp"
#include "layout/Grelhas.hpp"
#include "layout/Regras.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelta {

// Onde as páginas vão parar: cada NovaPagina acrescenta uma página A4 em branco ao fim do documento.
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

std::vector<TDescPagina> PlanoDePaginas(std::int32_t numPuzzles);
std::int32_t NumPaginasLivro(std::int32_t numPuzzles);
bool TemAcentos(const std::vector<TPuzzle>& puzzles);
bool TemSeparadores(const std::vector<TPuzzle>& puzzles);

class TCompositorLivro {
public:
    explicit TCompositorLivro(const TDadosLivro& ALivro);

    std::int32_t NumPaginas() const { return static_cast<std::int32_t>(FPaginas.size()); }
    const std::vector<TDescPagina>& Paginas() const { return FPaginas; }
    void Compor(IDestinoPaginas& ADestino) const;

private:
    void DesenharCapa(ICanvasPagina& canvas) const;
    void DesenharVerso(ICanvasPagina& canvas, const TDescPagina& pagina) const;
    void DesenharSeparador(ICanvasPagina& canvas, const TDescPagina& pagina) const;
    void DesenharSimbolo(ICanvasPagina& canvas) const;
    void DesenharPuzzle(ICanvasPagina& canvas, const TDescPagina& pagina) const;
    void DesenharSolucoes(ICanvasPagina& canvas, const TDescPagina& pagina) const;

    TDadosLivro FLivro;
    std::vector<TDescPagina> FPaginas;
    bool FTemAcentos = false;
    bool FTemSeparadores = false;
};

// Linha centrada que encolhe, de passo em passo, até caber na mancha de 174 mm ou chegar ao mínimo.
void TituloAjustado(ICanvasPagina& canvas, double y, std::u16string_view texto, double inicio, double minimo,
                    double passo, bool negrito);

// Devolve o Y por baixo da última linha.
double DesenharRegras(ICanvasPagina& canvas, const std::vector<TLinhaRegras>& linhas, double y);

// Quebra gulosa nos espaços; uma palavra mais larga do que a linha fica sozinha e transborda.
std::vector<std::u16string> QuebrarTexto(ICanvasPagina& canvas, std::u16string_view texto, double largura,
                                         double tamanhoPt, bool negrito);

std::u16string GrupoDaCapa(const TConfigLivro& config);

// A grelha 6 × 6 com SOPA e LETRA da página de símbolo.
TPuzzle PuzzleSimbolo();

} // namespace zelta
