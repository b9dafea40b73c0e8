// O puzzle de amostra: um livro com o mínimo de puzzles que o grupo aceita, de que só o primeiro interessa.
#include "book/Amostra.hpp"

#include "book/Livro.hpp"
#include "book/Opcoes.hpp"

namespace zelta {

std::optional<TPuzzle> PuzzleDeAmostra(const TConfigLivro& config, const TCatalogo& catalogo) {
    const TRefsTemas temas = TemasComDicionario(catalogo);
    if (!AnalisarOpcoes(config, temas).PodeGerar) {
        return std::nullopt;
    }
    TConfigLivro curto = config;
    curto.NumPuzzles = IntervalosDoLivro(config, temas).MinPuzzles;
    TRelatorioLivro relatorio;
    std::vector<TPuzzle> puzzles = GerarPuzzles(curto, temas, catalogo.ListaNegra, {}, relatorio);
    if (puzzles.empty()) {
        return std::nullopt;
    }
    return std::move(puzzles.front());
}

} // namespace zelta
