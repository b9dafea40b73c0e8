// Quanto custa gravar um livro inteiro em PDF, e que tamanho tem o ficheiro.
#include "layout/Pdf.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace zelta {
namespace {

void GravarLivro(benchmark::State& estado) {
    const auto lado = static_cast<std::int32_t>(estado.range(0));
    const auto palavras = static_cast<std::int32_t>(estado.range(1));
    TDadosLivro livro;
    livro.Config = teste::ConfigDeTeste(100, lado, palavras);
    livro.Puzzles = teste::PuzzlesFabricados(100, lado, palavras);
    const auto nome = std::filesystem::temp_directory_path() / ("zelta-bench-" + std::to_string(::getpid()) + ".pdf");
    for (auto _ : estado) {
        GravarLivroPdf(nome, livro);
    }
    estado.counters["MB"] = static_cast<double>(std::filesystem::file_size(nome)) / 1e6;
    std::filesystem::remove(nome);
}

BENCHMARK(GravarLivro)->ArgNames({"lado", "palavras"})->Args({20, 30})->Args({15, 20})->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta
