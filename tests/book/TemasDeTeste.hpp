// Um catálogo pequeno para os testes do livro: três temas de Natureza, um de Dia a Dia e um dicionário.
#pragma once

#include "core/Tipos.hpp"

#include <initializer_list>
#include <string>
#include <vector>

namespace zelta::teste {

TTema Tema(std::u16string nome, std::u16string grupo, std::initializer_list<std::u16string_view> palavras);
TTema TemaDe(std::u16string nome, std::u16string grupo, const std::vector<std::u16string>& palavras);

// Os temas pela ordem do catálogo; o último é o dicionário.
const std::vector<TTema>& CatalogoDeTeste();

} // namespace zelta::teste
