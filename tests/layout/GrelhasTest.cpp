#include "layout/Grelhas.hpp"

#include "core/Texto.hpp"
#include "layout/Paginas.hpp"
#include "tests/support/CanvasGravador.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace zelta {
namespace {

using teste::TCanvasGravador;
using teste::TDestinoGravador;
using teste::TOperacao;

// As páginas de um livro de um puzzle: 3 é o puzzle, 5 as soluções.
TDestinoGravador ComporUmPuzzle(const TPuzzle& p, std::shared_ptr<ICanvasPagina> medidor = nullptr) {
    TDadosLivro livro;
    livro.Config = teste::ConfigDeTeste(1, p.Lado, static_cast<std::int32_t>(p.Palavras.size()));
    livro.Puzzles = {p};
    TDestinoGravador destino(std::move(medidor));
    TCompositorLivro(livro).Compor(destino);
    return destino;
}

struct TGeometria {
    std::int32_t Lado;
    double Celula, Grelha, Esquerda, LetraPt, TopoLista, CelulaSol, GrelhaSol, LetraSolPt, Raio;
};

TEST(Grelhas, GeometriaDasPaginasDePuzzleESolucoesPorLado) {
    const TGeometria tabela[] = {
        {10, 12, 120, 45, 20.41, 162, 8, 80, 13.61, 3.36},
        {12, 12, 144, 33, 20.41, 186, 6.75, 81, 11.48, 2.835},
        {15, 11.6, 174, 18, 19.73, 216, 5.4, 81, 9.18, 2.268},
        {20, 8.7, 174, 18, 14.80, 216, 4.05, 81, 6.89, 1.701},
    };
    for (const auto& t : tabela) {
        SCOPED_TRACE(t.Lado);
        EXPECT_NEAR(TamanhoCelula(t.Lado), t.Celula, 1e-9);
        const auto puzzle = teste::PuzzleFabricado(t.Lado, 10, 7);
        const auto destino = ComporUmPuzzle(puzzle);
        ASSERT_EQ(destino.Paginas.size(), 6U);

        // Página do puzzle: letras, moldura de 0,5 pt centrada e lista 8 mm abaixo da grelha.
        const auto& pz = *destino.Paginas[3];
        const auto textos = pz.Textos();
        const auto& letra = textos[2]; // depois do número e do tema
        EXPECT_NEAR(letra.X, t.Esquerda + t.Celula / 2, 1e-9);
        EXPECT_NEAR(letra.TamanhoPt, t.LetraPt, 0.005);
        EXPECT_FALSE(letra.Negrito);
        EXPECT_EQ(letra.Contorno, 0);
        const auto linhas = pz.Do(TOperacao::opLinha);
        ASSERT_EQ(linhas.size(), 4U);
        const double d = PtParaMm(0.5) / 2;
        EXPECT_NEAR(linhas[0].X, t.Esquerda - d, 1e-9);
        EXPECT_NEAR(linhas[0].X2, t.Esquerda + t.Grelha + d, 1e-9);
        EXPECT_NEAR(linhas[1].Y, 34 + t.Grelha, 1e-9);
        const auto& primeira = textos[2 + static_cast<std::size_t>(t.Lado * t.Lado)];
        EXPECT_EQ(primeira.X, 18);
        EXPECT_NEAR(primeira.Y, t.TopoLista, 1e-9);

        // Página de soluções: primeiro lugar, grelha centrada no lugar de 87 mm, contornos de raio 0,42 c.
        const auto& sol = *destino.Paginas[5];
        const auto solTextos = sol.Textos();
        const double x0 = 18 + (87 - t.GrelhaSol) / 2;
        EXPECT_NEAR(solTextos[1].X, x0 + t.CelulaSol / 2, 1e-9);
        EXPECT_NEAR(solTextos[1].TamanhoPt, t.LetraSolPt, 0.005);
        const auto contornos = sol.Do(TOperacao::opPoligono);
        ASSERT_EQ(contornos.size(), 10U);
        const auto& p0 = puzzle.Palavras[0];
        const auto& dir = Direcoes[static_cast<std::size_t>(p0.Direcao)];
        const double n = static_cast<double>(p0.Palavra.size());
        const double cx = x0 + (p0.Coluna + 0.5 + (n - 1) * dir.DColuna) * t.CelulaSol;
        const double cy = 26 + (p0.Linha + 0.5 + (n - 1) * dir.DLinha) * t.CelulaSol;
        EXPECT_NEAR(std::hypot(contornos[0].Pontos[0].X - cx, contornos[0].Pontos[0].Y - cy), t.Raio, 1e-9);
        EXPECT_NEAR(contornos[0].EspessuraPt, MmParaPt(0.25), 1e-12);
        EXPECT_EQ(contornos[0].Preenchimento, -1);
    }
}

TEST(Grelhas, CabecalhoDoPuzzleNaMesmaLinhaMedia) {
    auto p = teste::PuzzleFabricado(15, 20, 3, u"Aves");
    const auto destino = ComporUmPuzzle(p, teste::MedidorReal());
    auto& pz = *destino.Paginas[3];
    const auto* numero = pz.ProcurarTexto(u"#1");
    const auto* tema = pz.ProcurarTexto(u"Aves");
    ASSERT_TRUE(numero && tema);
    EXPECT_EQ(numero->X, 192);
    EXPECT_EQ(numero->Alinhamento, TAlinhamento::alDireita);
    EXPECT_TRUE(numero->Negrito);
    EXPECT_EQ(tema->Alinhamento, TAlinhamento::alCentro);
    EXPECT_NEAR(tema->Y + pz.AlturaTexto(12) / 2, numero->Y + pz.AlturaTexto(14) / 2, 1e-9);
    // O rodapé com o número da página.
    const auto* rodape = pz.ProcurarTexto(u"4");
    ASSERT_TRUE(rodape);
    EXPECT_EQ(rodape->X, 192);
    EXPECT_EQ(rodape->Y, 283);
}

TEST(Grelhas, Rodape) {
    TCanvasGravador c;
    DesenharRodape(c, 0);
    EXPECT_TRUE(c.Chamadas.empty());
    DesenharRodape(c, 7);
    ASSERT_EQ(c.Chamadas.size(), 2U);
    const auto& esq = c.Chamadas[0];
    const auto& dir = c.Chamadas[1];
    EXPECT_EQ(esq.Texto, u"ZELTA | Orvalen");
    EXPECT_EQ(esq.X, 18);
    EXPECT_EQ(esq.Alinhamento, TAlinhamento::alEsquerda);
    EXPECT_EQ(dir.Texto, u"7");
    EXPECT_EQ(dir.X, 192);
    EXPECT_EQ(dir.Alinhamento, TAlinhamento::alDireita);
    for (const auto& t : c.Chamadas) {
        EXPECT_EQ(t.Y, 283);
        EXPECT_EQ(t.TamanhoPt, 9);
        EXPECT_EQ(t.Contorno, 128);
        EXPECT_FALSE(t.Negrito);
    }
}

TEST(Grelhas, MolduraFechaOsCantos) {
    TCanvasGravador c;
    DesenharMoldura(c, 10, 20, 30, 40, 0.4);
    const double d = PtParaMm(0.4) / 2;
    const auto l = c.Do(TOperacao::opLinha);
    ASSERT_EQ(l.size(), 4U);
    // Cima, baixo, esquerda, direita; cada uma passa meia espessura para lá dos cantos.
    const double esperado[4][4] = {
        {10 - d, 20, 40 + d, 20}, {10 - d, 60, 40 + d, 60}, {10, 20 - d, 10, 60 + d}, {40, 20 - d, 40, 60 + d}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(l[i].X, esperado[i][0], 1e-12);
        EXPECT_NEAR(l[i].Y, esperado[i][1], 1e-12);
        EXPECT_NEAR(l[i].X2, esperado[i][2], 1e-12);
        EXPECT_NEAR(l[i].Y2, esperado[i][3], 1e-12);
        EXPECT_EQ(l[i].EspessuraPt, 0.4);
        EXPECT_EQ(l[i].Contorno, 0);
    }
}

TEST(Grelhas, MarcarCelulasIgnoraOQueSaiDaGrelha) {
    // Uma palavra em diagonal que sai pela direita, e outra ao contrário.
    const std::vector<TPalavraColocada> palavras{{u"ABCD", u"ABCD", 1, 2, 2}, {u"XY", u"XY", 0, 1, 4}};
    const auto m = MarcarCelulas(4, palavras);
    ASSERT_EQ(m.size(), 16U);
    std::vector<bool> esperado(16, false);
    esperado[1 * 4 + 2] = esperado[2 * 4 + 3] = true; // (3, 4) e (4, 5) ficam de fora
    esperado[0 * 4 + 1] = esperado[0 * 4 + 0] = true;
    EXPECT_EQ(m, esperado);
}

TEST(Grelhas, CapsulaEContornoIgualNosDoisSentidos) {
    const auto pts = Capsula(0, 0, 10, 0, 2, 12);
    ASSERT_EQ(pts.size(), 26U);
    // Meia circunferência à volta do fim, de cima (Y −) para baixo, depois à volta do início.
    EXPECT_NEAR(pts[0].X, 10, 1e-12);
    EXPECT_NEAR(pts[0].Y, -2, 1e-12);
    EXPECT_NEAR(pts[6].X, 12, 1e-12);
    EXPECT_NEAR(pts[12].Y, 2, 1e-12);
    EXPECT_NEAR(pts[13].X, 0, 1e-12);
    EXPECT_NEAR(pts[13].Y, 2, 1e-12);
    EXPECT_NEAR(pts[19].X, -2, 1e-12);
    EXPECT_EQ(Capsula(0, 0, 1, 1, 1, 0).size(), 6U); // m mínimo 2

    // A mesma palavra lida da direita para a esquerda tem o mesmo contorno.
    auto pontosDe = [](const TPalavraColocada& p) {
        TCanvasGravador c;
        DesenharGrelhaSolucao(c, 5, std::u16string(25, u'A'), {p}, 0, 0, 4);
        auto v = c.Do(TOperacao::opPoligono).at(0).Pontos;
        std::sort(v.begin(), v.end(), [](auto a, auto b) { return std::tie(a.X, a.Y) < std::tie(b.X, b.Y); });
        return v;
    };
    const auto ida = pontosDe({u"ABC", u"ABC", 2, 1, 0});
    const auto volta = pontosDe({u"CBA", u"CBA", 2, 3, 4});
    ASSERT_EQ(ida.size(), volta.size());
    for (std::size_t i = 0; i < ida.size(); ++i) {
        EXPECT_NEAR(ida[i].X, volta[i].X, 1e-9);
        EXPECT_NEAR(ida[i].Y, volta[i].Y, 1e-9);
    }
}

TEST(Grelhas, GrelhaResolvidaMarcaAsLetrasDasPalavras) {
    const auto s = PuzzleSimbolo();
    TCanvasGravador c;
    DesenharGrelhaSolucao(c, s.Lado, s.Grelha, s.Palavras, 0, 0, 10);
    const auto t = c.Textos();
    ASSERT_EQ(t.size(), 36U);
    // (5, 4) é o A de SOPA e de LETRA; (0, 0) não pertence a palavra nenhuma.
    EXPECT_EQ(t[5 * 6 + 4].Texto, u"A");
    EXPECT_TRUE(t[5 * 6 + 4].Negrito);
    EXPECT_EQ(t[5 * 6 + 4].Contorno, 0);
    EXPECT_FALSE(t[0].Negrito);
    EXPECT_EQ(t[0].Contorno, 165);
    const auto contornos = c.Do(TOperacao::opPoligono);
    ASSERT_EQ(contornos.size(), 2U);
    // O A partilhado (centro 45, 55) fica dentro das duas cápsulas.
    for (const auto& p : contornos) {
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (const auto& q : p.Pontos) {
            minX = std::min(minX, q.X), maxX = std::max(maxX, q.X);
            minY = std::min(minY, q.Y), maxY = std::max(maxY, q.Y);
        }
        EXPECT_TRUE(minX < 45 && 45 < maxX && minY < 55 && 55 < maxY);
    }
    EXPECT_EQ(c.Do(TOperacao::opLinha).size(), 4U);
    EXPECT_EQ(c.Do(TOperacao::opLinha)[0].EspessuraPt, 0.4);
}

TEST(Grelhas, OrdemDaLista) {
    auto colocadas = [](std::initializer_list<const char16_t*> textos) {
        std::vector<TPalavraColocada> v;
        for (auto t : textos) {
            v.push_back({t, t, 0, 0, 0});
        }
        return v;
    };
    EXPECT_EQ(OrdenarPalavras(colocadas({u"AVE", u"ÁRVORE", u"ABELHA"})),
              (std::vector<std::u16string>{u"ABELHA", u"ÁRVORE", u"AVE"}));
    // Espaço, apóstrofo e hífen antes das letras; com chaves iguais decide o texto (É depois de E).
    EXPECT_EQ(OrdenarPalavras(colocadas({u"CASTELOS", u"CASTELO BRANCO", u"ÉGUA", u"EGUA", u"PÉ-DE-MEIA", u"PE"})),
              (std::vector<std::u16string>{u"CASTELO BRANCO", u"CASTELOS", u"EGUA", u"ÉGUA", u"PE", u"PÉ-DE-MEIA"}));
}

std::vector<std::u16string> Palavras(std::size_t n, std::size_t letras) {
    return std::vector<std::u16string>(n, std::u16string(letras, u'M'));
}

TEST(Grelhas, PlanoDaLista) {
    // Modelo do gravador: 0,5 em por carácter, logo 10 letras a 11 pt medem 19,4 mm.
    TCanvasGravador c;
    struct TCaso {
        std::size_t N, Letras;
        double Largura, Altura;
        std::int32_t Colunas;
        double TamanhoPt;
    } casos[] = {
        {20, 10, 174, 61, 3, 11},   // 15 × 15 com 20 palavras: 3 colunas de 7 linhas a 11 pt
        {30, 10, 174, 61, 4, 11},   // com 25 ou mais tenta-se 4 colunas primeiro
        {24, 10, 174, 61, 3, 11},   // 24 palavras nunca começam em 4 colunas
        {20, 30, 174, 61, 2, 11},   // larga demais para 3: fica a 11 pt em 2 colunas em vez de descer
        {20, 30, 174, 49, 2, 10.5}, // a 11 pt nem 3 colunas (largura) nem 2 (altura): desce o tamanho
        {24, 60, 174, 61, 4, 8},    // nada cabe: 4 colunas a 8 pt, mesmo com menos de 25 palavras
        {40, 10, 174, 20, 4, 8},    // alta demais em qualquer disposição
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.N * 100 + k.Letras);
        const auto plano = PlanearLista(c, Palavras(k.N, k.Letras), k.Largura, k.Altura);
        EXPECT_EQ(plano.Colunas, k.Colunas);
        EXPECT_EQ(plano.TamanhoPt, k.TamanhoPt);
        const auto linhas = static_cast<std::int32_t>((k.N + static_cast<std::size_t>(k.Colunas) - 1) /
                                                      static_cast<std::size_t>(k.Colunas));
        EXPECT_EQ(plano.Linhas, linhas);
        EXPECT_NEAR(plano.AlturaLinha, PtParaMm(k.TamanhoPt) * 1.3, 1e-12);
        EXPECT_NEAR(plano.LarguraColuna, k.Largura / k.Colunas, 1e-12);
        EXPECT_NEAR(plano.Altura, linhas * plano.AlturaLinha, 1e-12);
    }
    EXPECT_EQ(PlanearLista(c, {}, 174, 61), TPlanoLista{});
    // O passo das linhas a 11 pt.
    EXPECT_NEAR(PtParaMm(11) * 1.3, 5.0447, 1e-4);
}

