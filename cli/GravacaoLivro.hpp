// Os ficheiros de um livro feito: o PDF e, se pedido, o JSON, gravados juntos. O mesmo para a janela e para o
// zelta-livro.
#pragma once

#include "book/Livro.hpp"
#include "core/Tipos.hpp"
#include "layout/Capa.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zelta::cli {

struct TFicheirosDoLivro {
    std::filesystem::path Pdf;
    std::optional<std::filesystem::path> Json;
    std::optional<std::filesystem::path> Capa; // a capa para impressão, com a lombada das páginas do PDF
    TPapel Papel = TPapel::ppBranco;
    std::u16string Entrada; // a entrada do seletor, que o JSON guarda
    std::u16string Resumo;  // a linha de resumo, assunto do PDF
};

// Compõe o PDF e grava-o com o JSON e a capa numa só gravação: ficam todos no lugar ou nenhum muda. Devolve o
// número de páginas do livro; EZelta com a frase da falha; ECancelado, sem nada escrito, quando cancelado diz que
// sim entre páginas.
std::int32_t GravarFicheirosDoLivro(const TFicheirosDoLivro& ficheiros, const TDadosLivro& livro,
                                    const TRelatorioLivro& relatorio, const std::function<bool()>& cancelado = {});

// O JSON que acompanha um PDF na janela: o mesmo nome, com .json.
std::filesystem::path JsonAoLado(const std::filesystem::path& pdf);
// A capa que acompanha um PDF na janela: livro.pdf dá livro_capa.pdf.
std::filesystem::path CapaAoLado(const std::filesystem::path& pdf);
// O aviso de uma capa para um livro com menos páginas do que as gráficas costumam pedir; vazio quando chegam.
std::u16string AvisoDaCapa(std::int32_t paginas);

} // namespace zelta::cli
