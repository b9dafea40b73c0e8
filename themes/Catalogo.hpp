// O catálogo de um livro: os temas (embutidos e da pasta), o dicionário, a lista negra e os avisos da carga.
// A janela e o zelta-livro carregam-no da mesma maneira e passam-no inteiro à produção do livro.
#pragma once

#include "core/Tipos.hpp"
#include "themes/Biblioteca.hpp"
#include "themes/Dicionario.hpp"

#include <atomic>
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
    // Temas da pasta ainda sem palavras (carga por resumos): estão em Temas só com nome e grupo.
    std::vector<TResumoTema> PorCarregar;
};

enum class TCargaCatalogo : std::uint8_t {
    ccCompleta, // todas as palavras de todos os temas
    ccResumos,  // os temas da pasta só com nome, grupo e contagens: um tema enorme não atrasa os outros livros
};

// Nunca falha por causa de um ficheiro da pasta: o que não se lê fica de fora, com uma linha em Avisos.
// Com cancelar, ELeituraCancelada pouco depois de *cancelar passar a verdadeiro.
TCatalogo CarregarCatalogo(const std::filesystem::path& pasta, TCargaCatalogo carga = TCargaCatalogo::ccCompleta,
                           const std::atomic<bool>* cancelar = nullptr);
// Carrega as palavras que faltam aos temas de onde sai o livro (o grupo, ou todos no Mix).
void CompletarTemas(TCatalogo& catalogo, std::u16string_view grupo, bool mix,
                    const std::atomic<bool>* cancelar = nullptr);
// Quantas palavras tem um tema do catálogo, carregado ou só resumido.
std::int32_t PalavrasDoTema(const TCatalogo& catalogo, const TTema& tema);

// Os temas seguidos do dicionário quando tem palavras: o que a análise e a corrida recebem.
// As referências apontam para o catálogo, que tem de viver mais do que elas.
TRefsTemas TemasComDicionario(const TCatalogo& catalogo);
// Os temas de uma lista sem o dicionário: o Mix nunca o inclui.
TRefsTemas TemasSemDicionario(std::span<const TTema* const> temas);

} // namespace zelta
