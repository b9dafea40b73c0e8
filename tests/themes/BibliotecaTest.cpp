#include "themes/Biblioteca.hpp"

#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"
#include "themes/LeituraTema.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

namespace zelta {
namespace {

using namespace std::string_literals;

TTema Tema(std::u16string nome, std::u16string grupo) {
    return TTema{std::move(nome), std::move(grupo), TOrigemTema::otPasta, {{u"X", u"X"}}};
}

std::vector<std::u16string> Nomes(const std::vector<TTema>& temas) {
    std::vector<std::u16string> r;
    for (const auto& t : temas) {
        r.push_back(t.Nome);
    }
    return r;
}

TEST(Biblioteca, NomeDoRecurso) {
    const std::vector<std::pair<std::u16string, std::u16string>> casos{
        {u"TEMA_ANIMAIS", u"Animais"},
        {u"TEMA_CASACOZINHA", u"Casacozinha"},
        {u"TEMA_1ABC", u"1abc"},
        {u"TEMA_", u""},
        {u"TEMA", u""},
    };
    for (const auto& [item, nome] : casos) {
        EXPECT_EQ(NomeDoRecurso(item), nome) << ParaUtf8(item);
    }
}

TEST(Biblioteca, OrdemDoGrupoIgnoraSoACaixaAscii) {
    const std::vector<std::pair<std::u16string, std::int32_t>> casos{
        {u"Natureza", 0}, {u"NATUREZA", 0},      {u"ciência", 1},       {u"CIÊNCIA", 7},
        {u"Portugal", 2}, {u"Mundo", 3},         {u"dia a dia", 4},     {u"Cultura e Lazer", 5},
        {u"Verbos", 6},   {u"Os meus temas", 8}, {u"OS MEUS TEMAS", 8}, {u"Aves", 7},
        {u"", 7},         {u"Natureza ", 7},
    };
    for (const auto& [grupo, ordem] : casos) {
        EXPECT_EQ(OrdemDoGrupo(grupo), ordem) << ParaUtf8(grupo);
    }
}

TEST(Biblioteca, OrdemDosTemasEDosGrupos) {
    std::vector<TTema> temas{
        Tema(u"Meu", u"Os meus temas"), Tema(u"Gaivota", u"Zoologia"), Tema(u"verbos", u"Verbos"),
        Tema(u"Pardal", u"aves"),       Tema(u"Águia", u"Aves"),       Tema(u"Zebra", u"Natureza"),
        Tema(u"animais", u"natureza"),  Tema(u"Bicho", u"Aves"),
    };
    OrdenarTemas(temas);
    // Dentro do grupo, Á vem depois de Z: a comparação só dobra a–z.
    EXPECT_EQ(Nomes(temas), (std::vector<std::u16string>{u"animais", u"Zebra", u"verbos", u"Bicho", u"Pardal", u"Águia",
                                                         u"Gaivota", u"Meu"}));
    // Aves e aves são um só grupo, escrito como o escreve o primeiro tema da lista ordenada.
    EXPECT_EQ(GruposDosTemas(temas),
              (std::vector<std::u16string>{u"natureza", u"Verbos", u"Aves", u"Zoologia", u"Os meus temas"}));
}

TEST(Biblioteca, TemasDaPasta) {
    const teste::TPastaTemporaria pasta;
    pasta.Escrever("Animais.txt", "gato\r\nc\xC3\xA3o\r\n");
    pasta.Escrever("B.TXT", "# Tema: Bê\n# Grupo: Aves\nPARDAL\n");
    pasta.Escrever("Dicion\xC3\xA1rio.txt", "PALAVRA\n");
    pasta.Escrever("LISTANEGRA.TXT", "FEIO\n");
    pasta.Escrever("dicionario.txt", "PALAVRA\n");
    pasta.Escrever("lixo.txt", "123\n!!\n# Tema: Lixo\n");
    pasta.Escrever("notas.md", "PALAVRA\n");
    pasta.Escrever("sub/Dentro.txt", "PALAVRA\n");
    pasta.Escrever("pasta.txt/x.txt", "PALAVRA\n");
    ASSERT_EQ(::mkfifo((pasta.Caminho() / "tubo.txt").c_str(), 0600), 0);
    // Nomes das entradas fixas do seletor, escritos de outra maneira: ficam de fora, com a razão.
    pasta.Escrever("Misturas.txt", "# Grupo: MIX de temas\nPARDAL\n");
    pasta.Escrever("Palavras.txt", "# Grupo: Dicionario\nPARDAL\n");

    std::vector<std::u16string> mensagens;
    const auto temas = TemasDaPasta(pasta.Caminho(), &mensagens);
    // Ordem dos caminhos, com maiúsculas antes de minúsculas.
    EXPECT_EQ(Nomes(temas), (std::vector<std::u16string>{u"Animais", u"Bê"}));
    ASSERT_EQ(temas.size(), 2U);
    EXPECT_EQ(temas[0].Grupo, u"Os meus temas");
    EXPECT_EQ(temas[1].Grupo, u"Aves");
    EXPECT_TRUE(
        std::all_of(temas.begin(), temas.end(), [](const TTema& t) { return t.Origem == TOrigemTema::otPasta; }));
    const std::u16string fixa = u"tem o nome de uma entrada fixa da lista de livros";
    ASSERT_EQ(mensagens.size(), 5U);
    EXPECT_EQ(mensagens[0], u"Dicionário.txt: posto de parte, porque o tema «Dicionário» " + fixa);
    EXPECT_EQ(mensagens[1], u"Misturas.txt: posto de parte, porque o grupo «MIX de temas» " + fixa);
    EXPECT_EQ(mensagens[2], u"Palavras.txt: posto de parte, porque o grupo «Dicionario» " + fixa);
    EXPECT_EQ(mensagens[3], u"lixo.txt: sem palavras válidas");
    EXPECT_EQ(mensagens[4].rfind(u"tubo.txt: não foi possível ler (Não foi possível ler o ficheiro ", 0), 0U)
        << ParaUtf8(mensagens[4]);

    // Sem lista de mensagens os problemas calam-se; uma pasta que não existe não é um problema.
    EXPECT_EQ(TemasDaPasta(pasta.Caminho()).size(), 2U);
    EXPECT_TRUE(TemasDaPasta(pasta.Caminho() / "nao_existe", &mensagens).empty());
    EXPECT_EQ(mensagens.size(), 5U);
}

TEST(Biblioteca, ResumosSemPalavrasComCache) {
    const teste::TPastaTemporaria pasta;
    pasta.Escrever("Aves.txt", "# Tema: Aves\n# Grupo: Natureza\npardal\nPARDAL\ngaivota\nandorinha-do-mar\n");
    pasta.Escrever("Mix.txt", "# Grupo: mix de temas\nPARDAL\n");
    pasta.Escrever("lixo.txt", "123\n");
    std::vector<std::u16string> mensagensTemas;
    const auto temas = TemasDaPasta(pasta.Caminho(), &mensagensTemas);
    // Duas vezes: a primeira conta e grava a cache, a segunda lê-a; o mesmo que a carga completa diria.
    for (int vez = 0; vez < 2; ++vez) {
        std::vector<std::u16string> mensagens;
        const auto resumos = ResumosDaPasta(pasta.Caminho(), &mensagens);
        ASSERT_EQ(resumos.size(), 1U);
        EXPECT_EQ(resumos[0].Caminho, pasta.Caminho() / "Aves.txt");
        EXPECT_EQ(resumos[0].Nome, temas[0].Nome);
        EXPECT_EQ(resumos[0].Grupo, temas[0].Grupo);
        EXPECT_EQ(resumos[0].Palavras, 3);
        EXPECT_EQ(resumos[0].MaiorPalavra, 14);
        EXPECT_EQ(mensagens, mensagensTemas);
        EXPECT_EQ(CarregarTemaResumido(resumos[0]), temas[0]);
    }
    // A cache manda enquanto o tamanho e a data batem (aqui, uma contagem falsa prova que não se releu)...
    const auto cache = pasta.Caminho() / ".zelta-resumos";
    std::string texto = teste::LerBytes(cache);
    const auto pos = texto.find("\t3\t14\t");
    ASSERT_NE(pos, std::string::npos) << texto;
    texto.replace(pos, 6, "\t7\t14\t");
    pasta.Escrever(".zelta-resumos", texto);
    EXPECT_EQ(ResumosDaPasta(pasta.Caminho())[0].Palavras, 7);
    // ... e deixa de mandar quando o ficheiro muda, mesmo com o mesmo tamanho.
    pasta.Escrever("Aves.txt", "# Tema: Aves\n# Grupo: Natureza\nmelro\nMELRO\ncorvo\nandorinha-do-mar\n");
    const timespec hora[2]{{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (pasta.Caminho() / "Aves.txt").c_str(), hora, 0), 0);
    EXPECT_EQ(ResumosDaPasta(pasta.Caminho())[0].Palavras, 3);
    // Uma cache estragada é só uma cache vazia.
    pasta.Escrever(".zelta-resumos", "\xFF\x00lixo"s);
    EXPECT_EQ(ResumosDaPasta(pasta.Caminho())[0].Palavras, 3);
}

TEST(Biblioteca, LeituraCanceladaNaoViraMensagem) {
    const teste::TPastaTemporaria pasta;
    pasta.Escrever("Aves.txt", "PARDAL\n");
    const std::atomic<bool> cancelar = true;
    std::vector<std::u16string> mensagens;
    EXPECT_THROW(TemasDaPasta(pasta.Caminho(), &mensagens, &cancelar), ELeituraCancelada);
    EXPECT_THROW(ResumosDaPasta(pasta.Caminho(), &mensagens, &cancelar), ELeituraCancelada);
    EXPECT_THROW(CarregarTemas(pasta.Caminho(), &mensagens, &cancelar), ELeituraCancelada);
    EXPECT_TRUE(mensagens.empty());
}

TEST(Biblioteca, CarregarTemasJuntaESubstituiPorNome) {
    const teste::TPastaTemporaria pasta;
    // Dois ficheiros com o mesmo nome de tema a menos de maiúsculas: ganha o último caminho.
    pasta.Escrever("Zz1.txt", "# Tema: Zz Aves\n# Grupo: Aves\nPARDAL\n");
    pasta.Escrever("zz2.txt", "# Tema: ZZ AVES\n# Grupo: Zoologia\nMELRO\n");
    pasta.Escrever("Zz3.txt", "# Grupo: Aves\nGAIVOTA\n");

    const auto embutidos = TemasDosRecursos();
    const auto temas = CarregarTemas(pasta.Caminho());
    ASSERT_EQ(temas.size(), embutidos.size() + 2);
    const auto aves = std::find_if(temas.begin(), temas.end(), [](const TTema& t) { return t.Nome == u"ZZ AVES"; });
    ASSERT_NE(aves, temas.end());
    EXPECT_EQ(aves->Palavras.front().Texto, u"MELRO");
    // Aves (Zz3) antes de Zoologia, ambos depois dos grupos fixos.
    EXPECT_EQ(temas[temas.size() - 2].Nome, u"Zz3");
    EXPECT_EQ(temas.back().Nome, u"ZZ AVES");
}

TEST(Biblioteca, FicheiroDoUtilizadorSubstituiUmEmbutido) {
    const auto embutidos = TemasDosRecursos();
    if (embutidos.empty()) {
        GTEST_SKIP() << "compilação sem temas embutidos";
    }
    for (const auto& t : embutidos) {
        EXPECT_EQ(t.Origem, TOrigemTema::otRecurso);
        EXPECT_FALSE(t.Palavras.empty());
    }
    EXPECT_EQ(GruposDosTemas(embutidos), std::vector<std::u16string>(GruposConhecidos.begin(), GruposConhecidos.end()));
    const TTema& alvo = embutidos.front();
    std::u16string nomeMinusculo = alvo.Nome;
    for (char16_t& c : nomeMinusculo) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + 32);
        }
    }
    const teste::TPastaTemporaria pasta;
    pasta.Escrever("meu.txt", "# Tema: " + ParaUtf8(nomeMinusculo) + "\nPALAVRANOVA\n");
    const auto temas = CarregarTemas(pasta.Caminho());
    ASSERT_EQ(temas.size(), embutidos.size());
    // Sem cabeçalho de grupo, passa para «Os meus temas»: fica em último.
    EXPECT_EQ(temas.back().Nome, nomeMinusculo);
    EXPECT_EQ(temas.back().Origem, TOrigemTema::otPasta);
    EXPECT_EQ(std::count_if(temas.begin(), temas.end(),
                            [&](const TTema& t) { return IguaisSemCaixaAscii(t.Nome, alvo.Nome); }),
              1);
}

