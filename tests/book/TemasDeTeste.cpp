// Temas de teste feitos a partir das palavras portuguesas de tests/support.
#include "TemasDeTeste.hpp"

#include "PalavrasDeTeste.hpp"
#include "core/Texto.hpp"

namespace zelta::teste {

TTema TemaDe(std::u16string nome, std::u16string grupo, const std::vector<std::u16string>& palavras) {
    TTema t{std::move(nome), std::move(grupo), TOrigemTema::otRecurso, {}};
    for (const auto& p : palavras) {
        const TLinhaValidada v = ValidarLinha(p);
        t.Palavras.push_back({v.Texto, v.Letras});
    }
    return t;
}

TTema Tema(std::u16string nome, std::u16string grupo, std::initializer_list<std::u16string_view> palavras) {
    std::vector<std::u16string> lista(palavras.begin(), palavras.end());
    return TemaDe(std::move(nome), std::move(grupo), lista);
}

const std::vector<TTema>& CatalogoDeTeste() {
    static const std::vector<TTema> catalogo = [] {
        const auto& todas = PalavrasPortuguesas();
        // Fatias da lista: 0–59 animais, 60–119 mais animais e frutos, 120–160 escola e céu.
        const auto fatia = [&todas](std::size_t de, std::size_t ate) {
            return std::vector<std::u16string>(todas.begin() + static_cast<std::ptrdiff_t>(de),
                                               todas.begin() +
                                                   static_cast<std::ptrdiff_t>(std::min(ate, todas.size())));
        };
        std::vector<TTema> c;
        c.push_back(TemaDe(u"Animais", u"Natureza", fatia(0, 60)));
        c.push_back(TemaDe(u"Bichos", u"Natureza", fatia(60, 120)));
        c.push_back(TemaDe(u"Pequeno", u"Natureza", fatia(120, 128)));
        c.push_back(TemaDe(u"Escola", u"Dia a Dia", fatia(120, 200)));
        c.push_back(TemaDe(u"Dicionário", u"Dicionário", todas));
        return c;
    }();
    return catalogo;
}

} // namespace zelta::teste
