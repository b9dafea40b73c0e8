#include "Apoio.hpp"

#include "app/Conversoes.hpp"
#include "book/Opcoes.hpp"
#include "cli/Programa.hpp"
#include "core/Texto.hpp"
#include "layout/Paginas.hpp"

#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace zelta {
namespace {

using teste::TJanelaDeTeste;

// Corre dentro do processamento de eventos da corrida, como um utilizador que olha e clica.
class TObservador {
public:
    explicit TObservador(TJanelaDeTeste& t) : FT(t) {
        FTimer.setInterval(0);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            const QString e = FT.Estado();
            if (Estados.isEmpty() || Estados.back() != e) {
                Estados << e;
            }
            if (FT.Janela().Gerando() && Acao) {
                Acao(FT.Controlo<QProgressBar>("ProgressBarLote")->value());
            }
        });
        FTimer.start();
    }
    QStringList Estados;
    std::function<void(int valor)> Acao;

private:
    TJanelaDeTeste& FT;
    QTimer FTimer;
};

// Um livro pequeno de 10 × 10 a partir de Natureza, para a corrida ser curta.
void OpcoesPequenas(TJanelaDeTeste& t, int puzzles) {
    t.EscolherRadio("RadioGroupTamanho", 0);
    t.Escrever("EditNumPuzzles", QString::number(puzzles));
    ASSERT_TRUE(t.Botao("BitBtnGerar")->isEnabled()) << t.Estado().toStdString();
}

void GuardarEm(TJanelaDeTeste& t, const std::filesystem::path& pasta) {
    t.Dialogos.AoGuardar = [pasta](const TPedidoFicheiro& p) { return pasta / ParaUtf8(p.NomeProposto); };
}

void EsperarOciosa(TJanelaDeTeste& t) {
    EXPECT_FALSE(t.Janela().Gerando());
    EXPECT_TRUE(t.Botao("BitBtnGerar")->isEnabled());
    EXPECT_TRUE(t.Botao("BitBtnImportar")->isEnabled());
    EXPECT_TRUE(t.Controlo<QWidget>("GroupBoxLivro")->isEnabled());
    EXPECT_FALSE(t.Botao("BitBtnCancelar")->isEnabled());
    EXPECT_EQ(t.Controlo<QProgressBar>("ProgressBarLote")->value(), 0);
}

TEST(Gerar, LivroInteiroGravaOPdfComONomePropostoEAFraseFinal) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 3);
    const auto saida = t.Pasta().parent_path();
    GuardarEm(t, saida);
    TObservador obs(t);
    const QString resumo = t.Resumo();
    t.Clicar(t.Botao("BitBtnGerar"));

    ASSERT_EQ(t.Dialogos.PedidosGuardar.size(), 1U);
    const TPedidoFicheiro& p = t.Dialogos.PedidosGuardar[0];
    EXPECT_EQ(p.NomeProposto, u"Zelta_Natureza_10x10_3.pdf");
    EXPECT_EQ(p.Filtros, (std::vector<std::u16string>{u"Ficheiros PDF (*.pdf)"}));
    EXPECT_EQ(p.ExtensaoPorOmissao, u"pdf");
    EXPECT_TRUE(p.PerguntarSubstituir);
    EXPECT_TRUE(t.Dialogos.Perguntas.empty());

    const auto pdf = saida / "Zelta_Natureza_10x10_3.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(teste::LerBytes(pdf).substr(0, 5), "%PDF-");
    // A frase final diz onde ficou o livro, e a pasta abre-se com um clique.
    EXPECT_EQ(t.Estado(),
              QTexto(MensagemLivroGerado(3, NumPaginasLivro(3)) + u" Gravado em " + DeUtf8(pdf.string()) + u"."));
    ASSERT_TRUE(t.Botao("BitBtnAbrirPasta")->isVisible());
    EXPECT_TRUE(t.Dialogos.Mensagens.empty());
    EXPECT_EQ(t.Dialogos.Abertos, (std::vector<std::filesystem::path>{pdf}));
    t.Clicar(t.Botao("BitBtnAbrirPasta"));
    EXPECT_EQ(t.Dialogos.Abertos, (std::vector<std::filesystem::path>{pdf, saida}));
    EXPECT_EQ(t.Resumo(), resumo);
    EsperarOciosa(t);

    // O progresso conta 1..N e nunca passa do total, nem na chamada de fecho.
    EXPECT_TRUE(obs.Estados.contains(QStringLiteral("A verificar as palavras disponíveis…")));
    EXPECT_TRUE(obs.Estados.contains(QStringLiteral("A gerar o puzzle 1 de 3…")));
    EXPECT_TRUE(obs.Estados.contains(QStringLiteral("A gerar o puzzle 3 de 3…")));
    EXPECT_FALSE(obs.Estados.contains(QStringLiteral("A gerar o puzzle 4 de 3…")));
}

