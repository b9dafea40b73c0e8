// A cache dos resumos dos temas da pasta (.zelta-resumos): um tema enorme só se conta outra vez quando o
// ficheiro muda de tamanho ou de data de modificação.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>

namespace zelta::detalhe {

struct TEntradaResumo {
    std::int32_t Palavras = 0; // 0 = sem palavras válidas
    std::int32_t Maior = 0;
    std::u16string Nome;
    std::u16string Grupo;
};

// Contar dois milhões de palavras leva meio segundo; a cache torna a listagem e a escolha de um livro
// independentes do tamanho dos temas da pasta. A chave é o nome do ficheiro, o tamanho e a data de modificação
// ao nanossegundo; a primeira linha diz a versão das regras de leitura, e uma cache de outra versão ignora-se.
// Uma cache ilegível ou que não se consegue gravar não é um erro: conta-se outra vez.
class TCacheResumos {
public:
    explicit TCacheResumos(std::filesystem::path pasta);

    const TEntradaResumo* Procurar(const std::string& ficheiro, const struct stat& st);
    void Guardar(const std::string& ficheiro, const struct stat& st, TEntradaResumo entrada);
    // Grava se alguma coisa mudou; sem manterTodas, as entradas de ficheiros que não se procuraram nem
    // guardaram saem (os ficheiros desapareceram).
    void Gravar(bool manterTodas = false);

private:
    struct TChave {
        std::uint64_t Tamanho = 0;
        std::int64_t Segundos = 0;
        std::int64_t Nanos = 0;
        friend bool operator==(const TChave&, const TChave&) = default;
    };
    static TChave ChaveDe(const struct stat& st);

    std::filesystem::path FCaminho;
    std::map<std::string, std::pair<TChave, TEntradaResumo>> FEntradas;
    std::set<std::string> FVistos;
    bool FMudou = false;
};

// Depois de uma importação: o resumo do ficheiro escrito fica já na cache da sua pasta.
void LembrarResumo(const std::filesystem::path& caminho, TEntradaResumo entrada);

} // namespace zelta::detalhe
