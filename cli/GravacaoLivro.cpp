// A gravação conjunta do PDF e do JSON de um livro.
#include "cli/GravacaoLivro.hpp"

#include "cli/LivroJson.hpp"
#include "core/Ficheiros.hpp"
#include "core/Texto.hpp"
#include "layout/Pdf.hpp"

#include <span>

namespace zelta::cli {

namespace {

std::optional<TMedidasCapa> MedidasDaCapa(const TFicheirosDoLivro& ficheiros, const TDadosLivro& livro,
                                          const TPdfDoLivro& pdf) {
    if (!ficheiros.Capa) {
        return std::nullopt;
    }
    const TGeometriaCapa g = GeometriaDaCapa(livro.Impressao.Formato, pdf.Paginas, ficheiros.Papel);
    return TMedidasCapa{ficheiros.Papel == TPapel::ppCreme ? "creme" : "branco",
                        pdf.Paginas,
                        g.Largura,
                        g.Altura,
                        g.LarguraLombada,
                        SangriaMm};
}

} // namespace

std::int32_t GravarFicheirosDoLivro(const TFicheirosDoLivro& ficheiros, const TDadosLivro& livro,
                                    const TRelatorioLivro& relatorio, const std::function<bool()>& cancelado) {
    const TPdfDoLivro pdf = LivroEmPdf(livro, cancelado, ficheiros.Resumo);
    TGravacaoConjunta gravacao;
    auto falha = gravacao.Acrescentar(ficheiros.Pdf, pdf.Bytes);
    if (ficheiros.Json && !falha) {
        const std::string texto =
            LivroEmJson(livro, ficheiros.Entrada, relatorio, MedidasDaCapa(ficheiros, livro, pdf));
        falha = gravacao.Acrescentar(*ficheiros.Json,
                                     std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    }
    if (ficheiros.Capa && !falha) {
        // A lombada mede-se pelas páginas do PDF acabado de compor.
        falha = gravacao.Acrescentar(*ficheiros.Capa, CapaEmPdf(livro, pdf.Paginas, ficheiros.Papel).Bytes);
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

std::filesystem::path CapaAoLado(const std::filesystem::path& pdf) {
    std::filesystem::path capa = pdf;
    return capa.replace_filename(pdf.stem().string() + "_capa.pdf");
}

std::u16string AvisoDaCapa(std::int32_t paginas) {
    if (paginas >= PaginasMinimasDaGrafica) {
        return {};
    }
    return u"o livro tem " + Decimal(paginas) + u" páginas; as gráficas costumam pedir pelo menos " +
           Decimal(PaginasMinimasDaGrafica) + u" para imprimir com capa.";
}

} // namespace zelta::cli
