// Pasta temporária única para os testes que escrevem ficheiros a sério; apagada no fim.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>

namespace zelta::teste {

class TPastaTemporaria {
public:
    TPastaTemporaria() {
        static std::atomic<int> contador{0};
        FCaminho = std::filesystem::temp_directory_path() /
                   ("zelta_temas_" + std::to_string(::getpid()) + "_" + std::to_string(contador++));
        std::filesystem::remove_all(FCaminho);
        std::filesystem::create_directories(FCaminho);
    }
    ~TPastaTemporaria() {
        std::error_code ec;
        std::filesystem::remove_all(FCaminho, ec);
    }
    TPastaTemporaria(const TPastaTemporaria&) = delete;
    TPastaTemporaria& operator=(const TPastaTemporaria&) = delete;

    const std::filesystem::path& Caminho() const { return FCaminho; }

    // Escreve os bytes tal e qual (std::string leva NUL e bytes altos sem conversão).
    std::filesystem::path Escrever(const std::filesystem::path& relativo, std::string_view bytes) const {
        const auto caminho = FCaminho / relativo;
        std::filesystem::create_directories(caminho.parent_path());
        std::ofstream(caminho, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return caminho;
    }

private:
    std::filesystem::path FCaminho;
};

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
