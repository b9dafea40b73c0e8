// Perguntas sobre uma grelha: onde se lê uma palavra, se está dentro de uma palavra escondida, onde há
// palavras da lista negra; e se duas palavras podem partilhar um puzzle sem uma se ler duas vezes.
#pragma once

#include "core/Tipos.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

struct TOcorrencia {
    std::int32_t Linha = 0;
    std::int32_t Coluna = 0;
    std::int32_t Direcao = 0;
    std::int32_t Comprimento = 0;
    friend bool operator==(const TOcorrencia&, const TOcorrencia&) = default;
};

struct TCelula {
    std::int32_t Linha = 0;
    std::int32_t Coluna = 0;
    friend bool operator==(const TCelula&, const TCelula&) = default;
};

std::u16string InverterTexto(std::u16string_view s);
bool EPalindromo(std::u16string_view s);
bool PalavrasCompativeis(std::u16string_view a, std::u16string_view b, bool comInversoes);
TCelula CelulaDaOcorrencia(const TOcorrencia& o, std::int32_t k);

// As posições de cada letra da grelha, por ordem de linha e coluna: uma procura só visita as células
// com a primeira letra da palavra. Construído uma vez por grelha (ou por passagem da reparação).
class TIndiceDeLetras {
public:
    // Uma célula com a letra: a posição (linha × lado + coluna) e já a linha e a coluna, que uma procura
    // precisa em cada direção e que dividir a posição de cada vez custava mais do que a procura inteira.
    struct TCelulaIndexada {
        std::int32_t Posicao;
        std::int16_t Linha;
        std::int16_t Coluna;
    };

    void Construir(std::u16string_view grelha, std::int32_t lado);
    // As células com a letra, por ordem; para letras de U+0100 em diante, todas as células com alguma dessas
    // letras (o chamador confere a letra).
    std::span<const TCelulaIndexada> Posicoes(char16_t letra) const;

private:
    // O alfabeto da grelha cabe em U+0000–U+00FF; o último balde junta o resto.
    static constexpr std::size_t NumBaldes = 257;
    static std::size_t Balde(char16_t c) { return std::min<std::size_t>(c, NumBaldes - 1); }
    std::array<std::int32_t, NumBaldes + 1> FInicio{};
    std::vector<TCelulaIndexada> FPosicoes;
};

// Acrescenta à lista as ocorrências, por direção, depois linha, depois coluna.
void ProcurarOcorrencias(const TIndiceDeLetras& indice, std::u16string_view grelha, std::int32_t lado,
                         std::u16string_view palavra, std::int32_t numDirecoes, std::vector<TOcorrencia>& lista);
void ProcurarOcorrencias(std::u16string_view grelha, std::int32_t lado, std::u16string_view palavra,
                         std::int32_t numDirecoes, std::vector<TOcorrencia>& lista);

bool DentroDePalavraColocada(const TOcorrencia& o, std::span<const TPalavraColocada> colocadas);
bool DentroDePalavraColocada(const TOcorrencia& o, const TPuzzle& puzzle);

// Em todas as direções e sem acentos; as ocorrências inteiras dentro de uma palavra escondida não contam.
void ProcurarListaNegra(std::u16string_view grelha, std::int32_t lado, const std::vector<std::u16string>& listaNegra,
                        std::span<const TPalavraColocada> colocadas, std::vector<TOcorrencia>& lista);

} // namespace zelta
