// Vocabulário comum do domínio: registos, enumerações, tabelas fixas e a exceção do sistema.
#pragma once

#include "core/PalavrasTema.hpp"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

enum class TModoDirecoes : std::uint8_t { mdSimples = 0, mdDiagonais = 1, mdTodas = 2 };

enum class TOrigemTema : std::uint8_t { otRecurso = 0, otPasta = 1 };

// Passo de uma letra para a seguinte numa direção de leitura.
struct TDirecao {
    std::int32_t DLinha = 0;
    std::int32_t DColuna = 0;
};

// O código d + 4 lê ao contrário do código d; um modo permite um prefixo desta tabela.
inline constexpr std::array<TDirecao, 8> Direcoes{{
    {0, +1},
    {+1, 0},
    {+1, +1},
    {-1, +1},
    {0, -1},
    {-1, 0},
    {-1, -1},
    {+1, -1},
}};

struct TCandidata {
    std::u16string Texto;
    std::u16string Palavra; // a forma escrita na grelha
    friend bool operator==(const TCandidata&, const TCandidata&) = default;
};

struct TPalavraColocada {
    std::u16string Texto;
    std::u16string Palavra;
    std::int32_t Linha = 0;
    std::int32_t Coluna = 0;
    std::int32_t Direcao = 0;
    friend bool operator==(const TPalavraColocada&, const TPalavraColocada&) = default;
};

struct TPuzzle {
    std::int32_t Lado = 0;
    std::u16string Tema;
    std::u16string Grelha; // Lado × Lado letras, linha a linha
    std::vector<TPalavraColocada> Palavras;
    friend bool operator==(const TPuzzle&, const TPuzzle&) = default;
};

struct TTema {
    std::u16string Nome;
    std::u16string Grupo;
    TOrigemTema Origem = TOrigemTema::otRecurso;
    TPalavrasTema Palavras;
    friend bool operator==(const TTema&, const TTema&) = default;
};

struct TConfigLivro {
    std::int32_t NumPuzzles = 0;
    std::int32_t Lado = 0;
    TModoDirecoes Modo = TModoDirecoes::mdSimples;
    std::int32_t MinLetras = 0;
    std::int32_t MaxLetras = 0;
    std::int32_t NumPalavras = 0;
    bool Acentos = false;
    bool Mix = false;
    std::u16string Grupo;
    std::u16string Titulo;
    std::uint32_t Semente = 0;
    friend bool operator==(const TConfigLivro&, const TConfigLivro&) = default;
};

// Os tamanhos de página de um livro impresso; A4 é o livro de sempre.
enum class TFormatoPagina : std::uint8_t { fpA4 = 0, fpA5 = 1, fpCarta = 2, fp8x10 = 3, fp6x9 = 4 };

// Como o livro se imprime, à parte dos puzzles: o mesmo livro pode sair noutro formato.
struct TOpcoesImpressao {
    TFormatoPagina Formato = TFormatoPagina::fpA4;
    bool Encadernar = false;  // margens espelhadas com medianiz e números no lado de fora
    bool LetraGrande = false; // letras maiores em tudo, soluções duas por página
    friend bool operator==(const TOpcoesImpressao&, const TOpcoesImpressao&) = default;
};

// Um livro feito: as opções com que foi feito, os puzzles e como se imprime.
struct TDadosLivro {
    TConfigLivro Config;
    std::vector<TPuzzle> Puzzles; // o puzzle i sai com o número i + 1
    TOpcoesImpressao Impressao;
    friend bool operator==(const TDadosLivro&, const TDadosLivro&) = default;
};

inline constexpr std::array<std::int32_t, 4> Tamanhos{10, 12, 15, 20};
inline constexpr std::array<std::int32_t, 4> MaxPalavras{10, 15, 20, 30};
inline constexpr std::array<std::u16string_view, 7> GruposConhecidos{
    u"Natureza", u"Ciência", u"Portugal", u"Mundo", u"Dia a Dia", u"Cultura e Lazer", u"Verbos"};

std::int32_t IndiceDoTamanho(std::int32_t lado);
bool TamanhoValido(std::int32_t lado);
std::int32_t TamanhoDoIndice(std::int32_t indice);
std::u16string RotuloTamanho(std::int32_t lado);
std::int32_t MaxPalavrasDoLado(std::int32_t lado);
std::int32_t NumDirecoes(TModoDirecoes modo);
TModoDirecoes ModoDoIndice(std::int32_t indice);
std::int32_t MinimoPalavras(std::int32_t n);
std::int32_t AlvoCandidatas(std::int32_t n);

// Erro levantado pelo próprio sistema, com a mensagem em português.
class EZelta : public std::runtime_error {
public:
    explicit EZelta(std::u16string mensagem);
    const std::u16string& Mensagem() const noexcept { return FMensagem; }

private:
    std::u16string FMensagem;
};

// Um trabalho parado a pedido (Cancelar, Ctrl-C) a meio de um passo que não tem como o dizer de outra forma.
class ECancelado : public EZelta {
public:
    using EZelta::EZelta;
};

} // namespace zelta
