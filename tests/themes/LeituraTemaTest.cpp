#include "themes/LeituraTema.hpp"

#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {
namespace {

using namespace std::string_literals;

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::vector<std::u16string> Linhas(std::initializer_list<std::u16string_view> l) { return {l.begin(), l.end()}; }

TEST(LeituraTema, Utf8ValidoSoOlhaParaAEstrutura) {
    struct Caso {
        std::string bytes;
        std::size_t inicio;
        bool valido;
    };
    const std::vector<Caso> casos{
        {"", 0, true},
        {"abc", 3, true},
        {"ma\xC3\xA7\xC3\xA3", 0, true},
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", 0, true},
        {"\xE0\x80\x80\xED\xA0\x80\xF4\xBF\xBF\xBF", 0, true}, // formas longas e substitutos passam
        {"\xC3", 0, false},                                    // cortada pelo fim
        {"\xE2\x82", 0, false},
        {"\xC0\x80", 0, false},
        {"\xC1\xBF", 0, false},
        {"\xF5\x80\x80\x80", 0, false},
        {"\x80", 0, false},
        {"\xC3\x41", 0, false}, // continuação fora de 80–BF
        {"\xFF\x41", 1, true},  // o que fica antes do início não conta
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Utf8Valido(Bytes(c.bytes), c.inicio), c.valido) << testing::PrintToString(c.bytes);
    }
}

