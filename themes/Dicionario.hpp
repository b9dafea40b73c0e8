// O dicionário geral, a lista negra e as consultas que escolhem os temas de um livro.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// O nome e o grupo do dicionário, e a entrada dele no seletor do livro.
inline constexpr std::u16string_view NomeDoDicionario = u"Dicionário";

// Temas escolhidos: apontam para os do catálogo, que tem de viver mais do que a lista.
using TRefsTemas = std::vector<const TTema*>;

TRefsTemas RefsDe(const std::vector<TTema>& temas);

TTema CarregarDicionario(const std::filesystem::path& pastaDosTemas);

std::vector<std::u16string> LerListaNegra(const std::vector<std::u16string>& linhas);
std::vector<std::u16string> ListaNegraDoRecurso();
std::vector<std::u16string> ListaNegraDeFicheiro(const std::filesystem::path& caminho);
// A embutida; só quando falta ou está vazia, a ListaNegra.txt da pasta; qualquer falha dá lista vazia.
std::vector<std::u16string> CarregarListaNegra(const std::filesystem::path& pastaDosTemas);

TRefsTemas TemasDoGrupo(std::span<const TTema* const> temas, std::u16string_view grupo);
// As letras da palavra mais comprida dos temas; com ate, para logo que uma chegue a ate letras e diz ate.
std::int32_t MaiorPalavra(std::span<const TTema* const> temas,
                          std::int32_t ate = std::numeric_limits<std::int32_t>::max());

} // namespace zelta
