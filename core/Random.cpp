// Tiragens limitadas sem enviesamento (por rejeição) e tratamento das sementes.
#include "core/Random.hpp"

#include "core/Tipos.hpp"

#include <chrono>
#include <limits>

namespace zelta {

namespace {
constexpr std::uint64_t SequenciaDoSistema = 54;
}

TGeradorAleatorio::TGeradorAleatorio(std::uint32_t semente) { Iniciar(SplitMix64(semente), SequenciaDoSistema); }

void TGeradorAleatorio::Iniciar(std::uint64_t estadoInicial, std::uint64_t sequencia) {
    FEstado = 0;
    FIncremento = (sequencia << 1U) | 1U;
    ProximoU32();
    FEstado += estadoInicial;
    ProximoU32();
}

std::int32_t TGeradorAleatorio::Limite(std::int32_t limite) {
    if (limite <= 0) {
        throw EZelta(u"TGeradorAleatorio.Limite: limite tem de ser positivo");
    }
    // (2^32 − l) mod l em 32 bits: o mesmo valor, com uma divisão mais barata.
    const auto l = static_cast<std::uint32_t>(limite);
    const std::uint32_t t = (0U - l) % l;
    std::uint32_t r = 0;
    do {
        r = ProximoU32();
    } while (r < t);
    return static_cast<std::int32_t>(r % l);
}

std::uint64_t TGeradorAleatorio::Limite64(std::uint64_t limite) {
    if (limite == 0) {
        throw EZelta(u"TGeradorAleatorio.Limite64: limite tem de ser positivo");
    }
    const std::uint64_t t = (0 - limite) % limite;
    std::uint64_t r = 0;
    do {
        const std::uint64_t alto = ProximoU32();
        const std::uint64_t baixo = ProximoU32();
        r = (alto << 32U) | baixo;
    } while (r < t);
    return r % limite;
}

std::int32_t TGeradorAleatorio::Ponderado(const std::vector<std::int64_t>& pesos) {
    std::int64_t total = 0;
    for (const std::int64_t p : pesos) {
        if (p < 0) {
            throw EZelta(u"TGeradorAleatorio.Ponderado: peso negativo");
        }
        if (total > std::numeric_limits<std::int64_t>::max() - p) {
            throw EZelta(u"TGeradorAleatorio.Ponderado: soma dos pesos excede Int64");
        }
        total += p;
    }
    if (total == 0) {
        throw EZelta(u"TGeradorAleatorio.Ponderado: soma dos pesos e zero");
    }
    const std::uint64_t d = Limite64(static_cast<std::uint64_t>(total));
    std::uint64_t c = 0;
    for (std::size_t i = 0; i < pesos.size(); ++i) {
        c += static_cast<std::uint64_t>(pesos[i]);
        if (d < c) {
            return static_cast<std::int32_t>(i);
        }
    }
    return static_cast<std::int32_t>(pesos.size()) - 1; // inalcançável: d < total
}

std::int32_t TGeradorAleatorio::Entre(std::int32_t minimo, std::int32_t maximo) {
    if (maximo < minimo) {
        throw EZelta(u"TGeradorAleatorio.Entre: maximo menor do que o minimo");
    }
    // A amplitude cabe em 32 bits com sinal nos usos do sistema; em 64 bits não transborda.
    const std::int64_t amplitude = std::int64_t{maximo} - minimo + 1;
    if (amplitude > std::numeric_limits<std::int32_t>::max()) {
        return static_cast<std::int32_t>(minimo +
                                         static_cast<std::int64_t>(Limite64(static_cast<std::uint64_t>(amplitude))));
    }
    return minimo + Limite(static_cast<std::int32_t>(amplitude));
}

double TGeradorAleatorio::Real01() {
    const std::uint32_t a = ProximoU32() >> 5U;
    const std::uint32_t b = ProximoU32() >> 6U;
    return (a * 67108864.0 + b) / 9007199254740992.0;
}

std::uint64_t SplitMix64(std::uint64_t x) {
    std::uint64_t z = x + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31U);
}

std::uint32_t DerivarSemente(std::uint32_t semente, std::uint32_t indice) {
    return static_cast<std::uint32_t>(SplitMix64((std::uint64_t{semente} << 32U) | indice));
}

std::uint32_t NovaSemente() {
    const auto t = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return static_cast<std::uint32_t>(SplitMix64(t ^ (t >> 32U)));
}

} // namespace zelta
