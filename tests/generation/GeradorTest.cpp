#include "generation/Gerador.hpp"

#include "PalavrasDeTeste.hpp"
#include "VerificacaoBruta.hpp"
#include "core/Texto.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelta {
namespace {

TCandidata Candidata(const std::u16string& texto, bool acentos = true) {
    const TLinhaValidada v = ValidarLinha(texto);
    return {v.Texto, LetrasParaGrelha(v.Letras, acentos)};
}

std::vector<TCandidata> Candidatas(TGeradorAleatorio& g, int quantas, int lado, bool acentos) {
    std::vector<std::u16string> palavras = teste::PalavrasPortuguesas();
    g.Baralhar(palavras);
    std::vector<TCandidata> r;
    for (const auto& p : palavras) {
        TCandidata c = Candidata(p, acentos);
        // Como faz a escolha de candidatas: nenhuma dentro de outra (nem ao contrário).
        const bool cabe =
            c.Palavra.size() >= 3 && static_cast<int>(c.Palavra.size()) <= lado && !EPalindromo(c.Palavra);
        const bool compativel = std::all_of(
            r.begin(), r.end(), [&c](const TCandidata& o) { return PalavrasCompativeis(c.Palavra, o.Palavra, true); });
        if (cabe && compativel) {
            r.push_back(c);
        }
        if (static_cast<int>(r.size()) == quantas) {
            break;
        }
    }
    return r;
}

TEST(Gerador, EixosDasDirecoes) {
    const std::vector<int> esperado{0, 1, 2, 3, 0, 1, 2, 3};
    for (int d = 0; d < 8; ++d) {
        EXPECT_EQ(EixoDaDirecao(d), esperado[static_cast<std::size_t>(d)]);
    }
}

// A invariante de cada puzzle feito, verificada por força bruta em muitas sementes.
TEST(Gerador, PropriedadeDaGrelhaEmMuitasSementes) {
    int chamadas = 0;
    int falhas = 0;
    for (const int lado : {10, 12, 15, 20}) {
        const int numPalavras = MaxPalavrasDoLado(lado);
        for (const auto modo : {TModoDirecoes::mdSimples, TModoDirecoes::mdDiagonais, TModoDirecoes::mdTodas}) {
            for (std::uint32_t semente = 1; semente <= 40; ++semente) {
                TGeradorAleatorio g(semente * 7919U + static_cast<std::uint32_t>(lado));
                const bool acentos = semente % 2 == 0;
                const auto candidatas = Candidatas(g, AlvoCandidatas(numPalavras), lado, acentos);
                TPuzzle puzzle;
                ++chamadas;
                if (!ConstruirPuzzle({lado, modo, numPalavras}, candidatas, teste::ListaNegraDeTeste(), g, puzzle)) {
                    ++falhas;
                    EXPECT_EQ(puzzle, TPuzzle{});
                    continue;
                }
                EXPECT_EQ(puzzle.Lado, lado);
                EXPECT_TRUE(puzzle.Tema.empty());
                EXPECT_GE(static_cast<int>(puzzle.Palavras.size()), MinimoPalavras(numPalavras));
                EXPECT_LE(static_cast<int>(puzzle.Palavras.size()), numPalavras);
                EXPECT_EQ(teste::ViolacaoDaGrelha(puzzle, NumDirecoes(modo), teste::ListaNegraDeTeste()), "")
                    << "lado " << lado << " modo " << static_cast<int>(modo) << " semente " << semente;
                if (!acentos) {
                    EXPECT_EQ(puzzle.Grelha, SemAcentos(puzzle.Grelha));
                }
            }
        }
    }
    std::cout << "ConstruirPuzzle: " << falhas << " falhas em " << chamadas << " chamadas\n";
    // A lista de teste é mais dura do que a verdadeira: palavras de quatro letras muito comuns.
    EXPECT_LT(falhas * 10, chamadas); // menos de 10 %
}

TEST(Gerador, MesmaSementeMesmoPuzzle) {
    TGeradorAleatorio g0(2024);
    const auto candidatas = Candidatas(g0, 47, 20, true);
    TPuzzle a;
    TPuzzle b;
    TGeradorAleatorio g1(77);
    TGeradorAleatorio g2(77);
    ASSERT_TRUE(ConstruirPuzzle({20, TModoDirecoes::mdTodas, 30}, candidatas, teste::ListaNegraDeTeste(), g1, a));
    ASSERT_TRUE(ConstruirPuzzle({20, TModoDirecoes::mdTodas, 30}, candidatas, teste::ListaNegraDeTeste(), g2, b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(g1.ProximoU32(), g2.ProximoU32());
}

TEST(Gerador, OrdenaAsMaisCompridasPrimeiroDeFormaEstavel) {
    // 5, 7, 5, 7 letras: tentadas pela ordem segunda, quarta, primeira, terceira.
    const std::vector<TCandidata> c{
        {u"LEBRE", u"LEBRE"}, {u"GAIVOTA", u"GAIVOTA"}, {u"TIGRE", u"TIGRE"}, {u"GORILAS", u"GORILAS"}};
    TGeradorAleatorio g(1);
    TPuzzle p;
    ASSERT_TRUE(ConstruirPuzzle({10, TModoDirecoes::mdSimples, 4}, c, {}, g, p));
    ASSERT_EQ(p.Palavras.size(), 4U);
    EXPECT_EQ(p.Palavras[0].Palavra, u"GAIVOTA");
    EXPECT_EQ(p.Palavras[1].Palavra, u"GORILAS");
    EXPECT_EQ(p.Palavras[2].Palavra, u"LEBRE");
    EXPECT_EQ(p.Palavras[3].Palavra, u"TIGRE");
}

TEST(Gerador, RecusaPoucasPalavrasOuUmSoEixo) {
    TGeradorAleatorio g0(5);
    const auto sete = Candidatas(g0, 7, 10, true);
    TGeradorAleatorio g(5);
    TPuzzle p;
    EXPECT_FALSE(ConstruirPuzzle({10, TModoDirecoes::mdTodas, 10}, sete, {}, g, p));
    EXPECT_EQ(p, TPuzzle{});

    const std::vector<TCandidata> uma{{u"SOL", u"SOL"}};
    EXPECT_TRUE(ConstruirPuzzle({10, TModoDirecoes::mdSimples, 1}, uma, {}, g, p));
    EXPECT_FALSE(ConstruirPuzzle({10, TModoDirecoes::mdDiagonais, 1}, uma, {}, g, p));
    EXPECT_FALSE(ConstruirPuzzle({10, TModoDirecoes::mdTodas, 1}, uma, {}, g, p));
}

TEST(Gerador, PalindromoEmTodasAsDirecoesNaoSeRepara) {
    const std::vector<TCandidata> c{{u"RADAR", u"RADAR"}};
    TGeradorAleatorio g(3);
    TPuzzle p;
    EXPECT_TRUE(ConstruirPuzzle({10, TModoDirecoes::mdSimples, 1}, c, {}, g, p));
    TConstrutor construtor(10, 8, g);
    construtor.ColocarTodas(c, 1);
    construtor.Preencher();
    EXPECT_FALSE(construtor.Reparar({}));
}

TEST(Gerador, ColocacaoPorOrdemAteAoMaximo) {
    TGeradorAleatorio g(11);
    TConstrutor c(20, 8, g);
    std::vector<TCandidata> dez;
    for (const auto* p :
         {u"ABELHA", u"BURRO", u"CAVALO", u"DONINHA", u"ESQUILO", u"FALCÃO", u"GIRAFA", u"LEBRE", u"MOCHO", u"PATO"}) {
        dez.push_back({p, p});
    }
    c.ColocarTodas(dez, 3);
    ASSERT_EQ(c.Colocadas().size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(c.Colocadas()[i].Palavra, dez[i].Palavra);
    }
}

TEST(Gerador, PalavrasImpossiveisNaoConsomemAleatorios) {
    TGeradorAleatorio g(8);
    TConstrutor c(5, 8, g);
    c.ColocarTodas({{u"A", u"A"}, {u"CROCODILO", u"CROCODILO"}}, 5);
    EXPECT_TRUE(c.Colocadas().empty());
    TGeradorAleatorio intacto(8);
    EXPECT_EQ(g.ProximoU32(), intacto.ProximoU32());
}

TEST(Gerador, NuncaAoLongoDeOutraPalavraDoMesmoEixo) {
    // Com uma só direção, MAR não pode ficar na linha de MARTE (nem por cima das mesmas letras).
    for (std::uint32_t s = 0; s < 50; ++s) {
        TGeradorAleatorio g(s);
        TConstrutor c(5, 1, g);
        c.ColocarTodas({{u"MARTE", u"MARTE"}, {u"MAR", u"MAR"}}, 2);
        ASSERT_EQ(c.Colocadas().size(), 2U);
        EXPECT_NE(c.Colocadas()[0].Linha, c.Colocadas()[1].Linha);
    }
}

TEST(Gerador, EnchimentoComAsLetrasDasPalavras) {
    TGeradorAleatorio g(4);
    TConstrutor c(6, 2, g);
    c.ColocarTodas({{u"MAÇÃ", u"MAÇÃ"}}, 1);
    c.Preencher();
    for (const char16_t letra : c.Grelha()) {
        EXPECT_NE(std::u16string(u"MAÇÃ").find(letra), std::u16string::npos);
    }
    // Uma grelha toda coberta pelas palavras não tira nada ao encher.
    TGeradorAleatorio h(4);
    TConstrutor cheia(2, 2, h);
    cheia.ColocarTodas({{u"AB", u"AB"}, {u"CD", u"CD"}}, 2);
    const std::uint32_t antes = TGeradorAleatorio(h).ProximoU32();
    if (cheia.Colocadas().size() == 2 && cheia.Grelha().find(u'\0') == std::u16string::npos) {
        cheia.Preencher();
        EXPECT_EQ(h.ProximoU32(), antes);
    }
}

TEST(Gerador, EquilibrioAceitavel) {
    auto palavras = [](std::vector<int> direcoes) {
        std::vector<TPalavraColocada> r;
        for (const int d : direcoes) {
            r.push_back({u"X", u"X", 0, 0, d});
        }
        return r;
    };
    EXPECT_FALSE(EquilibrioAceitavel({}, 2));
    EXPECT_FALSE(EquilibrioAceitavel(palavras({0, 0, 0, 0, 0, 0, 0, 0, 1, 1}), 2)); // 2 < 3
    EXPECT_TRUE(EquilibrioAceitavel(palavras({0, 0, 0, 0, 0, 0, 0, 1, 1, 1}), 2));
    EXPECT_TRUE(EquilibrioAceitavel(palavras({0}), 2));
    EXPECT_FALSE(EquilibrioAceitavel(palavras({0}), 4));
    EXPECT_FALSE(EquilibrioAceitavel(palavras({0, 1, 2, 3, 0, 1, 2, 3, 0, 1}), 8)); // nada ao contrário
    EXPECT_TRUE(EquilibrioAceitavel(palavras({0, 1, 2, 3, 4, 5, 6, 7, 0, 1}), 8));
    EXPECT_FALSE(EquilibrioAceitavel(palavras({0, 0, 0, 0, 0, 0, 1, 2}), 4)); // um eixo com mais de metade
    EXPECT_FALSE(EquilibrioAceitavel(palavras({0, 0, 0, 1, 1, 1}), 4));       // só dois eixos
    EXPECT_TRUE(EquilibrioAceitavel(palavras({0, 0, 1, 1, 2, 3}), 4));
}

} // namespace
} // namespace zelta
