#include "core/Random.hpp"
#include "core/Tipos.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace zelta {
namespace {

TEST(Random, ReproduzAReferenciaPublicadaDoPcg32) {
    TGeradorAleatorio g(0);
    g.Iniciar(42, 54);
    for (const std::uint32_t esperado :
         {0xa15c02b7U, 0x7b47f409U, 0xba1d3330U, 0x83d2f293U, 0xbfa4784bU, 0xcbed606eU}) {
        EXPECT_EQ(g.ProximoU32(), esperado);
    }
}

TEST(Random, SplitMix64EDerivacaoDeSementes) {
    EXPECT_EQ(SplitMix64(0), 0xe220a8397b1dcdafULL);
    EXPECT_EQ(DerivarSemente(7, 3), static_cast<std::uint32_t>(SplitMix64((7ULL << 32U) + 3)));
}

TEST(Random, SementesIguaisDaoSequenciasIguais) {
    TGeradorAleatorio a(12345);
    TGeradorAleatorio b(12345);
    TGeradorAleatorio c(0);
    c.Iniciar(SplitMix64(12345), 54);
    for (int i = 0; i < 100; ++i) {
        const std::uint32_t x = a.ProximoU32();
        EXPECT_EQ(x, b.ProximoU32());
        EXPECT_EQ(x, c.ProximoU32());
    }
}

// Conta as saídas que uma operação consome, comparando com um gémeo que só avança.
template <class F> int SaidasConsumidas(std::uint32_t semente, F operacao) {
    TGeradorAleatorio g(semente);
    operacao(g);
    const std::uint32_t seguinte = g.ProximoU32();
    TGeradorAleatorio gemeo(semente);
    for (int n = 0; n < 64; ++n) {
        if (gemeo.ProximoU32() == seguinte) {
            return n;
        }
    }
    return -1;
}

TEST(Random, ConsumoDeSaidas) {
    EXPECT_EQ(SaidasConsumidas(9, [](TGeradorAleatorio& g) { EXPECT_EQ(g.Limite(1), 0); }), 1);
    EXPECT_EQ(SaidasConsumidas(9, [](TGeradorAleatorio& g) { EXPECT_EQ(g.Entre(7, 7), 7); }), 1);
    EXPECT_EQ(SaidasConsumidas(9,
                               [](TGeradorAleatorio& g) {
                                   const double r = g.Real01();
                                   EXPECT_GE(r, 0.0);
                                   EXPECT_LT(r, 1.0);
                               }),
              2);
    EXPECT_EQ(SaidasConsumidas(9,
                               [](TGeradorAleatorio& g) {
                                   std::vector<int> um{5};
                                   g.Baralhar(um);
                                   EXPECT_EQ(um, std::vector<int>{5});
                               }),
              0);
}

TEST(Random, BaralharTiraLimitesDoFimParaOInicio) {
    std::vector<int> a{0, 1, 2};
    TGeradorAleatorio g(77);
    g.Baralhar(a);
    TGeradorAleatorio h(77);
    std::vector<int> b{0, 1, 2};
    std::swap(b[2], b[static_cast<std::size_t>(h.Limite(3))]);
    std::swap(b[1], b[static_cast<std::size_t>(h.Limite(2))]);
    EXPECT_EQ(a, b);
}

TEST(Random, PonderadoNuncaEscolhePesoZero) {
    TGeradorAleatorio g(5);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(g.Ponderado({0, 0, 4}), 2);
    }
}

TEST(Random, LimitesSempreDentroDoIntervalo) {
    TGeradorAleatorio g(99);
    for (int i = 0; i < 2000; ++i) {
        const int n = 1 + i % 37;
        const int r = g.Limite(n);
        EXPECT_GE(r, 0);
        EXPECT_LT(r, n);
        EXPECT_LT(g.Limite64(3), 3U);
    }
}

TEST(Random, ErrosDeixamOGeradorComoEstava) {
    struct Caso {
        std::function<void(TGeradorAleatorio&)> operacao;
        std::u16string mensagem;
    };
    const std::vector<Caso> casos{
        {[](TGeradorAleatorio& g) { g.Limite(0); }, u"TGeradorAleatorio.Limite: limite tem de ser positivo"},
        {[](TGeradorAleatorio& g) { g.Limite(-3); }, u"TGeradorAleatorio.Limite: limite tem de ser positivo"},
        {[](TGeradorAleatorio& g) { g.Limite64(0); }, u"TGeradorAleatorio.Limite64: limite tem de ser positivo"},
        {[](TGeradorAleatorio& g) {
             g.Ponderado({5, -1});
         },
         u"TGeradorAleatorio.Ponderado: peso negativo"},
        {[](TGeradorAleatorio& g) {
             g.Ponderado({INT64_MAX, 1});
         },
         u"TGeradorAleatorio.Ponderado: soma dos pesos excede Int64"},
        {[](TGeradorAleatorio& g) { g.Ponderado({}); }, u"TGeradorAleatorio.Ponderado: soma dos pesos e zero"},
        {[](TGeradorAleatorio& g) {
             g.Ponderado({0, 0});
         },
         u"TGeradorAleatorio.Ponderado: soma dos pesos e zero"},
        {[](TGeradorAleatorio& g) { g.Entre(8, 7); }, u"TGeradorAleatorio.Entre: maximo menor do que o minimo"},
    };
    for (const auto& caso : casos) {
        TGeradorAleatorio g(3);
        try {
            caso.operacao(g);
            ADD_FAILURE() << "não levantou";
        } catch (const EZelta& e) {
            EXPECT_EQ(e.Mensagem(), caso.mensagem);
        }
        TGeradorAleatorio intacto(3);
        EXPECT_EQ(g.ProximoU32(), intacto.ProximoU32());
    }
}

} // namespace
} // namespace zelta
