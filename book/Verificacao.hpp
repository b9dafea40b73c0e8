// A verificação de um livro que vem de fora (um livro gravado e talvez editado à mão): as garantias do gerador
// conferidas puzzle a puzzle, com uma frase para a primeira falta. Sem toolkit: a janela e o zelta-livro usam-na.
#pragma once

#include "core/Tipos.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// A primeira falta de um puzzle num livro de modo e acentos dados, sem ponto final nem o número do puzzle
// («a palavra «GATO» lê-se 2 vezes na grelha»); nada quando o puzzle podia ter saído do gerador.
// Confere o lado, a grelha (tamanho e letras), o nome do tema, o número de palavras e cada palavra: a forma
// escrita, a direção, repetições e palavras dentro de outras, a leitura na posição dada e só aí, e a lista negra
// (sem acentos, em todas as direções) fora das palavras escondidas.
std::optional<std::u16string> FaltaNoPuzzle(const TPuzzle& puzzle, TModoDirecoes modo, bool acentos,
                                            const std::vector<std::u16string>& listaNegra);

// A primeira falta de um livro inteiro numa frase («No puzzle 3, …»): o título, o nome do livro, o lado, o
// número de puzzles e depois cada puzzle pela ordem; nada quando o livro se pode imprimir.
std::optional<std::u16string> FaltaNoLivro(const TDadosLivro& livro, const std::vector<std::u16string>& listaNegra);

} // namespace zelta
