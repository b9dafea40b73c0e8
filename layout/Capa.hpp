// A capa para impressão, que dá a volta ao livro: verso, lombada e frente numa só página, com a sangria à
// volta. A geometria é um valor, para os testes e a gravação; o desenho vai para qualquer canvas.
#pragma once

#include "core/Tipos.hpp"
#include "layout/Canvas.hpp"

#include <cstdint>

namespace zelta {

enum class TPapel : std::uint8_t { ppBranco = 0, ppCreme = 1 };

inline constexpr double SangriaMm = 3.175;    // 1/8 pol. para lá do corte, em cada aresta
inline constexpr double MargemCapaMm = 6.35;  // nenhum texto mais perto do corte nem das dobras da lombada
inline constexpr double FolgaLombadaMm = 1.6; // 1/16 pol. livre de cada lado do texto da lombada
// Abaixo disto a lombada é estreita demais para levar texto.
inline constexpr std::int32_t PaginasComTextoNaLombada = 80;
// O mínimo que as gráficas costumam pedir a um livro de capa mole.
inline constexpr std::int32_t PaginasMinimasDaGrafica = 24;

// A espessura de uma página no papel, em mm: branco 0,002252 pol., creme 0,0025 pol.
double EspessuraDaPagina(TPapel papel);

struct TRectMm {
    double X = 0;
    double Y = 0;
    double Largura = 0;
    double Altura = 0;
    constexpr double Direita() const { return X + Largura; }
    constexpr double Fundo() const { return Y + Altura; }
};

// Medidas em mm, com a origem no canto superior esquerdo da sangria. Verso, Lombada e Frente são as partes
// da capa já cortada; as dobras são as arestas da lombada.
struct TGeometriaCapa {
    double Largura = 0; // 2 × a largura da página + a lombada + 2 × a sangria
    double Altura = 0;  // a altura da página + 2 × a sangria
    double LarguraLombada = 0;
    TRectMm Corte; // a capa cortada, sem a sangria
    TRectMm Verso;
    TRectMm Lombada;
    TRectMm Frente;
    bool TextoNaLombada = false;

    constexpr double DobraDoVerso() const { return Lombada.X; }
    constexpr double DobraDaFrente() const { return Lombada.Direita(); }
};

// A capa de um livro deste formato com estas páginas, neste papel.
TGeometriaCapa GeometriaDaCapa(TFormatoPagina formato, std::int32_t paginas, TPapel papel);

// A capa inteira num canvas do tamanho de c: a frente é a capa do livro, o verso o resumo do livro e uma
// amostra da primeira grelha, a lombada o título e a marca quando c.TextoNaLombada.
void DesenharCapaImpressao(ICanvasPagina& canvas, const TGeometriaCapa& c, const TDadosLivro& livro);

} // namespace zelta
