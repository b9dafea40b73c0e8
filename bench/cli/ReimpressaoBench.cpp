// Imprimir outra vez um livro gravado custa o mesmo que gravar o PDF dele: a leitura e a verificação do JSON
// ao lado da composição e da gravação do PDF, para o mesmo livro de 100 puzzles de 20 × 20 do Dicionário.
#include "book/Livro.hpp"
#include "book/Opcoes.hpp"
#include "cli/LivroJson.hpp"
#include "core/Ficheiros.hpp"
#include "layout/Pdf.hpp"
#include "themes/Catalogo.hpp"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <span>
#include <string>

namespace zelta {
namespace {

namespace fs = std::filesystem;

struct TLivroGravado {
    fs::path Pasta = fs::temp_directory_path() / ("zelta-bench-reimpressao-" + std::to_string(::getpid()));
    TDadosLivro Livro;
    std::vector<std::u16string> ListaNegra;

    TLivroGravado() {
        const TCatalogo catalogo = CarregarCatalogo("/nao/existe/Temas");
        ListaNegra = catalogo.ListaNegra;
        Livro.Config = ConfigPorOmissao();
        Livro.Config.Lado = 20;
        Livro.Config.NumPalavras = 30;
        Livro.Config.NumPuzzles = 100;
        DefinirEntrada(Livro.Config, NomeDoDicionario);
        Livro.Config.Semente = 2;
        TRelatorioLivro relatorio;
        Livro.Puzzles = GerarPuzzles(Livro.Config, TemasComDicionario(catalogo), ListaNegra, {}, relatorio);
        fs::create_directories(Pasta);
        const std::string json = cli::LivroEmJson(Livro, NomeDoDicionario, relatorio);
        GravarAtomicamente(Pasta / "livro.json",
                           std::span(reinterpret_cast<const std::uint8_t*>(json.data()), json.size()));
    }
    ~TLivroGravado() { fs::remove_all(Pasta); }
};

const TLivroGravado& Livro() {
    static const TLivroGravado livro;
    return livro;
}

void BM_GravarPdfDoLivro(benchmark::State& estado) {
    const TLivroGravado& l = Livro();
    for (auto _ : estado) {
        benchmark::DoNotOptimize(GravarLivroPdf(l.Pasta / "livro.pdf", l.Livro));
    }
}
BENCHMARK(BM_GravarPdfDoLivro)->Unit(benchmark::kMillisecond);

// O que --reimprimir faz: ler, conferir cada puzzle e gravar o PDF.
void BM_Reimprimir(benchmark::State& estado) {
    const TLivroGravado& l = Livro();
    for (auto _ : estado) {
        const cli::TLivroLido lido = cli::LerLivroJsonDeFicheiro(l.Pasta / "livro.json", l.ListaNegra);
        benchmark::DoNotOptimize(GravarLivroPdf(l.Pasta / "outra.pdf", lido.Livro));
    }
}
BENCHMARK(BM_Reimprimir)->Unit(benchmark::kMillisecond);

// Só a leitura e a verificação, a parte que a reimpressão acrescenta.
void BM_LerEConferirLivro(benchmark::State& estado) {
    const TLivroGravado& l = Livro();
    for (auto _ : estado) {
        benchmark::DoNotOptimize(cli::LerLivroJsonDeFicheiro(l.Pasta / "livro.json", l.ListaNegra));
    }
}
BENCHMARK(BM_LerEConferirLivro)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta
