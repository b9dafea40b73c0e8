// O fluxo de "Importar": escolher o ficheiro, copiá-lo limpo para a pasta dos temas, perguntar antes
// de substituir, recarregar a biblioteca com o grupo novo escolhido e mostrar o relatório.
#include "app/Main.hpp"

#include "core/Texto.hpp"
#include "themes/Importacao.hpp"

#include <algorithm>
#include <exception>

namespace zelta {

void TFormMain::BitBtnImportarClick() {
    if (FGerando || FNoTrabalho) {
        return;
    }
    const auto origem = FDialogos.EscolherParaAbrir(PedidoAbrirTema());
    if (!origem) {
        return;
    }
    bool substituir = false;
    for (;;) {
        try {
            const TTemaLido lido = ImportarTema(*origem, FCatalogo.Pasta, substituir);
            RecarregarTemas(lido.Tema.Grupo);
            OpcoesAlteradas();
            MostrarRelatorioImportacao(lido);
            return;
        } catch (const ETemaJaExiste& e) {
            if (!FDialogos.Confirmar(e.Mensagem() + u"\r\nQuer substituí-lo?")) {
                return;
            }
            substituir = true;
        } catch (const EZelta& e) {
            FDialogos.Mensagem(TTipoMensagem::tmErro, u"Não foi possível importar o tema.\r\n" + e.Mensagem());
            return;
        } catch (const std::exception& e) {
            // Pasta que não se cria, disco cheio: a frase do sistema, tal como vem.
            FDialogos.Mensagem(TTipoMensagem::tmErro, u"Não foi possível importar o tema.\r\n" + DeUtf8(e.what()));
            return;
        }
    }
}

void TFormMain::MostrarRelatorioImportacao(const TTemaLido& lido) {
    std::u16string texto;
    for (const std::u16string& linha : LinhasDoRelatorioImportacao(lido)) {
        texto += texto.empty() ? linha : u"\r\n" + linha;
    }
    FDialogos.Mensagem(TTipoMensagem::tmInformacao, texto);
}

} // namespace zelta
