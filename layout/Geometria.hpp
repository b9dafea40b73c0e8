// A geometria da página do livro, em mm: o tamanho da folha e a mancha onde vai o texto. O valor vem de
// core/Formato; aqui fica o A4 com nome, o livro de sempre.
#pragma once

#include "core/Formato.hpp"

namespace zelta {

// O livro A4 sem opções de impressão.
inline constexpr TGeometriaPagina PaginaA4{};

} // namespace zelta
