// A carga do catálogo: lista negra, dicionário e temas, com o que ficou de fora dito em Avisos.
#include "themes/Catalogo.hpp"

#include "core/Texto.hpp"
#include "themes/Biblioteca.hpp"
#include "themes/LeituraTema.hpp"

#include <algorithm>
#include <exception>

namespace zelta {

namespace {

std::vector<TResumoTema>::const_iterator ResumoDe(const TCatalogo& catalogo, const TTema& tema) {
    return std::find_if(catalogo.PorCarregar.begin(), catalogo.PorCarregar.end(),
                        [&tema](const TResumoTema& r) { return IguaisSemCaixaAscii(r.Nome, tema.Nome); });
}

} // namespace

TCatalogo CarregarCatalogo(const std::filesystem::path& pasta, TCargaCatalogo carga,
                           const std::atomic<bool>* cancelar) {
    TCatalogo c;
    c.Pasta = pasta;
    c.ListaNegra = CarregarListaNegra(pasta);
    try {
        c.Dicionario = CarregarDicionario(pasta);
    } catch (const ELeituraCancelada&) {
        throw;
    } catch (const EZelta& e) {
        // Só sem o dicionário embutido e com um Dicionario.txt ilegível: os temas continuam a servir.
        c.Avisos.push_back(e.Mensagem());
    }
    if (carga == TCargaCatalogo::ccCompleta) {
        c.Temas = CarregarTemas(pasta, &c.Avisos, cancelar);
        return c;
    }
    c.Temas = TemasDosRecursos();
    c.PorCarregar = ResumosDaPasta(pasta, &c.Avisos, cancelar);
    for (const TResumoTema& r : c.PorCarregar) {
        JuntarTema(c.Temas, TTema{r.Nome, r.Grupo, TOrigemTema::otPasta, {}});
    }
    OrdenarTemas(c.Temas);
    return c;
}

void CompletarTemas(TCatalogo& catalogo, std::u16string_view grupo, bool mix, const std::atomic<bool>* cancelar) {
    for (TTema& tema : catalogo.Temas) {
        const auto resumo = ResumoDe(catalogo, tema);
        if (resumo == catalogo.PorCarregar.end() || !(mix || IguaisSemCaixaAscii(tema.Grupo, grupo))) {
            continue;
        }
        tema.Palavras = CarregarTemaResumido(*resumo, cancelar).Palavras;
        catalogo.PorCarregar.erase(resumo);
    }
}

std::int32_t PalavrasDoTema(const TCatalogo& catalogo, const TTema& tema) {
    if (const auto resumo = ResumoDe(catalogo, tema); resumo != catalogo.PorCarregar.end()) {
        return resumo->Palavras;
    }
    return static_cast<std::int32_t>(tema.Palavras.size());
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
