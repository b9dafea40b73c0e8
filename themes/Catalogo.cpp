// A carga do catálogo: lista negra, dicionário e temas, com o que ficou de fora dito em Avisos.
#include "themes/Catalogo.hpp"

#include "core/Texto.hpp"
#include "themes/Biblioteca.hpp"

#include <exception>

namespace zelta {

TCatalogo CarregarCatalogo(const std::filesystem::path& pasta) {
    TCatalogo c;
    c.Pasta = pasta;
    c.ListaNegra = CarregarListaNegra(pasta);
    try {
        c.Dicionario = CarregarDicionario(pasta);
    } catch (const EZelta& e) {
        // Só sem o dicionário embutido e com um Dicionario.txt ilegível: os temas continuam a servir.
        c.Avisos.push_back(e.Mensagem());
    }
    c.Temas = CarregarTemas(pasta, &c.Avisos);
    return c;
}

TRefsTemas TemasComDicionario(const TCatalogo& catalogo) {
    TRefsTemas refs = RefsDe(catalogo.Temas);
    if (!catalogo.Dicionario.Palavras.empty()) {
        refs.push_back(&catalogo.Dicionario);
    }
    return refs;
}

TRefsTemas TemasSemDicionario(std::span<const TTema* const> temas) {
    TRefsTemas r;
    for (const TTema* t : temas) {
        if (t != nullptr && !IguaisSemCaixaAscii(t->Grupo, NomeDoDicionario)) {
            r.push_back(t);
        }
    }
    return r;
}

} // namespace zelta
