// Formato da cache, em UTF-8: a linha da versão e depois uma linha por ficheiro, com os campos separados por
// TAB: tamanho, segundos, nanossegundos, palavras, maior, nome, grupo, ficheiro. O nome e o grupo nunca têm
// controlos (o leitor trocou-os por espaços); um nome de ficheiro com TAB ou quebra de linha não se guarda.
#include "themes/CacheResumos.hpp"

#include "core/Ficheiros.hpp"
#include "core/Texto.hpp"

#include <charconv>
#include <fstream>
#include <vector>

namespace zelta::detalhe {

namespace {

constexpr std::string_view Versao = "zelta-resumos 1";
constexpr const char* NomeDaCache = ".zelta-resumos";

std::vector<std::string_view> Campos(std::string_view linha) {
    std::vector<std::string_view> r;
    for (;;) {
        const auto tab = linha.find('\t');
        r.push_back(linha.substr(0, tab));
        if (tab == std::string_view::npos) {
            return r;
        }
        linha.remove_prefix(tab + 1);
    }
}

template <class T> bool Numero(std::string_view s, T& n) {
    const auto [fim, erro] = std::from_chars(s.data(), s.data() + s.size(), n);
    return erro == std::errc() && fim == s.data() + s.size();
}

} // namespace

TCacheResumos::TChave TCacheResumos::ChaveDe(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
            static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

TCacheResumos::TCacheResumos(std::filesystem::path pasta) : FCaminho(std::move(pasta) / NomeDaCache) {
    std::ifstream f(FCaminho, std::ios::binary);
    std::string linha;
    if (!std::getline(f, linha) || linha != Versao) {
        return;
    }
    while (std::getline(f, linha)) {
        const auto c = Campos(linha);
        TChave chave;
        TEntradaResumo e;
        if (c.size() != 8 || !Numero(c[0], chave.Tamanho) || !Numero(c[1], chave.Segundos) ||
            !Numero(c[2], chave.Nanos) || !Numero(c[3], e.Palavras) || !Numero(c[4], e.Maior) || c[7].empty()) {
            continue;
        }
        e.Nome = DeUtf8(c[5]);
        e.Grupo = DeUtf8(c[6]);
        FEntradas[std::string(c[7])] = {chave, std::move(e)};
    }
}

const TEntradaResumo* TCacheResumos::Procurar(const std::string& ficheiro, const struct stat& st) {
    const auto it = FEntradas.find(ficheiro);
    if (it == FEntradas.end() || !(it->second.first == ChaveDe(st))) {
        return nullptr;
    }
    FVistos.insert(ficheiro);
    return &it->second.second;
}

void TCacheResumos::Guardar(const std::string& ficheiro, const struct stat& st, TEntradaResumo entrada) {
    if (ficheiro.find_first_of("\t\r\n") != std::string::npos) {
        return;
    }
    FEntradas[ficheiro] = {ChaveDe(st), std::move(entrada)};
    FVistos.insert(ficheiro);
    FMudou = true;
}

void TCacheResumos::Gravar(bool manterTodas) {
    for (auto it = FEntradas.begin(); it != FEntradas.end();) {
        if (!manterTodas && FVistos.count(it->first) == 0) {
            it = FEntradas.erase(it);
            FMudou = true;
        } else {
            ++it;
        }
    }
    if (!FMudou) {
        return;
    }
    std::string t(Versao);
    t += '\n';
    for (const auto& [ficheiro, valor] : FEntradas) {
        const auto& [chave, e] = valor;
        t += std::to_string(chave.Tamanho) + '\t' + std::to_string(chave.Segundos) + '\t' +
             std::to_string(chave.Nanos) + '\t' + std::to_string(e.Palavras) + '\t' + std::to_string(e.Maior) + '\t' +
             ParaUtf8(ControlosParaEspacos(e.Nome)) + '\t' + ParaUtf8(ControlosParaEspacos(e.Grupo)) + '\t' + ficheiro +
             '\n';
    }
    GravarAtomicamente(FCaminho, {reinterpret_cast<const std::uint8_t*>(t.data()), t.size()});
    FMudou = false;
}

void LembrarResumo(const std::filesystem::path& caminho, TEntradaResumo entrada) {
    struct stat st {};
    if (::stat(caminho.c_str(), &st) != 0) {
        return;
    }
    TCacheResumos cache(caminho.parent_path());
    const std::string ficheiro = caminho.filename().string();
    cache.Guardar(ficheiro, st, std::move(entrada));
    // Só esta entrada muda; as outras ficam como estavam, mesmo sem terem sido vistas.
    cache.Gravar(true);
}

} // namespace zelta::detalhe
