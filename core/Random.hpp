// Gerador PCG32 (XSH-RR) semeado por SplitMix64: uma semente de 32 bits reproduz o livro inteiro.
// Nunca usar as distribuições de std::: a ordem exata das tiragens faz parte do resultado.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace zelta {

class TGeradorAleatorio {
public:
    // O mesmo gerador para a mesma semente, em qualquer máquina: SplitMix64(semente) como estado inicial.
    explicit TGeradorAleatorio(std::uint32_t semente);

    // Recomeça a sequência de PCG32 com este estado e este fluxo (o incremento é 2 × sequencia + 1).
    void Iniciar(std::uint64_t estadoInicial, std::uint64_t sequencia);

    // A tiragem seguinte, 32 bits uniformes.
    std::uint32_t ProximoU32() {
        const std::uint64_t antigo = FEstado;
        FEstado = antigo * Multiplicador + FIncremento;
        const auto x = static_cast<std::uint32_t>(((antigo >> 18U) ^ antigo) >> 27U);
        const auto r = static_cast<std::uint32_t>(antigo >> 59U);
        return (x >> r) | (x << ((32U - r) & 31U));
    }

    // Uniforme em [0, limite), sem enviesamento (rejeição); levanta EZelta se limite <= 0.
    std::int32_t Limite(std::int32_t limite);
    // O mesmo em 64 bits, com duas tiragens por tentativa; levanta EZelta se limite == 0.
    std::uint64_t Limite64(std::uint64_t limite);
    // Um índice com probabilidade proporcional ao seu peso; levanta EZelta com pesos negativos, de soma
    // zero ou acima de Int64.
    std::int32_t Ponderado(const std::vector<std::int64_t>& pesos);
    // Uniforme em [minimo, maximo], os dois incluídos; levanta EZelta se maximo < minimo.
    std::int32_t Entre(std::int32_t minimo, std::int32_t maximo);
    // Uniforme em [0, 1) com 53 bits, de duas tiragens.
    double Real01();

    // Dois geradores iguais dão daqui em diante as mesmas tiragens.
    friend bool operator==(const TGeradorAleatorio&, const TGeradorAleatorio&) = default;

    // Fisher–Yates a partir do fim: i − 1 passos para i elementos, com as mesmas tiragens que Limite(i + 1)
    // a cada passo.
    template <class T> void Baralhar(std::vector<T>& a) {
        for (std::size_t i = a.size(); i-- > 1;) {
            const auto l = static_cast<std::uint32_t>(i + 1);
            std::uint32_t r = ProximoU32();
            // O limiar de rejeição, (2^32 − l) mod l, é menor do que l: só um r menor do que l precisa dele,
            // e poupa-se uma divisão por passo num pool inteiro.
            if (r < l) {
                const std::uint32_t t = (0U - l) % l;
                while (r < t) {
                    r = ProximoU32();
                }
            }
            std::swap(a[i], a[r % l]);
        }
    }

private:
    static constexpr std::uint64_t Multiplicador = 6364136223846793005ULL;
    std::uint64_t FEstado = 0;
    std::uint64_t FIncremento = 0;
};

// Um passo do misturador SplitMix64: bijetivo, bons bits para semear.
std::uint64_t SplitMix64(std::uint64_t x);
// A semente do elemento indice de uma sequência semeada com semente (cada puzzle tem a sua).
std::uint32_t DerivarSemente(std::uint32_t semente, std::uint32_t indice);
// Uma semente nova a cada chamada, do relógio; só para livros sem semente pedida.
std::uint32_t NovaSemente();

} // namespace zelta
