#include "Apoio.hpp"

#include "app/Conversoes.hpp"
#include "app/Traducao.hpp"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace zelta {
namespace {

// Quando a próxima caixa modal abrir, faz o que o utilizador faria nela.
void NaProximaModal(std::function<void(QWidget*)> acao) {
    QTimer::singleShot(0, [acao = std::move(acao)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            NaProximaModal(acao);
            return;
        }
        acao(modal);
    });
}

QStringList TextosDosBotoes(QWidget* w) {
    QStringList r;
    for (auto* b : w->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && !b->text().isEmpty()) {
            r << b->text();
        }
    }
    r.sort();
    return r;
}

void Premir(QWidget* w, const QString& texto) {
    for (auto* b : w->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && b->text() == texto) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "sem botão " << texto.toStdString();
}

TEST(DialogosQt, CaixasEmPortuguesComTextoSimples) {
    teste::GarantirAplicacao();
    TDialogosQt d;
    QStringList vistos;
    QString texto;
    NaProximaModal([&](QWidget* m) {
        vistos = TextosDosBotoes(m);
        texto = static_cast<QMessageBox*>(m)->text();
        Premir(m, QStringLiteral("Não"));
    });
    EXPECT_FALSE(d.Confirmar(u"Quer <b>mesmo</b>?\r\nSim ou não."));
    EXPECT_EQ(vistos, (QStringList{"Não", "Sim"}));
    EXPECT_EQ(texto, QStringLiteral("Quer <b>mesmo</b>?\nSim ou não."));

    NaProximaModal([&](QWidget* m) { Premir(m, QStringLiteral("Sim")); });
    EXPECT_TRUE(d.Confirmar(u"Continuar?"));

    NaProximaModal([&](QWidget* m) {
        vistos = TextosDosBotoes(m);
        Premir(m, QStringLiteral("OK"));
    });
    d.Mensagem(TTipoMensagem::tmErro, u"Correu mal.");
    EXPECT_EQ(vistos, QStringList{"OK"});
}

TEST(DialogosQt, GuardarAcrescentaAExtensaoEPerguntaAntesDeSubstituir) {
    teste::GarantirAplicacao();
    InstalarTraducoes();
    QTemporaryDir pasta;
    const auto existente = Caminho(pasta.path()) / "existe.pdf";
    teste::EscreverBytes(existente, "%PDF-");
    TDialogosQt d;
    TPedidoFicheiro pedido = PedidoGuardarPdf(u"Zelta_Natureza_15x15_30.pdf");

    // Um nome sem extensão: sai com .pdf.
    QString titulo, proposto;
    QStringList botoes;
    NaProximaModal([&](QWidget* m) {
        auto* f = static_cast<QFileDialog*>(m);
        titulo = f->windowTitle();
        botoes = TextosDosBotoes(f->findChild<QDialogButtonBox*>());
        auto* nome = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        proposto = nome->text();
        f->setDirectory(pasta.path());
        nome->setText(QStringLiteral("novo"));
        QTest::keyClick(nome, Qt::Key_Return);
    });
    const auto novo = d.EscolherParaGuardar(pedido);
    EXPECT_EQ(titulo, QStringLiteral("Guardar o livro"));
    EXPECT_EQ(proposto, QStringLiteral("Zelta_Natureza_15x15_30.pdf"));
    EXPECT_EQ(botoes, (QStringList{"Cancelar", "Guardar"}));
    EXPECT_EQ(novo, Caminho(pasta.path()) / "novo.pdf");

    // Um ficheiro que existe: a nossa pergunta; "Não" volta ao diálogo, onde se desiste.
    QString pergunta;
    NaProximaModal([&](QWidget* m) {
        auto* f = static_cast<QFileDialog*>(m);
        f->setDirectory(pasta.path());
        auto* nome = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        nome->setText(QStringLiteral("existe.pdf"));
        NaProximaModal([&](QWidget* caixa) {
            pergunta = static_cast<QMessageBox*>(caixa)->text();
            Premir(caixa, QStringLiteral("Não"));
            NaProximaModal([](QWidget* de_novo) { static_cast<QFileDialog*>(de_novo)->reject(); });
        });
        QTest::keyClick(nome, Qt::Key_Return);
    });
    EXPECT_EQ(d.EscolherParaGuardar(pedido), std::nullopt);
    EXPECT_EQ(pergunta, QStringLiteral("O ficheiro existe.pdf já existe.\nQuer substituí-lo?"));
}

TEST(DialogosQt, TextosDoQtSemBrasileirismos) {
    teste::GarantirAplicacao();
    InstalarTraducoes();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Guardar"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sim"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("&Nome do ficheiro:"));
    for (const char* origem : {"Show &hidden files", "Save As", "Could not delete directory.", "File"}) {
        const QString t = QCoreApplication::translate("QFileDialog", origem);
        EXPECT_FALSE(t.contains(QStringLiteral("rquivo")) || t.contains(QStringLiteral("alvar")) ||
                     t.contains(QStringLiteral("xclu")))
            << t.toStdString();
    }
}

} // namespace
} // namespace zelta
