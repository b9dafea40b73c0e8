// O plano das páginas, o compositor e as páginas que não são grelhas: capa, verso, separadores e símbolo.
#include "layout/Paginas.hpp"

#include "core/Texto.hpp"
#include "layout/Geometria.hpp"

#include <algorithm>

namespace zelta {

namespace {

constexpr TGeometriaPagina Pagina = PaginaA4;
constexpr double Esquerda = Pagina.Esquerda;
constexpr double LarguraMancha = Pagina.LarguraMancha;
constexpr double Centro = Pagina.Centro();

// Uma página de símbolo quando o número de páginas é ímpar: os separadores ficam sempre à direita.
void Acertar(std::vector<TDescPagina>& p) {
    if (p.size() % 2 == 1) {
        p.push_back({TTipoPagina::pgSimbolo, 0, 0});
    }
}

bool EJuntor(char16_t c) { return c == u' ' || c == u'\'' || c == u'-'; }

} // namespace

std::vector<TDescPagina> PlanoDePaginas(std::int32_t numPuzzles) {
    std::vector<TDescPagina> p;
    p.push_back({TTipoPagina::pgCapa, 0, 0});
    p.push_back({TTipoPagina::pgVerso, 0, 0});
    Acertar(p);
    p.push_back({TTipoPagina::pgSeparador, 0, 0});
    for (std::int32_t i = 0; i < numPuzzles; ++i) {
        p.push_back({TTipoPagina::pgPuzzle, i, 0});
    }
    Acertar(p);
    p.push_back({TTipoPagina::pgSeparador, 1, 0});
    for (std::int32_t f = 0; f < numPuzzles; f += 4) {
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

std::int32_t NumPaginasLivro(std::int32_t numPuzzles) {
    return static_cast<std::int32_t>(PlanoDePaginas(numPuzzles).size());
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
    : FLivro(ALivro), FPaginas(PlanoDePaginas(static_cast<std::int32_t>(ALivro.Puzzles.size()))),
      FTemAcentos(TemAcentos(ALivro.Puzzles)), FTemSeparadores(TemSeparadores(ALivro.Puzzles)) {}

void TCompositorLivro::Compor(IDestinoPaginas& ADestino) const {
    for (const auto& pagina : FPaginas) {
        // Pedir a página seguinte encerra a anterior: o canvas anterior já não serve.
        const auto canvas = ADestino.NovaPagina();
        switch (pagina.Tipo) {
        case TTipoPagina::pgCapa:
            DesenharCapa(*canvas);
            break;
        case TTipoPagina::pgVerso:
            DesenharVerso(*canvas, pagina);
            break;
        case TTipoPagina::pgSeparador:
            DesenharSeparador(*canvas, pagina);
            break;
        case TTipoPagina::pgSimbolo:
            DesenharSimbolo(*canvas);
            break;
        case TTipoPagina::pgPuzzle:
            DesenharPuzzle(*canvas, pagina);
            break;
        case TTipoPagina::pgSolucoes:
            DesenharSolucoes(*canvas, pagina);
            break;
        }
    }
}

void TCompositorLivro::DesenharCapa(ICanvasPagina& canvas) const {
    const auto& cfg = FLivro.Config;
    const auto n = static_cast<std::int32_t>(FLivro.Puzzles.size());
    TituloAjustado(canvas, 42, u"ORVALEN", 24, 24, 1, true);
    TituloAjustado(canvas, 92, u"ZELTA", 80, 24, 4, true);
    const auto titulo = Aparar(cfg.Titulo);
    if (!titulo.empty()) {
        TituloAjustado(canvas, 150, titulo, 34, 16, 2, true);
    }
    TituloAjustado(canvas, 202, n == 1 ? std::u16string(u"1 puzzle") : Decimal(n) + u" puzzles", 16, 16, 1, false);
    TituloAjustado(canvas, 212, RotuloTamanho(cfg.Lado), 16, 16, 1, false);
    const auto grupo = GrupoDaCapa(cfg);
    if (!grupo.empty()) {
        TituloAjustado(canvas, 222, grupo, 16, 16, 1, false);
    }
}

void TCompositorLivro::DesenharVerso(ICanvasPagina& canvas, const TDescPagina& pagina) const {
    const auto& cfg = FLivro.Config;
    // O bloco dos direitos tem posições fixas: o Y devolvido pelas regras não conta.
    DesenharRegras(canvas, LinhasRegras(cfg.Modo, cfg.Acentos, FTemAcentos, FTemSeparadores), Pagina.Topo);
    canvas.Texto(Esquerda, 205, u"ZELTA", 14, true, 0, TAlinhamento::alEsquerda);
    canvas.Texto(Esquerda, 214, u"© Orvalen. Alguns direitos reservados.", 11, false, 0, TAlinhamento::alEsquerda);
    canvas.Texto(Esquerda, 228, u"Licença Creative Commons Atribuição-NãoComercial-SemDerivações 4.0 Internacional.",
                 12, false, 0, TAlinhamento::alEsquerda);
    // O selo guarda as proporções de 1280 × 450.
    canvas.Imagem(Esquerda, 235.5, 30, 30.0 * 450 / 1280, u"CC_BY_NC_ND");
    DesenharRodape(canvas, pagina.Numero);
}

void TCompositorLivro::DesenharSeparador(ICanvasPagina& canvas, const TDescPagina& pagina) const {
    const auto titulo = TituloSeccao(pagina.Primeiro != 0);
    const double h = canvas.AlturaTexto(36);
    canvas.Texto(Centro, Pagina.Altura / 2 - h / 2 - 4, titulo, 36, true, 0, TAlinhamento::alCentro);
    canvas.Rectangulo(90, 162.5, 30, 0.28, 0, -1, 0);
}

void TCompositorLivro::DesenharSimbolo(ICanvasPagina& canvas) const {
    const auto s = PuzzleSimbolo();
    constexpr double Celula = 14;
    const double lado = s.Lado * Celula;
    DesenharGrelhaSolucao(canvas, s.Lado, s.Grelha, s.Palavras, (Pagina.Largura - lado) / 2, (Pagina.Altura - lado) / 2,
                          Celula);
}

void TCompositorLivro::DesenharPuzzle(ICanvasPagina& canvas, const TDescPagina& pagina) const {
    const auto p = static_cast<std::size_t>(pagina.Primeiro);
    if (pagina.Primeiro < 0 || p >= FLivro.Puzzles.size()) {
        return;
    }
    const auto& pz = FLivro.Puzzles[p];
    const std::int32_t lado = pz.Lado;
    const double c = TamanhoCelula(lado);
    const double g = c * lado;
    const double x0 = (Pagina.Largura - g) / 2;
    constexpr double Y0 = 34;
    const double h14 = canvas.AlturaTexto(14);
    const double h12 = canvas.AlturaTexto(12);
    canvas.Texto(Pagina.Direita(), Pagina.Topo, u"#" + Decimal(pagina.Primeiro + 1), 14, true, 0,
                 TAlinhamento::alDireita);
    // O tema fica na mesma linha média que o número.
    canvas.Texto(Centro, Pagina.Topo + (h14 - h12) / 2, pz.Tema, 12, false, 0, TAlinhamento::alCentro);
    DesenharLetras(canvas, lado, pz.Grelha, {}, x0, Y0, c);
    DesenharMoldura(canvas, x0, Y0, g, g, 0.5);
    const double y1 = Y0 + g + 8;
    const auto palavras = OrdenarPalavras(pz.Palavras);
    const auto plano = PlanearLista(canvas, palavras, LarguraMancha, Pagina.FundoMancha - y1);
    DesenharLista(canvas, palavras, plano, Esquerda, y1);
    DesenharRodape(canvas, pagina.Numero);
}

void TCompositorLivro::DesenharSolucoes(ICanvasPagina& canvas, const TDescPagina& pagina) const {
    for (std::int32_t k = 0; k < 4; ++k) {
        const std::int32_t i = pagina.Primeiro + k;
        if (i < 0 || static_cast<std::size_t>(i) >= FLivro.Puzzles.size()) {
            break;
        }
        const auto& pz = FLivro.Puzzles[static_cast<std::size_t>(i)];
        const double xs = Esquerda + (k % 2) * 87.0;
        const double ys = Pagina.Topo + (k / 2) * 129.5;
        const auto titulo = u"Puzzle " + Decimal(i + 1) + u" \u2014 " + pz.Tema;
        double s = 10;
        while (s > 8 && canvas.LarguraTexto(titulo, s, true) > 85) {
            s -= 0.5;
        }
        canvas.Texto(xs + 43.5, ys, titulo, s, true, 0, TAlinhamento::alCentro);
        const std::int32_t lado = pz.Lado;
        const double c = std::min({81.0 / lado, 117.5 / lado, 8.0});
        const double g = c * lado;
        DesenharGrelhaSolucao(canvas, lado, pz.Grelha, pz.Palavras, xs + (87 - g) / 2, ys + 8, c);
    }
    DesenharRodape(canvas, pagina.Numero);
}

void TituloAjustado(ICanvasPagina& canvas, double y, std::u16string_view texto, double inicio, double minimo,
                    double passo, bool negrito) {
    double s = inicio;
    while (s > minimo && canvas.LarguraTexto(texto, s, negrito) > LarguraMancha) {
        s -= passo;
    }
    canvas.Texto(Centro, y, texto, s, negrito, 0, TAlinhamento::alCentro);
}

double DesenharRegras(ICanvasPagina& canvas, const std::vector<TLinhaRegras>& linhas, double y) {
    const double a = PtParaMm(11) * 1.45; // passo das linhas de parágrafo
    bool primeiroTitulo = true;
    for (const auto& l : linhas) {
        switch (l.Tipo) {
        case TTipoLinhaRegras::lrTitulo:
            if (primeiroTitulo) {
                canvas.Texto(Centro, y, l.Texto, 20, true, 0, TAlinhamento::alCentro);
                y += 12;
                primeiroTitulo = false;
            } else {
                y += 4;
                canvas.Texto(Esquerda, y, l.Texto, 13, true, 0, TAlinhamento::alEsquerda);
                y += 7;
            }
            break;
        case TTipoLinhaRegras::lrTexto:
            for (const auto& linha : QuebrarTexto(canvas, l.Texto, LarguraMancha, 11, false)) {
                canvas.Texto(Esquerda, y, linha, 11, false, 0, TAlinhamento::alEsquerda);
                y += a;
            }
            break;
        case TTipoLinhaRegras::lrItem: {
            // As linhas de continuação alinham com a primeira palavra, não com o travessão.
            const auto espaco = l.Texto.find(u' ');
            const auto corte = espaco == std::u16string::npos ? l.Texto.size() : espaco + 1;
            const std::u16string_view cabeca = std::u16string_view(l.Texto).substr(0, corte);
            const std::u16string_view resto = std::u16string_view(l.Texto).substr(corte);
            const double w = canvas.LarguraTexto(cabeca, 11, false);
            canvas.Texto(Esquerda, y, cabeca, 11, false, 0, TAlinhamento::alEsquerda);
            for (const auto& linha : QuebrarTexto(canvas, resto, LarguraMancha - w, 11, false)) {
                canvas.Texto(Esquerda + w, y, linha, 11, false, 0, TAlinhamento::alEsquerda);
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
