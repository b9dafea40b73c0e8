// As caixas de mensagem e os diálogos de ficheiros com Qt, com os textos em português europeu.
#include "app/Dialogos.hpp"

#include "app/Conversoes.hpp"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace zelta {
namespace {

// As frases do domínio separam linhas com CR LF; numa caixa o CR sobraria.
QString ParaCaixa(const std::u16string& texto) {
    return QTexto(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void TextoDoBotao(QMessageBox& caixa, QMessageBox::StandardButton botao, const char* texto) {
    if (QAbstractButton* b = caixa.button(botao)) {
        b->setText(QString::fromUtf8(texto));
    }
}

QFileDialog::Options OpcoesComuns() { return QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite; }

void PrepararDialogo(QFileDialog& dialogo, const TPedidoFicheiro& pedido, bool guardar) {
    dialogo.setOptions(OpcoesComuns());
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!pedido.Titulo.empty()) {
        dialogo.setWindowTitle(QTexto(pedido.Titulo));
    }
    QStringList filtros;
    for (const auto& f : pedido.Filtros) {
        filtros << QTexto(f);
    }
    dialogo.setNameFilters(filtros);
    dialogo.setDefaultSuffix(QTexto(pedido.ExtensaoPorOmissao));
    // As etiquetas ficam fixadas aqui para não dependerem da tradução instalada.
    dialogo.setLabelText(QFileDialog::LookIn, QStringLiteral("Procurar em:"));
    dialogo.setLabelText(QFileDialog::FileName, QStringLiteral("Nome do ficheiro:"));
    dialogo.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo de ficheiro:"));
    dialogo.setLabelText(QFileDialog::Accept, guardar ? QStringLiteral("Guardar") : QStringLiteral("Abrir"));
    dialogo.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
}

QString PastaInicial(QStandardPaths::StandardLocation local) {
    const QString pasta = QStandardPaths::writableLocation(local);
    return !pasta.isEmpty() && QDir(pasta).exists() ? pasta : QDir::homePath();
}

} // namespace

void TDialogosQt::Mensagem(TTipoMensagem tipo, const std::u16string& texto) {
    QMessageBox::Icon icone = QMessageBox::Information;
    if (tipo == TTipoMensagem::tmAviso) {
        icone = QMessageBox::Warning;
    } else if (tipo == TTipoMensagem::tmErro) {
        icone = QMessageBox::Critical;
    }
    QMessageBox caixa(icone, QStringLiteral("ZELTA"), ParaCaixa(texto), QMessageBox::Ok, FJanela);
    // Nomes de temas e de ficheiros vêm do utilizador: nunca são lidos como HTML.
    caixa.setTextFormat(Qt::PlainText);
    TextoDoBotao(caixa, QMessageBox::Ok, "OK");
    caixa.exec();
}

bool TDialogosQt::Confirmar(const std::u16string& texto) {
    QMessageBox caixa(QMessageBox::Question, QStringLiteral("ZELTA"), ParaCaixa(texto),
                      QMessageBox::Yes | QMessageBox::No, FJanela);
    caixa.setTextFormat(Qt::PlainText);
    caixa.setDefaultButton(QMessageBox::Yes);
    TextoDoBotao(caixa, QMessageBox::Yes, "Sim");
    TextoDoBotao(caixa, QMessageBox::No, "Não");
    return caixa.exec() == QMessageBox::Yes;
}

std::optional<std::filesystem::path> TDialogosQt::EscolherParaAbrir(const TPedidoFicheiro& pedido) {
    QFileDialog dialogo(FJanela);
    PrepararDialogo(dialogo, pedido, false);
    dialogo.setDirectory(FPastaAbrir.isEmpty() ? PastaInicial(QStandardPaths::DocumentsLocation) : FPastaAbrir);
    if (!pedido.NomeProposto.empty()) {
        dialogo.selectFile(QTexto(pedido.NomeProposto));
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString escolhido = dialogo.selectedFiles().constFirst();
    FPastaAbrir = QFileInfo(escolhido).absolutePath();
    return Caminho(escolhido);
}

std::optional<std::filesystem::path> TDialogosQt::EscolherParaGuardar(const TPedidoFicheiro& pedido) {
    QFileDialog dialogo(FJanela);
    PrepararDialogo(dialogo, pedido, true);
    dialogo.setDirectory(FPastaGuardar.isEmpty() ? PastaInicial(QStandardPaths::DocumentsLocation) : FPastaGuardar);
    if (!pedido.NomeProposto.empty()) {
        dialogo.selectFile(QTexto(pedido.NomeProposto));
    }
    for (;;) {
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        // A pergunta é nossa e não a do diálogo, para ser dita em português europeu.
        const QString escolhido = dialogo.selectedFiles().constFirst();
        const QFileInfo info(escolhido);
        if (pedido.PerguntarSubstituir && info.exists() &&
            !Confirmar(u"O ficheiro " + U16(info.fileName()) + u" já existe.\r\nQuer substituí-lo?")) {
            dialogo.setDirectory(info.absolutePath());
            dialogo.selectFile(info.fileName());
            continue;
        }
        FPastaGuardar = info.absolutePath();
        return Caminho(escolhido);
    }
}

void TDialogosQt::AbrirComAplicacaoPredefinida(const std::filesystem::path& caminho) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QCaminho(caminho)));
}

} // namespace zelta
