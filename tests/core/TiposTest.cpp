#include "core/Tipos.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

TEST(Tipos, TamanhosEModosPorIndice) {
    EXPECT_EQ(TamanhoDoIndice(0), 10);
    EXPECT_EQ(TamanhoDoIndice(3), 20);
    EXPECT_EQ(ModoDoIndice(2), TModoDirecoes::mdTodas);
    for (const int mau : {-1, 4}) {
        try {
            TamanhoDoIndice(mau);
            ADD_FAILURE() << mau;
        } catch (const EZelta& e) {
            EXPECT_EQ(e.Mensagem(), u"TamanhoDoIndice: índice fora do intervalo");
        }
    }
    try {
        ModoDoIndice(3);
        ADD_FAILURE();
    } catch (const EZelta& e) {
        EXPECT_EQ(e.Mensagem(), u"ModoDoIndice: índice fora do intervalo");
        EXPECT_STREQ(e.what(), "ModoDoIndice: índice fora do intervalo");
    }
}

TEST(Tipos, LadosForaDaTabela) {
    EXPECT_EQ(MaxPalavrasDoLado(12), 15);
    EXPECT_EQ(MaxPalavrasDoLado(13), 0);
    EXPECT_FALSE(TamanhoValido(13));
    EXPECT_EQ(IndiceDoTamanho(13), -1);
    EXPECT_EQ(RotuloTamanho(10), u"10 × 10");
}

TEST(Tipos, MinimoEAlvoDePalavras) {
    struct Caso {
        int n, minimo, alvo;
    };
    for (const Caso c : {Caso{0, 0, 2},
                         {1, 1, 3},
                         {4, 3, 8},
                         {10, 8, 17},
                         {11, 9, 18},
                         {12, 9, 20},
                         {15, 12, 24},
                         {20, 15, 32},
                         {30, 23, 47}}) {
        EXPECT_EQ(MinimoPalavras(c.n), c.minimo) << c.n;
        EXPECT_EQ(AlvoCandidatas(c.n), c.alvo) << c.n;
    }
    EXPECT_EQ(NumDirecoes(TModoDirecoes::mdSimples), 2);
    EXPECT_EQ(NumDirecoes(TModoDirecoes::mdDiagonais), 4);
    EXPECT_EQ(NumDirecoes(TModoDirecoes::mdTodas), 8);
}

TEST(Tipos, DirecoesOpostas) {
    for (std::size_t d = 0; d < 4; ++d) {
        EXPECT_EQ(Direcoes[d].DLinha, -Direcoes[d + 4].DLinha);
        EXPECT_EQ(Direcoes[d].DColuna, -Direcoes[d + 4].DColuna);
    }
}

TEST(Tipos, CopiaDePuzzleEIndependente) {
    TPuzzle a;
    a.Palavras.push_back({u"SOL", u"SOL", 0, 0, 0});
    TPuzzle b = a;
    b.Palavras[0].Texto = u"LUA";
    b.Palavras.push_back({});
    EXPECT_EQ(a.Palavras.size(), 1U);
    EXPECT_EQ(a.Palavras[0].Texto, u"SOL");
}

} // namespace
} // namespace zelta
