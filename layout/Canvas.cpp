// Pontos, conversões entre pontos tipográficos e milímetros, e o contorno de cápsula por omissão.
#include "layout/Canvas.hpp"

#include "layout/Grelhas.hpp"

namespace zelta {

TPontoMm PontoMm(double x, double y) { return {x, y}; }

// Multiplica antes de dividir: os valores redondos (72 pt, 25,4 mm) saem exatos.
double PtParaMm(double pt) { return pt * 25.4 / 72; }

double MmParaPt(double mm) { return mm * 72 / 25.4; }

void ICanvasPagina::ContornoCapsula(double x1, double y1, double x2, double y2, double ARaio, double AEspessuraPt,
                                    int ACinza) {
    Poligono(Capsula(x1, y1, x2, y2, ARaio, 12), AEspessuraPt, ACinza, -1);
}

} // namespace zelta
