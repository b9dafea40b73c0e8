// Liga o compositor ao documento PDF: configura o documento, compõe todas as páginas e grava.
#include "layout/Pdf.hpp"

#include "core/Tipos.hpp"

namespace zelta {

TDestinoPdf::TDestinoPdf(TDocumentoPdf& APdf, TFontesCairo& AFontes) : FPdf(APdf), FFontes(AFontes) {}

std::shared_ptr<ICanvasPagina> TDestinoPdf::NovaPagina() {
    return std::make_shared<TCanvasCairo>(FPdf.AddPage(), TDocumentoPdf::ScreenLogPixels, FFontes);
}

void GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    TDocumentoPdf pdf;
    pdf.DefinirInfo(u"ZELTA", u"Orvalen");
    TFontesCairo fontes;
    {
        const TCompositorLivro compositor(livro);
        TDestinoPdf destino(pdf, fontes);
        compositor.Compor(destino);
    }
    pdf.SaveToFile(nome);
}

} // namespace zelta
