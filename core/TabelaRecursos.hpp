// A tabela dos dados embutidos, gerada pelo CMake a partir de data/ (ver cmake/Recursos.cmake).
#pragma once

#include <cstddef>

namespace zelta::detalhe {

struct TEntradaRecurso {
    const char16_t* Nome;
    const unsigned char* Inicio;
    const unsigned char* Fim;
};

extern const TEntradaRecurso EntradasRecursos[];
extern const std::size_t NumEntradasRecursos;

} // namespace zelta::detalhe
