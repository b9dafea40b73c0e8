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

// O mesmo livro de 100 puzzles 20 × 20 em cada formato, com e sem medianiz e letra grande: nenhum deve custar
// muito mais do que o A4 (formato 0, sem opções).
void GravarLivroFormato(benchmark::State& estado) {
    TDadosLivro livro;
    livro.Config = teste::ConfigDeTeste(100, 20, 30);
    livro.Puzzles = teste::PuzzlesFabricados(100, 20, 30);
    livro.Impressao.Formato = static_cast<TFormatoPagina>(estado.range(0));
    livro.Impressao.Encadernar = estado.range(1) != 0;
    livro.Impressao.LetraGrande = estado.range(2) != 0;
    const auto nome = std::filesystem::temp_directory_path() / ("zelta-bench-" + std::to_string(::getpid()) + ".pdf");
    for (auto _ : estado) {
        GravarLivroPdf(nome, livro);
    }
    std::filesystem::remove(nome);
}

BENCHMARK(GravarLivroFormato)
    ->ArgNames({"formato", "encadernar", "letraGrande"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta
