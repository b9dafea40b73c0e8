// Escrita de um ficheiro inteiro sem nunca deixar meio ficheiro: temporário na mesma pasta, depois renomeado.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zelta {

// Devolve 0, ou o errno da falha; nesse caso o destino fica como estava e o temporário é apagado.
int GravarAtomicamente(const std::filesystem::path& destino, std::span<const std::uint8_t> bytes);

} // namespace zelta
