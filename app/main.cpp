// O programa zelta: a aplicação, o estilo, a janela e o ciclo de eventos até a janela fechar.
#include "app/Main.hpp"
#include "app/Dialogos.hpp"
#include "app/Estilo.hpp"
#include "app/Traducao.hpp"
#include "themes/Biblioteca.hpp"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Sem nome de apresentação: o Qt acrescentá-lo-ia ao título de cada janela ("ZELTA | Orvalen — ZELTA").
    QApplication::setApplicationName(QStringLiteral("ZELTA"));
    QApplication::setDesktopFileName(QStringLiteral("zelta"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelta/zelta.png")));
    zelta::InstalarTraducoes();
    zelta::AplicarEstiloSky(app);

    zelta::TDialogosQt dialogos;
    zelta::TFormMain janela(dialogos, zelta::PastaDosTemas());
    dialogos.DefinirJanela(&janela);
    janela.show();
    return QApplication::exec();
}
