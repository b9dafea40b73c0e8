// O programa zelta: a aplicação, o estilo, a janela e o ciclo de eventos até a janela fechar.
#include "app/Main.hpp"
#include "app/Dialogos.hpp"
#include "app/Estilo.hpp"
#include "app/Traducao.hpp"
#include "themes/Biblioteca.hpp"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QStyle>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZELTA"));
    QApplication::setApplicationDisplayName(QStringLiteral("ZELTA"));
    QApplication::setDesktopFileName(QStringLiteral("zelta"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelta/zelta.png")));
    zelta::InstalarTraducoes();
    zelta::AplicarEstiloSky(app);

    zelta::TDialogosQt dialogos;
    zelta::TFormMain janela(dialogos, zelta::PastaDosTemas());
    dialogos.DefinirJanela(&janela);
    if (const QScreen* ecra = QApplication::primaryScreen()) {
        janela.setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, janela.size(), ecra->availableGeometry()));
    }
    janela.show();
    return QApplication::exec();
}
