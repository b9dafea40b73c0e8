// As folhas, as margens de cada formato e as contas do que cabe numa página.
#include "core/Formato.hpp"

#include "core/Texto.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace zelta {

namespace {

constexpr double Polegada = 25.4;

constexpr std::array<TFolha, 5> Folhas{{
    {210, 297, u"A4", u"a4", u"A4"},
    {148, 210, u"A5", u"a5", u"A5"},
    {8.5 * Polegada, 11 * Polegada, u"carta (8,5 × 11 pol.)", u"carta", u"Carta"},
    {8 * Polegada, 10 * Polegada, u"8 × 10 pol.", u"8x10", u"8 × 10 pol."},
    {6 * Polegada, 9 * Polegada, u"6 × 9 pol.", u"6x9", u"6 × 9 pol."},
}};

constexpr std::array<double, 7> ListaNormal{11, 10.5, 10, 9.5, 9, 8.5, 8};
constexpr std::array<double, 5> ListaGrande{16, 15.5, 15, 14.5, 14};

// O teto da célula: o do desenho A4 à escala, ou o que a letra mínima pede, se for maior.
double TetoCelula(const TGeometriaPagina& g, double a4, double letraMinimaPt) {
    return std::max(g.Mm(a4), PtParaMilimetros(letraMinimaPt) / 0.6);
}

} // namespace

const TFolha& Folha(TFormatoPagina formato) {
    const auto i = static_cast<std::size_t>(formato);
    return Folhas[i < Folhas.size() ? i : 0];
}

std::optional<TFormatoPagina> FormatoDoNome(std::u16string_view nome) {
    for (const TFormatoPagina f : TodosOsFormatos) {
        if (IguaisSemCaixaAscii(nome, Folha(f).Opcao)) {
            return f;
        }
    }
    return std::nullopt;
}

double Medianiz(std::int32_t paginas) {
    if (paginas <= 150) {
        return 0.375 * Polegada;
    }
    return paginas <= 300 ? 0.5 * Polegada : 0.625 * Polegada;
}

TGeometriaPagina Geometria(const TOpcoesImpressao& impressao, double medianiz, bool paginaDireita) {
    const TFolha& f = Folha(impressao.Formato);
    TGeometriaPagina g;
    // Uma só escala para tudo, a do lado que mais encolhe: o desenho A4 cabe inteiro e não se deforma.
    const double k = std::min(f.Largura / 210, f.Altura / 297);
    const double margem = std::max(18 * k, MargemDaManchaMm);
    g.Largura = f.Largura;
    g.Altura = f.Altura;
    g.Escala = k;
    g.Esquerda = margem + (paginaDireita ? medianiz : 0);
    g.Topo = margem;
    g.LarguraMancha = f.Largura - 2 * margem - medianiz;
    g.FundoMancha = f.Altura - std::max(20 * k, MargemDaManchaMm);
    g.YRodape = f.Altura - 14 * k;
    g.LetraGrande = impressao.LetraGrande;
    g.NumeroAEsquerda = impressao.Encadernar && !paginaDireita;
    return g;
}

double YGrelha(const TGeometriaPagina& g) { return g.Topo + g.Mm(16); }

double EspacoLista(const TGeometriaPagina& g) { return g.Mm(8); }

double CelulaPuzzle(const TGeometriaPagina& g, std::int32_t lado) {
    // A grelha deixa à lista pelo menos o que lhe fica no A4 com 20 × 20 (61 mm, à escala): numa folha mais
    // larga do que o A4 a grelha da largura toda comeria a lista.
    const double altura = g.FundoMancha - YGrelha(g) - EspacoLista(g) - g.Mm(61);
    return std::min({g.LarguraMancha / lado, TetoCelula(g, 12, g.Minimos().Grelha), altura / lado});
}

std::span<const double> TamanhosDaLista(const TGeometriaPagina& g) {
    if (g.LetraGrande) {
        return ListaGrande;
    }
    return ListaNormal;
}

