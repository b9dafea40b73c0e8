// Rotinas pequenas sobre as tabelas fixas do domínio.
#include "core/Tipos.hpp"

#include "core/Texto.hpp"

namespace zelta {

std::int32_t IndiceDoTamanho(std::int32_t lado) {
    for (std::size_t i = 0; i < Tamanhos.size(); ++i) {
        if (Tamanhos[i] == lado) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

bool TamanhoValido(std::int32_t lado) { return IndiceDoTamanho(lado) >= 0; }

std::int32_t TamanhoDoIndice(std::int32_t indice) {
    if (indice < 0 || indice >= static_cast<std::int32_t>(Tamanhos.size())) {
        throw EZelta(u"TamanhoDoIndice: índice fora do intervalo");
    }
    return Tamanhos[static_cast<std::size_t>(indice)];
}

std::u16string RotuloTamanho(std::int32_t lado) {
    const std::u16string n = Decimal(lado);
    return n + u" × " + n;
}

std::int32_t MaxPalavrasDoLado(std::int32_t lado) {
    const std::int32_t i = IndiceDoTamanho(lado);
    return i < 0 ? 0 : MaxPalavras[static_cast<std::size_t>(i)];
}

std::int32_t NumDirecoes(TModoDirecoes modo) {
    switch (modo) {
    case TModoDirecoes::mdSimples:
        return 2;
    case TModoDirecoes::mdDiagonais:
        return 4;
    case TModoDirecoes::mdTodas:
        return 8;
    }
    return 2;
}

TModoDirecoes ModoDoIndice(std::int32_t indice) {
    if (indice < 0 || indice > 2) {
        throw EZelta(u"ModoDoIndice: índice fora do intervalo");
    }
    return static_cast<TModoDirecoes>(indice);
}

std::int32_t MinimoPalavras(std::int32_t n) { return (n * 75 + 99) / 100; }

std::int32_t AlvoCandidatas(std::int32_t n) { return n + (n * 50) / 100 + 2; }

EZelta::EZelta(std::u16string mensagem) : std::runtime_error(ParaUtf8(mensagem)), FMensagem(std::move(mensagem)) {}

} // namespace zelta
