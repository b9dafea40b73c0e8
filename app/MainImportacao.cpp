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
            const TTemaLido lido = ImportarTema(*origem, FPastaDosTemas, substituir);
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
    const TTema& tema = lido.Tema;
    const TRelatorioTema& r = lido.Relatorio;
    std::u16string texto = u"Tema " + tema.Nome + u" importado (grupo " + tema.Grupo + u").\r\n" + Decimal(r.Aceites) +
                           u" palavras aceites";
    if (r.Repetidas > 0) {
        texto += u", " + Decimal(r.Repetidas) + u" repetidas";
    }
    if (r.Rejeitadas > 0) {
        texto += u", " + Decimal(r.Rejeitadas) + u" rejeitadas";
    }
    texto += u".";
    if (!r.Detalhe.empty()) {
        texto += u"\r\n\r\nLinhas rejeitadas:";
        const std::size_t n = std::min<std::size_t>(r.Detalhe.size(), 10);
        for (std::size_t i = 0; i < n; ++i) {
            texto += u"\r\n" + r.Detalhe[i];
        }
        if (r.Detalhe.size() > 10) {
            texto += u"\r\n…";
        }
    }
    FDialogos.Mensagem(TTipoMensagem::tmInformacao, texto);
}

} // namespace zelta
