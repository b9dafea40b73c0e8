// Mostra a janela com o estilo do programa num servidor X e grava a imagem dela em PNG.
// Uso: xvfb-run -s "-screen 0 1024x768x24" zelta_captura saida.png
#include "app/Dialogos.hpp"
#include "app/Estilo.hpp"
#include "app/Main.hpp"
#include "app/Traducao.hpp"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: zelta_captura saida.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    zelta::InstalarTraducoes();
    zelta::AplicarEstiloSky(app);
    zelta::TDialogosQt dialogos;
    // Uma pasta que não existe: só os temas embutidos, como num primeiro arranque.
    zelta::TFormMain janela(dialogos, std::filesystem::path(QDir::tempPath().toStdString()) / "zelta-sem-temas");
    dialogos.DefinirJanela(&janela);
    janela.show();
    int codigo = 1;
    QTimer::singleShot(500, [&] {
        codigo = janela.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return codigo;
}
