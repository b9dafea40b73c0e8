// O trabalho por trás de "Gerar": verificação, estimativa, diálogo, corrida com progresso e o PDF;
// e os pedidos que o interrompem: "Cancelar", "Sair" e fechar a janela a meio.
#include "app/Main.hpp"

#include "app/Conversoes.hpp"
#include "book/Livro.hpp"
#include "book/Opcoes.hpp"
#include "core/Random.hpp"
#include "core/Texto.hpp"
#include "layout/Paginas.hpp"
#include "layout/Pdf.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <exception>

namespace zelta {
namespace {

// Qualquer erro vira uma frase: os nossos trazem-na em português, os outros só a do sistema.
std::u16string MensagemDoErro(const std::exception& e) {
    if (const auto* z = dynamic_cast<const EZelta*>(&e)) {
        return z->Mensagem();
    }
    return DeUtf8(e.what());
}

} // namespace

void TFormMain::MostrarErroDoLivro(const std::exception& e) {
    const std::u16string mensagem = MensagemDoErro(e);
    Estado(u"Erro: " + mensagem);
    FDialogos.Mensagem(TTipoMensagem::tmErro, u"Não foi possível gerar o livro.\r\n" + mensagem);
}

void TFormMain::DefinirGerando(bool gerando) {
    FGerando = gerando;
    GroupBoxLivro->setEnabled(!gerando);
    BitBtnImportar->setEnabled(!gerando);
    BitBtnGerar->setEnabled(!gerando);
    BitBtnCancelar->setEnabled(gerando);
    if (!gerando) {
        ProgressBarLote->setValue(0);
    }
}

void TFormMain::Progresso(std::int32_t indice, std::int32_t total, bool& cancelar) {
    ProgressBarLote->setMaximum(total);
    ProgressBarLote->setValue(indice);
    Estado(u"A gerar o puzzle " + Decimal(std::min(indice + 1, total)) + u" de " + Decimal(total) + u"…");
    // Aqui a janela respira: "Cancelar" e o pedido de fecho chegam por este caminho.
    QCoreApplication::processEvents();
    if (FCancelar) {
        cancelar = true;
    }
}

void TFormMain::GerarLivroPdf() {
    if (FGerando || FNoTrabalho) {
        return;
    }
    FNoTrabalho = true;
    struct TFimDoTrabalho {
        bool& Flag;
        ~TFimDoTrabalho() { Flag = false; }
    } fim{FNoTrabalho};

    const TLeituraOpcoes leitura = LerOpcoes();
    if (!leitura.Ok) {
        Estado(leitura.Mensagem);
        return;
    }
    TConfigLivro config = leitura.Config;
    std::optional<std::filesystem::path> caminho;
    // Os pools feitos para a estimativa servem depois à corrida.
    std::optional<TPoolsDoLivro> pools;
    // Um erro nestes passos não pode sair do clique: é dito como os da corrida.
    try {
        const TAnalise analise = AnalisarOpcoes(config, TemasComDicionario());
        if (!analise.PodeGerar) {
            Estado(analise.Motivo);
            return;
        }
        config.Semente = NovaSemente();

        Estado(u"A verificar as palavras disponíveis…");
        // Só para pintar a frase: cliques feitos agora esperam pela corrida, em que as opções já estão fechadas.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        pools.emplace(config, TemasComDicionario());
        const std::int32_t estimados = EstimarPuzzles(*pools);
        if (estimados < config.NumPuzzles && !FDialogos.Confirmar(PerguntaEstimativa(estimados, config.NumPuzzles))) {
            Estado(ResumoDasOpcoes(config, analise.NumTemas));
            return;
        }
        caminho = FDialogos.EscolherParaGuardar(
            PedidoGuardarPdf(NomeFicheiroPdf(config.Grupo, config.Mix, config.Lado, config.NumPuzzles)));
    } catch (const std::exception& e) {
        MostrarErroDoLivro(e);
        return;
    }
    if (!caminho) {
        return;
    }
    FCancelar = false;
    DefinirGerando(true);
    ProgressBarLote->setMaximum(config.NumPuzzles);
    ProgressBarLote->setValue(0);

    try {
        TDadosLivro livro;
        livro.Config = config;
        TRelatorioLivro relatorio;
        livro.Puzzles = GerarPuzzles(
            *pools, FListaNegra,
            [this](std::int32_t i, std::int32_t total, bool& cancelar) { Progresso(i, total, cancelar); }, relatorio);
        if (relatorio.Cancelado) {
            Estado(MensagemCancelada(relatorio.Gerados, config.NumPuzzles));
        } else if (livro.Puzzles.empty()) {
            Estado(u"Não foi possível gerar nenhum puzzle com estas opções.");
        } else {
            Estado(u"A gravar o PDF…");
            QCoreApplication::processEvents();
            GravarLivroPdf(*caminho, livro);
            const auto numPuzzles = static_cast<std::int32_t>(livro.Puzzles.size());
            std::u16string texto = MensagemLivroGerado(numPuzzles, NumPaginasLivro(numPuzzles));
            if (relatorio.Falhas.empty()) {
                Estado(texto);
            } else {
                texto += u" Faltam " + Decimal(static_cast<long long>(relatorio.Falhas.size())) +
                         u" puzzles que não foi possível gerar.";
                Estado(texto);
                std::u16string caixa = texto + u"\r\n";
                const std::size_t n = std::min<std::size_t>(relatorio.Falhas.size(), 5);
                for (std::size_t i = 0; i < n; ++i) {
                    caixa += u"\r\n" + relatorio.Falhas[i];
                }
                FDialogos.Mensagem(TTipoMensagem::tmAviso, caixa);
            }
            if (CheckBoxAbrirPDF->isChecked()) {
                FDialogos.AbrirComAplicacaoPredefinida(*caminho);
            }
        }
    } catch (const std::exception& e) {
        MostrarErroDoLivro(e);
    }

    DefinirGerando(false);
    if (FFecharNoFim) {
        FFecharNoFim = false;
        close();
    }
}

void TFormMain::BitBtnCancelarClick() {
    if (!FGerando) {
        return;
    }
    FCancelar = true;
    BitBtnCancelar->setEnabled(false);
    Estado(u"A cancelar…");
}

void TFormMain::BitBtnSairClick() { close(); }

void TFormMain::closeEvent(QCloseEvent* evento) {
    if (!FGerando) {
        evento->accept();
        return;
    }
    // A corrida está na pilha por baixo deste evento: fecha-se só quando ela voltar.
    evento->ignore();
    if (FDialogos.Confirmar(PerguntaFecharAGerar())) {
        FCancelar = true;
        FFecharNoFim = true;
    }
}

} // namespace zelta