TEST(Biblioteca, PastaDosTemasAoLadoDoExecutavel) {
    // A pasta de compilação onde corre o teste pode ser escrita, logo os temas ficam ao lado do executável.
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(PastaDosTemas(), exe.parent_path() / "Temas");
}

// Todas as pastas do teste podem ser escritas, como /usr/bin para o root: só a instalação decide.
TEST(Biblioteca, PastaDosTemasDeUmProgramaInstaladoEstaNosDadosDoUtilizador) {
    const teste::TPastaTemporaria raiz;
    const auto r = raiz.Caminho();
    for (const char* pasta : {"usr/bin", "usr/local/bin", "compilacao/bin", "portatil", "usr/src/zelta/bin"}) {
        std::filesystem::create_directories(r / pasta);
    }
    std::filesystem::create_directories(r / "usr/local/bin/Temas");
    const char* antes = std::getenv("XDG_DATA_HOME");
    const std::string guardado = antes != nullptr ? antes : "";
    ::setenv("XDG_DATA_HOME", (r / "dados").c_str(), 1);
    const auto doUtilizador = r / "dados" / "zelta" / "Temas";
    const std::vector<std::pair<std::filesystem::path, std::filesystem::path>> casos{
        {r / "usr/bin", doUtilizador},
        {r / "usr/local/bin", doUtilizador}, // nem com uma pasta Temas lá dentro
        {r / "compilacao/bin", r / "compilacao/bin/Temas"},
        {r / "portatil", r / "portatil/Temas"},
        {r / "usr/src/zelta/bin", r / "usr/src/zelta/bin/Temas"},
    };
    for (const auto& [programa, esperada] : casos) {
        EXPECT_EQ(PastaDosTemasDoPrograma(programa), esperada) << programa;
    }
    if (antes != nullptr) {
        ::setenv("XDG_DATA_HOME", guardado.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
}

} // namespace
} // namespace zelta
