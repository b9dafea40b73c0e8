// O canvas de medida: um TCanvasCairo sobre uma superfície de imagem mínima, com as suas próprias fontes.
#include "layout/Medida.hpp"

#include "layout/CanvasCairo.hpp"

namespace zelta {

namespace {

// A superfície, o contexto e as fontes vivem tanto como o canvas que os usa.
struct TMedidor {
    TSuperficie Superficie{cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)};
    cairo_t* Contexto = cairo_create(Superficie.get());
    TFontesCairo Fontes;
    TCanvasCairo Canvas{Contexto, 300, Fontes};

    TMedidor() = default;
    TMedidor(const TMedidor&) = delete;
    TMedidor& operator=(const TMedidor&) = delete;
    ~TMedidor() { cairo_destroy(Contexto); }
};

} // namespace

std::shared_ptr<ICanvasPagina> CanvasDeMedida() {
    auto medidor = std::make_shared<TMedidor>();
    return std::shared_ptr<ICanvasPagina>(medidor, &medidor->Canvas);
}

} // namespace zelta
