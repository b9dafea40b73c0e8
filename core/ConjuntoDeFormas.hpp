// Conjunto de formas (palavras) por endereçamento aberto, sem uma alocação por forma: serve para ver
// repetidas ao ler o dicionário e ao montar os pools, e para achar a posição de uma palavra no pool. As formas
// vivem no chamador; cada casa guarda o índice da forma e 32 bits do seu hash, para só ir ler a forma (noutro
// sítio da memória) quando o hash bate.
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
            Crescer();
        }
        const std::uint32_t marca = Hash(forma);
        const std::size_t mascara = FCasas.size() - 1;
        for (std::size_t i = marca & mascara;; i = (i + 1) & mascara) {
            const std::uint64_t casa = FCasas[i];
            if (casa == 0) {
                FCasas[i] = (static_cast<std::uint64_t>(marca) << 32U) | (static_cast<std::uint64_t>(indice) + 1);
                ++FOcupadas;
                return true;
            }
            if (static_cast<std::uint32_t>(casa >> 32U) == marca &&
                formaDe(static_cast<std::uint32_t>(casa) - 1) == forma) {
                return false;
            }
        }
    }

    // O índice com que a forma foi registada, ou −1; formaDe como em Inserir.
    template <class FormaDe> std::int32_t Procurar(std::u16string_view forma, FormaDe&& formaDe) const {
        if (FCasas.empty()) {
            return -1;
        }
        const std::uint32_t marca = Hash(forma);
        const std::size_t mascara = FCasas.size() - 1;
        for (std::size_t i = marca & mascara;; i = (i + 1) & mascara) {
            const std::uint64_t casa = FCasas[i];
            if (casa == 0) {
                return -1;
            }
            const auto indice = static_cast<std::uint32_t>(casa) - 1;
            if (static_cast<std::uint32_t>(casa >> 32U) == marca && formaDe(indice) == forma) {
                return static_cast<std::int32_t>(indice);
            }
        }
    }

private:
    // FNV-1a sobre as unidades de código, com a mistura final do MurmurHash3: os bits baixos do FNV sozinho
    // repetem-se em palavras parecidas (as mesmas sílabas noutra ordem).
    static std::uint32_t Hash(std::u16string_view forma) {
        std::uint64_t h = 1469598103934665603ULL;
        for (const char16_t c : forma) {
            h = (h ^ c) * 1099511628211ULL;
        }
        h ^= h >> 33U;
        h *= 0xFF51AFD7ED558CCDULL;
        h ^= h >> 33U;
        return static_cast<std::uint32_t>(h);
    }

    static std::size_t CapacidadePara(std::size_t formas) {
        std::size_t casas = 16;
        while (casas < 2 * formas) {
            casas *= 2;
        }
        return casas;
    }

    // O hash está na casa: crescer não volta a ler as formas.
    void Crescer() {
        const std::vector<std::uint64_t> antigas = std::move(FCasas);
        FCasas.assign(std::max<std::size_t>(16, antigas.size() * 2), 0);
        const std::size_t mascara = FCasas.size() - 1;
        for (const std::uint64_t casa : antigas) {
            if (casa == 0) {
                continue;
            }
            std::size_t i = static_cast<std::uint32_t>(casa >> 32U) & mascara;
            while (FCasas[i] != 0) {
                i = (i + 1) & mascara;
            }
            FCasas[i] = casa;
        }
    }

    std::vector<std::uint64_t> FCasas; // 0 = livre; senão o hash nos 32 bits altos e o índice + 1 nos baixos
    std::size_t FOcupadas = 0;
};

} // namespace zelta
