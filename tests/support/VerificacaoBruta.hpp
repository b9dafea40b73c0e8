// Verificação por força bruta da invariante de uma grelha, escrita à parte do verificador do programa.
#pragma once

#include "core/Tipos.hpp"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zelta::teste {

// Devolve a primeira violação encontrada, ou texto vazio quando a grelha é boa. Sem enchimentoDasPalavras, as
// letras de enchimento podem ser quaisquer (um livro editado à mão pode tê-las mudado).
std::string ViolacaoDaGrelha(const TPuzzle& puzzle, int numDirecoes, const std::vector<std::u16string>& listaNegra,
                             bool enchimentoDasPalavras = true);

} // namespace zelta::teste