// As duas frentes fazem o livro pela mesma produção: as mesmas opções e a mesma semente dão o mesmo PDF.
TEST(Gerar, AJanelaEOZeltaLivroFazemOMesmoLivro) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 4);
    t.Escrever("EditTituloLivro", QStringLiteral("Sopa Grande"));
    t.Janela().DefinirFonteDeSementes([] { return 2026U; });
    const auto pasta = t.Pasta().parent_path();
    t.Dialogos.AoGuardar = [&pasta](const TPedidoFicheiro&) { return pasta / "janela.pdf"; };
    t.Clicar(t.Botao("BitBtnGerar"));
    ASSERT_TRUE(std::filesystem::exists(pasta / "janela.pdf")) << t.Estado().toStdString();

    std::ostringstream saida, erros;
    const int estado = cli::Executar({"--temas", t.Pasta().string(), "--tamanho", "10", "--puzzles", "4", "--titulo",
                                      "Sopa Grande", "--semente", "2026", "--saida", (pasta / "cli.pdf").string()},
                                     cli::TAmbiente{saida, erros, false, {}});
    ASSERT_EQ(estado, cli::SaidaOk) << erros.str();
    EXPECT_EQ(teste::LerBytes(pasta / "janela.pdf"), teste::LerBytes(pasta / "cli.pdf"));
}

// O JSON gravado ao lado do PDF abre-se e imprime-se outra vez: com as mesmas opções, o mesmo PDF; noutro
// formato, outro PDF dos mesmos puzzles; fechado o livro, a janela volta às opções.
TEST(Gerar, LivroGravadoEmJsonAbreSeEImprimeSeOutraVez) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 4);
    t.Controlo<QCheckBox>("CheckBoxAbrirPDF")->setChecked(false);
    t.Clicar(t.Controlo<QCheckBox>("CheckBoxJson"));
    const auto pasta = t.Pasta().parent_path();
    t.Dialogos.AoGuardar = [&pasta](const TPedidoFicheiro&) { return pasta / "original.pdf"; };
    t.Clicar(t.Botao("BitBtnGerar"));
    ASSERT_TRUE(std::filesystem::exists(pasta / "original.json")) << t.Estado().toStdString();

    t.Dialogos.FicheiroAAbrir = pasta / "original.json";
    t.Clicar(t.Botao("BitBtnAbrirLivro"));
    EXPECT_TRUE(t.Estado().startsWith(QStringLiteral("Livro aberto: 4 puzzles · 10 × 10 · Natureza")))
        << t.Estado().toStdString();
    EXPECT_EQ(t.Botao("BitBtnAbrirLivro")->text(), QStringLiteral("Fechar livro"));
    t.Controlo<QCheckBox>("CheckBoxJson")->setChecked(false);
    t.Dialogos.AoGuardar = [&pasta](const TPedidoFicheiro&) { return pasta / "outra.pdf"; };
    t.Clicar(t.Botao("BitBtnGerar"));
    EXPECT_EQ(teste::LerBytes(pasta / "outra.pdf"), teste::LerBytes(pasta / "original.pdf"));
    EXPECT_TRUE(t.Estado().startsWith(QStringLiteral("Livro gerado: 4 puzzles"))) << t.Estado().toStdString();

    t.Clicar(t.Botao("BitBtnAbrirLivro"));
    EXPECT_EQ(t.Botao("BitBtnAbrirLivro")->text(), QStringLiteral("Abrir livro…"));
    EXPECT_FALSE(t.Estado().startsWith(QStringLiteral("Livro aberto")));

    // Um JSON estragado não abre, e diz porquê.
    teste::EscreverBytes(pasta / "estragado.json", "{\"versao\": 7}");
    t.Dialogos.FicheiroAAbrir = pasta / "estragado.json";
    t.Clicar(t.Botao("BitBtnAbrirLivro"));
    EXPECT_EQ(t.Botao("BitBtnAbrirLivro")->text(), QStringLiteral("Abrir livro…"));
    ASSERT_FALSE(t.Dialogos.Mensagens.empty());
    EXPECT_EQ(t.Dialogos.Mensagens.back().Tipo, TTipoMensagem::tmErro);
}

