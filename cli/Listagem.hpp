// O catálogo visto do terminal: a escolha do livro pelo nome escrito e a listagem dos grupos e dos temas.
#pragma once

#include "themes/Catalogo.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta::cli {

// A entrada igual ao pedido sem olhar à caixa ASCII, como o seletor; sem nenhuma, a primeira igual
// também sem acentos, para quem escreve «Dicionario» ou «ciencia» num terminal.
std::optional<std::u16string> EscolherEntrada(const std::vector<std::u16string>& entradas, std::u16string_view pedido);

// Cada grupo numa linha, seguido dos seus temas com o número de palavras.
std::vector<std::u16string> LinhasDaListagem(const TCatalogo& catalogo);

} // namespace zelta::cli
