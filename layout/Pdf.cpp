// Liga o compositor ao documento PDF: configura o documento, compõe todas as páginas e grava; e a capa para
// impressão, numa página do seu tamanho.
#include "layout/Pdf.hpp"

#include "core/Ficheiros.hpp"
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

TPdfDoLivro LivroEmPdf(const TDadosLivro& livro, const std::function<bool()>& cancelado, std::u16string_view assunto) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    const TFolha& folha = Folha(livro.Impressao.Formato);
    TDocumentoPdf pdf(folha.Largura * 72 / 25.4, folha.Altura * 72 / 25.4);
    pdf.DefinirInfo(u"ZELTA", u"Orvalen");
    const auto titulo = Aparar(livro.Config.Titulo);
    pdf.DefinirMetadados(titulo.empty() ? std::u16string(u"ZELTA") : std::u16string(titulo), assunto);
    TFontesCairo fontes;
    TPdfDoLivro r;
    {
        const TCompositorLivro compositor(livro);
        TDestinoPdf destino(pdf, fontes, cancelado);
        compositor.Compor(destino);
        r.Paginas = destino.Paginas();
    }
    r.Bytes = pdf.Terminar();
    return r;
}

TPdfDoLivro CapaEmPdf(const TDadosLivro& livro, std::int32_t paginasDoLivro, TPapel papel) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    const TGeometriaCapa capa = GeometriaDaCapa(livro.Impressao.Formato, paginasDoLivro, papel);
    TDocumentoPdf pdf(MilimetrosParaPt(capa.Largura), MilimetrosParaPt(capa.Altura));
    pdf.DefinirInfo(u"ZELTA", u"Orvalen");
    const auto titulo = Aparar(livro.Config.Titulo);
    pdf.DefinirMetadados(titulo.empty() ? std::u16string(u"ZELTA") : std::u16string(titulo), u"Capa para impressão");
    pdf.DefinirSangria(MilimetrosParaPt(SangriaMm));
    TFontesCairo fontes;
    {
        TCanvasCairo canvas(pdf.AddPage(), TDocumentoPdf::ScreenLogPixels, fontes);
        DesenharCapaImpressao(canvas, capa, livro);
    }
    TPdfDoLivro r;
    r.Paginas = 1;
    r.Bytes = pdf.Terminar();
    return r;
}

std::int32_t GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro,
                            const std::function<bool()>& cancelado, std::u16string_view assunto) {
    const TPdfDoLivro pdf = LivroEmPdf(livro, cancelado, assunto);
    if (const int erro = GravarAtomicamente(nome, pdf.Bytes); erro != 0) {
        throw EZelta(FraseFalhaGravar(nome, erro));
    }
    return pdf.Paginas;
}

} // namespace zelta
