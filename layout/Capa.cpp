// As medidas da capa para impressão e o seu desenho: o verso com o resumo do livro e uma grelha de amostra,
// a lombada com o título e a marca, a frente com a capa do livro.
#include "layout/Capa.hpp"

#include "core/Formato.hpp"
#include "core/Texto.hpp"
#include "layout/Grelhas.hpp"
#include "layout/Paginas.hpp"
#include "layout/Regras.hpp"

#include <algorithm>

namespace zelta {

namespace {

constexpr double Polegada = 25.4;

// A página do livro posta sobre uma parte da capa, sem medianiz (ela fica do lado de dentro da dobra): as
// margens da página ficam muito além do mínimo da capa.
TGeometriaPagina PaginaNaParte(const TDadosLivro& livro, const TRectMm& parte) {
    TOpcoesImpressao impressao = livro.Impressao;
    impressao.Encadernar = false;
    TGeometriaPagina g = Geometria(impressao, 0, true);
    g.Esquerda += parte.X;
    g.Topo += parte.Y;
    g.FundoMancha += parte.Y;
    g.YRodape += parte.Y;
    return g;
}

std::u16string Contagem(std::size_t n, std::u16string_view um, std::u16string_view varios) {
    return Decimal(static_cast<long long>(n)) + u' ' + std::u16string(n == 1 ? um : varios);
}

std::u16string FrasePalavras(const std::vector<TPuzzle>& puzzles) {
    std::size_t menos = 0;
    std::size_t mais = 0;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        const std::size_t n = puzzles[i].Palavras.size();
        menos = i == 0 ? n : std::min(menos, n);
        mais = std::max(mais, n);
    }
    if (menos == mais) {
        return u"Em cada puzzle, " + Contagem(mais, u"palavra", u"palavras") + u" para encontrar.";
    }
    return u"Em cada puzzle, de " + Decimal(static_cast<long long>(menos)) + u" a " +
           Decimal(static_cast<long long>(mais)) + u" palavras para encontrar.";
}

// O resumo do livro em frases e, no espaço que sobra até à marca, a primeira grelha por resolver.
void DesenharVerso(ICanvasPagina& canvas, const TGeometriaPagina& g, const TDadosLivro& livro) {
    const auto& cfg = livro.Config;
    const double chao = MinimosNormais.Texto;
    const double st = g.Pt(24, MinimosNormais.Titulos);
    double y = g.Topo + g.Mm(10);
    TituloAjustado(canvas, g, y, u"Sopa de Letras", st, st, 1, true);
    y += canvas.AlturaTexto(st) + g.Mm(8);
    const double s = g.Pt(13, chao);
    const double passo = PtParaMm(s) * 1.45;
    const std::u16string frases[] = {
        Contagem(livro.Puzzles.size(), u"puzzle", u"puzzles") + u" em grelhas de " + RotuloTamanho(cfg.Lado) +
            u" letras, com soluções.",
        FrasePalavras(livro.Puzzles),
        u"As palavras leem-se " + FraseDirecoes(cfg.Modo) + u".",
    };
    for (const auto& frase : frases) {
        for (const auto& linha : QuebrarTexto(canvas, frase, g.LarguraMancha, s, false)) {
            canvas.Texto(g.Esquerda, y, linha, s, false, 0, TAlinhamento::alEsquerda);
            y += passo;
        }
        y += passo / 2;
    }
    const double sm = g.Pt(12, chao);
    const double yMarca = g.FundoMancha - canvas.AlturaTexto(sm);
    canvas.Texto(g.Centro(), yMarca, u"ZELTA | Orvalen", sm, true, 0, TAlinhamento::alCentro);
    if (livro.Puzzles.empty() || livro.Puzzles.front().Lado <= 0) {
        return;
    }
    const auto& pz = livro.Puzzles.front();
    const double topo = y + g.Mm(6);
    const double espaco = yMarca - g.Mm(10) - topo;
    const double lado = std::min(g.LarguraMancha * 0.6, espaco);
    if (lado <= 0) {
        return;
    }
    const double x0 = g.Centro() - lado / 2;
    const double y0 = topo + (espaco - lado) / 2;
    DesenharLetras(canvas, pz.Lado, pz.Grelha, {}, x0, y0, lado / pz.Lado);
    DesenharMoldura(canvas, x0, y0, lado, lado, 0.5);
}

// O título a partir do topo e a marca a acabar no fundo, na maior letra (até 14 pt) cuja linha deixa a folga
// dos dois lados; 0,1 mm para os arredondamentos do canvas.
void DesenharLombada(ICanvasPagina& canvas, const TGeometriaCapa& c, const TDadosLivro& livro) {
    const double livre = c.LarguraLombada - 2 * FolgaLombadaMm - 0.1;
    double s = 14;
    while (s > 1 && canvas.AlturaTexto(s) > livre) {
        s -= 0.5;
    }
    if (canvas.AlturaTexto(s) > livre) {
        return;
    }
    const double x = c.Lombada.X + c.LarguraLombada / 2;
    const double topo = c.Corte.Y + MargemCapaMm;
    const double fundo = c.Corte.Fundo() - MargemCapaMm;
    canvas.TextoVertical(x, fundo, u"ZELTA", s, true, 0, TAlinhamento::alDireita);
    const auto titulo = Aparar(livro.Config.Titulo);
    if (titulo.empty()) {
        return;
    }
    const double espaco = fundo - canvas.LarguraTexto(u"ZELTA", s, true) - 2 * PtParaMm(s) - topo;
    canvas.TextoVertical(x, topo, ComReticencias(canvas, titulo, espaco, s, true), s, true, 0,
                         TAlinhamento::alEsquerda);
}

} // namespace

double EspessuraDaPagina(TPapel papel) { return (papel == TPapel::ppCreme ? 0.0025 : 0.002252) * Polegada; }

TGeometriaCapa GeometriaDaCapa(TFormatoPagina formato, std::int32_t paginas, TPapel papel) {
    const TFolha& f = Folha(formato);
    TGeometriaCapa c;
    c.LarguraLombada = std::max(paginas, 0) * EspessuraDaPagina(papel);
    c.Largura = 2 * f.Largura + c.LarguraLombada + 2 * SangriaMm;
    c.Altura = f.Altura + 2 * SangriaMm;
    c.Corte = {SangriaMm, SangriaMm, c.Largura - 2 * SangriaMm, f.Altura};
    c.Verso = {SangriaMm, SangriaMm, f.Largura, f.Altura};
    c.Lombada = {c.Verso.Direita(), SangriaMm, c.LarguraLombada, f.Altura};
    c.Frente = {c.Lombada.Direita(), SangriaMm, f.Largura, f.Altura};
    c.TextoNaLombada = paginas >= PaginasComTextoNaLombada;
    return c;
}

void DesenharCapaImpressao(ICanvasPagina& canvas, const TGeometriaCapa& c, const TDadosLivro& livro) {
    DesenharVerso(canvas, PaginaNaParte(livro, c.Verso), livro);
    if (c.TextoNaLombada) {
        DesenharLombada(canvas, c, livro);
    }
    DesenharPaginaDaCapa(canvas, PaginaNaParte(livro, c.Frente), livro);
}

} // namespace zelta
