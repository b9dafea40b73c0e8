// Gerador PCG32 (XSH-RR) semeado por SplitMix64: uma semente de 32 bits reproduz o livro inteiro.
// Nunca usar as distribuições de std::: a ordem exata das tiragens faz parte do resultado.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace zelta {

class TGeradorAleatorio {
public:
    explicit TGeradorAleatorio(std::uint32_t semente);

    void Iniciar(std::uint64_t estadoInicial, std::uint64_t sequencia);

    std::uint32_t ProximoU32() {
        const std::uint64_t antigo = FEstado;
        FEstado = antigo * Multiplicador + FIncremento;
        const auto x = static_cast<std::uint32_t>(((antigo >> 18U) ^ antigo) >> 27U);
        const auto r = static_cast<std::uint32_t>(antigo >> 59U);
        return (x >> r) | (x << ((32U - r) & 31U));
    }

    std::int32_t Limite(std::int32_t limite);
    std::uint64_t Limite64(std::uint64_t limite);
    std::int32_t Ponderado(const std::vector<std::int64_t>& pesos);
    std::int32_t Entre(std::int32_t minimo, std::int32_t maximo);
    double Real01();

    // Fisher–Yates a partir do fim.
    template <class T> void Baralhar(std::vector<T>& a) {
        for (std::size_t i = a.size(); i-- > 1;) {
            const auto j = static_cast<std::size_t>(Limite(static_cast<std::int32_t>(i + 1)));
            std::swap(a[i], a[j]);
        }
    }

private:
    static constexpr std::uint64_t Multiplicador = 6364136223846793005ULL;
    std::uint64_t FEstado = 0;
    std::uint64_t FIncremento = 0;
};

std::uint64_t SplitMix64(std::uint64_t x);
std::uint32_t DerivarSemente(std::uint32_t semente, std::uint32_t indice);
std::uint32_t NovaSemente();

} // namespace zelta
