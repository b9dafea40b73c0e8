// Desenho das grelhas (por resolver e resolvidas), das listas de palavras e do rodapé.
#include "layout/Grelhas.hpp"

#include "core/Texto.hpp"
#include "layout/Geometria.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace zelta {

namespace {

constexpr std::array<std::int32_t, 3> ColunasLista{4, 3, 2};

std::int32_t Teto(std::int32_t a, std::int32_t b) { return (a + b - 1) / b; }

} // namespace

void DesenharRodape(ICanvasPagina& canvas, std::int32_t numero) { DesenharRodape(canvas, PaginaA4, numero); }

void DesenharRodape(ICanvasPagina& canvas, const TGeometriaPagina& g, std::int32_t numero) {
    if (numero <= 0) {
        return;
    }
    // O rodapé é uma marca, não texto de leitura: fica no tamanho normal mesmo em letra grande.
    const double s = g.Pt(9, MinimosNormais.Titulos);
    const auto fora = g.NumeroAEsquerda ? TAlinhamento::alEsquerda : TAlinhamento::alDireita;
    const auto dentro = g.NumeroAEsquerda ? TAlinhamento::alDireita : TAlinhamento::alEsquerda;
    const double xFora = g.NumeroAEsquerda ? g.Esquerda : g.Direita();
    const double xDentro = g.NumeroAEsquerda ? g.Direita() : g.Esquerda;
    canvas.Texto(xDentro, g.YRodape, u"ZELTA | Orvalen", s, false, 128, dentro);
    canvas.Texto(xFora, g.YRodape, Decimal(numero), s, false, 128, fora);
}

double TamanhoCelula(std::int32_t lado) { return CelulaPuzzle(PaginaA4, lado); }

void DesenharLetras(ICanvasPagina& canvas, std::int32_t lado, std::u16string_view grelha,
                    const std::vector<bool>& marcas, double x, double y, double celula) {
    const double s = MmParaPt(celula * 0.6);
    const double h = canvas.AlturaTexto(s);
    for (std::int32_t r = 0; r < lado; ++r) {
        for (std::int32_t k = 0; k < lado; ++k) {
            const auto i = static_cast<std::size_t>(r * lado + k);
            if (i >= grelha.size()) {
                return;
            }
            bool negrito = false;
            int cinza = 0;
            if (!marcas.empty()) {
                negrito = i < marcas.size() && marcas[i];
                cinza = negrito ? 0 : 165;
            }
            canvas.Texto(x + (k + 0.5) * celula, y + r * celula + (celula - h) / 2, grelha.substr(i, 1), s, negrito,
                         cinza, TAlinhamento::alCentro);
        }
    }
}

void DesenharMoldura(ICanvasPagina& canvas, double x, double y, double largura, double altura, double espessuraPt) {
    // Cada lado passa meia espessura além dos cantos, para os fechar.
    const double d = PtParaMm(espessuraPt) / 2;
    canvas.Linha(x - d, y, x + largura + d, y, espessuraPt, 0);
    canvas.Linha(x - d, y + altura, x + largura + d, y + altura, espessuraPt, 0);
    canvas.Linha(x, y - d, x, y + altura + d, espessuraPt, 0);
    canvas.Linha(x + largura, y - d, x + largura, y + altura + d, espessuraPt, 0);
}

std::vector<bool> MarcarCelulas(std::int32_t lado, const std::vector<TPalavraColocada>& palavras) {
    std::vector<bool> marcas(static_cast<std::size_t>(lado) * static_cast<std::size_t>(lado), false);
    for (const auto& p : palavras) {
        if (p.Direcao < 0 || p.Direcao > 7) {
            continue;
        }
        const auto& d = Direcoes[static_cast<std::size_t>(p.Direcao)];
        for (std::int32_t k = 0; k < static_cast<std::int32_t>(p.Palavra.size()); ++k) {
            const std::int32_t l = p.Linha + k * d.DLinha;
            const std::int32_t c = p.Coluna + k * d.DColuna;
            if (l >= 0 && l < lado && c >= 0 && c < lado) {
                marcas[static_cast<std::size_t>(l * lado + c)] = true;
            }
        }
    }
    return marcas;
}