// Com a caixa marcada, a capa fica ao lado do livro, a mesma que o zelta-livro faz com --capa; o livro de três
// puzzles fica abaixo das 24 páginas e a linha de estado di-lo.
TEST(Gerar, CapaParaImpressaoAoLadoDoLivro) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 3);
    auto* capa = t.Controlo<QCheckBox>("CheckBoxCapa");
    for (const char* nome : {"CheckBoxAcentos", "CheckBoxCapa", "CheckBoxAbrirPDF"}) {
        const auto* c = t.Controlo<QCheckBox>(nome);
        EXPECT_LE(c->sizeHint().width(), c->width()) << nome;
    }
    EXPECT_LE(t.Controlo<QCheckBox>("CheckBoxAcentos")->geometry().right(), capa->x());
    EXPECT_LE(capa->geometry().right(), t.Controlo<QCheckBox>("CheckBoxAbrirPDF")->x());
    EXPECT_FALSE(capa->isChecked());
    t.Clicar(capa);
    t.Janela().DefinirFonteDeSementes([] { return 77U; });
    const auto pasta = t.Pasta().parent_path();
    t.Dialogos.AoGuardar = [&pasta](const TPedidoFicheiro&) { return pasta / "janela.pdf"; };
    t.Clicar(t.Botao("BitBtnGerar"));
    ASSERT_TRUE(std::filesystem::exists(pasta / "janela_capa.pdf")) << t.Estado().toStdString();
    const QString estado = t.Estado();
    EXPECT_TRUE(
        estado.contains(QStringLiteral("Capa em ") + QString::fromStdString((pasta / "janela_capa.pdf").string())))
        << estado.toStdString();
    EXPECT_TRUE(estado.endsWith(QStringLiteral("as gráficas costumam pedir pelo menos 24 para imprimir com capa.")))
        << estado.toStdString();

    std::ostringstream saida, erros;
    const int fim =
        cli::Executar({"--temas", t.Pasta().string(), "--tamanho", "10", "--puzzles", "3", "--semente", "77", "--saida",
                       (pasta / "cli.pdf").string(), "--capa", (pasta / "cli_capa.pdf").string()},
                      cli::TAmbiente{saida, erros, false, {}});
    ASSERT_EQ(fim, cli::SaidaOk) << erros.str();
    EXPECT_EQ(teste::LerBytes(pasta / "janela_capa.pdf"), teste::LerBytes(pasta / "cli_capa.pdf"));
}

TEST(Gerar, SemAbrirPdfNadaSeAbre) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 3);
    GuardarEm(t, t.Pasta().parent_path());
    t.Clicar(t.Controlo<QCheckBox>("CheckBoxAbrirPDF"));
    t.Clicar(t.Botao("BitBtnGerar"));
    EXPECT_TRUE(t.Estado().startsWith(QStringLiteral("Livro gerado: ")));
    EXPECT_TRUE(t.Dialogos.Abertos.empty());
}

