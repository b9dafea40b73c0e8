// As fontes da janela e o estilo "Sky": Fusion, paleta clara e uns retoques de folha de estilo.
#include "app/Estilo.hpp"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>

namespace zelta {
namespace {

QString FamiliaOu(const QString& desejada) {
    if (QFontDatabase::families().contains(desejada, Qt::CaseInsensitive)) {
        return desejada;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont ComPixeis(const QString& familia, int pixeis) {
    QFont f(familia);
    f.setPixelSize(pixeis);
    return f;
}

} // namespace

QFont FonteDaJanela(int pixeis) {
    static const QString familia = FamiliaOu(QStringLiteral("Segoe UI"));
    return ComPixeis(familia, pixeis);
}

QFont FonteDoNome(int pixeis) {
    static const QString semibold = QStringLiteral("Segoe UI Semibold");
    QFont f = QFontDatabase::families().contains(semibold, Qt::CaseInsensitive) ? ComPixeis(semibold, pixeis)
                                                                                : FonteDaJanela(pixeis);
    f.setBold(true);
    return f;
}

void AplicarEstiloSky(QApplication& app) {
    // Sem Fusion fica o estilo de origem do Qt: o programa funciona na mesma, só muda o aspeto.
    if (QStyle* estilo = QStyleFactory::create(QStringLiteral("Fusion"))) {
        app.setStyle(estilo);
    }
    QPalette p;
    const QColor fundo(0xEA, 0xF3, 0xFB);
    const QColor base(0xFF, 0xFF, 0xFF);
    const QColor texto(0x1B, 0x2A, 0x3A);
    const QColor botao(0xD6, 0xE8, 0xF7);
    const QColor destaque(0x2F, 0x80, 0xC8);
    p.setColor(QPalette::Window, fundo);
    p.setColor(QPalette::WindowText, texto);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, fundo);
    p.setColor(QPalette::Text, texto);
    p.setColor(QPalette::Button, botao);
    p.setColor(QPalette::ButtonText, texto);
    p.setColor(QPalette::Highlight, destaque);
    p.setColor(QPalette::HighlightedText, base);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xF0));
    p.setColor(QPalette::ToolTipText, texto);
    p.setColor(QPalette::Light, base);
    p.setColor(QPalette::Midlight, QColor(0xC4, 0xDA, 0xEE));
    p.setColor(QPalette::Mid, QColor(0x9D, 0xB9, 0xD3));
    p.setColor(QPalette::Dark, QColor(0x6E, 0x8F, 0xAD));
    const QColor apagado(0x8A, 0x9B, 0xAC);
    p.setColor(QPalette::Disabled, QPalette::WindowText, apagado);
    p.setColor(QPalette::Disabled, QPalette::Text, apagado);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, apagado);
    app.setPalette(p);
    app.setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #9DB9D3; border-radius: 6px; margin-top: 12px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #1F5F99; }"
        "QPushButton { border: 1px solid #6E8FAD; border-radius: 5px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #F4F9FE, stop:1 #CFE3F5); }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #DCEBF9); }"
        "QPushButton:pressed { background: #B9D6F0; }"
        "QPushButton:disabled { color: #8A9BAC; border-color: #B5C6D6; background: #E3ECF4; }"
        "QProgressBar { border: 1px solid #9DB9D3; border-radius: 4px; background: #FFFFFF; }"
        "QProgressBar::chunk { background: #2F80C8; border-radius: 3px; }"));
}

} // namespace zelta
