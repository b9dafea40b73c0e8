// Importação de um tema do utilizador para a pasta dos temas, já limpo e em UTF-8.
#pragma once

#include "core/Tipos.hpp"
#include "themes/LeituraTema.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace zelta {

class ETemaJaExiste : public EZelta {
public:
    using EZelta::EZelta;
};

std::filesystem::path DestinoDaImportacao(const std::filesystem::path& origem, const std::filesystem::path& pasta);
// O relatório de uma importação, linha a linha: o tema, as contagens e as primeiras linhas rejeitadas.
std::vector<std::u16string> LinhasDoRelatorioImportacao(const TTemaLido& lido);

TTemaLido ImportarTema(const std::filesystem::path& origem, const std::filesystem::path& pasta, bool substituir);

} // namespace zelta
