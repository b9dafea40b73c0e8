// Medir texto como o PDF o mede, para quem desenha noutro sítio (a pré-visualização da janela): a mesma
// letra e os mesmos arredondamentos dão à composição as mesmas decisões de tamanho e de quebra.
#pragma once

#include "layout/Canvas.hpp"

#include <memory>

namespace zelta {

// Um canvas a 300 por polegada que só serve para medir: o que nele se desenha não vai a lado nenhum.
std::shared_ptr<ICanvasPagina> CanvasDeMedida();

} // namespace zelta
