// O livro em JSON: as opções, a semente e cada puzzle com a grelha e as palavras colocadas.
#pragma once

#include "book/Livro.hpp"
#include "core/Tipos.hpp"

#include <string>
#include <vector>

namespace zelta::cli {

// livro é a entrada do seletor escolhida («Natureza», «Mix de Temas», «Dicionário»). Nada de datas nem de
// caminhos: a mesma semente dá o mesmo texto, byte a byte.
std::string LivroEmJson(const TConfigLivro& config, const std::u16string& livro, const std::vector<TPuzzle>& puzzles,
                        const TRelatorioLivro& relatorio);

} // namespace zelta::cli
