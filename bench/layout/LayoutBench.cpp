// Quanto custa gravar um livro inteiro em PDF, e que tamanho tem o ficheiro; e, no mesmo livro, o que vai
// para compor e gravar as páginas, para as emitir (o cairo_show_page de cada uma) e para fechar o ficheiro.
#include "layout/CanvasCairo.hpp"
#include "layout/Paginas.hpp"
#include "layout/Pdf.hpp"
#include "pdf/DocumentoPdf.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace zelta {
namespace {

using TRelogio = std::chrono::steady_clock;

std::filesystem::path Temporario() {
    return std::filesystem::temp_directory_path() / ("zelta-bench-" + std::to_string(::getpid()) + ".pdf");
}

TDadosLivro Livro(benchmark::State& estado) {
    const auto lado = static_cast<std::int32_t>(estado.range(0));
    const auto palavras = static_cast<std::int32_t>(estado.range(1));
    TDadosLivro livro;
    livro.Config = teste::ConfigDeTeste(100, lado, palavras);
    livro.Puzzles = teste::PuzzlesFabricados(100, lado, palavras);
    return livro;
}

void GravarLivro(benchmark::State& estado) {
    const TDadosLivro livro = Livro(estado);
    const auto nome = Temporario();
    for (auto _ : estado) {
        GravarLivroPdf(nome, livro);
    }
    estado.counters["MB"] = static_cast<double>(std::filesystem::file_size(nome)) / 1e6;
    std::filesystem::remove(nome);
}

BENCHMARK(GravarLivro)->ArgNames({"lado", "palavras"})->Args({20, 30})->Args({15, 20})->Unit(benchmark::kMillisecond);

// Um destino sobre o documento que mede cada NovaPagina: é aí que o cairo emite a página anterior.
class TDestinoMedido final : public IDestinoPaginas {
public:
    TDestinoMedido(TDocumentoPdf& APdf, TFontesCairo& AFontes, const std::vector<TDescPagina>& APaginas)
        : FPdf(APdf), FFontes(AFontes), FPaginas(APaginas) {}

    std::shared_ptr<ICanvasPagina> NovaPagina() override {
        const auto t0 = TRelogio::now();
        cairo_t* cr = FPdf.AddPage();
        const double s = std::chrono::duration<double>(TRelogio::now() - t0).count();
        if (FPagina > 0) {
            Emissao += s;
            if (FPaginas[FPagina - 1].Tipo == TTipoPagina::pgSolucoes) {
                EmissaoSolucoes += s;
                ++PaginasSolucoes;
            }
        }
        ++FPagina;
        return std::make_shared<TCanvasCairo>(cr, TDocumentoPdf::ScreenLogPixels, FFontes);
    }

    double Emissao = 0;
    double EmissaoSolucoes = 0;
    std::int32_t PaginasSolucoes = 0;

private:
    TDocumentoPdf& FPdf;
    TFontesCairo& FFontes;
    const std::vector<TDescPagina>& FPaginas;
    std::size_t FPagina = 0;
};

void FasesDoPdf(benchmark::State& estado) {
    const TDadosLivro livro = Livro(estado);
    const auto nome = Temporario();
    double composicao = 0;
    double emissao = 0;
    double fim = 0;
    double solucoes = 0;
    std::int32_t paginasSolucoes = 0;
    for (auto _ : estado) {
        const auto t0 = TRelogio::now();
        TDocumentoPdf pdf;
        pdf.DefinirInfo(u"ZELTA", u"Orvalen");
        TFontesCairo fontes;
        const TCompositorLivro compositor(livro);
        TDestinoMedido destino(pdf, fontes, compositor.Paginas());
        compositor.Compor(destino);
        const auto t1 = TRelogio::now();
        pdf.SaveToFile(nome);
        const auto t2 = TRelogio::now();
        composicao += std::chrono::duration<double>(t1 - t0).count() - destino.Emissao;
        emissao += destino.Emissao;
        solucoes += destino.EmissaoSolucoes;
        paginasSolucoes += destino.PaginasSolucoes;
        fim += std::chrono::duration<double>(t2 - t1).count();
    }
    const auto n = static_cast<double>(estado.iterations());
    estado.counters["ms_composicao"] = composicao / n * 1e3;
    estado.counters["ms_emissao"] = emissao / n * 1e3;
    estado.counters["ms_fim"] = fim / n * 1e3;
    estado.counters["ms_emissao_pagina_solucoes"] = paginasSolucoes > 0 ? solucoes / paginasSolucoes * 1e3 : 0;
    estado.counters["KB"] = static_cast<double>(std::filesystem::file_size(nome)) / 1e3;
    std::filesystem::remove(nome);
}

BENCHMARK(FasesDoPdf)
    ->ArgNames({"lado", "palavras"})
    ->Args({20, 30})
    ->Args({15, 20})
    ->Args({10, 10})
    ->Unit(benchmark::kMillisecond);

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
