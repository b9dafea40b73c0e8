// As palavras de um tema, guardadas num só bloco de texto.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <vector>

namespace zelta {

// Uma palavra de um tema. Vista dentro das palavras de um tema, vale até elas mudarem.
struct TPalavraTema {
    std::u16string_view Texto;  // como o leitor a vê na lista
    std::u16string_view Letras; // só as letras, com acentos
    friend bool operator==(const TPalavraTema&, const TPalavraTema&) = default;
};

// As palavras de um tema, pela ordem, com as letras de todas num só bloco. Um tema tem até milhões de palavras
// (o dicionário, dezenas de milhares): duas cadeias por palavra eram mais memória do que as próprias letras, e
// pedir e libertar a memória de cada uma custava mais do que ler o tema. Quando as letras são o próprio texto,
// como em quase todas, guardam-se uma só vez.
class TPalavrasTema {
public:
    class TIterador {
    public:
        using iterator_concept = std::forward_iterator_tag;
        using iterator_category = std::input_iterator_tag;
        using value_type = TPalavraTema;
        using difference_type = std::ptrdiff_t;
        using reference = TPalavraTema;

        TIterador() = default;
        TIterador(const TPalavrasTema& palavras, std::size_t indice) : FPalavras(&palavras), FIndice(indice) {}

        TPalavraTema operator*() const { return (*FPalavras)[FIndice]; }
        TIterador& operator++() {
            ++FIndice;
            return *this;
        }
        TIterador operator++(int) {
            TIterador antes = *this;
            ++FIndice;
            return antes;
        }
        friend bool operator==(const TIterador& a, const TIterador& b) { return a.FIndice == b.FIndice; }

    private:
        const TPalavrasTema* FPalavras = nullptr;
        std::size_t FIndice = 0;
    };
    using value_type = TPalavraTema;
    using const_iterator = TIterador;

    TPalavrasTema() = default;
    TPalavrasTema(std::initializer_list<TPalavraTema> palavras);

    std::size_t size() const { return FEntradas.size(); }
    bool empty() const { return FEntradas.empty(); }
    TPalavraTema operator[](std::size_t i) const;
    TPalavraTema front() const { return (*this)[0]; }
    TPalavraTema back() const { return (*this)[FEntradas.size() - 1]; }
    TIterador begin() const { return {*this, 0}; }
    TIterador end() const { return {*this, FEntradas.size()}; }

    // As unidades de texto e de letras guardadas, de todas as palavras juntas.
    std::size_t unidades() const { return FBloco.size(); }
    // Memória para tantas palavras e tantas unidades de texto e de letras juntas.
    void reserve(std::size_t palavras, std::size_t letras = 0);
    // Guarda uma cópia da palavra no fim; as palavras vistas antes podem deixar de valer. Levanta
    // std::length_error se o bloco passasse de 2^32 unidades.
    void push_back(TPalavraTema palavra);
    void pop_back();

    friend bool operator==(const TPalavrasTema& a, const TPalavrasTema& b);

private:
    // Onde estão o texto e as letras de uma palavra no bloco.
    struct TEntrada {
        std::uint32_t Texto;
        std::uint32_t TamanhoTexto;
        std::uint32_t Letras;
        std::uint32_t TamanhoLetras;
    };

    std::vector<char16_t> FBloco;
    std::vector<TEntrada> FEntradas;
};

} // namespace zelta
