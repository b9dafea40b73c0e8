// O plano das páginas, o compositor e as páginas que não são grelhas: capa, verso, separadores e símbolo.
#include "layout/Paginas.hpp"

#include "core/Texto.hpp"
#include "layout/Geometria.hpp"

#include <algorithm>

namespace zelta {

namespace {

// Uma página de símbolo quando o número de páginas é ímpar: os separadores ficam sempre à direita.
void Acertar(std::vector<TDescPagina>& p) {
    if (p.size() % 2 == 1) {
        p.push_back({TTipoPagina::pgSimbolo, 0, 0});
    }
}

bool EJuntor(char16_t c) { return c == u' ' || c == u'\'' || c == u'-'; }

std::vector<TDescPagina> Plano(std::int32_t numPuzzles, bool letraGrande, std::int32_t porPagina) {
    std::vector<TDescPagina> p;
    p.push_back({TTipoPagina::pgCapa, 0, 0});
    p.push_back({TTipoPagina::pgVerso, 0, 0});
    if (letraGrande) {
        p.push_back({TTipoPagina::pgVerso, 1, 0});
    }
    Acertar(p);
    p.push_back({TTipoPagina::pgSeparador, 0, 0});
    for (std::int32_t i = 0; i < numPuzzles; ++i) {
        p.push_back({TTipoPagina::pgPuzzle, i, 0});
    }
    Acertar(p);
    p.push_back({TTipoPagina::pgSeparador, 1, 0});
    for (std::int32_t f = 0; f < numPuzzles; f += porPagina) {
        p.push_back({TTipoPagina::pgSolucoes, f, 0});
    }
    for (std::size_t j = 0; j < p.size(); ++j) {
        const auto t = p[j].Tipo;
        if (t == TTipoPagina::pgVerso || t == TTipoPagina::pgPuzzle || t == TTipoPagina::pgSolucoes) {
            p[j].Numero = static_cast<std::int32_t>(j + 1);
        }
    }
    return p;
}

std::int32_t MaiorLado(const TDadosLivro& livro) {
    std::int32_t m = 0;
    for (const auto& pz : livro.Puzzles) {
        m = std::max(m, pz.Lado);
    }
    return m;
}

// A linha de cada Y do desenho A4, contada do topo da mancha.
double YDoA4(const TGeometriaPagina& g, double a4) { return g.Topo + g.Mm(a4 - 18); }

// Tira o último carácter (um par de substitutos inteiro).
void TirarUltimo(std::u16string& t) {
    if (t.size() >= 2 && (t.back() & 0xFC00) == 0xDC00 && (t[t.size() - 2] & 0xFC00) == 0xD800) {
        t.pop_back();
    }
    if (!t.empty()) {
        t.pop_back();
    }
}

} // namespace

std::vector<TDescPagina> PlanoDePaginas(std::int32_t numPuzzles, const TOpcoesImpressao& impressao,
                                        std::int32_t maiorLado) {
    // A medianiz depende das páginas e as soluções por página da medianiz: cresce até parar (duas voltas no máximo,
    // porque mais medianiz nunca dá menos páginas).
    double medianiz = MedianizDoLivro(impressao, 0);
    while (true) {
        const std::int32_t porPagina = PlanoSolucoes(Geometria(impressao, medianiz, true), maiorLado).PorPagina;
        auto p = Plano(numPuzzles, impressao.LetraGrande, porPagina);
        const double m = MedianizDoLivro(impressao, static_cast<std::int32_t>(p.size()));
        if (m <= medianiz) {
            return p;
        }
        medianiz = m;
    }
}

std::int32_t NumPaginasLivro(std::int32_t numPuzzles, const TOpcoesImpressao& impressao, std::int32_t maiorLado) {
    return static_cast<std::int32_t>(PlanoDePaginas(numPuzzles, impressao, maiorLado).size());
}

double MedianizDoLivro(const TOpcoesImpressao& impressao, std::int32_t paginas) {
    return impressao.Encadernar ? Medianiz(paginas) : 0;
}

TGeometriaPagina GeometriaDaPagina(const TOpcoesImpressao& impressao, double medianiz, std::size_t indice) {
    return Geometria(impressao, medianiz, indice % 2 == 0);
}

bool TemAcentos(const std::vector<TPuzzle>& puzzles) {
    for (const auto& pz : puzzles) {
        for (const auto& p : pz.Palavras) {
            if (SemAcentos(p.Texto) != p.Texto) {
                return true;
            }
        }
    }
    return false;
}

bool TemSeparadores(const std::vector<TPuzzle>& puzzles) {
    for (const auto& pz : puzzles) {
        for (const auto& p : pz.Palavras) {
            if (std::any_of(p.Texto.begin(), p.Texto.end(), EJuntor)) {
                return true;
            }
        }
    }
    return false;
}

TCompositorLivro::TCompositorLivro(const TDadosLivro& ALivro)
    : FLivro(ALivro), FMaiorLado(MaiorLado(ALivro)),
      FPaginas(PlanoDePaginas(static_cast<std::int32_t>(ALivro.Puzzles.size()), ALivro.Impressao, FMaiorLado)),
      FMedianiz(MedianizDoLivro(ALivro.Impressao, static_cast<std::int32_t>(FPaginas.size()))),
      FTemAcentos(TemAcentos(ALivro.Puzzles)), FTemSeparadores(TemSeparadores(ALivro.Puzzles)) {}

void TCompositorLivro::Compor(IDestinoPaginas& ADestino, std::size_t primeira, std::size_t fim) const {
    for (std::size_t j = primeira; j < std::min(fim, FPaginas.size()); ++j) {
        const auto& pagina = FPaginas[j];
        const TGeometriaPagina g = GeometriaDaPagina(FLivro.Impressao, FMedianiz, j);
        // Pedir a página seguinte encerra a anterior: o canvas anterior já não serve.
        const auto canvas = ADestino.NovaPagina();
        switch (pagina.Tipo) {
        case TTipoPagina::pgCapa:
            DesenharCapa(*canvas, g);
            break;
        case TTipoPagina::pgVerso:
            DesenharVerso(*canvas, g, pagina);
            break;
        case TTipoPagina::pgSeparador:
            DesenharSeparador(*canvas, g, pagina);
            break;
        case TTipoPagina::pgSimbolo:
            DesenharSimbolo(*canvas, g);
            break;
        case TTipoPagina::pgPuzzle:
            DesenharPuzzle(*canvas, g, pagina);
            break;
        case TTipoPagina::pgSolucoes:
            DesenharSolucoes(*canvas, g, pagina);
            break;
        }
    }
}

void TCompositorLivro::DesenharCapa(ICanvasPagina& canvas, const TGeometriaPagina& g) const {
    DesenharPaginaDaCapa(canvas, g, FLivro);
}

void DesenharPaginaDaCapa(ICanvasPagina& canvas, const TGeometriaPagina& g, const TDadosLivro& livro) {
    const auto& cfg = livro.Config;
    const auto n = static_cast<std::int32_t>(livro.Puzzles.size());
    const double chao = MinimosNormais.Titulos;
    TituloAjustado(canvas, g, YDoA4(g, 42), u"ORVALEN", g.Pt(24, chao), g.Pt(24, chao), 1, true);
    TituloAjustado(canvas, g, YDoA4(g, 92), u"ZELTA", g.Pt(80, chao), g.Pt(24, chao), 4, true);
    const auto titulo = Aparar(cfg.Titulo);
    if (!titulo.empty()) {
        DesenharTituloDaCapa(canvas, g, YDoA4(g, 150), titulo);
    }
    const double s = g.Pt(16, chao);
    TituloAjustado(canvas, g, YDoA4(g, 202), n == 1 ? std::u16string(u"1 puzzle") : Decimal(n) + u" puzzles", s, s, 1,
                   false);
    TituloAjustado(canvas, g, YDoA4(g, 212), RotuloTamanho(cfg.Lado), s, s, 1, false);
    const auto grupo = GrupoDaCapa(cfg);
    if (!grupo.empty()) {
        TituloAjustado(canvas, g, YDoA4(g, 222), grupo, s, s, 1, false);
    }
}

void TCompositorLivro::DesenharVerso(ICanvasPagina& canvas, const TGeometriaPagina& g,
                                     const TDescPagina& pagina) const {
    const auto& cfg = FLivro.Config;
    const auto linhas = LinhasRegras(cfg.Modo, cfg.Acentos, FTemAcentos, FTemSeparadores);
    std::span<const TLinhaRegras> todas(linhas);
    // Em letra grande as regras repartem-se por duas páginas e os direitos ficam no fim da segunda.
    if (g.LetraGrande) {
        const std::size_t corte = RegrasDaPrimeiraPagina(canvas, g, todas);
        if (pagina.Primeiro == 0) {
            DesenharRegras(canvas, g, todas.first(corte), g.Topo);
            DesenharRodape(canvas, g, pagina.Numero);
            return;
        }
        todas = todas.subspan(corte);
    }
    // O bloco dos direitos tem posições fixas: o Y devolvido pelas regras não conta.
    DesenharRegras(canvas, g, todas, g.Topo);
    const double chao = MinimosNormais.Texto;
    canvas.Texto(g.Esquerda, YDoA4(g, 205), u"ZELTA", g.Pt(14, chao), true, 0, TAlinhamento::alEsquerda);
    canvas.Texto(g.Esquerda, YDoA4(g, 214), u"© Orvalen. Alguns direitos reservados.", g.Pt(11, chao), false, 0,
                 TAlinhamento::alEsquerda);
    // A licença parte-se em linhas quando a mancha é estreita; o selo desce com ela.
    const double sl = g.Pt(12, chao);
    double y = YDoA4(g, 228);
    double fim = y;
    for (const auto& l :
         QuebrarTexto(canvas, u"Licença Creative Commons Atribuição-NãoComercial-SemDerivações 4.0 Internacional.",
                      g.LarguraMancha, sl, false)) {
        canvas.Texto(g.Esquerda, y, l, sl, false, 0, TAlinhamento::alEsquerda);
        fim = y + canvas.AlturaTexto(sl);
        y += PtParaMm(sl) * 1.3;
    }
    // O selo guarda as proporções de 1280 × 450.
    const double ySelo = std::max(YDoA4(g, 235.5), fim + g.Mm(2));
    canvas.Imagem(g.Esquerda, ySelo, g.Mm(30), g.Mm(30) * 450 / 1280, SeloDaLicenca);
    DesenharRodape(canvas, g, pagina.Numero);
}

void TCompositorLivro::DesenharSeparador(ICanvasPagina& canvas, const TGeometriaPagina& g,
                                         const TDescPagina& pagina) const {
    const auto titulo = TituloSeccao(pagina.Primeiro != 0);
    const double s = g.Pt(36, g.Minimos().Titulos);
    const double h = canvas.AlturaTexto(s);
    canvas.Texto(g.Centro(), g.Altura / 2 - h / 2 - g.Mm(4), titulo, s, true, 0, TAlinhamento::alCentro);
    canvas.Rectangulo(g.Centro() - g.Mm(15), g.Altura / 2 + g.Mm(14), g.Mm(30), 0.28, 0, -1, 0);
}

void TCompositorLivro::DesenharSimbolo(ICanvasPagina& canvas, const TGeometriaPagina& g) const {
    const auto s = PuzzleSimbolo();
    const double celula = g.Mm(14);
    const double lado = s.Lado * celula;
    DesenharGrelhaSolucao(canvas, s.Lado, s.Grelha, s.Palavras, g.Centro() - lado / 2, (g.Altura - lado) / 2, celula);
}

void TCompositorLivro::DesenharPuzzle(ICanvasPagina& canvas, const TGeometriaPagina& g,
                                      const TDescPagina& pagina) const {
    const auto p = static_cast<std::size_t>(pagina.Primeiro);
    if (pagina.Primeiro < 0 || p >= FLivro.Puzzles.size()) {
        return;
    }
    const auto& pz = FLivro.Puzzles[p];
    const std::int32_t lado = pz.Lado;
    const double c = CelulaPuzzle(g, lado);
    const double lg = c * lado;
    const double x0 = g.Centro() - lg / 2;
    const double y0 = YGrelha(g);
    const double chao = g.Minimos().Titulos;
    const double sn = g.Pt(14, chao);
    const double st = g.Pt(12, chao);
    const double hn = canvas.AlturaTexto(sn);
    const double ht = canvas.AlturaTexto(st);
    const auto numero = u"#" + Decimal(pagina.Primeiro + 1);
    canvas.Texto(g.Direita(), g.Topo, numero, sn, true, 0, TAlinhamento::alDireita);
    // O tema fica na mesma linha média que o número, centrado, sem chegar ao número.
    const double livre = g.LarguraMancha - 2 * (canvas.LarguraTexto(numero, sn, true) + g.Mm(2));
    const auto tema = AjustarLinha(canvas, pz.Tema, livre, st, chao, 0.5, chao, false);
    canvas.Texto(g.Centro(), g.Topo + (hn - ht) / 2, tema.Texto, tema.TamanhoPt, false, 0, TAlinhamento::alCentro);
    DesenharLetras(canvas, lado, pz.Grelha, {}, x0, y0, c);
    DesenharMoldura(canvas, x0, y0, lg, lg, 0.5);
    const double y1 = y0 + lg + EspacoLista(g);
    const auto palavras = OrdenarPalavras(pz.Palavras);
    const auto plano = PlanearLista(canvas, palavras, g.LarguraMancha, g.FundoMancha - y1, TamanhosDaLista(g));
    DesenharLista(canvas, palavras, plano, g.Esquerda, y1);
    DesenharRodape(canvas, g, pagina.Numero);
}

void TCompositorLivro::DesenharSolucoes(ICanvasPagina& canvas, const TGeometriaPagina& g,
                                        const TDescPagina& pagina) const {
    const TPlanoSolucoes plano = PlanoSolucoes(g, FMaiorLado);
    const double chao = g.Minimos().Titulos;
    for (std::int32_t k = 0; k < plano.PorPagina; ++k) {
        const std::int32_t i = pagina.Primeiro + k;
        if (i < 0 || static_cast<std::size_t>(i) >= FLivro.Puzzles.size()) {
            break;
        }
        const auto& pz = FLivro.Puzzles[static_cast<std::size_t>(i)];
        const double xs = g.Esquerda + (k % plano.Colunas) * plano.LarguraBloco;
        const double ys = g.Topo + (k / plano.Colunas) * plano.AlturaBloco;
        const auto titulo = AjustarLinha(canvas, u"Puzzle " + Decimal(i + 1) + u" \u2014 " + pz.Tema,
                                         plano.LarguraBloco - g.Mm(2), g.Pt(10, chao), chao, 0.5, chao, true);
        canvas.Texto(xs + plano.LarguraBloco / 2, ys, titulo.Texto, titulo.TamanhoPt, true, 0, TAlinhamento::alCentro);
        const std::int32_t lado = pz.Lado;
        const double c = CelulaSolucao(g, plano, lado);
        const double lg = c * lado;
        DesenharGrelhaSolucao(canvas, lado, pz.Grelha, pz.Palavras, xs + (plano.LarguraBloco - lg) / 2, ys + g.Mm(8),
                              c);
    }
    DesenharRodape(canvas, g, pagina.Numero);
}

TLinhaAjustada AjustarLinha(ICanvasPagina& canvas, std::u16string_view texto, double largura, double inicio,
                            double minimo, double passo, double chao, bool negrito) {
    // Nunca abaixo do mínimo nem do chão, mesmo quando os passos não caem certos neles.
    minimo = std::max(minimo, chao);
    double s = std::max(inicio, minimo);
    while (s > minimo && canvas.LarguraTexto(texto, s, negrito) > largura) {
        s = std::max(s - passo, minimo);
    }
    while (s > chao && canvas.LarguraTexto(texto, s, negrito) > largura) {
        s = std::max(s - passo, chao);
    }
    return {ComReticencias(canvas, texto, largura, s, negrito), s};
}

std::u16string ComReticencias(ICanvasPagina& canvas, std::u16string_view texto, double largura, double tamanhoPt,
                              bool negrito) {
    if (canvas.LarguraTexto(texto, tamanhoPt, negrito) <= largura) {
        return std::u16string(texto);
    }
    std::u16string t(texto);
    while (!t.empty()) {
        TirarUltimo(t);
        while (!t.empty() && t.back() == u' ') {
            t.pop_back();
        }
        if (canvas.LarguraTexto(t + u"\u2026", tamanhoPt, negrito) <= largura) {
            break;
        }
    }
    return t + u"\u2026";
}

void TituloAjustado(ICanvasPagina& canvas, double y, std::u16string_view texto, double inicio, double minimo,
                    double passo, bool negrito) {
    TituloAjustado(canvas, PaginaA4, y, texto, inicio, minimo, passo, negrito);
}

void TituloAjustado(ICanvasPagina& canvas, const TGeometriaPagina& g, double y, std::u16string_view texto,
                    double inicio, double minimo, double passo, bool negrito) {
    const auto l = AjustarLinha(canvas, texto, g.LarguraMancha, inicio, minimo, passo, g.Minimos().Titulos, negrito);
    canvas.Texto(g.Centro(), y, l.Texto, l.TamanhoPt, negrito, 0, TAlinhamento::alCentro);
}

void DesenharTituloDaCapa(ICanvasPagina& canvas, const TGeometriaPagina& g, double y, std::u16string_view titulo) {
    const double chao = MinimosNormais.Titulos;
    const double minimo = g.Pt(16, chao);
    // Numa linha, de 34 pt até ao mínimo.
    double s = g.Pt(34, chao);
    while (s > minimo && canvas.LarguraTexto(titulo, s, true) > g.LarguraMancha) {
        s = std::max(s - 2, minimo);
    }
    if (canvas.LarguraTexto(titulo, s, true) <= g.LarguraMancha) {
        canvas.Texto(g.Centro(), y, titulo, s, true, 0, TAlinhamento::alCentro);
        return;
    }
    // Depois em duas linhas, a encolher até ao chão; a segunda acaba em «…» se nem assim cabe.
    std::vector<std::u16string> linhas;
    s = minimo;
    while (true) {
        linhas = QuebrarTexto(canvas, titulo, g.LarguraMancha, s, true);
        const bool cabe = linhas.size() <= 2 && std::all_of(linhas.begin(), linhas.end(), [&](const auto& l) {
                              return canvas.LarguraTexto(l, s, true) <= g.LarguraMancha;
                          });
        if (cabe || s <= chao) {
            break;
        }
        s = std::max(s - 2, chao);
    }
    if (linhas.size() > 2) {
        std::u16string resto = linhas[1];
        for (std::size_t i = 2; i < linhas.size(); ++i) {
            resto += u' ' + linhas[i];
        }
        linhas.resize(2);
        linhas[1] = resto;
    }
    const double a = canvas.AlturaTexto(s);
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        canvas.Texto(g.Centro(), y + static_cast<double>(i) * a,
                     ComReticencias(canvas, linhas[i], g.LarguraMancha, s, true), s, true, 0, TAlinhamento::alCentro);
    }
}

