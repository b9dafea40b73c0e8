// O formato da página impressa como valor: folha, margens, medianiz, tamanhos mínimos de letra, e as contas
// que a paginação e a análise das opções partilham (o que cabe numa página de puzzle e de soluções).
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zelta {

// Nenhum texto nem traço do miolo chega mais perto de uma aresta (ou da medianiz) do que isto.
inline constexpr double MargemMinimaMm = 12.7;
// A margem da mancha nunca desce daqui: o que chega à mancha (a moldura de uma grelha da largura toda,
// com meia caneta para fora) fica ainda a 12,7 mm.
inline constexpr double MargemDaManchaMm = 13;
// O rodapé fica na margem de baixo, mas nunca a menos disto de uma aresta.
inline constexpr double MargemRodapeMm = 6.4;

// Os mínimos das letras, em pontos.
struct TMinimosLetra {
    double Grelha;   // letras da grelha por resolver
    double Lista;    // lista de palavras
    double Titulos;  // títulos de uma linha (tema, grupo, títulos das soluções)
    double Texto;    // texto das regras
    double Solucoes; // letras das grelhas resolvidas
};
inline constexpr TMinimosLetra MinimosNormais{9, 8, 8, 8, 6};
inline constexpr TMinimosLetra MinimosLetraGrande{18, 14, 16, 14, 9};

// Uma página do livro, em mm. A4 sem opções é o livro de sempre: Escala 1 e as medidas de origem.
struct TGeometriaPagina {
    double Largura = 210;
    double Altura = 297;
    double Esquerda = 18;       // margem esquerda da mancha (com a medianiz, numa página da direita)
    double Topo = 18;           // primeira linha de cada página
    double LarguraMancha = 174; // de Esquerda a Direita()
    double FundoMancha = 277;   // nada do miolo desce daqui, a não ser o rodapé
    double YRodape = 283;
    double Escala = 1; // as medidas do desenho A4 multiplicam-se por isto
    bool LetraGrande = false;
    bool NumeroAEsquerda = false; // página da esquerda de um livro encadernado

    constexpr double Direita() const { return Esquerda + LarguraMancha; }
    constexpr double Centro() const { return Esquerda + LarguraMancha / 2; }
    // Um comprimento do desenho A4 neste formato.
    constexpr double Mm(double a4) const { return a4 * Escala; }
    // Um tamanho de letra do desenho A4 neste formato, nunca abaixo do mínimo.
    constexpr double Pt(double a4, double minimo) const { return a4 * Escala < minimo ? minimo : a4 * Escala; }
    const TMinimosLetra& Minimos() const { return LetraGrande ? MinimosLetraGrande : MinimosNormais; }
};

struct TFolha {
    double Largura;         // mm
    double Altura;          // mm
    const char16_t* Nome;   // como aparece nas frases: «Em A5, …»
    const char16_t* Opcao;  // o nome da opção --formato
    const char16_t* Rotulo; // a entrada do seletor da janela
};

const TFolha& Folha(TFormatoPagina formato);
// O formato com este nome de opção (a4, a5, carta, 8x10, 6x9), sem distinguir maiúsculas.
std::optional<TFormatoPagina> FormatoDoNome(std::u16string_view nome);
inline constexpr TFormatoPagina TodosOsFormatos[] = {
    TFormatoPagina::fpA4, TFormatoPagina::fpA5, TFormatoPagina::fpCarta, TFormatoPagina::fp8x10, TFormatoPagina::fp6x9};

// A medianiz de um livro encadernado com estas páginas: 3/8, 1/2 ou 5/8 de polegada.
double Medianiz(std::int32_t paginas);

// A geometria de uma página: paginaDireita diz de que lado fica a medianiz (0 quando não se encaderna).
TGeometriaPagina Geometria(const TOpcoesImpressao& impressao, double medianiz, bool paginaDireita);

inline constexpr double PtParaMilimetros(double pt) { return pt * 25.4 / 72; }
inline constexpr double MilimetrosParaPt(double mm) { return mm * 72 / 25.4; }

// A página de puzzle: a grelha começa em YGrelha e ocupa a largura da mancha até ao teto da célula, deixando
// à lista a altura que ela tem no A4; a lista começa EspacoLista abaixo dela. As letras têm 0,6 da célula.
double YGrelha(const TGeometriaPagina& g);
double EspacoLista(const TGeometriaPagina& g);
double CelulaPuzzle(const TGeometriaPagina& g, std::int32_t lado);
inline constexpr double LetraDaCelula(double celulaMm) { return MilimetrosParaPt(celulaMm * 0.6); }

// Tamanhos da lista a experimentar, do maior para o menor; o último é o mínimo.
std::span<const double> TamanhosDaLista(const TGeometriaPagina& g);
inline constexpr double EntreColunasMm = 3;
inline constexpr double PassoLinhaLista = 1.3; // em

// As soluções: quatro por página (2 × 2) enquanto as letras chegam ao mínimo, senão duas (uma por baixo da outra).
struct TPlanoSolucoes {
    std::int32_t PorPagina = 4;
    std::int32_t Colunas = 2;
    double LarguraBloco = 87; // mm
    double AlturaBloco = 129.5;
};
TPlanoSolucoes PlanoSolucoes(const TGeometriaPagina& g, std::int32_t maiorLado);
double CelulaSolucao(const TGeometriaPagina& g, const TPlanoSolucoes& p, std::int32_t lado);

// A largura de uma entrada da lista em em da Liberation Sans normal, somada das larguras medidas de cada
// letra (uma letra acentuada mede o mesmo que a sua base) e de cada juntor; um carácter fora deste alfabeto
// conta como um W, a letra mais larga.
double LarguraEmDaLista(std::u16string_view texto);
// A mesma largura em mm num tamanho, como o canvas do PDF a mede (em e largura em unidades inteiras de 1/300 pol.).
double LarguraNaLista(double larguraEm, double tamanhoPt);

// Se as letras da grelha e das soluções deste lado chegam aos mínimos do formato, sem contar com a lista.
bool GrelhaCabeNoFormato(const TOpcoesImpressao& impressao, double medianiz, std::int32_t lado);
// Se uma página de puzzle e as soluções deste lado cabem no formato, sem nada abaixo dos mínimos, com
// numPalavras palavras das quais a mais larga mede larguraEm; medianiz é a do pior caso do livro.
bool CabeNoFormato(const TOpcoesImpressao& impressao, double medianiz, std::int32_t lado, std::int32_t numPalavras,
                   double larguraEm);

} // namespace zelta
