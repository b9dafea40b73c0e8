// O livro inteiro como o utilizador o pede: do arranque do zelta-livro ao PDF e ao JSON fechados, com o
// tamanho do PDF e o pico de memória do processo.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

void LivroInteiro(benchmark::State& estado, std::vector<std::string> opcoes) {
    const fs::path pasta = fs::temp_directory_path() / ("zelta-bench-livro-" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    const std::string pdf = (pasta / "livro.pdf").string();
    const std::string json = (pasta / "livro.json").string();
    std::vector<std::string> args{ZELTA_LIVRO};
    args.insert(args.end(), opcoes.begin(), opcoes.end());
    args.insert(args.end(), {"--saida", pdf, "--json", json});
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t accoes;
    posix_spawn_file_actions_init(&accoes);
    posix_spawn_file_actions_addopen(&accoes, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&accoes, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    long picoKb = 0;
    for (auto _ : estado) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &accoes, nullptr, argv.data(), environ) != 0) {
            estado.SkipWithError("não foi possível arrancar o zelta-livro");
            break;
        }
        int saida = 0;
        rusage uso{};
        ::wait4(pid, &saida, 0, &uso);
        if (!WIFEXITED(saida) || (WEXITSTATUS(saida) != 0 && WEXITSTATUS(saida) != 3)) {
            estado.SkipWithError("o zelta-livro falhou");
            break;
        }
        picoKb = std::max(picoKb, uso.ru_maxrss);
    }
    posix_spawn_file_actions_destroy(&accoes);
    if (fs::exists(pdf)) {
        estado.counters["KB"] = static_cast<double>(fs::file_size(pdf)) / 1000;
    }
    estado.counters["MB_pico"] = static_cast<double>(picoKb) / 1024;
    fs::remove_all(pasta);
}

// 100 puzzles com as palavras de cada lado; o grupo por omissão quando não se diz o livro.
const std::vector<std::string> Dicionario{"--livro", "Dicionário"};

std::vector<std::string> Livro(std::string lado, std::string palavras, std::string puzzles,
                               const std::vector<std::string>& grupo) {
    std::vector<std::string> r{"--semente",  "20261210", "--tamanho", lado,
                               "--palavras", palavras,   "--puzzles", puzzles};
    r.insert(r.end(), grupo.begin(), grupo.end());
    return r;
}

BENCHMARK_CAPTURE(LivroInteiro, Dicionario_20x20_100, Livro("20", "30", "100", Dicionario))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(LivroInteiro, Omissao_20x20_100, Livro("20", "30", "100", {}))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(LivroInteiro, Dicionario_20x20_1, Livro("20", "30", "1", Dicionario))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(LivroInteiro, Dicionario_15x15_100, Livro("15", "20", "100", Dicionario))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(LivroInteiro, Omissao_15x15_100, Livro("15", "20", "100", {}))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(LivroInteiro, Dicionario_10x10_100, Livro("10", "10", "100", Dicionario))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(LivroInteiro, Omissao_10x10_100, Livro("10", "10", "100", {}))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