TEST(Gerar, DesistirDoDialogoDeGuardarNaoComecaNadaEDevolveOEstado) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 3);
    t.Escrever("EditNumPuzzles", QStringLiteral("100"));
    const QString resumo = t.Resumo();
    const QString aviso = t.Estado();
    ASSERT_TRUE(aviso.startsWith(QStringLiteral("Aviso: "))) << aviso.toStdString();
    t.Dialogos.Respostas = {true};
    t.Clicar(t.Botao("BitBtnGerar"));
    EXPECT_EQ(t.Dialogos.PedidosGuardar.size(), 1U);
    EXPECT_EQ(t.Estado(), aviso);
    EXPECT_EQ(t.Resumo(), resumo);
    EXPECT_FALSE(t.Botao("BitBtnAbrirPasta")->isVisible());
    EsperarOciosa(t);
}

TEST(Gerar, CancelarAMeioNaoGravaNada) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 20);
    const auto saida = t.Pasta().parent_path() / "saida";
    std::filesystem::create_directories(saida);
    GuardarEm(t, saida);
    TObservador obs(t);
    QString depoisDoClique;
    obs.Acao = [&](int valor) {
        if (valor == 7 && t.Botao("BitBtnCancelar")->isEnabled()) {
            t.Clicar(t.Botao("BitBtnCancelar"));
            depoisDoClique = t.Estado();
            EXPECT_FALSE(t.Botao("BitBtnCancelar")->isEnabled());
        }
    };
    t.Clicar(t.Botao("BitBtnGerar"));
    EXPECT_EQ(depoisDoClique, QStringLiteral("A cancelar…"));
    EXPECT_EQ(t.Estado(), QStringLiteral("Geração cancelada aos 7 de 20 puzzles. Nada foi gravado."));
    EXPECT_TRUE(std::filesystem::is_empty(saida));
    EXPECT_TRUE(t.Dialogos.Mensagens.empty());
    EsperarOciosa(t);
}

TEST(Gerar, FecharDuranteACorrida) {
    for (const bool sim : {true, false}) {
        TJanelaDeTeste t;
        OpcoesPequenas(t, 5);
        const auto saida = t.Pasta().parent_path() / "saida";
        std::filesystem::create_directories(saida);
        GuardarEm(t, saida);
        t.Dialogos.Respostas = {sim};
        TObservador obs(t);
        bool aberta = false;
        obs.Acao = [&](int valor) {
            if (valor == 2 && t.Dialogos.Perguntas.empty()) {
                t.Janela().close();
                // O fecho é recusado enquanto a corrida não volta.
                aberta = t.Janela().isVisible();
            }
        };
        t.Clicar(t.Botao("BitBtnGerar"));
        EXPECT_EQ(t.Dialogos.Perguntas, (std::vector<std::u16string>{u"Está a ser gerado um livro. Cancelar e sair?"}));
        EXPECT_TRUE(aberta);
        EXPECT_EQ(t.Janela().isVisible(), !sim) << sim;
        EXPECT_EQ(std::filesystem::is_empty(saida), sim) << sim;
        if (sim) {
            EXPECT_EQ(t.Estado(), QStringLiteral("Geração cancelada aos 2 de 5 puzzles. Nada foi gravado."));
        }
    }
}

// Um grupo de um só tema com poucas palavras: depois do primeiro puzzle faltam palavras novas.
void TemaCurto(const std::filesystem::path& pasta) {
    std::string s = "# Tema: Curto\r\n# Grupo: Curtos\r\n";
    for (const char* p :
         {"GATO", "CAO", "RATO", "PATO", "LOBO", "URSO", "LEAO", "TIGRE", "ZEBRA", "CABRA", "VACA", "MULA"}) {
        s += std::string(p) + "\r\n";
    }
    teste::EscreverBytes(pasta / "Curto.txt", s);
}

