// zelta-livro: faz um livro de Sopa de Letras sem janela. Só liga o programa ao processo.
#include "cli/Programa.hpp"

#include <csignal>
#include <exception>
#include <iostream>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t GInterrompido = 0;

// Um segundo Ctrl-C já não espera pela corrida.
extern "C" void AoInterromper(int sinal) {
    GInterrompido = 1;
    std::signal(sinal, SIG_DFL);
}

} // namespace

int main(int argc, char** argv) {
    // Ctrl-C pede a paragem da corrida, como o «Cancelar» da janela: nada fica gravado.
    std::signal(SIGINT, AoInterromper);
    std::signal(SIGTERM, AoInterromper);
    try {
        const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
        const zelta::cli::TAmbiente ambiente{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1,
                                             [] { return GInterrompido != 0; }};
        return zelta::cli::Executar(args, ambiente);
    } catch (const std::exception& e) {
        std::cerr << "Erro: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "Erro inesperado.\n";
    }
    return zelta::cli::SaidaErro;
}
