// A gravação conjunta do PDF e do JSON de um livro.
#include "cli/GravacaoLivro.hpp"

#include "cli/LivroJson.hpp"
#include "core/Ficheiros.hpp"
#include "layout/Pdf.hpp"

#include <span>

namespace zelta::cli {

std::int32_t GravarFicheirosDoLivro(const TFicheirosDoLivro& ficheiros, const TDadosLivro& livro,
                                    const TRelatorioLivro& relatorio, const std::atomic<bool>* cancelar) {
    std::function<bool()> pedido;
    if (cancelar != nullptr) {
        pedido = [cancelar] { return cancelar->load(); };
    }
    const TPdfDoLivro pdf = LivroEmPdf(livro, pedido, ficheiros.Resumo);
    TGravacaoConjunta gravacao;
    auto falha = gravacao.Acrescentar(ficheiros.Pdf, pdf.Bytes);
    if (ficheiros.Json && !falha) {
        const std::string texto = LivroEmJson(livro, ficheiros.Entrada, relatorio);
        falha = gravacao.Acrescentar(*ficheiros.Json,
                                     std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    }
    if (!falha) {
        falha = gravacao.Confirmar();
    }
    if (falha) {
        throw EZelta(falha.Frase());
    }
    return pdf.Paginas;
}

std::filesystem::path JsonAoLado(const std::filesystem::path& pdf) {
    std::filesystem::path json = pdf;
    return json.replace_extension(".json");
}

} // namespace zelta::cli
