// Quanto custa abrir a janela até ao primeiro resumo e até à primeira página de amostra, refazer a página
// depois de uma mudança, e quanto tempo a janela fica sem atender eventos durante um livro de 100 puzzles
// de 20 × 20 sobre o Dicionário.
#include "app/Dialogos.hpp"
#include "app/Estilo.hpp"
#include "app/Main.hpp"
#include "app/VistaPagina.hpp"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace {

using Relogio = std::chrono::steady_clock;

// Diálogos que dizem sempre que sim e guardam numa pasta temporária.
class TDialogosMudos final : public zelta::IDialogos {
public:
    std::filesystem::path Saida;
    void Mensagem(zelta::TTipoMensagem, const std::u16string&) override {}
    bool Confirmar(const std::u16string&) override { return true; }
    std::optional<std::filesystem::path> EscolherParaAbrir(const zelta::TPedidoFicheiro&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> EscolherParaGuardar(const zelta::TPedidoFicheiro&) override { return Saida; }
    void AbrirComAplicacaoPredefinida(const std::filesystem::path&) override {}
};

QApplication& Aplicacao() {
    static int argc = 1;
    static char nome[] = "bench_app";
    static char* argv[] = {nome, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        zelta::AplicarEstiloSky(*a);
        return a;
    }();
    return *app;
}

// Criação completa: lista negra, dicionário, biblioteca, lista de livros e o primeiro resumo.
void BM_AbrirJanela(benchmark::State& estado) {
    Aplicacao();
    TDialogosMudos dialogos;
    for (auto _ : estado) {
        zelta::TFormMain janela(dialogos, "/nao/existe/Temas");
        janela.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(janela.findChild<QLabel*>(QStringLiteral("LabelResumo"))->text());
    }
    estado.SetLabel("janela criada e mostrada, primeiro resumo feito");
}
BENCHMARK(BM_AbrirJanela)->Unit(benchmark::kMillisecond);

// Da criação até a página de amostra estar desenhada, com a espera que junta mudanças seguidas.
void BM_AbrirJanelaAtePagina(benchmark::State& estado) {
    Aplicacao();
    TDialogosMudos dialogos;
    for (auto _ : estado) {
        zelta::TFormMain janela(dialogos, "/nao/existe/Temas");
        janela.show();
        auto* vista = janela.findChild<zelta::TVistaPagina*>(QStringLiteral("VistaPagina"));
        while (!vista->TemLivro()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    estado.SetLabel("janela criada até à primeira página de amostra");
}
BENCHMARK(BM_AbrirJanelaAtePagina)->Unit(benchmark::kMillisecond);

// Uma página de amostra refeita: o puzzle de 20 × 20 com 30 palavras do Dicionário, composto e desenhado.
void BM_AtualizarVista(benchmark::State& estado) {
    Aplicacao();
    TDialogosMudos dialogos;
    zelta::TFormMain janela(dialogos, "/nao/existe/Temas");
    janela.show();
    janela.findChild<QWidget*>(QStringLiteral("RadioGroupTamanho"))
        ->findChild<QRadioButton*>(QStringLiteral("Item3"))
        ->setChecked(true);
    auto* livros = janela.findChild<QComboBox*>(QStringLiteral("ComboBoxLivro"));
    livros->setCurrentIndex(livros->findText(QStringLiteral("Dicionário")));
    janela.findChild<QLineEdit*>(QStringLiteral("EditNumPalavras"))->setText(QStringLiteral("30"));
    auto* vista = janela.findChild<zelta::TVistaPagina*>(QStringLiteral("VistaPagina"));
    for (auto _ : estado) {
        janela.AtualizarVista();
        benchmark::DoNotOptimize(vista->Livro());
    }
    estado.SetLabel(vista->TemLivro() ? "20 × 20, 30 palavras, Dicionário" : "sem página!");
}
BENCHMARK(BM_AtualizarVista)->Unit(benchmark::kMillisecond);

// O maior intervalo entre dois pontos em que a corrida processa eventos.
void BM_RespostaDuranteLivro(benchmark::State& estado) {
    Aplicacao();
    QTemporaryDir pasta;
    TDialogosMudos dialogos;
    dialogos.Saida = std::filesystem::path(pasta.path().toStdString()) / "livro.pdf";
    zelta::TFormMain janela(dialogos, "/nao/existe/Temas");
    janela.show();
    auto* grupo = janela.findChild<QWidget*>(QStringLiteral("RadioGroupTamanho"));
    grupo->findChild<QRadioButton*>(QStringLiteral("Item3"))->setChecked(true);
    auto* livros = janela.findChild<QComboBox*>(QStringLiteral("ComboBoxLivro"));
    livros->setCurrentIndex(livros->findText(QStringLiteral("Dicionário")));
    janela.findChild<QLineEdit*>(QStringLiteral("EditNumPuzzles"))->setText(QStringLiteral("100"));
    janela.findChild<QLineEdit*>(QStringLiteral("EditNumPalavras"))->setText(QStringLiteral("30"));
    auto* estadoLinha = janela.findChild<QLabel*>(QStringLiteral("LabelEstado"));

    double maiorMs = 0;
    double totalMs = 0;
    for (auto _ : estado) {
        maiorMs = 0;
        Relogio::time_point anterior{};
        QTimer vigia;
        vigia.setInterval(0);
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            const auto agora = Relogio::now();
            const bool aGerar = janela.Gerando() && estadoLinha->text().startsWith(QStringLiteral("A gerar"));
            if (aGerar && anterior != Relogio::time_point{}) {
                maiorMs = std::max(maiorMs, std::chrono::duration<double, std::milli>(agora - anterior).count());
            }
            anterior = aGerar ? agora : Relogio::time_point{};
        });
        vigia.start();
        const auto inicio = Relogio::now();
        janela.findChild<QPushButton*>(QStringLiteral("BitBtnGerar"))->click();
        totalMs = std::chrono::duration<double, std::milli>(Relogio::now() - inicio).count();
    }
    estado.counters["maior_intervalo_ms"] = maiorMs;
    estado.counters["livro_inteiro_ms"] = totalMs;
    estado.SetLabel(estadoLinha->text().toStdString());
}
BENCHMARK(BM_RespostaDuranteLivro)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
