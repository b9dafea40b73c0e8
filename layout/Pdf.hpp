// O livro num ficheiro PDF: tudo o que os programas precisam da gravação, sem verem o motor por baixo.
#pragma once

#include "core/Tipos.hpp"
#include "layout/Capa.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace zelta {

struct TPdfDoLivro {
    std::vector<std::uint8_t> Bytes;
    std::int32_t Paginas = 0;
};

// Descodifica já o que todas as composições desenham (o selo da licença), para que a primeira não espere por
// isso: pode correr noutro fio enquanto o livro se gera ou se lê. Uma falha aqui fica para LivroEmPdf dizer.
void PrepararLivroEmPdf();

// O PDF inteiro do livro, em memória, no formato de livro.Impressao. Levanta EZelta "Não há puzzles para
// gravar." num livro vazio. cancelado, quando dado, é perguntado antes de cada página: com true, levanta
// ECancelado. O título do PDF é o do livro (ZELTA sem ele) e o assunto é assunto (a linha de resumo).
TPdfDoLivro LivroEmPdf(const TDadosLivro& livro, const std::function<bool()>& cancelado = {},
                       std::u16string_view assunto = {});

// A capa para impressão do livro com paginasDoLivro páginas (as do seu PDF), neste papel: uma página do
// tamanho da capa aberta, com a sangria, e a TrimBox na capa cortada. Determinística como o livro; levanta
// EZelta "Não há puzzles para gravar." num livro vazio.
TPdfDoLivro CapaEmPdf(const TDadosLivro& livro, std::int32_t paginasDoLivro, TPapel papel);

// LivroEmPdf gravado em nome, por inteiro ou nada; devolve o número de páginas. Levanta EZelta com a razão
// quando o ficheiro não se deixa gravar; um pedido de paragem não deixa nada escrito.
std::int32_t GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro,
                            const std::function<bool()>& cancelado = {}, std::u16string_view assunto = {});

} // namespace zelta
