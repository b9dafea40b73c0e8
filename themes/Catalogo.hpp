// O catálogo de um livro: os temas (embutidos e da pasta), o dicionário, a lista negra e os avisos da carga.
// A janela e o zelta-livro carregam-no da mesma maneira e passam-no inteiro à produção do livro.
#pragma once

#include "core/Tipos.hpp"
#include "themes/Dicionario.hpp"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zelta {

struct TCatalogo {
    std::filesystem::path Pasta;
    std::vector<TTema> Temas; // pela ordem dos grupos
    TTema Dicionario;         // sem palavras quando não há dicionário
    std::vector<std::u16string> ListaNegra;
    std::vector<std::u16string> Avisos; // ficheiros deixados de fora e o que falhou sem impedir a carga
};

// Nunca falha por causa de um ficheiro da pasta: o que não se lê fica de fora, com uma linha em Avisos.
TCatalogo CarregarCatalogo(const std::filesystem::path& pasta);

// Os temas seguidos do dicionário quando tem palavras: o que a análise e a corrida recebem.
// As referências apontam para o catálogo, que tem de viver mais do que elas.
TRefsTemas TemasComDicionario(const TCatalogo& catalogo);
// Os temas de uma lista sem o dicionário: o Mix nunca o inclui.
TRefsTemas TemasSemDicionario(std::span<const TTema* const> temas);

} // namespace zelta
