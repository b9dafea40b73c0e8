// O passo do PDF: a paginação e a gravação do livro inteiro.
#include "cli/SaidaPdf.hpp"

namespace zelta::cli {

std::int32_t PaginasDoLivro(std::int32_t) { return 0; }

void GravarPdf(const std::filesystem::path&, const TConfigLivro&, const std::vector<TPuzzle>&) {
    throw EZelta(u"Esta compilação ainda não grava PDF.");
}

} // namespace zelta::cli
