// Pontos e conversões entre pontos tipográficos e milímetros.
#include "layout/Canvas.hpp"

namespace zelta {

TPontoMm PontoMm(double x, double y) { return {x, y}; }

// Multiplica antes de dividir: os valores redondos (72 pt, 25,4 mm) saem exatos.
double PtParaMm(double pt) { return pt * 25.4 / 72; }

double MmParaPt(double mm) { return mm * 72 / 25.4; }

} // namespace zelta
