// O livro num ficheiro PDF: tudo o que os programas precisam da gravação, sem verem o motor por baixo.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace zelta {

// Grava o livro em nome, no formato de livro.Impressao, por inteiro ou nada, e devolve o número de páginas.
// O título do PDF é o do livro (ZELTA sem ele) e o assunto é assunto (a linha de resumo das opções).
// Levanta EZelta "Não há puzzles para gravar." num livro vazio e EZelta quando o ficheiro não se deixa gravar.
std::int32_t GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro,
                            std::u16string_view assunto = {});

} // namespace zelta