namespace {

// Desenha (ou só mede, sem canvas de desenho) as linhas a partir de y; devolve o Y por baixo.
double Regras(ICanvasPagina& canvas, const TGeometriaPagina& g, std::span<const TLinhaRegras> linhas, double y,
              bool desenhar, bool& primeiroTitulo) {
    const TMinimosLetra& m = g.Minimos();
    const double st = g.Pt(11, m.Texto);
    const double sc = g.Pt(20, m.Titulos);
    const double ss = g.Pt(13, m.Titulos);
    const double a = PtParaMm(st) * 1.45; // passo das linhas de parágrafo
    auto texto = [&](double x, double yy, std::u16string_view t, double s, bool n, TAlinhamento al) {
        if (desenhar) {
            canvas.Texto(x, yy, t, s, n, 0, al);
        }
    };
    for (const auto& l : linhas) {
        switch (l.Tipo) {
        case TTipoLinhaRegras::lrTitulo:
            if (primeiroTitulo) {
                texto(g.Centro(), y, l.Texto, sc, true, TAlinhamento::alCentro);
                y += 12 * sc / 20;
                primeiroTitulo = false;
            } else {
                y += 4 * ss / 13;
                texto(g.Esquerda, y, l.Texto, ss, true, TAlinhamento::alEsquerda);
                y += 7 * ss / 13;
            }
            break;
        case TTipoLinhaRegras::lrTexto:
            for (const auto& linha : QuebrarTexto(canvas, l.Texto, g.LarguraMancha, st, false)) {
                texto(g.Esquerda, y, linha, st, false, TAlinhamento::alEsquerda);
                y += a;
            }
            break;
        case TTipoLinhaRegras::lrItem: {
            // As linhas de continuação alinham com a primeira palavra, não com o travessão.
            const auto espaco = l.Texto.find(u' ');
            const auto corte = espaco == std::u16string::npos ? l.Texto.size() : espaco + 1;
            const std::u16string_view cabeca = std::u16string_view(l.Texto).substr(0, corte);
            const std::u16string_view resto = std::u16string_view(l.Texto).substr(corte);
            const double w = canvas.LarguraTexto(cabeca, st, false);
            texto(g.Esquerda, y, cabeca, st, false, TAlinhamento::alEsquerda);
            for (const auto& linha : QuebrarTexto(canvas, resto, g.LarguraMancha - w, st, false)) {
                texto(g.Esquerda + w, y, linha, st, false, TAlinhamento::alEsquerda);
                y += a;
            }
            break;
        }
        case TTipoLinhaRegras::lrBranco:
            y += a / 2;
            break;
        }
    }
    return y;
}

} // namespace

