// "Abrir livro…": um livro gravado em JSON, lido e conferido, que "Gerar" imprime outra vez com as opções de
// impressão da janela, sem gerar nada.
#include "app/Main.hpp"

#include "app/Conversoes.hpp"
#include "app/VistaPagina.hpp"
#include "book/Opcoes.hpp"
#include "core/Texto.hpp"

#include <QCheckBox>
#include <QPushButton>

#include <exception>

namespace zelta {

void TFormMain::BitBtnAbrirLivroClick() {
    if (FGerando || FNoTrabalho) {
        return;
    }
    if (FLivroAberto) {
        FLivroAberto.reset();
        BitBtnAbrirLivro->setText(QStringLiteral("Abrir livro…"));
        OpcoesAlteradas();
        return;
    }
    const auto ficheiro = FDialogos.EscolherParaAbrir(PedidoAbrirLivro());
    if (!ficheiro) {
        return;
    }
    try {
        FLivroAberto = cli::LerLivroJsonDeFicheiro(*ficheiro, FCatalogo.ListaNegra);
    } catch (const EZelta& e) {
        Estado(e.Mensagem());
        FDialogos.Mensagem(TTipoMensagem::tmErro, u"Não foi possível abrir o livro.\r\n" + e.Mensagem());
        return;
    }
    BitBtnAbrirLivro->setText(QStringLiteral("Fechar livro"));
    OpcoesAlteradas();
}

TDadosLivro TFormMain::LivroAbertoAImprimir() const {
    TDadosLivro livro = FLivroAberto->Livro;
    livro.Impressao = LerImpressao();
    return livro;
}

std::u16string TFormMain::RecusaDoLivroAberto() const { return RecusaDoFormatoParaLivro(LivroAbertoAImprimir()); }

std::u16string TFormMain::FraseDoLivroAberto() const {
    const TDadosLivro& livro = FLivroAberto->Livro;
    return u"Livro aberto: " + ResumoDasOpcoes(livro.Config, TemasDoLivro(livro)) +
           u". «Gerar» imprime-o no formato escolhido; «Fechar livro» volta às opções.";
}

void TFormMain::MostrarLivroAberto() {
    TDadosLivro pagina = LivroAbertoAImprimir();
    pagina.Puzzles.resize(1);
    pagina.Config.NumPuzzles = 1;
    VistaPagina->MostrarLivro(std::move(pagina));
}

void TFormMain::ImprimirLivroAberto() {
    const TDadosLivro livro = LivroAbertoAImprimir();
    if (const std::u16string recusa = RecusaDoFormatoParaLivro(livro); !recusa.empty()) {
        Estado(recusa);
        return;
    }
    const auto destino = FDialogos.EscolherParaGuardar(PedidoGuardarPdf(
        NomeFicheiroPdf(livro.Config.Grupo, livro.Config.Mix, livro.Config.Lado, livro.Config.NumPuzzles)));
    if (!destino) {
        return;
    }
    try {
        Estado(FraseAGravar());
        const std::int32_t paginas =
            cli::GravarFicheirosDoLivro(FicheirosDoLivro(*destino, livro.Config, TemasDoLivro(livro)), livro, {});
        MostrarGravado(MensagemLivroGerado(static_cast<std::int32_t>(livro.Puzzles.size()), paginas), *destino,
                       paginas);
        if (CheckBoxAbrirPDF->isChecked()) {
            FDialogos.AbrirComAplicacaoPredefinida(*destino);
        }
    } catch (const std::exception& e) {
        MostrarErroDoLivro(e);
    }
}

} // namespace zelta
