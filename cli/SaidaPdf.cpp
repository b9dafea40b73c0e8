// O passo do PDF: a paginação e a gravação do livro inteiro pela camada de paginação.
#include "cli/SaidaPdf.hpp"

#include "layout/Paginas.hpp"
#include "layout/Pdf.hpp"

namespace zelta::cli {

std::int32_t PaginasDoLivro(std::int32_t numPuzzles) { return NumPaginasLivro(numPuzzles); }

void GravarPdf(const std::filesystem::path& nome, const TConfigLivro& config, const std::vector<TPuzzle>& puzzles) {
    GravarLivroPdf(nome, TDadosLivro{config, puzzles});
}

} // namespace zelta::cli
