// O livro num ficheiro PDF: tudo o que os programas precisam da gravação, sem verem o motor por baixo.
#pragma once

#include "core/Tipos.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace zelta {

// Grava o livro em nome, por inteiro ou nada, e devolve o número de páginas. Levanta EZelta "Não há puzzles
// para gravar." num livro vazio e EZelta quando o ficheiro não se deixa gravar. cancelado, quando dado, é
// perguntado antes de cada página: com true, levanta ECancelado sem ter escrito nada.
std::int32_t GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro,
                            const std::function<bool()>& cancelado = {});

} // namespace zelta
