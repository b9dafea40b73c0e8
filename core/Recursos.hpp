// Os dados que viajam dentro do programa: temas, dicionário, lista negra, selo da licença e fontes.
// O nome de um item é o nome do seu ficheiro sem a extensão (data/TEMA_ANIMAIS.txt → TEMA_ANIMAIS).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

std::vector<std::u16string> NomesDosRecursos();

// Os bytes do item, ou nada quando não existe.
std::optional<std::vector<std::uint8_t>> LerRecurso(std::u16string_view nome);

// Os mesmos bytes sem cópia; vivem enquanto o programa vive.
std::optional<std::span<const std::uint8_t>> VerRecurso(std::u16string_view nome);

} // namespace zelta
