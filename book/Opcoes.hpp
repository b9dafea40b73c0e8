// As opções de um livro: limites e valores iniciais, a análise antes de uma corrida, e as frases da corrida
// que a janela e o zelta-livro mostram.
#pragma once

#include "book/Livro.hpp"
#include "core/Tipos.hpp"
#include "themes/Catalogo.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// A entrada do seletor do livro que mistura todos os temas.
inline constexpr std::u16string_view EntradaMix = u"Mix de Temas";

// Os limites fixos das opções, os mesmos na janela, no zelta-livro e na ajuda dele.
inline constexpr std::int32_t MinimoDeLetras = 3;         // nem o mínimo nem o máximo de letras descem daqui
inline constexpr std::int32_t MaximoDoMinimoDeLetras = 6; // o mínimo de letras não passa daqui
inline constexpr std::int32_t MinimoDePalavras = 10;
inline constexpr std::int32_t MaximoDePuzzles = 100;
inline constexpr std::int32_t MaximoDoTitulo = 40; // caracteres, depois de aparado

// As opções com que a janela abre e de que parte o zelta-livro: 15 × 15, todas as direções, 20 palavras de
// 4 a 12 letras, 30 puzzles, sem acentos, sem título, sem livro e sem semente.
TConfigLivro ConfigPorOmissao();

// Os limites que o lado e os temas escolhidos põem aos números das opções: cada um vai de Min… a Max….
struct TIntervalos {
    std::int32_t MinMinLetras = MinimoDeLetras;
    std::int32_t MaxMinLetras = 0;
    std::int32_t MinMaxLetras = MinimoDeLetras;
    std::int32_t MaxMaxLetras = 0;
    std::int32_t MinPalavras = MinimoDePalavras;
    std::int32_t MaxPalavras = 0;
    std::int32_t MinPuzzles = 0;
    std::int32_t MaxPuzzles = MaximoDePuzzles;
};

struct TAnalise {
    bool PodeGerar = false;
    std::u16string Motivo;
    std::u16string Aviso;
    std::int32_t NumTemas = 0;
};

// As entradas do seletor: os grupos pela sua ordem, «Mix de Temas» e «Dicionário» quando tem palavras.
std::vector<std::u16string> EntradasDoLivro(const TCatalogo& catalogo);
// A entrada do seletor escolhida: o Mix, ou o grupo (que pode ser o do dicionário).
void DefinirEntrada(TConfigLivro& config, std::u16string_view entrada);
TIntervalos IntervalosDasOpcoes(std::int32_t lado, std::span<const TTema* const> escolha, bool mix);
// Os limites do lado e da escolha do livro de config, sobre todos os temas do catálogo.
TIntervalos IntervalosDoLivro(const TConfigLivro& config, std::span<const TTema* const> temas);
// Encolhe (ou sobe, no caso dos puzzles) cada número para dentro dos limites; o resto fica como estava.
TConfigLivro AjustarAosIntervalos(TConfigLivro config, const TIntervalos& limites);

// Se as opções dão um livro impresso assim; senão Motivo diz porquê. Aviso, quando não vazio, diz que vão
// repetir-se palavras. Um formato onde a grelha ou a lista ficariam abaixo das letras mínimas é recusado
// com a maior grelha que lá cabe.
TAnalise AnalisarOpcoes(const TConfigLivro& config, std::span<const TTema* const> temas,
                        const TOpcoesImpressao& impressao = {});
// O mesmo, contando os pools na memória de trabalho do chamador: a janela analisa a cada mudança de opção.
TAnalise AnalisarOpcoes(const TConfigLivro& config, std::span<const TTema* const> temas, TTrabalhoDoPool& trabalho,
                        const TOpcoesImpressao& impressao = {});
// Se as letras da grelha deste lado chegam aos mínimos do formato num livro de config.NumPuzzles puzzles:
// a janela só oferece esses lados.
bool LadoCabeNoFormato(const TConfigLivro& config, const TOpcoesImpressao& impressao, std::int32_t lado);
// A recusa do formato para as palavras destes temas, vazia quando tudo cabe: a maior grelha que cabe, ou que
// nenhuma cabe. A medianiz conta-se pelo maior livro que config.NumPuzzles pode dar.
std::u16string RecusaDoFormato(const TConfigLivro& config, const TOpcoesImpressao& impressao,
                               std::span<const TTema* const> escolhidos);
// A recusa do formato para um livro já feito, medida pelas palavras e pelo lado dele; vazia quando cabe.
std::u16string RecusaDoFormatoParaLivro(const TDadosLivro& livro);
// Quantos temas tem um livro feito, como o resumo os conta (o Mix conta como um).
std::int32_t TemasDoLivro(const TDadosLivro& livro);
// A largura (em em) da palavra mais larga dos temas com o número de letras de config: a lista do livro
// nunca tem nenhuma mais larga.
double MaiorLarguraDaLista(const TConfigLivro& config, std::span<const TTema* const> temas);
// Os temas de onde sai o livro: todos menos o dicionário no Mix, senão os do grupo.
TRefsTemas TemasDaEscolha(std::span<const TTema* const> temas, std::u16string_view grupo, bool mix);
// O maior máximo de letras: o lado, ou a palavra mais comprida quando é menor, nunca abaixo de 3.
std::int32_t LimiteMaxLetras(std::int32_t lado, std::span<const TTema* const> temas);
// «n singular» ou «n plural», com n em algarismos.
std::u16string Contagem(std::int64_t n, std::u16string_view singular, std::u16string_view plural);

std::u16string ResumoDasOpcoes(const TConfigLivro& config, std::int32_t numTemas);
std::u16string NomeDoModo(TModoDirecoes modo);
std::u16string NomeBreveDoLivro(std::u16string_view grupo, bool mix);
std::u16string NomeFicheiroPdf(std::u16string_view grupo, bool mix, std::int32_t lado, std::int32_t numPuzzles);

// As frases de uma corrida, pela ordem em que podem aparecer.
std::u16string FraseAVerificar();
std::u16string FraseAGravar();
// A estimativa de que vão faltar puzzles, só a constatação (o zelta-livro) e com a pergunta (a janela).
std::u16string FraseEstimativa(std::int32_t estimados, std::int32_t pedidos);
std::u16string PerguntaEstimativa(std::int32_t estimados, std::int32_t pedidos);
std::u16string MensagemCancelada(std::int32_t gerados, std::int32_t pedidos);
std::u16string MensagemGravacaoCancelada();
std::u16string MensagemSemPuzzles();
std::u16string MensagemLivroGerado(std::int32_t puzzles, std::int32_t paginas);
// MensagemLivroGerado, seguida de quantos puzzles faltam quando falta algum.
std::u16string MensagemDoLivro(std::int32_t puzzles, std::int32_t paginas, std::int32_t faltam);
std::u16string PerguntaFecharAGerar();

} // namespace zelta
