// zelta-livro: faz um livro de Sopa de Letras sem janela. Só liga o programa ao processo.
#include "cli/Programa.hpp"
#include "core/Tipos.hpp"

#include <csignal>
#include <exception>
#include <iostream>
#include <signal.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t GInterrompido = 0;

// Só marca o pedido: cada fase pergunta por ele a intervalos curtos e acaba sem deixar ficheiros. Um segundo
// sinal não mata o processo, que deixaria um temporário a meio.
extern "C" void AoInterromper(int) { GInterrompido = 1; }

} // namespace

int main(int argc, char** argv) {
    // Ctrl-C pede a paragem da corrida, como o «Cancelar» da janela: nada fica gravado.
    struct sigaction acao {};
    acao.sa_handler = AoInterromper;
    sigemptyset(&acao.sa_mask);
    ::sigaction(SIGINT, &acao, nullptr);
    ::sigaction(SIGTERM, &acao, nullptr);
    try {
        const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
        const zelta::cli::TAmbiente ambiente{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1,
                                             [] { return GInterrompido != 0; }};
        return zelta::cli::Executar(args, ambiente);
    } catch (const zelta::EZelta& e) {
        std::cerr << "Erro: " << e.what() << '\n';
    } catch (...) {
        // O texto de uma exceção da biblioteca viria em inglês.
        std::cerr << "Erro inesperado. Nada foi gravado.\n";
    }
    return zelta::cli::SaidaErro;
}
