// Pontos, conversões entre pontos tipográficos e milímetros, e o contorno de cápsula e o texto vertical por
// omissão.
#include "layout/Canvas.hpp"

#include "layout/Grelhas.hpp"

#include <algorithm>
#include <cmath>

namespace zelta {

TPontoMm PontoMm(double x, double y) { return {x, y}; }

// Multiplica antes de dividir: os valores redondos (72 pt, 25,4 mm) saem exatos.
double PtParaMm(double pt) { return pt * 25.4 / 72; }

double MmParaPt(double mm) { return mm * 72 / 25.4; }

namespace {

std::int32_t Arredondar(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }

} // namespace

std::int32_t MmParaPx(double mm, double dpi) { return Arredondar(mm / 25.4 * dpi); }

std::int32_t CanetaPx(double espessuraPt, double dpi) { return std::max(Arredondar(espessuraPt * dpi / 72), 1); }

std::int32_t EmPx(double tamanhoPt, double dpi) { return Arredondar(tamanhoPt * dpi / 72); }

std::int32_t InicioAlinhado(std::int32_t posicao, std::int32_t largura, TAlinhamento alinhamento) {
    switch (alinhamento) {
    case TAlinhamento::alCentro:
        return posicao - largura / 2;
    case TAlinhamento::alDireita:
        return posicao - largura;
    case TAlinhamento::alEsquerda:
        break;
    }
    return posicao;
}

TRectPx RectanguloPx(double x, double y, double largura, double altura, double dpi) {
    return {MmParaPx(x, dpi), MmParaPx(y, dpi), MmParaPx(x + largura, dpi), MmParaPx(y + altura, dpi)};
}

void ICanvasPagina::ContornoCapsula(double x1, double y1, double x2, double y2, double ARaio, double AEspessuraPt,
                                    int ACinza) {
    Poligono(Capsula(x1, y1, x2, y2, ARaio, 12), AEspessuraPt, ACinza, -1);
}

void ICanvasPagina::TextoVertical(double, double, std::u16string_view, double, bool, int, TAlinhamento) {}

} // namespace zelta
