// As palavras de um tema num só bloco de texto.
#include "core/PalavrasTema.hpp"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

namespace zelta {

TPalavrasTema::TPalavrasTema(std::initializer_list<TPalavraTema> palavras) {
    FEntradas.reserve(palavras.size());
    for (const TPalavraTema& p : palavras) {
        push_back(p);
    }
}

TPalavraTema TPalavrasTema::operator[](std::size_t i) const {
    const TEntrada& e = FEntradas[i];
    const char16_t* bloco = FBloco.data();
    return {{bloco + e.Texto, e.TamanhoTexto}, {bloco + e.Letras, e.TamanhoLetras}};
}

void TPalavrasTema::reserve(std::size_t palavras, std::size_t letras) {
    FEntradas.reserve(palavras);
    FBloco.reserve(letras);
}

void TPalavrasTema::push_back(TPalavraTema palavra) {
    const bool iguais = palavra.Letras == palavra.Texto;
    const std::size_t inicio = FBloco.size();
    if (palavra.Texto.size() + palavra.Letras.size() > std::numeric_limits<std::uint32_t>::max() - inicio) {
        throw std::length_error("TPalavrasTema: o bloco das letras passaria de 2^32 unidades");
    }
    // Uma palavra tirada destas mesmas palavras aponta para o bloco, que pode mudar de sítio ao crescer.
    const auto noBloco = [this](std::u16string_view s) {
        return !s.empty() && std::less_equal<>()(FBloco.data(), s.data()) &&
               std::less<>()(s.data(), FBloco.data() + FBloco.size());
    };
    std::u16string copia;
    if (noBloco(palavra.Texto) || noBloco(palavra.Letras)) {
        copia.append(palavra.Texto).append(palavra.Letras);
        const std::u16string_view v(copia);
        palavra = {v.substr(0, palavra.Texto.size()), v.substr(palavra.Texto.size())};
    }
    FBloco.insert(FBloco.end(), palavra.Texto.begin(), palavra.Texto.end());
    if (!iguais) {
        FBloco.insert(FBloco.end(), palavra.Letras.begin(), palavra.Letras.end());
    }
    const auto texto = static_cast<std::uint32_t>(inicio);
    const auto tamanhoTexto = static_cast<std::uint32_t>(palavra.Texto.size());
    try {
        FEntradas.push_back({texto, tamanhoTexto, iguais ? texto : texto + tamanhoTexto,
                             static_cast<std::uint32_t>(palavra.Letras.size())});
    } catch (...) {
        FBloco.resize(inicio);
        throw;
    }
}

void TPalavrasTema::pop_back() {
    // As letras da última palavra são o fim do bloco.
    FBloco.resize(FEntradas.back().Texto);
    FEntradas.pop_back();
}

bool operator==(const TPalavrasTema& a, const TPalavrasTema& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

} // namespace zelta
