// Pequenas conversões de caminhos partilhadas pelas unidades dos temas (uso interno da pasta).
#pragma once

#include "core/Texto.hpp"

#include <filesystem>
#include <string>
#include <string_view>

namespace zelta::detalhe {

inline std::u16string TextoDoCaminho(const std::filesystem::path& caminho) {
    const std::u8string s = caminho.u8string();
    return DeUtf8(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
}

// O nome sem a última extensão: a.b.txt → a.b, .txt → vazio, Aves → Aves. Ao contrário de path::stem,
// um nome que começa por ponto também perde a extensão.
inline std::u16string_view SemUltimaExtensao(std::u16string_view nome) {
    const auto ponto = nome.rfind(u'.');
    return ponto == std::u16string_view::npos ? nome : nome.substr(0, ponto);
}

} // namespace zelta::detalhe
