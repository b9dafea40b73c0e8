// O passo do PDF do zelta-livro, isolado: o resto do programa não depende da paginação.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zelta::cli {

std::int32_t PaginasDoLivro(std::int32_t numPuzzles);
// Tudo ou nada: levanta EZelta sem deixar o ficheiro a meio.
void GravarPdf(const std::filesystem::path& nome, const TConfigLivro& config, const std::vector<TPuzzle>& puzzles);

} // namespace zelta::cli
