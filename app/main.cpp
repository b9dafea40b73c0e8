// O programa zelta: a aplicação, o estilo, a janela e o ciclo de eventos até a janela fechar.
#include "app/Main.hpp"
#include "Versao.hpp"
#include "app/Dialogos.hpp"
#include "app/Estilo.hpp"
#include "app/Traducao.hpp"
#include "themes/Biblioteca.hpp"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    // Antes do QApplication, para responder também sem ecrã.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version" || std::string_view(argv[i]) == "--versao") {
            std::printf("zelta %s\n", zelta::Versao);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QString::fromLatin1(zelta::Versao));
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
