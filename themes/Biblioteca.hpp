// A biblioteca de temas: os embutidos, os da pasta do utilizador, a ordem dos grupos.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

std::filesystem::path PastaDosTemas();
std::u16string NomeDoRecurso(std::u16string_view nomeDoItem);
std::vector<TTema> TemasDosRecursos();
// mensagens pode ser nulo; quando não é, recebe uma linha por ficheiro deixado de fora.
std::vector<TTema> TemasDaPasta(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens = nullptr);
std::vector<TTema> CarregarTemas(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens = nullptr);
void OrdenarTemas(std::vector<TTema>& temas);
std::int32_t OrdemDoGrupo(std::u16string_view grupo);
std::vector<std::u16string> GruposDosTemas(const std::vector<TTema>& temas);

} // namespace zelta
