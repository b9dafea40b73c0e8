// Liga o compositor ao documento PDF: configura o documento, compõe todas as páginas e grava.
#include "layout/Pdf.hpp"

#include "layout/CanvasCairo.hpp"
#include "layout/Paginas.hpp"
#include "pdf/DocumentoPdf.hpp"

#include <memory>

namespace zelta {

namespace {

// Cada página nova é uma página A4 do documento, desenhada por um TCanvasCairo a 300 por polegada.
class TDestinoPdf final : public IDestinoPaginas {
public:
    // Não é dono do documento, das fontes nem do pedido de paragem.
    TDestinoPdf(TDocumentoPdf& APdf, TFontesCairo& AFontes, const std::function<bool()>& ACancelado)
        : FPdf(APdf), FFontes(AFontes), FCancelado(ACancelado) {}

    std::shared_ptr<ICanvasPagina> NovaPagina() override {
        // Entre páginas: um pedido de paragem não espera pelo livro inteiro.
        if (FCancelado && FCancelado()) {
            throw ECancelado(u"Gravação cancelada.");
        }
        ++FPaginas;
        return std::make_shared<TCanvasCairo>(FPdf.AddPage(), TDocumentoPdf::ScreenLogPixels, FFontes);
    }

    std::int32_t Paginas() const { return FPaginas; }

private:
    TDocumentoPdf& FPdf;
    TFontesCairo& FFontes;
    const std::function<bool()>& FCancelado;
    std::int32_t FPaginas = 0;
};

} // namespace

std::int32_t GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro,
                            const std::function<bool()>& cancelado) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    TDocumentoPdf pdf;
    pdf.DefinirInfo(u"ZELTA", u"Orvalen");
    TFontesCairo fontes;
    std::int32_t paginas = 0;
    {
        const TCompositorLivro compositor(livro);
        TDestinoPdf destino(pdf, fontes, cancelado);
        compositor.Compor(destino);
        paginas = destino.Paginas();
    }
    pdf.SaveToFile(nome);
    return paginas;
}

} // namespace zelta