double DesenharRegras(ICanvasPagina& canvas, const std::vector<TLinhaRegras>& linhas, double y) {
    return DesenharRegras(canvas, PaginaA4, linhas, y);
}

double DesenharRegras(ICanvasPagina& canvas, const TGeometriaPagina& g, std::span<const TLinhaRegras> linhas,
                      double y) {
    bool primeiro = true;
    return Regras(canvas, g, linhas, y, true, primeiro);
}

std::size_t RegrasDaPrimeiraPagina(ICanvasPagina& canvas, const TGeometriaPagina& g,
                                   std::span<const TLinhaRegras> linhas) {
    bool primeiro = true;
    double y = g.Topo;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        // A altura de uma linha de texto conta até ao fundo da última linha, não até ao passo seguinte.
        bool p = primeiro;
        const double fim = Regras(canvas, g, linhas.subspan(i, 1), y, false, p);
        if (fim > g.FundoMancha) {
            return i;
        }
        y = fim;
        primeiro = p;
    }
    return linhas.size();
}

std::vector<std::u16string> QuebrarTexto(ICanvasPagina& canvas, std::u16string_view texto, double largura,
                                         double tamanhoPt, bool negrito) {
    std::vector<std::u16string> linhas;
    std::u16string linha;
    std::size_t inicio = 0;
    while (inicio <= texto.size()) {
        const auto fim = std::min(texto.find(u' ', inicio), texto.size());
        const auto palavra = texto.substr(inicio, fim - inicio);
        std::u16string candidata = linha.empty() ? std::u16string(palavra) : linha + u' ' + std::u16string(palavra);
        if (!linha.empty() && canvas.LarguraTexto(candidata, tamanhoPt, negrito) > largura) {
            linhas.push_back(std::move(linha));
            linha = palavra;
        } else {
            linha = std::move(candidata);
        }
        inicio = fim + 1;
    }
    if (!linha.empty()) {
        linhas.push_back(std::move(linha));
    }
    return linhas;
}

std::u16string GrupoDaCapa(const TConfigLivro& config) { return config.Mix ? u"Mix" : config.Grupo; }

TPuzzle PuzzleSimbolo() {
    TPuzzle p;
    p.Lado = 6;
    p.Grelha = u"MIVUGBDCNXLZJUMHEKBGDITVNFCMRUHSOPAQ";
    p.Palavras = {{u"SOPA", u"SOPA", 5, 1, 0}, {u"LETRA", u"LETRA", 1, 4, 1}};
    return p;
}

} // namespace zelta