TEST(Grelhas, ListaDescePelaPrimeiraColuna) {
    TCanvasGravador c;
    const std::vector<std::u16string> w{u"A", u"B", u"C", u"D", u"E"};
    DesenharLista(c, w, {3, 2, 10, 5, 50, 10}, 18, 100);
    const auto t = c.Textos();
    ASSERT_EQ(t.size(), 5U);
    const double esperado[5][2] = {{18, 100}, {18, 105}, {68, 100}, {68, 105}, {118, 100}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t[i].X, esperado[i][0]);
        EXPECT_EQ(t[i].Y, esperado[i][1]);
        EXPECT_EQ(t[i].TamanhoPt, 10);
    }
    TCanvasGravador vazio;
    DesenharLista(vazio, w, TPlanoLista{}, 18, 100);
    EXPECT_TRUE(vazio.Chamadas.empty());
}

TEST(Grelhas, PaginaDeSolucoesNoFimDoLivro) {
    TDadosLivro livro;
    livro.Config = teste::ConfigDeTeste(10, 10, 8);
    livro.Puzzles = teste::PuzzlesFabricados(10, 10, 8);
    // Um tema tão comprido que nem a 8 pt cabe nos 85 mm do lugar.
    livro.Puzzles[9].Tema = std::u16string(60, u'M');
    TDestinoGravador destino;
    TCompositorLivro compositor(livro);
    compositor.Compor(destino);
    const auto& plano = compositor.Paginas();
    ASSERT_EQ(plano.back().Tipo, TTipoPagina::pgSolucoes);
    ASSERT_EQ(plano.back().Primeiro, 8);
    const auto& ultima = *destino.Paginas.back();

    std::vector<teste::TChamada> titulos;
    for (const auto& t : ultima.Textos()) {
        if (t.Texto.starts_with(u"Puzzle ")) {
            titulos.push_back(t);
        }
    }
    ASSERT_EQ(titulos.size(), 2U);
    EXPECT_EQ(titulos[0].Texto, u"Puzzle 9 \u2014 " + livro.Puzzles[8].Tema);
    EXPECT_EQ(titulos[0].TamanhoPt, 10);
    EXPECT_EQ(titulos[0].X, 18 + 43.5);
    EXPECT_EQ(titulos[0].Y, 18);
    EXPECT_TRUE(titulos[0].Negrito);
    EXPECT_EQ(titulos[1].TamanhoPt, 8);
    EXPECT_EQ(titulos[1].X, 105 + 43.5);
    EXPECT_EQ(titulos[1].Alinhamento, TAlinhamento::alCentro);
    // Só a metade de cima: nenhuma letra abaixo de 147,5 mm; e o rodapé lá está.
    for (const auto& t : ultima.Textos()) {
        if (t.Y < 283) {
            EXPECT_LT(t.Y, 147.5);
        }
    }
    EXPECT_EQ(ultima.Do(TOperacao::opPoligono).size(), 16U);
    ASSERT_NE(ultima.ProcurarTexto(u"ZELTA | Orvalen"), nullptr);
    EXPECT_EQ(ultima.Textos().back().Texto, Decimal(plano.back().Numero));
}

} // namespace
} // namespace zelta
