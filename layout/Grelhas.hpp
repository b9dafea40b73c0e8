// As peças das páginas de puzzle e de soluções: letras da grelha, moldura, contornos das palavras
// encontradas, lista de palavras ordenada e paginada em colunas, e o rodapé das páginas do miolo.
#pragma once

#include "core/Formato.hpp"
#include "core/Tipos.hpp"
#include "layout/Canvas.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zelta {

// Disposição de uma lista de palavras; Colunas 0 quer dizer que nada se desenha.
struct TPlanoLista {
    std::int32_t Colunas = 0;
    std::int32_t Linhas = 0;
    double TamanhoPt = 0;
    double AlturaLinha = 0;   // mm, do topo de uma linha ao da seguinte
    double LarguraColuna = 0; // mm, da esquerda de uma coluna à da seguinte
    double Altura = 0;        // mm
    friend bool operator==(const TPlanoLista&, const TPlanoLista&) = default;
};

// O rodapé do A4; numa página da esquerda de um livro encadernado o número passa para o lado de fora.
void DesenharRodape(ICanvasPagina& canvas, std::int32_t numero);
void DesenharRodape(ICanvasPagina& canvas, const TGeometriaPagina& g, std::int32_t numero);

// A célula da grelha por resolver no A4.
double TamanhoCelula(std::int32_t lado);

// Sem marcas, todas as letras a preto normal; com marcas, as marcadas a negrito e as outras a cinzento claro.
void DesenharLetras(ICanvasPagina& canvas, std::int32_t lado, std::u16string_view grelha,
                    const std::vector<bool>& marcas, double x, double y, double celula);

void DesenharMoldura(ICanvasPagina& canvas, double x, double y, double largura, double altura, double espessuraPt);

std::vector<bool> MarcarCelulas(std::int32_t lado, const std::vector<TPalavraColocada>& palavras);

// Duas meias circunferências de raio r à volta das pontas, unidas por lados retos: 2 × (m + 1) pontos.
std::vector<TPontoMm> Capsula(double x1, double y1, double x2, double y2, double r, std::int32_t m);

void DesenharGrelhaSolucao(ICanvasPagina& canvas, std::int32_t lado, std::u16string_view grelha,
                           const std::vector<TPalavraColocada>& palavras, double x, double y, double celula);

std::vector<std::u16string> OrdenarPalavras(const std::vector<TPalavraColocada>& palavras);

// Experimenta os tamanhos pela ordem dada (os do A4 sem eles), cada um com 4, 3 e 2 colunas.
TPlanoLista PlanearLista(ICanvasPagina& canvas, const std::vector<std::u16string>& palavras, double largura,
                         double altura);
TPlanoLista PlanearLista(ICanvasPagina& canvas, const std::vector<std::u16string>& palavras, double largura,
                         double altura, std::span<const double> tamanhos);

void DesenharLista(ICanvasPagina& canvas, const std::vector<std::u16string>& palavras, const TPlanoLista& plano,
                   double x, double y);

} // namespace zelta
