// Acesso por nome à tabela dos dados embutidos.
#include "core/Recursos.hpp"

#include "core/TabelaRecursos.hpp"

namespace zelta {

namespace {
std::span<const detalhe::TEntradaRecurso> Entradas() {
    return {detalhe::EntradasRecursos, detalhe::NumEntradasRecursos};
}
} // namespace

std::vector<std::u16string> NomesDosRecursos() {
    std::vector<std::u16string> nomes;
    for (const auto& e : Entradas()) {
        nomes.emplace_back(e.Nome);
    }
    return nomes;
}

std::optional<std::span<const std::uint8_t>> VerRecurso(std::u16string_view nome) {
    for (const auto& e : Entradas()) {
        if (nome == e.Nome) {
            return std::span<const std::uint8_t>(e.Inicio, static_cast<std::size_t>(e.Fim - e.Inicio));
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> LerRecurso(std::u16string_view nome) {
    const auto bytes = VerRecurso(nome);
    if (!bytes) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

} // namespace zelta
