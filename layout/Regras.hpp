// O texto "Como jogar" do verso, feito de linhas tipadas que se adaptam ao modo e às palavras do livro.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace zelta {

enum class TTipoLinhaRegras : std::uint8_t { lrTitulo = 0, lrTexto = 1, lrItem = 2, lrBranco = 3 };

struct TLinhaRegras {
    TTipoLinhaRegras Tipo = TTipoLinhaRegras::lrBranco;
    std::u16string Texto; // vazio numa linha em branco
    friend bool operator==(const TLinhaRegras&, const TLinhaRegras&) = default;
};

std::u16string FraseDirecoes(TModoDirecoes modo);

std::vector<TLinhaRegras> LinhasRegras(TModoDirecoes modo, bool acentos, bool temAcentos, bool temSeparadores);

// "Puzzles" ou "Soluções".
std::u16string TituloSeccao(bool solucoes);

} // namespace zelta
