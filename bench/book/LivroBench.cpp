// Análise das opções, corrida de 100 puzzles e ensaio só de palavras, sobre os dados embutidos.
#include "book/Livro.hpp"
#include "book/Opcoes.hpp"
#include "themes/Biblioteca.hpp"
#include "themes/Dicionario.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace zelta {
namespace {

// O catálogo como a janela o tem: os temas embutidos seguidos do dicionário.
struct TCatalogo {
    std::vector<TTema> Temas = CarregarTemas(std::filesystem::path("/nao/existe"));
    TTema Dicionario = CarregarDicionario(std::filesystem::path("/nao/existe"));
    TRefsTemas Refs() const {
        TRefsTemas r = RefsDe(Temas);
        r.push_back(&Dicionario);
        return r;
    }
};

const TCatalogo& Catalogo() {
    static const TCatalogo c;
    return c;
}

TConfigLivro Config(std::int32_t lado, std::int32_t palavras, std::u16string grupo) {
    TConfigLivro c;
    c.NumPuzzles = 100;
    c.Lado = lado;
    c.Modo = TModoDirecoes::mdTodas;
    c.MinLetras = 4;
    c.MaxLetras = 12;
    c.NumPalavras = palavras;
    c.Mix = grupo.empty();
    c.Grupo = std::move(grupo);
    c.Semente = 20261210;
    return c;
}

void BM_AnalisarOpcoesDicionario(benchmark::State& estado) {
    const auto temas = Catalogo().Refs();
    const TConfigLivro c = Config(15, 20, u"Dicionário");
    // Como a janela: a memória da contagem fica de uma análise para a seguinte.
    TTrabalhoDoPool trabalho;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(AnalisarOpcoes(c, temas, trabalho));
    }
}
BENCHMARK(BM_AnalisarOpcoesDicionario)->Unit(benchmark::kMillisecond);

void BM_GerarPuzzles(benchmark::State& estado, std::int32_t lado, std::int32_t palavras, std::u16string grupo) {
    const auto temas = Catalogo().Refs();
    const auto listaNegra = ListaNegraDoRecurso();
    const TConfigLivro c = Config(lado, palavras, grupo);
    std::int64_t falhas = 0;
    for (auto _ : estado) {
        TRelatorioLivro r;
        benchmark::DoNotOptimize(GerarPuzzles(c, temas, listaNegra, {}, r));
        falhas += static_cast<std::int64_t>(r.Falhas.size());
    }
    estado.counters["falhas_por_livro"] = static_cast<double>(falhas) / static_cast<double>(estado.iterations());
}
BENCHMARK_CAPTURE(BM_GerarPuzzles, Mix_20x20_30, 20, 30, u"")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GerarPuzzles, Dicionario_20x20_30, 20, 30, u"Dicionário")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GerarPuzzles, Mix_15x15_20, 15, 20, u"")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GerarPuzzles, Dicionario_15x15_20, 15, 20, u"Dicionário")->Unit(benchmark::kMillisecond);

// O catálogo como o zelta-livro o carrega: os temas embutidos e o dicionário.
void BM_CarregarCatalogo(benchmark::State& estado) {
    for (auto _ : estado) {
        TCatalogo c;
        benchmark::DoNotOptimize(c.Temas.size() + c.Dicionario.Palavras.size());
    }
}
BENCHMARK(BM_CarregarCatalogo)->Unit(benchmark::kMillisecond);

// O que a janela e o zelta-livro fazem entre a análise e o PDF: os pools uma vez, a estimativa e a corrida.
void BM_PoolsEstimativaECorrida(benchmark::State& estado, std::int32_t lado, std::int32_t palavras,
                                std::u16string grupo) {
    const auto temas = Catalogo().Refs();
    const auto listaNegra = ListaNegraDoRecurso();
    const TConfigLivro c = Config(lado, palavras, std::move(grupo));
    for (auto _ : estado) {
        const TPoolsDoLivro pools(c, temas);
        benchmark::DoNotOptimize(EstimarPuzzles(pools));
        TRelatorioLivro r;
        benchmark::DoNotOptimize(GerarPuzzles(pools, listaNegra, {}, r));
    }
}
BENCHMARK_CAPTURE(BM_PoolsEstimativaECorrida, Dicionario_20x20_30, 20, 30, u"Dicionário")
    ->Unit(benchmark::kMillisecond);

void BM_EstimarPuzzlesDicionario(benchmark::State& estado) {
    const auto temas = Catalogo().Refs();
    const TConfigLivro c = Config(20, 30, u"Dicionário");
    for (auto _ : estado) {
        benchmark::DoNotOptimize(EstimarPuzzles(c, temas));
    }
}
BENCHMARK(BM_EstimarPuzzlesDicionario)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta
