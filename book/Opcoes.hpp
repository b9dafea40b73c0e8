// Análise das opções antes de uma corrida, e as frases que a janela mostra.
#pragma once

#include "core/Tipos.hpp"
#include "themes/Dicionario.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// A entrada do seletor do livro que mistura todos os temas.
inline constexpr std::u16string_view EntradaMix = u"Mix de Temas";

// Os limites que o lado e os temas escolhidos põem aos números das opções.
struct TIntervalos {
    std::int32_t MaxMinLetras = 0; // o mínimo de letras vai de 3 a este valor
    std::int32_t MaxMaxLetras = 0; // o máximo de letras vai de 3 a este valor
    std::int32_t MaxPalavras = 0;  // as palavras vão de 10 a este valor
    std::int32_t MinPuzzles = 0;   // os puzzles vão deste valor a 100
};

struct TAnalise {
    bool PodeGerar = false;
    std::u16string Motivo;
    std::u16string Aviso;
    std::int32_t NumTemas = 0;
};

// A biblioteca seguida do dicionário quando tem palavras: o que a análise e a corrida recebem.
TRefsTemas TemasComDicionario(const std::vector<TTema>& temas, const TTema& dicionario);
// As entradas do seletor: os grupos pela sua ordem, «Mix de Temas» e «Dicionário» quando tem palavras.
std::vector<std::u16string> EntradasDoLivro(const std::vector<TTema>& temas, const TTema& dicionario);
TIntervalos IntervalosDasOpcoes(std::int32_t lado, std::span<const TTema* const> escolha, bool mix);

TAnalise AnalisarOpcoes(const TConfigLivro& config, std::span<const TTema* const> temas);
TRefsTemas TemasDaEscolha(std::span<const TTema* const> temas, std::u16string_view grupo, bool mix);
std::int32_t LimiteMaxLetras(std::int32_t lado, std::span<const TTema* const> temas);
std::u16string PerguntaEstimativa(std::int32_t estimados, std::int32_t pedidos);
std::u16string Contagem(std::int64_t n, std::u16string_view singular, std::u16string_view plural);

std::u16string ResumoDasOpcoes(const TConfigLivro& config, std::int32_t numTemas);
std::u16string NomeDoModo(TModoDirecoes modo);
std::u16string NomeBreveDoLivro(std::u16string_view grupo, bool mix);
std::u16string NomeFicheiroPdf(std::u16string_view grupo, bool mix, std::int32_t lado, std::int32_t numPuzzles);
std::u16string MensagemLivroGerado(std::int32_t puzzles, std::int32_t paginas);
std::u16string MensagemCancelada(std::int32_t gerados, std::int32_t pedidos);
std::u16string PerguntaFecharAGerar();

} // namespace zelta
