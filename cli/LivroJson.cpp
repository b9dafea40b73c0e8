// O livro em JSON com o nlohmann/json; as chaves ficam pela ordem em que se escrevem.
#include "cli/LivroJson.hpp"

#include "core/Texto.hpp"

#include <nlohmann/json.hpp>

namespace zelta::cli {

namespace {

using TJson = nlohmann::ordered_json;

const char* NomeDirecoes(TModoDirecoes modo) {
    switch (modo) {
    case TModoDirecoes::mdSimples:
        return "simples";
    case TModoDirecoes::mdDiagonais:
        return "diagonais";
    case TModoDirecoes::mdTodas:
        break;
    }
    return "todas";
}

TJson PuzzleEmJson(std::size_t numero, const TPuzzle& p) {
    TJson linhas = TJson::array();
    const auto lado = static_cast<std::size_t>(p.Lado);
    for (std::size_t l = 0; l < lado && (l + 1) * lado <= p.Grelha.size(); ++l) {
        linhas.push_back(ParaUtf8(std::u16string_view(p.Grelha).substr(l * lado, lado)));
    }
    TJson palavras = TJson::array();
    for (const auto& w : p.Palavras) {
        palavras.push_back({{"texto", ParaUtf8(w.Texto)},
                            {"letras", ParaUtf8(w.Palavra)},
                            {"linha", w.Linha},
                            {"coluna", w.Coluna},
                            {"direcao", w.Direcao}});
    }
    return {{"numero", numero},
            {"tema", ParaUtf8(p.Tema)},
            {"lado", p.Lado},
            {"grelha", std::move(linhas)},
            {"palavras", std::move(palavras)}};
}

} // namespace

std::string LivroEmJson(const TConfigLivro& config, const std::u16string& livro, const std::vector<TPuzzle>& puzzles,
                        const TRelatorioLivro& relatorio) {
    TJson j;
    j["opcoes"] = {{"livro", ParaUtf8(livro)},
                   {"tamanho", config.Lado},
                   {"direcoes", NomeDirecoes(config.Modo)},
                   {"minLetras", config.MinLetras},
                   {"maxLetras", config.MaxLetras},
                   {"palavras", config.NumPalavras},
                   {"puzzles", config.NumPuzzles},
                   {"titulo", ParaUtf8(config.Titulo)},
                   {"acentos", config.Acentos}};
    j["semente"] = config.Semente;
    TJson lista = TJson::array();
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        lista.push_back(PuzzleEmJson(i + 1, puzzles[i]));
    }
    j["puzzles"] = std::move(lista);
    TJson falhas = TJson::array();
    for (const auto& f : relatorio.Falhas) {
        falhas.push_back(ParaUtf8(f));
    }
    j["falhas"] = std::move(falhas);
    return j.dump(2) + "\n";
}

} // namespace zelta::cli
