// A biblioteca de temas: os embutidos, os da pasta do utilizador, a ordem dos grupos.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// A pasta dos temas do utilizador para o executável que está a correr.
std::filesystem::path PastaDosTemas();
// A mesma regra para um programa em pastaDoPrograma: Temas ao lado dele, senão $XDG_DATA_HOME/zelta/Temas.
std::filesystem::path PastaDosTemasDoPrograma(const std::filesystem::path& pastaDoPrograma);
std::u16string NomeDoRecurso(std::u16string_view nomeDoItem);
std::vector<TTema> TemasDosRecursos();
// mensagens pode ser nulo; quando não é, recebe uma linha por ficheiro deixado de fora.
std::vector<TTema> TemasDaPasta(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens = nullptr);
std::vector<TTema> CarregarTemas(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens = nullptr);
void OrdenarTemas(std::vector<TTema>& temas);
std::int32_t OrdemDoGrupo(std::u16string_view grupo);
std::vector<std::u16string> GruposDosTemas(const std::vector<TTema>& temas);

} // namespace zelta
