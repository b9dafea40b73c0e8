#include "themes/Importacao.hpp"

#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"
#include "themes/Biblioteca.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace zelta {
namespace {

using namespace std::string_literals;

// O que a pasta tem além da cache dos resumos, que a importação também atualiza.
std::map<std::string, std::string> Temas(const std::filesystem::path& pasta) {
    auto r = teste::Retrato(pasta);
    r.erase(".zelta-resumos");
    return r;
}

TEST(Importacao, DestinoDaImportacao) {
    const std::filesystem::path pasta = "/temas";
    const std::vector<std::pair<std::string, std::string>> casos{
        {"/a/Aves.csv", "/temas/Aves.txt"},
        {"/a/Frutos tropicais.txt", "/temas/Frutos tropicais.txt"},
        {"/a/lista.b.TXT", "/temas/lista.b.txt"},
        {"/a/semextensao", "/temas/semextensao.txt"},
        {"/a/.csv", "/temas/.txt"},
    };
    for (const auto& [origem, destino] : casos) {
        EXPECT_EQ(DestinoDaImportacao(origem, pasta), std::filesystem::path(destino)) << origem;
    }
}

TEST(Importacao, EscreveOTemaLimpoQueSeReleIgual) {
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    // UTF-16 LE com marca: cabeçalho de nome, minúsculas, tabulações, espaços a dobrar, comentários,
    // uma linha rejeitada e uma repetida.
    const std::u16string texto = u"# Tema: Aves Marinhas\r\n# -- gaivotas\r\ngaivota\r\n\tcorvo   marinho \r\n"
                                 u"GAIVOTA\r\nalca1\r\npé-de-pato\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : texto) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    const auto origem = fonte.Escrever("Aves.csv", bytes);

    const TTemaLido lido = ImportarTema(origem, temas.Caminho(), false);
    EXPECT_EQ(lido.Relatorio.Aceites, 3);
    EXPECT_EQ(lido.Relatorio.Repetidas, 1);
    EXPECT_EQ(lido.Relatorio.Rejeitadas, 1);
    EXPECT_EQ(teste::LerBytes(temas.Caminho() / "Aves.txt"),
              "# Tema: Aves Marinhas\r\nGAIVOTA\r\nCORVO MARINHO\r\nP\xC3\x89-DE-PATO\r\n");
    // Nada mais na pasta: nem temporários.
    EXPECT_EQ(Temas(temas.Caminho()).size(), 1U);

    const TTemaLido relido = LerTemaDeFicheiro(temas.Caminho() / "Aves.txt");
    EXPECT_EQ(relido.Tema.Nome, lido.Tema.Nome);
    EXPECT_EQ(relido.Tema.Grupo, u"Os meus temas");
    EXPECT_EQ(relido.Tema.Palavras, lido.Tema.Palavras);
    EXPECT_EQ(relido.Relatorio.Rejeitadas + relido.Relatorio.Repetidas, 0);
}

TEST(Importacao, CabecalhosEscritos) {
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    struct Caso {
        std::string nome;
        std::string conteudo;
        std::string escrito;
    };
    const std::vector<Caso> casos{
        {"Frutos tropicais.txt", "manga\n", "# Tema: Frutos tropicais\r\nMANGA\r\n"},
        {"g.txt", "# grupo: Natureza\n#tema: Bichos\nlince\n", "# Tema: Bichos\r\n# Grupo: Natureza\r\nLINCE\r\n"},
        // Um nome de ficheiro com quebra de linha não pode partir o cabeçalho.
        {" a\nb .txt", "lince\n", "# Tema: a b\r\nLINCE\r\n"},
    };
    for (const auto& c : casos) {
        const auto origem = fonte.Escrever(c.nome, c.conteudo);
        const TTemaLido lido = ImportarTema(origem, temas.Caminho(), false);
        const auto destino = DestinoDaImportacao(origem, temas.Caminho());
        EXPECT_EQ(teste::LerBytes(destino), c.escrito) << c.nome;
        const TTemaLido relido = LerTemaDeFicheiro(destino);
        EXPECT_EQ(relido.Tema.Nome, lido.Tema.Nome) << c.nome;
        EXPECT_EQ(relido.Tema.Grupo, lido.Tema.Grupo) << c.nome;
    }
}

TEST(Importacao, RecusasDeixamAPastaIgual) {
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    temas.Escrever("Aves.txt", "# Tema: Aves\r\nPARDAL\r\n");
    temas.Escrever("Outro.txt", "MELRO\r\n");
    struct Caso {
        std::filesystem::path origem;
        std::u16string mensagem; // vazia: só se confere que é EZelta
        bool jaExiste;
    };
    const std::vector<Caso> casos{
        {fonte.Escrever("ListaNegra.txt", "FEIO\n"), u"O nome ListaNegra.txt está reservado à lista negra.", false},
        {fonte.Escrever("LISTANEGRA.TXT", "FEIO\n"), u"O nome ListaNegra.txt está reservado à lista negra.", false},
        {fonte.Caminho() / "falta.txt", u"", false},
        {fonte.Escrever("vazio.txt", ""), u"O ficheiro não tem nenhuma palavra válida.", false},
        {fonte.Escrever("lixo.txt", "# Tema: Lixo\n123\n?!\n"), u"O ficheiro não tem nenhuma palavra válida.", false},
        {fonte.Escrever("Aves.csv", "GAIVOTA\n"), u"Já existe um tema com o ficheiro Aves.txt.", true},
    };
    const auto antes = teste::Retrato(temas.Caminho());
    for (const auto& c : casos) {
        try {
            ImportarTema(c.origem, temas.Caminho(), false);
            ADD_FAILURE() << c.origem;
        } catch (const ETemaJaExiste& e) {
            EXPECT_TRUE(c.jaExiste) << c.origem;
            EXPECT_EQ(e.Mensagem(), c.mensagem);
        } catch (const EZelta& e) {
            EXPECT_FALSE(c.jaExiste) << c.origem;
            if (!c.mensagem.empty()) {
                EXPECT_EQ(e.Mensagem(), c.mensagem) << c.origem;
            }
        }
        EXPECT_EQ(teste::Retrato(temas.Caminho()), antes) << c.origem;
    }
}

TEST(Importacao, SubstituirSoComLicenca) {
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    temas.Escrever("Aves.txt", "PARDAL\r\n");
    const auto origem = fonte.Escrever("Aves.csv", "gaivota\n");
    EXPECT_THROW(ImportarTema(origem, temas.Caminho(), false), ETemaJaExiste);
    ImportarTema(origem, temas.Caminho(), true);
    EXPECT_EQ(teste::LerBytes(temas.Caminho() / "Aves.txt"), "# Tema: Aves\r\nGAIVOTA\r\n");
    EXPECT_EQ(Temas(temas.Caminho()).size(), 1U);
}

TEST(Importacao, FicheiroQueJaEstaNaPasta) {
    const teste::TPastaTemporaria temas;
    const std::string original = "# Tema: Aves\npardal\nPARDAL\n";
    const auto caminho = temas.Escrever("Aves.txt", original);
    // Mesmo sem licença para substituir: não há nada a escrever.
    const TTemaLido lido = ImportarTema(caminho, temas.Caminho(), false);
    EXPECT_EQ(lido.Relatorio.Repetidas, 1);
    EXPECT_EQ(teste::LerBytes(caminho), original);
    EXPECT_EQ(teste::Retrato(temas.Caminho()).size(), 1U);
}

TEST(Importacao, NomesReservadosRecusados) {
    // Um ficheiro que a biblioteca nunca leria como tema, ou um tema com o nome de uma entrada fixa do seletor,
    // não se importa: antes disto a importação dizia que sim e o tema não aparecia, ou aparecia duas vezes.
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    const std::u16string fixa = u" tem o nome de uma entrada fixa da lista de livros; escolha outro.";
    const std::vector<std::pair<std::filesystem::path, std::u16string>> casos{
        {fonte.Escrever("ListaNegra.csv", "feio\n"), u"O nome ListaNegra.txt está reservado à lista negra."},
        {fonte.Escrever("Dicionario.txt", "casa\n"), u"O nome Dicionario.txt está reservado ao dicionário."},
        {fonte.Escrever("dicionario.CSV", "casa\n"), u"O nome Dicionario.txt está reservado ao dicionário."},
        {fonte.Escrever("Dicion\xC3\xA1rio.csv", "casa\n"), u"O tema «Dicionário»" + fixa},
        {fonte.Escrever("a.txt", "# Grupo: dicion\xC3\xA1rio\ncasa\n"), u"O grupo «dicionário»" + fixa},
        {fonte.Escrever("b.txt", "# Tema: Mix de Temas\ncasa\n"), u"O tema «Mix de Temas»" + fixa},
    };
    for (const auto& [origem, mensagem] : casos) {
        try {
            ImportarTema(origem, temas.Caminho(), true);
            ADD_FAILURE() << origem;
        } catch (const EZelta& e) {
            EXPECT_EQ(e.Mensagem(), mensagem) << origem;
        }
    }
    EXPECT_TRUE(teste::Retrato(temas.Caminho()).empty());
}

TEST(Importacao, CabecalhosEscritosSemControlos) {
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    const auto origem = fonte.Escrever("t\x1B[2J.txt", "# Grupo: \x1B]0;pwned\x07"
                                                       "Aves\ngaivota\n");
    ImportarTema(origem, temas.Caminho(), false);
    EXPECT_EQ(teste::LerBytes(DestinoDaImportacao(origem, temas.Caminho())),
              "# Tema: t [2J\r\n# Grupo: ]0;pwned Aves\r\nGAIVOTA\r\n");
}

TEST(Importacao, OitoAoMesmoTempoSemSubstituirSoUmaFica) {
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    constexpr int N = 8;
    std::vector<std::filesystem::path> origens;
    for (int i = 0; i < N; ++i) {
        origens.push_back(fonte.Escrever(std::to_string(i) + "/Aves.txt", "palavra" + std::string(1, char('a' + i))));
    }
    std::atomic<int> importados = 0;
    std::atomic<int> jaExistia = 0;
    std::vector<std::thread> fios;
    for (int i = 0; i < N; ++i) {
        fios.emplace_back([&, i] {
            try {
                ImportarTema(origens[static_cast<std::size_t>(i)], temas.Caminho(), false);
                ++importados;
            } catch (const ETemaJaExiste&) {
                ++jaExistia;
            }
        });
    }
    for (auto& f : fios) {
        f.join();
    }
    EXPECT_EQ(importados, 1);
    EXPECT_EQ(jaExistia, N - 1);
    // Nenhum temporário, e o que ficou é um dos temas inteiro.
    const auto retrato = Temas(temas.Caminho());
    ASSERT_EQ(retrato.size(), 1U);
    EXPECT_EQ(retrato.begin()->second.rfind("# Tema: Aves\r\nPALAVRA", 0), 0U);
}

TEST(Importacao, OQueSeImportaLeSeDepois) {
    // Abaixo do teto da leitura à entrada e acima dele à saída: em Windows-1252 o É tem um byte, em UTF-8 dois.
    // Recusado durante a leitura, sem escrever nada. Linhas compridas, para serem poucas palavras.
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    constexpr std::size_t Linha = 1U << 20;
    std::string lista;
    for (std::size_t i = 0; lista.size() + Linha < MaxBytesTema / 2 + 2 * Linha; ++i) {
        lista += static_cast<char>('A' + i % 26);
        lista += static_cast<char>('A' + i / 26);
        lista.append(Linha, '\xC9');
        lista += '\n';
    }
    const auto origem = fonte.Escrever("Grande.txt", lista);
    lista = {};
    try {
        ImportarTema(origem, temas.Caminho(), false);
        ADD_FAILURE();
    } catch (const EZelta& e) {
        EXPECT_EQ(e.Mensagem(), u"O tema ficaria com mais de 256 MiB, o limite que a leitura dos temas aceita; "
                                u"divida a lista em vários ficheiros.");
    }
    EXPECT_TRUE(teste::Retrato(temas.Caminho()).empty());
}

TEST(Importacao, CriaAPastaEFalhasDeEscrita) {
    const teste::TPastaTemporaria fonte;
    const teste::TPastaTemporaria temas;
    const auto origem = fonte.Escrever("Aves.csv", "gaivota\n");

    const auto funda = temas.Caminho() / "a" / "b" / "Temas";
    ImportarTema(origem, funda, false);
    EXPECT_EQ(teste::LerBytes(funda / "Aves.txt"), "# Tema: Aves\r\nGAIVOTA\r\n");

    // A pasta dos temas é um ficheiro: não se cria.
    const auto ficheiro = temas.Escrever("ficheiro", "x");
    EXPECT_THROW(ImportarTema(origem, ficheiro / "Temas", false), EZelta);

    // O destino é uma pasta: a renomeação falha e o temporário não fica.
    const auto outra = temas.Caminho() / "outra";
    temas.Escrever("outra/Aves.txt/dentro", "x");
    const auto antes = teste::Retrato(outra);
    EXPECT_THROW(ImportarTema(origem, outra, true), EZelta);
    EXPECT_EQ(teste::Retrato(outra), antes);
}

} // namespace
} // namespace zelta
