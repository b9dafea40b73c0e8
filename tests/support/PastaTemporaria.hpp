// Pasta temporária única para os testes que escrevem ficheiros a sério; apagada no fim.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <system_error>

namespace zelta::teste {

class TPastaTemporaria {
public:
    TPastaTemporaria() {
        std::string modelo = (std::filesystem::temp_directory_path() / "zelta-teste-XXXXXX").string();
        if (::mkdtemp(modelo.data()) == nullptr) {
            throw std::filesystem::filesystem_error("mkdtemp", std::error_code(errno, std::generic_category()));
        }
        FCaminho = modelo;
    }
    // Um teste pode ter tirado a escrita à pasta; devolve-se antes de a apagar.
    ~TPastaTemporaria() {
        std::error_code ec;
        std::filesystem::permissions(FCaminho, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
        std::filesystem::remove_all(FCaminho, ec);
    }
    TPastaTemporaria(const TPastaTemporaria&) = delete;
    TPastaTemporaria& operator=(const TPastaTemporaria&) = delete;

    const std::filesystem::path& Caminho() const { return FCaminho; }

    // Escreve os bytes tal e qual em relativo, dentro da pasta; devolve o caminho completo.
    std::filesystem::path Escrever(const std::filesystem::path& relativo, std::string_view bytes) const;

private:
    std::filesystem::path FCaminho;
};

// Escreve os bytes tal e qual (std::string leva NUL e bytes altos sem conversão), criando as pastas.
inline void EscreverBytes(const std::filesystem::path& caminho, std::string_view bytes) {
    std::filesystem::create_directories(caminho.parent_path());
    std::ofstream(caminho, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::filesystem::path TPastaTemporaria::Escrever(const std::filesystem::path& relativo,
                                                        std::string_view bytes) const {
    const auto caminho = FCaminho / relativo;
    EscreverBytes(caminho, bytes);
    return caminho;
}

inline std::string LerBytes(const std::filesystem::path& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Nome relativo → conteúdo de cada ficheiro (pastas com conteúdo vazio), para ver que nada mudou.
inline std::map<std::string, std::string> Retrato(const std::filesystem::path& pasta) {
    std::map<std::string, std::string> r;
    if (!std::filesystem::exists(pasta)) {
        return r;
    }
    for (const auto& e : std::filesystem::recursive_directory_iterator(pasta)) {
        const auto nome = std::filesystem::relative(e.path(), pasta).string();
        r[nome] = e.is_regular_file() ? LerBytes(e.path()) : std::string("<pasta>");
    }
    return r;
}

} // namespace zelta::teste
