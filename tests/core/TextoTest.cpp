#include "core/Texto.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

struct CasoLinha {
    std::u16string linha;
    std::u16string texto; // vazio quando rejeitada
    std::u16string letras;
    std::u16string motivo; // vazio quando aceite
};

TEST(Texto, ValidarLinha) {
    const std::vector<CasoLinha> casos{
        {u"  castelo   branco ", u"CASTELO BRANCO", u"CASTELOBRANCO", u""},
        {u"pé-de-meia", u"PÉ-DE-MEIA", u"PÉDEMEIA", u""},
        {u"d\u2019ouro", u"D'OURO", u"DOURO", u""},
        {u"guarda\u2013chuva", u"GUARDA-CHUVA", u"GUARDACHUVA", u""},
        {u"\tmaçã\u00A0verde", u"MAÇÃ VERDE", u"MAÇÃVERDE", u""},
        {u"pinguim ü", u"PINGUIM Ü", u"PINGUIMÜ", u""},
        {u"guarda\u2014chuva", u"", u"", u"tem o símbolo «\u2014»"},
        {u"Fórmula 1", u"", u"", u"tem algarismos"},
        {u"a1!", u"", u"", u"tem algarismos"},
        {u"a!1", u"", u"", u"tem o símbolo «!»"},
        {u"ñandu", u"", u"", u"tem o símbolo «Ñ»"},
        {u"straße", u"", u"", u"tem o símbolo «ß»"},
        {u"a\u0001b", u"", u"", u"tem o símbolo «\u0001»"},
        {u"- '", u"", u"", u"não tem letras"},
        {u"-ismo", u"", u"", u"começa ou acaba em hífen ou apóstrofo"},
        {u"rock'", u"", u"", u"começa ou acaba em hífen ou apóstrofo"},
        {u"\t\u00A0\t", u"", u"", u"linha vazia"},
        {u"", u"", u"", u"linha vazia"},
        {u"x\U0001F600", u"", u"", u"tem o símbolo «\U0001F600»"},
        {u"x\xD800y", u"", u"", u"tem o símbolo «\uFFFD»"},
    };
    for (const auto& c : casos) {
        const TLinhaValidada r = ValidarLinha(c.linha);
        EXPECT_EQ(r.Aceite, c.motivo.empty()) << ParaUtf8(c.linha);
        EXPECT_EQ(r.Texto, c.texto) << ParaUtf8(c.linha);
        EXPECT_EQ(r.Letras, c.letras) << ParaUtf8(c.linha);
        EXPECT_EQ(r.Motivo, c.motivo) << ParaUtf8(c.linha);
    }
}

TEST(Texto, AlfabetoEAcentos) {
    const std::u16string alfabeto = u"ABCDEFGHIJKLMNOPQRSTUVWXYZÀÁÂÃÇÈÉÊÍÓÔÕÚÜ";
    int letras = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        letras += LetraValida(static_cast<char16_t>(c)) ? 1 : 0;
    }
    EXPECT_EQ(letras, 40);
    for (const char16_t c : alfabeto) {
        EXPECT_TRUE(LetraValida(c));
    }
    for (const char16_t c : std::u16string(u"ÌÒÙÎÛËÏÑŒaé -'")) {
        EXPECT_FALSE(LetraValida(c)) << static_cast<int>(c);
    }
    EXPECT_EQ(SemAcentos(u"ÀÁÂÃÇÈÉÊÍÓÔÕÚÜ"), u"AAAACEEEIOOOUU");
    EXPECT_EQ(SemAcentos(u"AÇÚCAR"), u"ACUCAR");
    EXPECT_EQ(SemAcentos(u"é"), u"é");
    EXPECT_EQ(LetrasParaGrelha(u"PÉDEMEIA", true), u"PÉDEMEIA");
    EXPECT_EQ(LetrasParaGrelha(u"PÉDEMEIA", false), u"PEDEMEIA");
}

TEST(Texto, ComparacaoSemCaixaSoDobraAscii) {
    EXPECT_EQ(CompararSemCaixaAscii(u"animais", u"ANIMAIS"), 0);
    EXPECT_NE(CompararSemCaixaAscii(u"á", u"Á"), 0);
    EXPECT_LT(CompararSemCaixaAscii(u"Z", u"Á"), 0);
    EXPECT_LT(CompararSemCaixaAscii(u"Aves", u"aves e peixes"), 0);
    EXPECT_GT(CompararSemCaixaAscii(u"zoologia", u"Aves"), 0);
    EXPECT_TRUE(IguaisSemCaixaAscii(u"ciência", u"CIêNCIA"));
    EXPECT_FALSE(IguaisSemCaixaAscii(u"ciência", u"CIÊNCIA"));
}

TEST(Texto, ConversoesEMaiusculas) {
    EXPECT_EQ(DeUtf8("Açúcar €"), u"Açúcar €");
    EXPECT_EQ(ParaUtf8(u"Açúcar €"), "Açúcar €");
    EXPECT_EQ(DeUtf8("a\xFF"), u"a\uFFFD");
    EXPECT_EQ(MaiusculasCompletas(u"ciência ß"), u"CIÊNCIA SS");
    EXPECT_EQ(MaiusculaSimples(u'ç'), u'Ç');
    EXPECT_EQ(MaiusculaSimples(u'ß'), u'ß');
    EXPECT_EQ(Aparar(u" \t x y \r\n"), u"x y");
    EXPECT_EQ(Decimal(-12), u"-12");
}

TEST(Texto, NormalizarNfcCompoeOQueUmMacDecompoe) {
    const std::vector<std::pair<std::u16string, std::u16string>> casos{
        {u"", u""},
        {u"CAMARÃO", u"CAMARÃO"},
        {u"CAMARA\u0303O", u"CAMARÃO"},
        {u"pe\u0301-de-cabra", u"pé-de-cabra"},
        {u"c\u0327a\u0303o", u"ção"},
        // O prefixo já normalizado fica, o resto compõe-se; uma marca solta no início não tem com quê.
        {u"ABC \u0301E\u0302", u"ABC \u0301Ê"},
        {u"\u212B", u"\u00C5"},
    };
    for (const auto& [entrada, nfc] : casos) {
        EXPECT_EQ(NormalizarNfc(entrada), nfc) << ParaUtf8(entrada);
    }
    // Depois da normalização a palavra valida-se como se tivesse sido escrita composta.
    EXPECT_EQ(ValidarLinha(NormalizarNfc(u"camara\u0303o")).Letras, u"CAMARÃO");
}

TEST(Texto, ControlosNuncaChegamAoTerminal) {
    const std::vector<std::pair<std::u16string, std::u16string>> casos{
        {u"Aves\tMarinhas", u"Aves\tMarinhas"},
        {u"\x1B]0;titulo\a", u"\\x1B]0;titulo\\x07"},
        {u"\x1B[2J", u"\\x1B[2J"},
        {u"a\r\nb", u"a\\x0D\\x0Ab"},
        {u"x\u007Fy\u009Bz", u"x\\x7Fy\\x9Bz"},
        {u"a\u2028b", u"a\\u2028b"},
        {u"\U0001F600 \xD800!", u"\U0001F600 \uFFFD!"},
        {u"Ciência", u"Ciência"},
    };
    for (const auto& [entrada, mostrado] : casos) {
        EXPECT_EQ(TextoParaTerminal(entrada), mostrado) << ParaUtf8(entrada);
    }
    EXPECT_EQ(ControlosParaEspacos(u"a\x1B[2Jb\u2028c\u0085"), u"a [2Jb c ");
}

} // namespace
} // namespace zelta
