// Liga o compositor ao documento PDF: configura o documento, compõe todas as páginas e grava.
#include "layout/Pdf.hpp"

#include "core/Formato.hpp"
#include "core/Texto.hpp"
#include "layout/CanvasCairo.hpp"
#include "layout/Paginas.hpp"
#include "pdf/DocumentoPdf.hpp"

#include <memory>

namespace zelta {

namespace {

// Cada página nova é uma página do documento, desenhada por um TCanvasCairo a 300 por polegada.
class TDestinoPdf final : public IDestinoPaginas {
public:
    // Não é dono do documento nem das fontes.
    TDestinoPdf(TDocumentoPdf& APdf, TFontesCairo& AFontes) : FPdf(APdf), FFontes(AFontes) {}

    std::shared_ptr<ICanvasPagina> NovaPagina() override {
        ++FPaginas;
        return std::make_shared<TCanvasCairo>(FPdf.AddPage(), TDocumentoPdf::ScreenLogPixels, FFontes);
    }

    std::int32_t Paginas() const { return FPaginas; }

private:
    TDocumentoPdf& FPdf;
    TFontesCairo& FFontes;
    std::int32_t FPaginas = 0;
};

} // namespace

std::int32_t GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro, std::u16string_view assunto) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    const TFolha& folha = Folha(livro.Impressao.Formato);
    TDocumentoPdf pdf(folha.Largura * 72 / 25.4, folha.Altura * 72 / 25.4);
    pdf.DefinirInfo(u"ZELTA", u"Orvalen");
    const auto titulo = Aparar(livro.Config.Titulo);
    pdf.DefinirMetadados(titulo.empty() ? std::u16string(u"ZELTA") : std::u16string(titulo), assunto);
    TFontesCairo fontes;
    std::int32_t paginas = 0;
    {
        const TCompositorLivro compositor(livro);
        TDestinoPdf destino(pdf, fontes);
        compositor.Compor(destino);
        paginas = destino.Paginas();
    }
    pdf.SaveToFile(nome);
    return paginas;
}

} // namespace zelta
