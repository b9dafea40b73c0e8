// Diálogos com guião e a janela de teste sobre uma pasta temporária.
#include "Apoio.hpp"

#include "app/Conversoes.hpp"
#include "core/Texto.hpp"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

// O fontconfig guarda caches até ao fim do processo: não são fugas nossas nem do Qt.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace zelta::teste {

void GarantirAplicacao() {
    static int argc = 1;
    static char nome[] = "testes_app";
    static char* argv[] = {nome, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

void TDialogosGuiao::Mensagem(TTipoMensagem tipo, const std::u16string& texto) { Mensagens.push_back({tipo, texto}); }

bool TDialogosGuiao::Confirmar(const std::u16string& texto) {
    Perguntas.push_back(texto);
    if (Respostas.empty()) {
        ADD_FAILURE() << "pergunta fora do guião: " << ParaUtf8(texto);
        return false;
    }
    const bool r = Respostas.front();
    Respostas.pop_front();
    return r;
}

std::optional<std::filesystem::path> TDialogosGuiao::EscolherParaAbrir(const TPedidoFicheiro& pedido) {
    PedidosAbrir.push_back(pedido);
    return FicheiroAAbrir;
}

std::optional<std::filesystem::path> TDialogosGuiao::EscolherParaGuardar(const TPedidoFicheiro& pedido) {
    PedidosGuardar.push_back(pedido);
    return AoGuardar ? AoGuardar(pedido) : std::nullopt;
}

void TDialogosGuiao::AbrirComAplicacaoPredefinida(const std::filesystem::path& caminho) { Abertos.push_back(caminho); }

TJanelaDeTeste::TJanelaDeTeste() : TJanelaDeTeste([](const std::filesystem::path&) {}) {}

TJanelaDeTeste::TJanelaDeTeste(const std::function<void(const std::filesystem::path&)>& prepararPasta) {
    GarantirAplicacao();
    FPasta = FTemp.Caminho() / "Temas";
    prepararPasta(FPasta);
    FJanela = std::make_unique<TFormMain>(Dialogos, FPasta);
    FJanela->show();
}

QStringList TJanelaDeTeste::Entradas() {
    QStringList r;
    for (int i = 0; i < Livros()->count(); ++i) {
        r << Livros()->itemText(i);
    }
    return r;
}

void TJanelaDeTeste::Clicar(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void TJanelaDeTeste::EscolherRadio(const char* grupo, int indice) {
    Clicar(Controlo<TGrupoRadio>(grupo)->Item(indice));
}

void TJanelaDeTeste::EscolherLivro(const QString& entrada) {
    const int i = Livros()->findText(entrada);
    if (i < 0) {
        throw std::runtime_error("sem a entrada " + entrada.toStdString());
    }
    // Como quem usa o teclado na lista fechada: o índice muda e o evento de mudança dispara.
    Livros()->setFocus();
    while (Livros()->currentIndex() != i) {
        QTest::keyClick(Livros(), Livros()->currentIndex() < i ? Qt::Key_Down : Qt::Key_Up);
    }
}

void TJanelaDeTeste::Escrever(const char* campo, const QString& texto) {
    QLineEdit* e = Controlo<QLineEdit>(campo);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, texto);
}

} // namespace zelta::teste
