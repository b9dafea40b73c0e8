// O trabalho por trás de "Gerar": verificação, estimativa, diálogo, corrida com progresso e o PDF (com a capa
// para impressão, quando pedida);
// e os pedidos que o interrompem: "Cancelar", "Sair" e fechar a janela a meio.
#include "app/Main.hpp"

#include "app/Conversoes.hpp"
#include "book/Opcoes.hpp"
#include "book/Producao.hpp"
#include "cli/GravacaoLivro.hpp"
#include "core/Random.hpp"
#include "core/Texto.hpp"
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

    if (FLivroAberto) {
        ImprimirLivroAberto();
        return;
    }
    const TLeituraOpcoes leitura = LerOpcoes();
    if (!leitura.Ok) {
        Estado(leitura.Mensagem);
        return;
    }
    TConfigLivro config = leitura.Config;
    config.Semente = FNovaSemente ? FNovaSemente() : NovaSemente();
    // O catálogo não muda durante a corrida: "Importar" está desligado enquanto FGerando.
    try {
        MostrarResultado(ProduzirLivro(config, FCatalogo, PassosDoLivro(config.NumPuzzles), leitura.Impressao));
    } catch (const std::exception& e) {
        MostrarErroDoLivro(e);
    }
    if (FGerando) {
        DefinirGerando(false);
    }
    if (FFecharNoFim) {
        FFecharNoFim = false;
        close();
    }
}

TPassosLivro TFormMain::PassosDoLivro(std::int32_t numPuzzles) {
    TPassosLivro passos;
    passos.Fase = [this, numPuzzles](TFaseLivro fase, const std::u16string& frase) {
        if (fase == TFaseLivro::flGerar) {
            FCancelar = false;
            DefinirGerando(true);
            ProgressBarLote->setMaximum(numPuzzles);
            ProgressBarLote->setValue(0);
            return;
        }
        Estado(frase);
        // Só para pintar a frase da verificação: cliques feitos agora esperam pela corrida, em que as opções
        // já estão fechadas. A gravação deixa passar tudo, como a geração.
        QCoreApplication::processEvents(fase == TFaseLivro::flVerificar ? QEventLoop::ExcludeUserInputEvents
                                                                        : QEventLoop::AllEvents);
    };
    passos.AceitarFalta = [this](std::int32_t estimados, std::int32_t pedidos) {
        return FDialogos.Confirmar(PerguntaEstimativa(estimados, pedidos));
    };
    passos.Destino = [this](const TConfigLivro& c) {
        return FDialogos.EscolherParaGuardar(PedidoGuardarPdf(NomeFicheiroPdf(c.Grupo, c.Mix, c.Lado, c.NumPuzzles)));
    };
    passos.Progresso = [this](std::int32_t i, std::int32_t total, bool& cancelar) { Progresso(i, total, cancelar); };
    // O assunto do PDF é a linha de resumo, como a janela a mostra.
    passos.Aceite = [this](const TAnalise& analise) { FNumTemas = analise.NumTemas; };
    passos.Gravar = [this](const std::filesystem::path& destino, const TDadosLivro& livro,
                           const TRelatorioLivro& relatorio) {
        return cli::GravarFicheirosDoLivro(FicheirosDoLivro(destino, livro.Config, FNumTemas), livro, relatorio);
    };
    return passos;
}

cli::TFicheirosDoLivro TFormMain::FicheirosDoLivro(const std::filesystem::path& pdf, const TConfigLivro& config,
                                                   std::int32_t numTemas) const {
    cli::TFicheirosDoLivro f;
    f.Pdf = pdf;
    if (CheckBoxJson->isChecked()) {
        f.Json = cli::JsonAoLado(pdf);
    }
    if (CheckBoxCapa->isChecked()) {
        f.Capa = cli::CapaAoLado(pdf);
    }
    f.Entrada = config.Mix ? std::u16string(EntradaMix) : config.Grupo;
    // O assunto do PDF é a linha de resumo, como a janela a mostra.
    f.Resumo = ResumoDasOpcoes(config, numTemas);
    return f;
}

void TFormMain::MostrarGravado(const std::u16string& frase, const std::filesystem::path& pdf, std::int32_t paginas) {
    std::u16string estado = frase + u" Gravado em " + DeUtf8(pdf.string()) + u".";
    if (CheckBoxCapa->isChecked()) {
        estado += u" Capa em " + DeUtf8(cli::CapaAoLado(pdf).string()) + u".";
        if (const std::u16string aviso = cli::AvisoDaCapa(paginas); !aviso.empty()) {
            estado += u" Aviso: " + aviso;
        }
    }
    Estado(estado);
    FUltimoLivro = pdf;
    BitBtnAbrirPasta->show();
}

void TFormMain::MostrarResultado(const TResultadoLivro& r) {
    switch (r.Fim) {
    case TFimLivro::fmSemDestino:
        // Nada começou: volta o aviso que estava antes de "Gerar".
        Estado(r.Analise.Aviso);
        return;
    case TFimLivro::fmDesistiu:
        Estado(ResumoDasOpcoes(r.Livro.Config, r.Analise.NumTemas));
        return;
    case TFimLivro::fmGravado:
        break;
    default:
        Estado(r.Mensagem);
        return;
    }
    MostrarGravado(r.Mensagem, r.Destino, r.Paginas);
    if (!r.Relatorio.Falhas.empty()) {
        std::u16string caixa = r.Mensagem + u"\r\n";
        const std::size_t n = std::min<std::size_t>(r.Relatorio.Falhas.size(), 5);
        for (std::size_t i = 0; i < n; ++i) {
            caixa += u"\r\n" + r.Relatorio.Falhas[i];
        }
        FDialogos.Mensagem(TTipoMensagem::tmAviso, caixa);
    }
    if (CheckBoxAbrirPDF->isChecked()) {
        FDialogos.AbrirComAplicacaoPredefinida(r.Destino);
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
