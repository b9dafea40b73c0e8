// Puzzles feitos à mão, determinísticos, para compor livros sem o construtor de grelhas.
// Não respeitam as regras de leitura única: só servem para desenhar.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace zelta::teste {

// Uma grelha lado × lado com numPalavras palavras em todas as direções e letras de enchimento
// tiradas pela semente; as palavras têm acentos, espaços e hífenes.
TPuzzle PuzzleFabricado(std::int32_t lado, std::int32_t numPalavras, std::uint32_t semente,
                        std::u16string tema = u"Animais");

std::vector<TPuzzle> PuzzlesFabricados(std::int32_t quantos, std::int32_t lado, std::int32_t numPalavras);

TConfigLivro ConfigDeTeste(std::int32_t numPuzzles, std::int32_t lado, std::int32_t numPalavras);

} // namespace zelta::teste
