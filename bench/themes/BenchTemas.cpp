// Tempos da carga ao arranque (lista negra, dicionário, temas embutidos), da leitura de um tema enorme e do
// resumo e da carga de temas de 250 mil a 2 milhões de palavras, com o pico de memória por palavra.
#include "core/Recursos.hpp"
#include "themes/Biblioteca.hpp"
#include "themes/Dicionario.hpp"
#include "themes/LeituraTema.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

using namespace zelta;

// Palavra n-ésima, única, de 2 a 15 letras, com acentos de vez em quando (UTF-8).
std::string PalavraGerada(std::uint32_t n) {
    static const char* const silabas[] = {"CA", "ME",  "LO", "TRA", "PÃO", "RI", "ÇÃO", "BE", "SU", "NHO",
                                          "FÉ", "GRA", "DO", "VI",  "ÚL",  "PE", "MAR", "TI", "ZÊ", "QUE"};
    std::string s;
    std::uint32_t x = n + 1;
    while (x > 0) {
        s += silabas[x % 20];
        x /= 20;
    }
    return s;
}

class TPastas {
public:
    TPastas() {
        const auto base = std::filesystem::temp_directory_path() / ("zelta_bench_temas_" + std::to_string(::getpid()));
        Vazia = base / "vazia";
        ComDicionario = base / "dicionario";
        Enorme = base / "Enorme.txt";
        std::filesystem::create_directories(Vazia);
        std::filesystem::create_directories(ComDicionario);
        {
            // Como o dicionário verdadeiro: UTF-8 com marca, CR LF, quatro comentários, 54 000 palavras.
            std::ofstream f(ComDicionario / "Dicionario.txt", std::ios::binary);
            f << "\xEF\xBB\xBF# Dicion\xC3\xA1rio\r\n#\r\n#\r\n#\r\n";
            for (std::uint32_t i = 0; i < 54000; ++i) {
                f << PalavraGerada(i) << "\r\n";
            }
        }
        {
            std::ofstream f(Enorme, std::ios::binary);
            f << "# Tema: Enorme\r\n";
            std::size_t escritos = 0;
            for (std::uint32_t i = 0; escritos < 50U * 1024 * 1024; ++i) {
                // Muitas repetidas e algumas rejeitadas, como num ficheiro errado que alguém importa.
                std::string linha = (i % 7 == 0) ? "linha " + std::to_string(i) : PalavraGerada(i % 300000);
                linha += "\r\n";
                f << linha;
                escritos += linha.size();
            }
        }
        FBase = base;
    }
    ~TPastas() {
        std::error_code ec;
        std::filesystem::remove_all(FBase, ec);
    }
    std::filesystem::path Vazia, ComDicionario, Enorme;

private:
    std::filesystem::path FBase;
};

TPastas& Pastas() {
    static TPastas p;
    return p;
}

void BM_ListaNegraDoRecurso(benchmark::State& estado) {
    for (auto _ : estado) {
        benchmark::DoNotOptimize(ListaNegraDoRecurso());
    }
}
BENCHMARK(BM_ListaNegraDoRecurso)->Unit(benchmark::kMillisecond);

void BM_CarregarDicionario(benchmark::State& estado) {
    const auto& pasta = Pastas().ComDicionario;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(CarregarDicionario(pasta));
    }
    estado.SetLabel(VerRecurso(u"DICIONARIO") ? "embutido" : "Dicionario.txt gerado");
}
BENCHMARK(BM_CarregarDicionario)->Unit(benchmark::kMillisecond);

void BM_CarregarTemasPastaVazia(benchmark::State& estado) {
    const auto& pasta = Pastas().Vazia;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(CarregarTemas(pasta));
    }
}
BENCHMARK(BM_CarregarTemasPastaVazia)->Unit(benchmark::kMillisecond);

// O que a janela faz ao arrancar, junto.
void BM_CargaAoArranque(benchmark::State& estado) {
    const auto& pasta = Pastas().ComDicionario;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(CarregarListaNegra(pasta));
        benchmark::DoNotOptimize(CarregarDicionario(pasta));
        benchmark::DoNotOptimize(CarregarTemas(pasta));
    }
}
BENCHMARK(BM_CargaAoArranque)->Unit(benchmark::kMillisecond);

