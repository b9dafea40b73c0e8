#include "Apoio.hpp"

#include "app/Conversoes.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

using teste::TJanelaDeTeste;

std::string Linhas(int n, const char* prefixo, int inicio = 0) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        // Só letras: A..Z em base 26, para cada palavra ser diferente.
        std::string palavra = prefixo;
        for (int k = i + inicio, d = 0; d < 3; ++d, k /= 26) {
            palavra += static_cast<char>('A' + k % 26);
        }
        s += palavra + "\r\n";
    }
    return s;
}

TEST(Importar, RelatorioConformeAsContagens) {
    std::string grande = "# Tema: Grande\r\n" + Linhas(120, "PAL") + "PALAAA\r\npalbaa\r\n";
    for (int i = 0; i < 35; ++i) {
        grande.append("X").append(std::to_string(i)).append("\r\n");
    }
    const struct {
        const char* Nome;
        std::string Conteudo;
        const char* Esperado; // sem as linhas de detalhe
        int Detalhes;
    } casos[] = {
        {"Grande.txt", grande,
         "Tema Grande importado (grupo Os meus temas).\r\n120 palavras aceites, 2 repetidas, 35 rejeitadas.\r\n\r\n"
         "Linhas rejeitadas:",
         10},
        {"Limpo.txt", "# Grupo: Aves\r\nPARDAL\r\nMELRO\r\n",
         "Tema Limpo importado (grupo Aves).\r\n2 palavras aceites.", 0},
        {"Um.txt", "GAIVOTA\r\n", "Tema Um importado (grupo Os meus temas).\r\n1 palavras aceites.", 0},
    };
    for (const auto& c : casos) {
        TJanelaDeTeste t;
        const auto origem = t.Pasta().parent_path() / c.Nome;
        teste::EscreverBytes(origem, c.Conteudo);
        t.Dialogos.FicheiroAAbrir = origem;
        t.Clicar(t.Botao("BitBtnImportar"));
        ASSERT_EQ(t.Dialogos.Mensagens.size(), 1U) << c.Nome;
        EXPECT_EQ(t.Dialogos.Mensagens[0].Tipo, TTipoMensagem::tmInformacao);
        const QString texto = QTexto(t.Dialogos.Mensagens[0].Texto);
        EXPECT_TRUE(texto.startsWith(QString::fromUtf8(c.Esperado))) << texto.toStdString();
        const QStringList resto = texto.mid(QString::fromUtf8(c.Esperado).size()).split(QStringLiteral("\r\n"));
        if (c.Detalhes == 0) {
            EXPECT_EQ(texto, QString::fromUtf8(c.Esperado));
        } else {
            // "", 10 linhas e a reticência
            ASSERT_EQ(resto.size(), 1 + c.Detalhes + 1) << texto.toStdString();
            EXPECT_TRUE(resto[1].startsWith(QStringLiteral("linha "))) << resto[1].toStdString();
            EXPECT_EQ(resto.back(), QStringLiteral("…"));
        }
        EXPECT_EQ(t.Dialogos.PedidosAbrir.at(0).Titulo, u"Importar um tema");
        EXPECT_TRUE(std::filesystem::exists(t.Pasta() / c.Nome));
    }
}

TEST(Importar, RecarregaABibliotecaComOGrupoNovoEscolhido) {
    TJanelaDeTeste t;
    const auto origem = t.Pasta().parent_path() / "Frutos tropicais.txt";
    teste::EscreverBytes(origem, Linhas(30, "FRU"));
    t.Dialogos.FicheiroAAbrir = origem;
    t.Clicar(t.Botao("BitBtnImportar"));
    EXPECT_EQ(t.Livros()->currentText(), QStringLiteral("Os meus temas"));
    EXPECT_EQ(t.Entradas().indexOf(QStringLiteral("Os meus temas")), 7); // depois de Verbos
    EXPECT_TRUE(t.Resumo().contains(QStringLiteral(" · Os meus temas (1 tema) · "))) << t.Resumo().toStdString();
    EXPECT_EQ(t.CampoNum("EditNumPuzzles")->Minimo(), 1);
    EXPECT_EQ(t.Janela().Catalogo().Temas.size(), 25U);
}

TEST(Importar, SubstituirPerguntaESoComSimEscreve) {
    for (const bool sim : {false, true}) {
        TJanelaDeTeste t([](const std::filesystem::path& pasta) {
            teste::EscreverBytes(pasta / "Aves.txt", "# Tema: Aves\r\nPARDAL\r\n");
        });
        const auto antigo = teste::LerBytes(t.Pasta() / "Aves.txt");
        const auto origem = t.Pasta().parent_path() / "Aves.txt";
        teste::EscreverBytes(origem, "GAIVOTA\r\nMELRO\r\n");
        t.Dialogos.FicheiroAAbrir = origem;
        t.Dialogos.Respostas = {sim};
        t.Clicar(t.Botao("BitBtnImportar"));
        EXPECT_EQ(t.Dialogos.Perguntas,
                  (std::vector<std::u16string>{u"Já existe um tema com o ficheiro Aves.txt.\r\nQuer substituí-lo?"}));
        EXPECT_EQ(t.Dialogos.Mensagens.size(), sim ? 1U : 0U);
        EXPECT_EQ(teste::LerBytes(t.Pasta() / "Aves.txt") == antigo, !sim);
    }
}

TEST(Importar, RecusasMostramOErroENaoMudamNada) {
    const struct {
        const char* Nome;
        const char* Conteudo; // nulo: o ficheiro não existe
        const char16_t* Motivo;
    } casos[] = {
        {"ListaNegra.txt", "PALAVRA\r\n", u"O nome ListaNegra.txt está reservado à lista negra."},
        {"Vazio.txt", "# Tema: Nada\r\n123\r\n", u"O ficheiro não tem nenhuma palavra válida."},
        {"Sumido.txt", nullptr, nullptr},
    };
    for (const auto& c : casos) {
        TJanelaDeTeste t;
        t.EscolherLivro(QStringLiteral("Mundo"));
        const QStringList antes = t.Entradas();
        const auto origem = t.Pasta().parent_path() / c.Nome;
        if (c.Conteudo != nullptr) {
            teste::EscreverBytes(origem, c.Conteudo);
        }
        t.Dialogos.FicheiroAAbrir = origem;
        t.Clicar(t.Botao("BitBtnImportar"));
        ASSERT_EQ(t.Dialogos.Mensagens.size(), 1U) << c.Nome;
        EXPECT_EQ(t.Dialogos.Mensagens[0].Tipo, TTipoMensagem::tmErro);
        const std::u16string& texto = t.Dialogos.Mensagens[0].Texto;
        EXPECT_TRUE(texto.starts_with(u"Não foi possível importar o tema.\r\n")) << c.Nome;
        if (c.Motivo != nullptr) {
            EXPECT_EQ(texto, std::u16string(u"Não foi possível importar o tema.\r\n") + c.Motivo);
        }
        EXPECT_EQ(t.Entradas(), antes);
        EXPECT_EQ(t.Livros()->currentText(), QStringLiteral("Mundo"));
        EXPECT_FALSE(std::filesystem::exists(t.Pasta()));
    }
}

TEST(Importar, DesistirDoDialogoNaoFazNada) {
    TJanelaDeTeste t;
    t.Clicar(t.Botao("BitBtnImportar"));
    EXPECT_EQ(t.Dialogos.PedidosAbrir.size(), 1U);
    EXPECT_TRUE(t.Dialogos.Mensagens.empty());
    EXPECT_FALSE(std::filesystem::exists(t.Pasta()));
}

} // namespace
} // namespace zelta
