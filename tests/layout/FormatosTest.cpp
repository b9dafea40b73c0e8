// Os formatos de página vistos pelo canvas gravador: o plano e a geometria de cada formato, as margens
// espelhadas do livro encadernado, e a verificação de que nada desenhado chega perto das arestas.
#include "core/Formato.hpp"
#include "core/Texto.hpp"
#include "layout/Paginas.hpp"
#include "tests/support/CanvasGravador.hpp"
#include "tests/support/PuzzlesFabricados.hpp"
#include "themes/Biblioteca.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace zelta {
namespace {

using enum TFormatoPagina;
using enum TTipoPagina;
using teste::TChamada;
using teste::TOperacao;

struct TCaixa {
    double X1 = std::numeric_limits<double>::max(), Y1 = X1;
    double X2 = std::numeric_limits<double>::lowest(), Y2 = X2;
    void Juntar(double x, double y, double folga = 0) {
        X1 = std::min(X1, x - folga), Y1 = std::min(Y1, y - folga);
        X2 = std::max(X2, x + folga), Y2 = std::max(Y2, y + folga);
    }
};

// O que a chamada pinta, com metade da caneta à volta dos traços e a largura medida dos textos.
TCaixa CaixaDe(const TChamada& c, ICanvasPagina& medidor) {
    TCaixa k;
    const double meia = PtParaMm(c.EspessuraPt) / 2;
    switch (c.Op) {
    case TOperacao::opLinha:
        k.Juntar(c.X, c.Y, meia);
        k.Juntar(c.X2, c.Y2, meia);
        break;
    case TOperacao::opRectangulo:
    case TOperacao::opImagem:
        k.Juntar(c.X, c.Y, meia);
        k.Juntar(c.X + c.X2, c.Y + c.Y2, meia);
        break;
    case TOperacao::opPoligono:
        for (const auto& p : c.Pontos) {
            k.Juntar(p.X, p.Y, meia);
        }
        break;
    case TOperacao::opTexto: {
        const double w = medidor.LarguraTexto(c.Texto, c.TamanhoPt, c.Negrito);
        const double x = c.Alinhamento == TAlinhamento::alEsquerda ? c.X
                         : c.Alinhamento == TAlinhamento::alCentro ? c.X - w / 2
                                                                   : c.X - w;
        k.Juntar(x, c.Y);
        k.Juntar(x + w, c.Y + medidor.AlturaTexto(c.TamanhoPt));
        break;
    }
    }
    return k;
}

// Os temas embutidos de nome mais largo, e um nome de utilizador de 72 caracteres.
std::vector<std::u16string> NomesCompridos(ICanvasPagina& medidor) {
    std::vector<std::u16string> nomes;
    for (const auto& t : TemasDosRecursos()) {
        nomes.push_back(t.Nome);
    }
    std::sort(nomes.begin(), nomes.end(), [&](const auto& a, const auto& b) {
        return medidor.LarguraTexto(a, 12, false) > medidor.LarguraTexto(b, 12, false);
    });
    nomes.resize(3);
    nomes.push_back(u"Os Meus Temas de Palavras Muito Compridas Para Ver Onde o Nome Acaba Aqui");
    return nomes;
}

double MaiorLargura(const std::vector<TPuzzle>& puzzles) {
    double m = 0;
    for (const auto& pz : puzzles) {
        for (const auto& p : pz.Palavras) {
            m = std::max(m, LarguraEmDaLista(p.Texto));
        }
    }
    return m;
}

// Um livro de seis puzzles no maior lado que o formato aceita, com o título de 40 letras largas, o grupo
// mais comprido e os temas de nome mais largo.
TDadosLivro LivroNoLimite(const TOpcoesImpressao& impressao, ICanvasPagina& medidor, std::int32_t* lado = nullptr) {
    const auto nomes = NomesCompridos(medidor);
    for (auto it = Tamanhos.rbegin(); it != Tamanhos.rend(); ++it) {
        const std::int32_t n = MaxPalavrasDoLado(*it);
        TDadosLivro l;
        l.Config = teste::ConfigDeTeste(6, *it, n);
        l.Config.Titulo = std::u16string(40, u'W');
        l.Config.Grupo = nomes.back();
        l.Impressao = impressao;
        for (std::int32_t i = 0; i < 6; ++i) {
            l.Puzzles.push_back(teste::PuzzleFabricado(*it, n, static_cast<std::uint32_t>(i) + 3,
                                                       nomes[static_cast<std::size_t>(i) % nomes.size()]));
        }
        const double medianiz = MedianizDoLivro(impressao, 500);
        if (CabeNoFormato(impressao, medianiz, *it, n, MaiorLargura(l.Puzzles))) {
            if (lado != nullptr) {
                *lado = *it;
            }
            return l;
        }
    }
    ADD_FAILURE() << "nenhum lado cabe";
    return {};
}

TEST(Formatos, NadaDesenhadoChegaPertoDasArestasNemDaMedianiz) {
    auto medidor = teste::MedidorReal();
    for (const TFormatoPagina f : TodosOsFormatos) {
        for (const bool encadernar : {false, true}) {
            for (const bool grande : {false, true}) {
                const TOpcoesImpressao imp{f, encadernar, grande};
                const auto livro = LivroNoLimite(imp, *medidor);
                teste::TDestinoGravador destino(medidor);
                const TCompositorLivro compositor(livro);
                compositor.Compor(destino);
                const double medianiz = MedianizDoLivro(imp, static_cast<std::int32_t>(compositor.Paginas().size()));
                const TMinimosLetra& minimos = grande ? MinimosLetraGrande : MinimosNormais;
                for (std::size_t j = 0; j < destino.Paginas.size(); ++j) {
                    const TGeometriaPagina g = GeometriaDaPagina(imp, medianiz, j);
                    const auto tipo = compositor.Paginas()[j].Tipo;
                    // A medianiz fica à esquerda das páginas da direita (índice par) e à direita das outras.
                    const double esquerda = (j % 2 == 0 ? medianiz : 0);
                    const double direita = g.Largura - (j % 2 == 0 ? 0 : medianiz);
                    // As regras acabam antes do bloco dos direitos, que vem depois delas.
                    double fimDasRegras = 0;
                    for (const auto& c : destino.Paginas[j]->Chamadas) {
                        if (tipo == pgVerso && c.Op == TOperacao::opTexto && c.Texto == u"ZELTA") {
                            EXPECT_LT(fimDasRegras, c.Y) << ParaUtf8(Folha(f).Opcao) << " página " << j + 1;
                        }
                        const TCaixa k = CaixaDe(c, *medidor);
                        if (c.Op == TOperacao::opTexto && c.Y != g.YRodape) {
                            fimDasRegras = std::max(fimDasRegras, k.Y2);
                        }
                        const bool rodape = c.Op == TOperacao::opTexto && c.Y == g.YRodape;
                        const double m = rodape ? MargemRodapeMm : MargemMinimaMm;
                        const auto onde = ::testing::Message()
                                          << ParaUtf8(Folha(f).Opcao) << (encadernar ? " encadernado" : "")
                                          << (grande ? " letra grande" : "") << ", página " << j + 1 << ": «"
                                          << ParaUtf8(c.Texto) << "» " << k.X1 << ".." << k.X2 << " × " << k.Y1 << ".."
                                          << k.Y2;
                        EXPECT_GE(k.X1, esquerda + (rodape ? m : MargemMinimaMm) - 1e-9) << onde;
                        EXPECT_LE(k.X2, direita - (rodape ? m : MargemMinimaMm) + 1e-9) << onde;
                        EXPECT_GE(k.Y1, m - 1e-9) << onde;
                        EXPECT_LE(k.Y2, g.Altura - m + 1e-9) << onde;
                        if (c.Op != TOperacao::opTexto) {
                            continue;
                        }
                        const bool letra = c.Texto.size() == 1 && tipo != pgVerso && !rodape;
                        if (!letra) {
                            EXPECT_GE(c.TamanhoPt, MinimosNormais.Titulos - 1e-9) << onde;
                        }
                        if (tipo == pgPuzzle && letra) {
                            EXPECT_GE(c.TamanhoPt, minimos.Grelha - 1e-9) << onde;
                        } else if (tipo == pgPuzzle && !rodape) {
                            EXPECT_GE(c.TamanhoPt, minimos.Lista - 1e-9) << onde;
                        } else if (tipo == pgSolucoes && letra) {
                            EXPECT_GE(c.TamanhoPt, minimos.Solucoes - 1e-9) << onde;
                        }
                    }
                }
            }
        }
    }
}

TEST(Formatos, MargensEspelhadasENumerosDoLadoDeFora) {
    auto medidor = teste::MedidorReal();
    for (const bool encadernar : {false, true}) {
        const TOpcoesImpressao imp{fpA5, encadernar, false};
        TDadosLivro livro;
        livro.Config = teste::ConfigDeTeste(4, 10, 10);
        livro.Puzzles = teste::PuzzlesFabricados(4, 10, 10);
        livro.Impressao = imp;
        teste::TDestinoGravador destino(medidor);
        const TCompositorLivro compositor(livro);
        compositor.Compor(destino);
        const double medianiz = encadernar ? 0.375 * 25.4 : 0;
        EXPECT_EQ(MedianizDoLivro(imp, compositor.NumPaginas()), medianiz);
        for (std::size_t j = 0; j < destino.Paginas.size(); ++j) {
            const auto& d = compositor.Paginas()[j];
            if (d.Numero == 0) {
                continue;
            }
            const bool direita = d.Numero % 2 == 1;
            ASSERT_EQ(direita, j % 2 == 0);
            const auto* numero = destino.Paginas[j]->ProcurarTexto(Decimal(d.Numero));
            ASSERT_NE(numero, nullptr);
            // O número vai para o lado de fora: à direita nas páginas ímpares, à esquerda nas pares.
            const bool aEsquerda = encadernar && !direita;
            EXPECT_EQ(numero->Alinhamento, aEsquerda ? TAlinhamento::alEsquerda : TAlinhamento::alDireita) << j;
            const double margem = MargemDaManchaMm; // 18 mm à escala do A5 ficaria abaixo
            EXPECT_NEAR(numero->X, aEsquerda ? margem : 148 - margem - (direita ? 0 : medianiz), 1e-9) << j;
            if (d.Tipo != pgPuzzle) {
                continue;
            }
            // A grelha centra-se na mancha, que a medianiz empurra para o lado de fora.
            const auto linhas = destino.Paginas[j]->Do(TOperacao::opLinha);
            ASSERT_FALSE(linhas.empty());
            const double centro = (linhas[2].X + linhas[3].X) / 2;
            EXPECT_NEAR(centro, 74 + (direita ? medianiz / 2 : -medianiz / 2), 1e-9) << j;
        }
    }
}

// O plano e a geometria de cada formato, num livro de 100 puzzles de 20 × 20 com 30 palavras (ou no maior
// lado que cabe): a mancha, a célula, as soluções por página e as páginas.
TEST(Formatos, PlanoEGeometriaPorFormato) {
    const struct {
        TFormatoPagina Formato;
        bool Encadernar, Grande;
        std::int32_t Lado;
        double Margem, Mancha;
        std::int32_t PorPagina, Paginas;
    } casos[] = {
        // clang-format off
        {fpA4,    false, false, 20, 18,     174,     4, 130},
        {fpA4,    false, true,  15, 18,     174,     2, 157},
        {fpA5,    false, false, 20, 13,     122,     2, 155},
        {fpA5,    true,  false, 20, 13,     109.3,   2, 155},
        {fpCarta, false, false, 20, 16.933, 182.033, 4, 130},
        {fpCarta, true,  true,  15, 16.933, 169.333, 2, 157},
        {fp8x10,  false, false, 20, 15.394, 172.412, 4, 130},
        {fp6x9,   false, false, 20, 13.063, 126.274, 2, 155},
        {fp6x9,   true,  true,  10, 13.063, 113.574, 2, 157},
        // clang-format on
    };
    for (const auto& c : casos) {
        const TOpcoesImpressao imp{c.Formato, c.Encadernar, c.Grande};
        const auto plano = PlanoDePaginas(100, imp, c.Lado);
        const double medianiz = MedianizDoLivro(imp, static_cast<std::int32_t>(plano.size()));
        const TGeometriaPagina g = GeometriaDaPagina(imp, medianiz, 1);
        const auto onde = ::testing::Message() << ParaUtf8(Folha(c.Formato).Opcao) << c.Encadernar << c.Grande;
        EXPECT_EQ(static_cast<std::int32_t>(plano.size()), c.Paginas) << onde;
        EXPECT_EQ(NumPaginasLivro(100, imp, c.Lado), c.Paginas) << onde;
        EXPECT_NEAR(g.Esquerda, c.Margem, 1e-3) << onde;
        EXPECT_NEAR(g.LarguraMancha, c.Mancha, 1e-3) << onde;
        EXPECT_EQ(PlanoSolucoes(g, c.Lado).PorPagina, c.PorPagina) << onde;
        const auto solucoes =
            std::count_if(plano.begin(), plano.end(), [](const auto& p) { return p.Tipo == pgSolucoes; });
        EXPECT_EQ(solucoes, (100 + c.PorPagina - 1) / c.PorPagina) << onde;
        // Palavras de 12 letras de largura média, com um hífen.
        EXPECT_TRUE(
            CabeNoFormato(imp, medianiz, c.Lado, MaxPalavrasDoLado(c.Lado), LarguraEmDaLista(u"CAVALO-MARINHO")))
            << onde;
        // Os separadores e a capa ficam em páginas da direita; as regras ocupam duas páginas em letra grande.
        for (std::size_t j = 0; j < plano.size(); ++j) {
            if (plano[j].Tipo == pgSeparador || plano[j].Tipo == pgCapa) {
                EXPECT_EQ(j % 2, 0U) << onde;
            }
        }
        EXPECT_EQ(std::count_if(plano.begin(), plano.end(), [](const auto& p) { return p.Tipo == pgVerso; }),
                  c.Grande ? 2 : 1)
            << onde;
    }
}

// A largura que a análise conta para uma palavra nunca é menor do que a medida, e quase não passa dela.
TEST(Formatos, LarguraDaListaCobreAMedida) {
    auto medidor = teste::MedidorReal();
    std::u16string letras;
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        letras += c;
    }
    letras += u"ÁÀÂÃÉÊÍÓÔÕÚÜÇ -'";
    std::vector<std::u16string> textos{u"CAVALO-MARINHO", u"PICA PAU", u"D'ÁGUA", u"WWWWWWWWWWWW", u"IIIIIIII"};
    for (const char16_t c : letras) {
        textos.emplace_back(1, c);
    }
    for (const auto& t : textos) {
        for (const double s : {8.0, 11.0, 14.0, 100.0}) {
            const double medida = medidor->LarguraTexto(t, s, false);
            const double conta = LarguraNaLista(LarguraEmDaLista(t), s);
            EXPECT_LE(medida, conta) << ParaUtf8(t) << " " << s;
            EXPECT_GT(medida, conta - 0.2) << ParaUtf8(t) << " " << s;
        }
    }
}

} // namespace
} // namespace zelta
