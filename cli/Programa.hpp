// O zelta-livro inteiro, sem o main: argumentos, catálogo, importação, listagem e o caminho de um livro.
#pragma once

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

namespace zelta::cli {

// Estados de saída: os scripts distinguem um livro recusado de um livro a que faltam puzzles.
inline constexpr int SaidaOk = 0;
inline constexpr int SaidaErro = 1;
inline constexpr int SaidaRecusado = 2;       // as opções não dão um livro; nada gravado
inline constexpr int SaidaFaltamPuzzles = 3;  // livro gravado, mas sem alguns puzzles
inline constexpr int SaidaInterrompido = 130; // Ctrl-C durante a geração; nada gravado

struct TAmbiente {
    std::ostream& Saida;
    std::ostream& Erros;
    bool Progresso = false;                          // erros vão para um terminal: barra de progresso
    const std::atomic<bool>* Interrompido = nullptr; // pedido de paragem vindo de um sinal; pode faltar
};

// args sem o nome do programa.
int Executar(const std::vector<std::string>& args, const TAmbiente& ambiente);

} // namespace zelta::cli