TPlanoSolucoes PlanoSolucoes(const TGeometriaPagina& g, std::int32_t maiorLado) {
    TPlanoSolucoes p;
    p.LarguraBloco = g.LarguraMancha / 2;
    p.AlturaBloco = (g.FundoMancha - g.Topo) / 2;
    if (!g.LetraGrande && LetraDaCelula(CelulaSolucao(g, p, std::max(maiorLado, 1))) >= MinimosNormais.Solucoes) {
        return p;
    }
    p.PorPagina = 2;
    p.Colunas = 1;
    p.LarguraBloco = g.LarguraMancha;
    return p;
}

double CelulaSolucao(const TGeometriaPagina& g, const TPlanoSolucoes& p, std::int32_t lado) {
    return std::min(
        {(p.LarguraBloco - g.Mm(6)) / lado, (p.AlturaBloco - g.Mm(12)) / lado, TetoCelula(g, 8, g.Minimos().Solucoes)});
}

double LarguraEmDaLista(std::u16string_view texto) {
    // Larguras de avanço da Liberation Sans Regular, em 1/2048 de em (o teste compara-as com a fonte).
    static constexpr std::array<std::int32_t, 26> Letras{1366, 1366, 1479, 1479, 1366, 1251, 1593, 1479, 569,
                                                         1024, 1366, 1139, 1706, 1479, 1593, 1366, 1593, 1479,
                                                         1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251};
    std::int32_t soma = 0;
    for (const char16_t c : texto) {
        const char16_t base = LetraSemAcento(c);
        if (base >= u'A' && base <= u'Z') {
            soma += Letras[static_cast<std::size_t>(base - u'A')];
        } else if (c == u' ') {
            soma += 569;
        } else if (c == u'-') {
            soma += 682;
        } else if (c == u'\'') {
            soma += 391;
        } else {
            soma += 1933;
        }
    }
    return soma / 2048.0;
}

double LarguraNaLista(double larguraEm, double tamanhoPt) {
    // O canvas do PDF pede a letra num em inteiro de unidades do dispositivo (1/300 pol.) e arredonda a largura
    // à unidade: o mesmo em aqui, e uma décima de mm para o arredondamento.
    const double emMm = std::nearbyint(tamanhoPt * 300 / 72) * 25.4 / 300;
    return larguraEm * emMm + 0.1;
}

bool GrelhaCabeNoFormato(const TOpcoesImpressao& impressao, double medianiz, std::int32_t lado) {
    if (lado <= 0) {
        return false;
    }
    const TGeometriaPagina g = Geometria(impressao, medianiz, true);
    const TMinimosLetra& m = g.Minimos();
    return LetraDaCelula(CelulaPuzzle(g, lado)) >= m.Grelha &&
           LetraDaCelula(CelulaSolucao(g, PlanoSolucoes(g, lado), lado)) >= m.Solucoes;
}

bool CabeNoFormato(const TOpcoesImpressao& impressao, double medianiz, std::int32_t lado, std::int32_t numPalavras,
                   double larguraEm) {
    if (!GrelhaCabeNoFormato(impressao, medianiz, lado)) {
        return false;
    }
    const TGeometriaPagina g = Geometria(impressao, medianiz, true);
    const double c = CelulaPuzzle(g, lado);
    // A mesma procura da lista da paginação, com a palavra mais larga que pode sair no lugar da medida.
    const double altura = g.FundoMancha - (YGrelha(g) + c * lado + EspacoLista(g));
    for (const double t : TamanhosDaLista(g)) {
        const double w = LarguraNaLista(larguraEm, t);
        const double a = PtParaMilimetros(t) * PassoLinhaLista;
        for (const std::int32_t k : {4, 3, 2}) {
            if (k == 4 && numPalavras < 25) {
                continue;
            }
            const std::int32_t linhas = (numPalavras + k - 1) / k;
            if (g.LarguraMancha / k >= w + EntreColunasMm && altura >= linhas * a) {
                return true;
            }
        }
    }
    return false;
}

} // namespace zelta
