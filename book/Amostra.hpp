// Um puzzle de amostra do livro que as opções pedem, para a pré-visualização da janela.
#pragma once

#include "core/Tipos.hpp"
#include "themes/Catalogo.hpp"

#include <optional>

namespace zelta {

// O primeiro puzzle de um livro de config (com a sua semente) feito do catálogo: o do primeiro tema que o
// plano dá. Nada quando as opções não dão um livro ou o puzzle não sai.
std::optional<TPuzzle> PuzzleDeAmostra(const TConfigLivro& config, const TCatalogo& catalogo);

} // namespace zelta