void BM_LerTema50MB(benchmark::State& estado) {
    const auto& caminho = Pastas().Enorme;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(LerTemaDeFicheiro(caminho));
    }
    estado.SetBytesProcessed(static_cast<std::int64_t>(estado.iterations()) *
                             static_cast<std::int64_t>(std::filesystem::file_size(caminho)));
}
BENCHMARK(BM_LerTema50MB)->Unit(benchmark::kMillisecond)->Iterations(2);

// Um tema limpo de n palavras, como a importação o escreve; gerado uma vez por tamanho.
const std::filesystem::path& TemaDe(std::uint32_t n) {
    static std::map<std::uint32_t, std::filesystem::path> feitos;
    auto& caminho = feitos[n];
    if (caminho.empty()) {
        caminho = Pastas().Vazia.parent_path() / ("Tema" + std::to_string(n) + ".txt");
        std::ofstream f(caminho, std::ios::binary);
        f << "# Tema: Enorme\r\n# Grupo: Grandes\r\n";
        for (std::uint32_t i = 0; i < n; ++i) {
            f << PalavraGerada(i) << "\r\n";
        }
    }
    return caminho;
}

// Memória residente (kB) de /proc/self/status: o pico desde a última limpeza, ou a atual.
long MemoriaKb(const char* campo) {
    std::ifstream f("/proc/self/status");
    std::string linha;
    while (std::getline(f, linha)) {
        if (linha.rfind(campo, 0) == 0) {
            return std::stol(linha.substr(std::string(campo).size()));
        }
    }
    return 0;
}

// O pico de memória residente acima da de partida, por palavra, de uma corrida de fazer(). Mede-se uma vez por
// processo, antes de tudo: depois o malloc guarda memória já libertada e o pico parece menor. Para um número
// limpo, correr cada tamanho num processo (--benchmark_filter=BM_CarregarTema/2000000).
template <class F> double PicoPorPalavra(const std::string& chave, std::uint32_t n, F&& fazer) {
    static std::map<std::string, double> medidos;
    if (const auto it = medidos.find(chave); it != medidos.end()) {
        return it->second;
    }
    std::ofstream("/proc/self/clear_refs") << "5"; // recomeça o VmHWM
    const long antes = MemoriaKb("VmRSS:");
    fazer();
    const long pico = MemoriaKb("VmHWM:");
    return medidos[chave] = static_cast<double>(pico - antes) * 1024.0 / n;
}

void BM_ResumirTema(benchmark::State& estado) {
    const auto n = static_cast<std::uint32_t>(estado.range(0));
    const auto& caminho = TemaDe(n);
    const double pico =
        PicoPorPalavra("BM_ResumirTema" + std::to_string(n), n, [&] { ResumirTemaDeFicheiro(caminho); });
    for (auto _ : estado) {
        benchmark::DoNotOptimize(ResumirTemaDeFicheiro(caminho));
    }
    estado.counters["pico_B_por_palavra"] = pico;
    estado.counters["s_por_palavra"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ResumirTema)->Arg(250000)->Arg(1000000)->Arg(2000000)->Unit(benchmark::kMillisecond);

void BM_CarregarTema(benchmark::State& estado) {
    const auto n = static_cast<std::uint32_t>(estado.range(0));
    const auto& caminho = TemaDe(n);
    const double pico = PicoPorPalavra("BM_CarregarTema" + std::to_string(n), n, [&] { LerTemaDeFicheiro(caminho); });
    for (auto _ : estado) {
        benchmark::DoNotOptimize(LerTemaDeFicheiro(caminho));
    }
    estado.counters["pico_B_por_palavra"] = pico;
    estado.counters["s_por_palavra"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CarregarTema)->Arg(250000)->Arg(1000000)->Arg(2000000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// A listagem com um tema de 2 milhões de palavras na pasta, depois da primeira vez (a cache dos resumos).
void BM_ResumosDaPastaComTemaEnorme(benchmark::State& estado) {
    const auto pasta = Pastas().Vazia.parent_path() / "pasta-enorme";
    std::filesystem::create_directories(pasta);
    std::filesystem::copy_file(TemaDe(2000000), pasta / "Enorme.txt",
                               std::filesystem::copy_options::overwrite_existing);
    benchmark::DoNotOptimize(ResumosDaPasta(pasta));
    for (auto _ : estado) {
        benchmark::DoNotOptimize(ResumosDaPasta(pasta));
    }
}
BENCHMARK(BM_ResumosDaPastaComTemaEnorme)->Unit(benchmark::kMillisecond);

} // namespace
