#include "generation/Verificador.hpp"

#include "core/Texto.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

std::vector<TOcorrencia> Procurar(std::u16string_view grelha, int lado, std::u16string_view palavra, int n) {
    std::vector<TOcorrencia> r;
    ProcurarOcorrencias(grelha, lado, palavra, n, r);
    return r;
}

TEST(Verificador, ProcuraRespeitaAsDirecoesDoModo) {
    const std::u16string g = u"ABCDEFGHI";
    const TOcorrencia aei{0, 0, 2, 3};
    EXPECT_EQ(Procurar(g, 3, u"AEI", 2), std::vector<TOcorrencia>{});
    EXPECT_EQ(Procurar(g, 3, u"AEI", 4), std::vector<TOcorrencia>{aei});
    EXPECT_EQ(Procurar(g, 3, u"AEI", 8), std::vector<TOcorrencia>{aei});
    EXPECT_EQ(Procurar(g, 3, u"IEA", 4), std::vector<TOcorrencia>{});
    EXPECT_EQ(Procurar(g, 3, u"IEA", 8), (std::vector<TOcorrencia>{{2, 2, 6, 3}}));
    EXPECT_EQ(Procurar(g, 3, u"CBA", 2), std::vector<TOcorrencia>{});
    EXPECT_EQ(Procurar(g, 3, u"", 8), std::vector<TOcorrencia>{});
    // Letras fora do alfabeto da grelha também se encontram (o índice junta-as num balde só).
    EXPECT_EQ(Procurar(u"ΩΨΩΨΩΨΩΨΩ", 3, u"ΩΩΩ", 4).size(), 2U);
    EXPECT_EQ(Procurar(u"ΩΨΩΨΩΨΩΨΩ", 3, u"ΨΩ", 8).size(), 12U);
    // Uma letra só é encontrada uma vez por direção.
    EXPECT_EQ(Procurar(g, 3, u"E", 4).size(), 4U);
}

TEST(Verificador, PalindromoLeSeDuasVezesComTodasAsDirecoes) {
    const std::u16string g = u"OVOXYZWQK";
    EXPECT_EQ(Procurar(g, 3, u"OVO", 2).size(), 1U);
    EXPECT_EQ(Procurar(g, 3, u"OVO", 4).size(), 1U);
    EXPECT_EQ(Procurar(g, 3, u"OVO", 8), (std::vector<TOcorrencia>{{0, 0, 0, 3}, {0, 2, 4, 3}}));
    EXPECT_TRUE(EPalindromo(u"OVO"));
    EXPECT_TRUE(EPalindromo(u"RADAR"));
    EXPECT_TRUE(EPalindromo(u""));
    EXPECT_TRUE(EPalindromo(u"A"));
    EXPECT_FALSE(EPalindromo(u"OVOS"));
}

TEST(Verificador, PalavrasCompativeis) {
    struct Caso {
        std::u16string a, b;
        bool semInversoes, comInversoes;
    };
    for (const Caso& c : {Caso{u"MAR", u"AMAR", false, false},
                          {u"MAR", u"RAMO", true, false},
                          {u"SOL", u"LUA", true, true},
                          {u"MAR", u"MAR", false, false},
                          {u"AMOR", u"ROMA", true, false},
                          {u"MARTELO", u"MAR", false, false},
                          {u"RAMO", u"MAR", true, false}}) {
        EXPECT_EQ(PalavrasCompativeis(c.a, c.b, false), c.semInversoes) << std::string(c.a.begin(), c.a.end());
        EXPECT_EQ(PalavrasCompativeis(c.a, c.b, true), c.comInversoes) << std::string(c.a.begin(), c.a.end());
    }
    EXPECT_EQ(InverterTexto(u"AÇÃO"), u"OÃÇA");
}

// SAL lê-se a partir do centro numa só direção de cada vez: a procura salta as direções em que o começo falta,
// mas nunca aquela em que está. Com duas letras não há salto, e SA também se acha.
TEST(Verificador, ListaNegraEmCadaDirecao) {
    for (std::int32_t d = 0; d < 8; ++d) {
        std::u16string g(25, u'X');
        const TDirecao dir = Direcoes[static_cast<std::size_t>(d)];
        for (std::int32_t k = 0; k < 3; ++k) {
            g[static_cast<std::size_t>((2 + k * dir.DLinha) * 5 + 2 + k * dir.DColuna)] = u"SAL"[k];
        }
        for (const std::u16string palavra : {u"SAL", u"SA"}) {
            std::vector<TOcorrencia> achadas;
            ProcurarListaNegra(g, 5, {u"XXXXXX", palavra}, {}, achadas);
            EXPECT_EQ(achadas, (std::vector<TOcorrencia>{{2, 2, d, static_cast<std::int32_t>(palavra.size())}}))
                << ParaUtf8(palavra) << " na direção " << d;
        }
    }
}

TEST(Verificador, ListaNegraSoToleradaDentroDeUmaPalavra) {
    // SAPO colocada na linha 0; a linha 1 lê SAPA, que atravessa a palavra e o enchimento.
    // Grelha 4 × 4:
    //   S A P O
    //   S A P A
    //   X X X X
    //   X X X X
    const std::u16string g = u"SAPOSAPAXXXXXXXX";
    const std::vector<TPalavraColocada> colocadas{{u"SAPO", u"SAPO", 0, 0, 0}};
    std::vector<TOcorrencia> achadas;
    ProcurarListaNegra(g, 4, {u"SAP"}, colocadas, achadas);
    EXPECT_EQ(achadas, (std::vector<TOcorrencia>{{1, 0, 0, 3}}));

    // Na vertical, SS atravessa a palavra e a linha de baixo: é denunciada.
    achadas.clear();
    ProcurarListaNegra(g, 4, {u"SS"}, colocadas, achadas);
    EXPECT_EQ(achadas.size(), 2U); // para baixo e para cima

    // Acentos da grelha não escondem a palavra: Ç A lê-se C A.
    achadas.clear();
    ProcurarListaNegra(u"ÇAXXXXXXX", 3, {u"CAX"}, {}, achadas);
    EXPECT_EQ(achadas, (std::vector<TOcorrencia>{{0, 0, 0, 3}}));

    achadas.clear();
    ProcurarListaNegra(g, 4, {}, colocadas, achadas);
    EXPECT_TRUE(achadas.empty());
}

TEST(Verificador, DentroDePalavraColocadaComparaCelulas) {
    TPuzzle p;
    p.Lado = 5;
    p.Palavras = {{u"CASA", u"CASA", 0, 0, 0}, {u"SOL", u"SOL", 0, 2, 1}};
    EXPECT_TRUE(DentroDePalavraColocada({0, 1, 0, 3}, p));  // ASA dentro de CASA
    EXPECT_TRUE(DentroDePalavraColocada({0, 3, 4, 4}, p));  // ao contrário, mesmas células
    EXPECT_FALSE(DentroDePalavraColocada({0, 2, 1, 4}, p)); // passa para lá de SOL
    EXPECT_FALSE(DentroDePalavraColocada({0, 3, 0, 2}, p)); // sai de CASA
    EXPECT_FALSE(DentroDePalavraColocada({0, 0, 0, 1}, TPuzzle{}));
    EXPECT_EQ(CelulaDaOcorrencia({4, 0, 3, 3}, 2), (TCelula{2, 2}));
}

} // namespace
} // namespace zelta
