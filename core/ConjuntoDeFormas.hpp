// Conjunto de formas (palavras) por endereçamento aberto, sem uma alocação por forma: serve para ver
// repetidas ao ler o dicionário e ao montar os pools. As formas vivem no chamador; o conjunto guarda só o
// índice de cada uma em casas de 32 bits, para a tabela do dicionário inteiro caber na cache.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zelta {

class TConjuntoDeFormas {
public:
    // Esvazia o conjunto e dimensiona-o para o número de formas esperado; a memória já pedida reaproveita-se.
    void Reiniciar(std::size_t formas) {
        FCasas.assign(CapacidadePara(formas), 0);
        FOcupadas = 0;
    }

    // Verdadeiro quando a forma é nova, e fica registada com o índice dado; formaDe(i) devolve a forma
    // registada com o índice i (a do chamador, que pode ter mudado de sítio desde então).
    template <class FormaDe> bool Inserir(std::u16string_view forma, std::uint32_t indice, FormaDe&& formaDe) {
        if (2 * (FOcupadas + 1) > FCasas.size()) {
            Crescer(formaDe);
        }
        const std::size_t mascara = FCasas.size() - 1;
        for (std::size_t i = Hash(forma) & mascara;; i = (i + 1) & mascara) {
            const std::uint32_t casa = FCasas[i];
            if (casa == 0) {
                FCasas[i] = indice + 1;
                ++FOcupadas;
                return true;
            }
            if (formaDe(casa - 1) == forma) {
                return false;
            }
        }
    }

private:
    // FNV-1a sobre as unidades de código, reduzido a 32 bits: as palavras são curtas e o cálculo fica inline.
    static std::size_t Hash(std::u16string_view forma) {
        std::uint64_t h = 1469598103934665603ULL;
        for (const char16_t c : forma) {
            h = (h ^ c) * 1099511628211ULL;
        }
        return static_cast<std::size_t>(h ^ (h >> 29U));
    }

    static std::size_t CapacidadePara(std::size_t formas) {
        std::size_t casas = 16;
        while (casas < 2 * formas) {
            casas *= 2;
        }
        return casas;
    }

    // As casas só guardam índices: crescer pede outra vez o hash de cada forma.
    template <class FormaDe> void Crescer(FormaDe& formaDe) {
        const std::vector<std::uint32_t> antigas = std::move(FCasas);
        FCasas.assign(std::max<std::size_t>(16, antigas.size() * 2), 0);
        const std::size_t mascara = FCasas.size() - 1;
        for (const std::uint32_t casa : antigas) {
            if (casa == 0) {
                continue;
            }
            std::size_t i = Hash(formaDe(casa - 1)) & mascara;
            while (FCasas[i] != 0) {
                i = (i + 1) & mascara;
            }
            FCasas[i] = casa;
        }
    }

    std::vector<std::uint32_t> FCasas; // 0 = livre; senão o índice + 1
    std::size_t FOcupadas = 0;
};

} // namespace zelta