TEST(Gerar, EstimativaCurtaRespondidaNaoMostraOResumo) {
    TJanelaDeTeste t(TemaCurto);
    t.EscolherRadio("RadioGroupTamanho", 0);
    t.EscolherLivro(QStringLiteral("Curtos"));
    t.Escrever("EditNumPuzzles", QStringLiteral("10"));
    ASSERT_TRUE(t.Botao("BitBtnGerar")->isEnabled()) << t.Estado().toStdString();
    t.Dialogos.Respostas = {false};
    t.Clicar(t.Botao("BitBtnGerar"));
    ASSERT_EQ(t.Dialogos.Perguntas.size(), 1U);
    EXPECT_TRUE(QTexto(t.Dialogos.Perguntas[0]).endsWith(QStringLiteral("Gerar mesmo assim?")));
    EXPECT_EQ(t.Estado(), t.Resumo());
    EXPECT_TRUE(t.Dialogos.PedidosGuardar.empty());
    EsperarOciosa(t);
}

TEST(Gerar, FalhasVaoParaOEstadoEAteCincoParaACaixa) {
    TJanelaDeTeste t(TemaCurto);
    t.EscolherRadio("RadioGroupTamanho", 0);
    t.EscolherLivro(QStringLiteral("Curtos"));
    t.Escrever("EditNumPuzzles", QStringLiteral("10"));
    t.Controlo<QCheckBox>("CheckBoxAbrirPDF")->setChecked(false);
    t.Dialogos.Respostas = {true};
    GuardarEm(t, t.Pasta().parent_path());
    t.Clicar(t.Botao("BitBtnGerar"));

    ASSERT_EQ(t.Dialogos.Mensagens.size(), 1U) << t.Estado().toStdString();
    EXPECT_EQ(t.Dialogos.Mensagens[0].Tipo, TTipoMensagem::tmAviso);
    const QStringList linhas = QTexto(t.Dialogos.Mensagens[0].Texto).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(t.Estado().startsWith(linhas[0] + QStringLiteral(" Gravado em "))) << t.Estado().toStdString();
    const QRegularExpression fim(
        QStringLiteral("^Livro gerado: .* Faltam (\\d+) puzzles que não foi possível gerar\\.$"));
    const auto m = fim.match(linhas[0]);
    ASSERT_TRUE(m.hasMatch()) << linhas[0].toStdString();
    const int faltam = m.captured(1).toInt();
    ASSERT_GT(faltam, 0);
    EXPECT_EQ(linhas[1], QString());
    EXPECT_EQ(linhas.size(), 2 + std::min(faltam, 5));
    for (qsizetype i = 2; i < linhas.size(); ++i) {
        EXPECT_TRUE(linhas[i].startsWith(QStringLiteral("Puzzle "))) << linhas[i].toStdString();
    }
    EXPECT_TRUE(std::filesystem::exists(t.Pasta().parent_path() / "Zelta_Curtos_10x10_10.pdf"));
    EsperarOciosa(t);
}

TEST(Gerar, ErroAGravarMostraACaixaEAJanelaContinua) {
    TJanelaDeTeste t;
    OpcoesPequenas(t, 3);
    t.Dialogos.AoGuardar = [&t](const TPedidoFicheiro&) { return t.Pasta() / "nao" / "existe" / "livro.pdf"; };
    t.Clicar(t.Botao("BitBtnGerar"));
    ASSERT_EQ(t.Dialogos.Mensagens.size(), 1U);
    EXPECT_EQ(t.Dialogos.Mensagens[0].Tipo, TTipoMensagem::tmErro);
    const QString caixa = QTexto(t.Dialogos.Mensagens[0].Texto);
    EXPECT_TRUE(caixa.startsWith(QStringLiteral("Não foi possível gerar o livro.\r\n"))) << caixa.toStdString();
    EXPECT_EQ(t.Estado(), QStringLiteral("Erro: ") + caixa.section(QStringLiteral("\r\n"), 1));
    EXPECT_TRUE(t.Dialogos.Abertos.empty());
    EsperarOciosa(t);

    // E um segundo livro sai normalmente.
    GuardarEm(t, t.Pasta().parent_path());
    t.Clicar(t.Botao("BitBtnGerar"));
    EXPECT_TRUE(t.Estado().startsWith(QStringLiteral("Livro gerado: "))) << t.Estado().toStdString();
}

} // namespace
} // namespace zelta