std::vector<TPontoMm> Capsula(double x1, double y1, double x2, double y2, double r, std::int32_t m) {
    m = std::max(m, 2);
    const double a = std::atan2(y2 - y1, x2 - x1);
    const double pi = std::numbers::pi;
    std::vector<TPontoMm> pontos;
    pontos.reserve(static_cast<std::size_t>(2 * (m + 1)));
    for (std::int32_t j = 0; j <= m; ++j) {
        const double t = a - pi / 2 + j * pi / m;
        pontos.push_back({x2 + r * std::cos(t), y2 + r * std::sin(t)});
    }
    for (std::int32_t j = 0; j <= m; ++j) {
        const double t = a + pi / 2 + j * pi / m;
        pontos.push_back({x1 + r * std::cos(t), y1 + r * std::sin(t)});
    }
    return pontos;
}

void DesenharGrelhaSolucao(ICanvasPagina& canvas, std::int32_t lado, std::u16string_view grelha,
                           const std::vector<TPalavraColocada>& palavras, double x, double y, double celula) {
    DesenharLetras(canvas, lado, grelha, MarcarCelulas(lado, palavras), x, y, celula);
    for (const auto& p : palavras) {
        if (p.Direcao < 0 || p.Direcao > 7 || p.Palavra.empty()) {
            continue;
        }
        const auto& d = Direcoes[static_cast<std::size_t>(p.Direcao)];
        const auto n = static_cast<double>(p.Palavra.size());
        const double x1 = x + (p.Coluna + 0.5) * celula;
        const double y1 = y + (p.Linha + 0.5) * celula;
        const double x2 = x1 + (n - 1) * d.DColuna * celula;
        const double y2 = y1 + (n - 1) * d.DLinha * celula;
        // Só o contorno: as letras por baixo continuam à vista.
        canvas.ContornoCapsula(x1, y1, x2, y2, 0.42 * celula, MmParaPt(0.25), 0);
    }
    DesenharMoldura(canvas, x, y, lado * celula, lado * celula, 0.4);
}

std::vector<std::u16string> OrdenarPalavras(const std::vector<TPalavraColocada>& palavras) {
    // Chave sem acentos: ÉGUA fica entre as palavras em E; espaço, apóstrofo e hífen vêm antes das letras.
    std::vector<std::pair<std::u16string, std::u16string>> pares;
    pares.reserve(palavras.size());
    for (const auto& p : palavras) {
        pares.emplace_back(SemAcentos(p.Texto), p.Texto);
    }
    std::sort(pares.begin(), pares.end());
    std::vector<std::u16string> textos;
    textos.reserve(pares.size());
    for (auto& par : pares) {
        textos.push_back(std::move(par.second));
    }
    return textos;
}

TPlanoLista PlanearLista(ICanvasPagina& canvas, const std::vector<std::u16string>& palavras, double largura,
                         double altura) {
    return PlanearLista(canvas, palavras, largura, altura, TamanhosDaLista(PaginaA4));
}

TPlanoLista PlanearLista(ICanvasPagina& canvas, const std::vector<std::u16string>& palavras, double largura,
                         double altura, std::span<const double> tamanhos) {
    const auto n = static_cast<std::int32_t>(palavras.size());
    if (n == 0) {
        return {};
    }
    // O tamanho da letra manda mais do que o número de colunas.
    for (const double s : tamanhos) {
        double maior = 0;
        for (const auto& p : palavras) {
            maior = std::max(maior, canvas.LarguraTexto(p, s, false));
        }
        const double a = PtParaMm(s) * PassoLinhaLista;
        for (const std::int32_t k : ColunasLista) {
            if (k == 4 && n < 25) {
                continue;
            }
            const std::int32_t q = Teto(n, k);
            if (largura / k >= maior + EntreColunasMm && altura >= q * a) {
                return {k, q, s, a, largura / k, q * a};
            }
        }
    }
    // Nada cabe (a análise das opções não o deixa acontecer): fica a disposição mais compacta.
    const double s = tamanhos.empty() ? 8 : tamanhos.back();
    const std::int32_t q = Teto(n, 4);
    const double a = PtParaMm(s) * PassoLinhaLista;
    return {4, q, s, a, largura / 4, q * a};
}

void DesenharLista(ICanvasPagina& canvas, const std::vector<std::u16string>& palavras, const TPlanoLista& plano,
                   double x, double y) {
    if (plano.Colunas <= 0 || plano.Linhas <= 0) {
        return;
    }
    // A lista desce pela primeira coluna e depois pela seguinte.
    for (std::size_t i = 0; i < palavras.size(); ++i) {
        const auto coluna = static_cast<std::int32_t>(i) / plano.Linhas;
        const auto linha = static_cast<std::int32_t>(i) % plano.Linhas;
        canvas.Texto(x + coluna * plano.LarguraColuna, y + linha * plano.AlturaLinha, palavras[i], plano.TamanhoPt,
                     false, 0, TAlinhamento::alEsquerda);
    }
}

} // namespace zelta