TEST(LeituraTema, BytesParaTextoEmCadaCodificacao) {
    struct Caso {
        const char* nome;
        std::string bytes;
        std::u16string texto;
    };
    const std::vector<Caso> casos{
        {"vazio", "", u""},
        {"utf-8", "ma\xC3\xA7\xC3\xA3", u"maçã"},
        {"utf-8 com marca", "\xEF\xBB\xBF\xC3\x81gua", u"Água"},
        {"só a marca utf-8", "\xEF\xBB\xBF", u""},
        {"utf-16 le", "\xFF\xFE\x41\x00\xE7\x00\x3D\xD8\x00\xDE"s, u"Aç\U0001F600"},
        {"utf-16 be", "\xFE\xFF\x00\x41\x00\xE7"s, u"Aç"},
        {"utf-16 ímpar", "\xFF\xFE\x41\x00\x42"s, u"A\uFFFD"},
        {"utf-16 substituto órfão", "\xFF\xFE\x00\xD8\x41\x00\x00\xDC"s, u"\uFFFDA\uFFFD"},
        {"só a marca utf-16", "\xFF\xFE", u""},
        {"windows-1252", "\xC1gua \x80 \x93x\x94", u"Água € “x”"},
        // A marca fica de fora, mesmo quando o resto falha o teste de UTF-8.
        {"marca e depois 1252", "\xEF\xBB\xBFMA\xC7\xC3", u"MAÇÃ"},
        {"marca utf-8 incompleta", "\xEF\xBB", u"ï»"},
        {"bytes nulos", "A\0\0B"s, u"A\0\0B"s},
        // Sem marca: zeros em quase todos os bytes de uma das posições, e descodificação sem falhas.
        {"utf-16 le sem marca", "C\0A\0M\0A\0R\0\xC3\0O\0\r\0\n\0"s, u"CAMARÃO\r\n"},
        {"utf-16 be sem marca", "\0p\0\xE9\0-\0d\0e"s, u"pé-de"},
        {"utf-16 sem marca com substituto órfão fica 1252", "C\0A\0S\0A\0\0\xD8"s, u"C\0A\0S\0A\0\0Ø"s},
        // Texto decomposto (um Mac) sai composto, em qualquer codificação.
        {"utf-8 nfd", "CAMARA\xCC\x83O", u"CAMARÃO"},
        {"utf-16 le nfd com marca",
         "\xFF\xFE"
         "A\0\x03\x03"s,
         u"Ã"},
        {"forma longa e substituto", "a\xE0\x80\x80z\xED\xA0\x80", u"a\uFFFD\uFFFD\uFFFDz\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(BytesParaTexto(Bytes(c.bytes)), c.texto) << c.nome;
    }
}

TEST(LeituraTema, CortarLinhasAceitaQualquerQuebra) {
    struct Caso {
        std::u16string texto;
        std::vector<std::u16string> linhas;
    };
    const std::vector<Caso> casos{
        {u"", {}},
        {u"\n", {u""}},
        {u"a", {u"a"}},
        {u"a\r\n", {u"a"}},
        {u"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}},
        {u"a\n\nb\r\r", {u"a", u"", u"b", u""}},
        {u"a\n\rb", {u"a", u"", u"b"}}, // LF CR são duas quebras
    };
    for (const auto& c : casos) {
        EXPECT_EQ(CortarLinhas(c.texto), c.linhas) << ParaUtf8(c.texto);
    }
}

TEST(LeituraTema, CabecalhosEComentarios) {
    struct Caso {
        std::vector<std::u16string> linhas;
        std::u16string nome;
        std::u16string grupo;
        bool temNome;
        bool temGrupo;
    };
    const std::vector<Caso> casos{
        {{}, u"Defeito", u"Os meus temas", false, false},
        {{u"# só um comentário", u"#-- Aves"}, u"Defeito", u"Os meus temas", false, false},
        {{u"#Tema:Aves", u"#GRUPO:Natureza"}, u"Aves", u"Natureza", true, true},
        {{u"  #   TEMA:   Aves Marinhas  "}, u"Aves Marinhas", u"Os meus temas", true, false},
        {{u"# Tema : Aves", u"# Grupo :X"}, u"Defeito", u"Os meus temas", false, false},
        {{u"# Tema:", u"# Grupo:   "}, u"Defeito", u"Os meus temas", false, false},
        {{u"# Tema: A", u"PARDAL", u"# Tema: B", u"# Tema:"}, u"B", u"Os meus temas", true, false},
        // Controlos no nome ou no grupo (mudar o título do terminal, limpar o ecrã) ficam espaços.
        {{u"# Tema: \x1B]0;x\a Aves", u"# Grupo: \x1B[2J"}, u"]0;x  Aves", u"[2J", true, true},
        {{u"# Grupo: \u009B\u0007"}, u"Defeito", u"Os meus temas", false, false},
    };
    for (const auto& c : casos) {
        const TTemaLido r = LerTema(c.linhas, u"Defeito");
        EXPECT_EQ(r.Tema.Nome, c.nome) << ParaUtf8(c.nome);
        EXPECT_EQ(r.Tema.Grupo, c.grupo) << ParaUtf8(c.nome);
        EXPECT_EQ(r.Relatorio.TemNome, c.temNome) << ParaUtf8(c.nome);
        EXPECT_EQ(r.Relatorio.TemGrupo, c.temGrupo) << ParaUtf8(c.nome);
        EXPECT_EQ(r.Tema.Origem, TOrigemTema::otPasta);
    }
}

TEST(LeituraTema, PalavrasRepetidasERejeitadas) {
    const TTemaLido r = LerTema(Linhas({
                                    u"# Tema: Teste", // 1
                                    u"",              // 2
                                    u"  Fórmula 1 ",  // 3: rejeitada
                                    u"castelo branco",
                                    u"Castelo-Branco", // 5: repetida, fica a primeira forma
                                    u"AÇÚCAR",
                                    u"acucar", // outra palavra: os acentos contam
                                    u"#PARDAL",
                                    u"guarda—chuva", // 9: rejeitada
                                    u"\t",
                                }),
                                u"x");
    const TPalavrasTema esperadas{
        {u"CASTELO BRANCO", u"CASTELOBRANCO"}, {u"AÇÚCAR", u"AÇÚCAR"}, {u"ACUCAR", u"ACUCAR"}};
    EXPECT_EQ(r.Tema.Palavras, esperadas);
    EXPECT_EQ(r.Relatorio.Aceites, 3);
    EXPECT_EQ(r.Relatorio.Repetidas, 1);
    EXPECT_EQ(r.Relatorio.Rejeitadas, 2);
    // O número conta todas as linhas; o texto vem aparado mas como foi escrito.
    EXPECT_EQ(r.Relatorio.Detalhe, (std::vector<std::u16string>{u"linha 3: «Fórmula 1» - tem algarismos",
                                                                u"linha 9: «guarda—chuva» - tem o símbolo «—»"}));
}

TEST(LeituraTema, DetalheFicaPelasTrintaPrimeiras) {
    std::vector<std::u16string> linhas{u"# Tema: Muitas"};
    for (int i = 1; i <= 35; ++i) {
        linhas.push_back(std::u16string(u"x").append(Decimal(i)));
        linhas.push_back(u"PALAVRA");
    }
    const TTemaLido r = LerTema(linhas, u"");
    EXPECT_EQ(r.Relatorio.Rejeitadas, 35);
    EXPECT_EQ(r.Relatorio.Repetidas, 34);
    ASSERT_EQ(r.Relatorio.Detalhe.size(), 30U);
    EXPECT_EQ(r.Relatorio.Detalhe.front(), u"linha 2: «x1» - tem algarismos");
    EXPECT_EQ(r.Relatorio.Detalhe.back(), u"linha 60: «x30» - tem algarismos");
}

TEST(LeituraTema, RepetidasDetetadasEmListasGrandes) {
    // Mais palavras do que a reserva inicial: a deteção de repetidas tem de sobreviver ao crescimento.
    const auto palavra = [](int i) {
        std::u16string p;
        for (; i > 0; i /= 26) p.push_back(static_cast<char16_t>(u'A' + i % 26));
        return p;
    };
    std::u16string texto;
    for (int volta = 0; volta < 2; ++volta) {
        for (int i = 1; i <= 100000; ++i) {
            texto += palavra(i) + u"\n";
        }
    }
    const std::vector<std::u16string> linhas = CortarLinhas(texto);
    const TTemaLido r = LerTema(linhas, u"x");
    EXPECT_EQ(r.Relatorio.Aceites, 100000);
    EXPECT_EQ(r.Relatorio.Repetidas, 100000);
    ASSERT_EQ(r.Tema.Palavras.size(), 100000U);
    EXPECT_EQ(r.Tema.Palavras[99999].Letras, palavra(100000));
}

TEST(LeituraTema, FicheiroEmUtf16ComNomePorOmissao) {
    const teste::TPastaTemporaria pasta;
    // UTF-16 LE com marca, quebras CR LF, e um nome com dois pontos.
    const auto caminho = pasta.Escrever("a.b.txt", "\xFF\xFE"
                                                   "p\0a\0r\0d\0a\0l\0\r\0\n\0"
                                                   "\xE7\0\xE3\0o\0"s);
    const TTemaLido r = LerTemaDeFicheiro(caminho);
    EXPECT_EQ(r.Tema.Nome, u"a.b");
    EXPECT_EQ(r.Tema.Palavras, (TPalavrasTema{{u"PARDAL", u"PARDAL"}, {u"ÇÃO", u"ÇÃO"}}));

    EXPECT_EQ(LerTemaDeFicheiro(pasta.Escrever(".txt", "")).Tema.Nome, u"");
    EXPECT_EQ(LerTemaDeFicheiro(pasta.Escrever("Aves", "")).Tema.Nome, u"Aves");
}

TEST(LeituraTema, FalhasDeLeituraDizemOFicheiroEARazao) {
    const teste::TPastaTemporaria pasta;
    const auto fifo = pasta.Caminho() / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Esparso: não ocupa disco, mas é grande demais para ser um tema.
    const auto enorme = pasta.Escrever("enorme.txt", "");
    ASSERT_EQ(::truncate(enorme.c_str(), 300LL * 1024 * 1024), 0);
    pasta.Escrever("pasta.txt/dentro.txt", "X");
    const auto utf16 = pasta.Escrever("utf16.txt", "C\0A\0S\0A\0\0\xD8"s);

    struct Caso {
        std::filesystem::path caminho;
        std::u16string razao;
    };
    const std::vector<Caso> casos{
        {pasta.Caminho() / "falta.txt", u"o ficheiro ou a pasta não existe"},
        {pasta.Caminho() / "pasta.txt", u"é uma pasta"},
        {fifo, u"não é um ficheiro comum"},
        {enorme, u"é demasiado grande"},
        {utf16,
         u"parece texto em UTF-16 sem a marca de ordem dos bytes, mas não se descodifica assim; grave-o em UTF-8"},
    };
    for (const auto& c : casos) {
        try {
            LerTemaDeFicheiro(c.caminho);
            ADD_FAILURE() << c.caminho;
        } catch (const EZelta& e) {
            const std::u16string esperada =
                u"Não foi possível ler o ficheiro «" + DeUtf8(c.caminho.string()) + u"»: " + c.razao + u".";
            EXPECT_EQ(e.Mensagem(), esperada);
        }
    }
}

TEST(LeituraTema, LinhasRejeitadasMostramOsControlosEscapados) {
    const TTemaLido r = LerTema(Linhas({u"ab\x1B[2Jc", u"\u009B31m"}), u"x");
    EXPECT_EQ(r.Relatorio.Detalhe, (std::vector<std::u16string>{u"linha 1: «ab\\x1B[2Jc» - tem o símbolo «\\x1B»",
                                                                u"linha 2: «\\x9B31m» - tem o símbolo «\\x9B»"}));
}

TEST(LeituraTema, LeituraCancelavel) {
    const teste::TPastaTemporaria pasta;
    std::string lista;
    for (int i = 0; i < 100000; ++i) {
        lista += "PALAVRA\n";
    }
    const auto caminho = pasta.Escrever("Grande.txt", lista);
    std::atomic<bool> cancelar = true;
    EXPECT_THROW(LerTemaDeFicheiro(caminho, &cancelar), ELeituraCancelada);
    EXPECT_THROW(LerFicheiro(caminho, &cancelar), ELeituraCancelada);
    cancelar = false;
    EXPECT_EQ(LerTemaDeFicheiro(caminho, &cancelar).Relatorio.Repetidas, 99999);
}

} // namespace
} // namespace zelta
