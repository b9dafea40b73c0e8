// O aspeto do programa: as fontes da janela e o estilo claro "Sky".
#pragma once

#include <QFont>

class QApplication;

namespace zelta {

// Segoe UI quando está instalada; senão a sem serifa do ambiente. Tamanhos em píxeis a 96 ppp.
QFont FonteDaJanela(int pixeis);
// A placa do nome: Segoe UI Semibold, a negrito.
QFont FonteDoNome(int pixeis);

// Fusion com uma paleta clara azulada; o resto do programa não depende disto.
void AplicarEstiloSky(QApplication& app);

} // namespace zelta
