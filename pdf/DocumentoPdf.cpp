// O PDF nasce em memória pelo cairo e só no fim se escreve num ficheiro temporário da mesma pasta,
// que depois toma o lugar do destino: uma gravação falhada nunca estraga o ficheiro que já existia.
#include "pdf/DocumentoPdf.hpp"

#include "core/Ficheiros.hpp"
#include "core/Texto.hpp"
#include "core/Tipos.hpp"

#include <cairo-pdf.h>

namespace zelta {

TDocumentoPdf::TDocumentoPdf(double ALarguraPt, double AAlturaPt) {
    FMetadados.Titulo = u"ZELTA";
    FSuperficie = cairo_pdf_surface_create_for_stream(Escrever, this, ALarguraPt, AAlturaPt);
    if (cairo_surface_status(FSuperficie) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(FSuperficie);
        throw EZelta(u"TDocumentoPdf: não foi possível criar o documento");
    }
    // Sem data: o mesmo livro dá sempre o mesmo ficheiro.
    cairo_pdf_surface_set_metadata(FSuperficie, CAIRO_PDF_METADATA_CREATE_DATE, "");
}

TDocumentoPdf::~TDocumentoPdf() {
    if (FPagina != nullptr) {
        cairo_destroy(FPagina);
    }
    cairo_surface_destroy(FSuperficie);
}

void TDocumentoPdf::DefinirInfo(std::u16string_view titulo, std::u16string_view autor) {
    FMetadados.Titulo = titulo;
    cairo_pdf_surface_set_metadata(FSuperficie, CAIRO_PDF_METADATA_TITLE, ParaUtf8(titulo).c_str());
    cairo_pdf_surface_set_metadata(FSuperficie, CAIRO_PDF_METADATA_AUTHOR, ParaUtf8(autor).c_str());
}

void TDocumentoPdf::DefinirMetadados(std::u16string_view titulo, std::u16string_view assunto) {
    FMetadados.Titulo = titulo;
    FMetadados.Assunto = assunto;
}

cairo_status_t TDocumentoPdf::Escrever(void* fecho, const unsigned char* dados, unsigned int n) {
    auto* doc = static_cast<TDocumentoPdf*>(fecho);
    doc->FBytes.insert(doc->FBytes.end(), dados, dados + n);
    return CAIRO_STATUS_SUCCESS;
}

cairo_t* TDocumentoPdf::AddPage() {
    if (FPagina != nullptr) {
        cairo_show_page(FPagina);
        cairo_destroy(FPagina);
        FPagina = nullptr;
    }
    FPagina = cairo_create(FSuperficie);
    // Uma unidade do utilizador é um ponto do dispositivo a 300 por polegada.
    cairo_scale(FPagina, 72.0 / ScreenLogPixels, 72.0 / ScreenLogPixels);
    ++FNumPaginas;
    return FPagina;
}

std::vector<unsigned char> TDocumentoPdf::Fechar() {
    if (FPagina != nullptr) {
        cairo_show_page(FPagina);
        cairo_destroy(FPagina);
        FPagina = nullptr;
    }
    cairo_surface_finish(FSuperficie);
    if (cairo_surface_status(FSuperficie) != CAIRO_STATUS_SUCCESS || FBytes.empty()) {
        throw EZelta(u"O PDF não se deixou compor (" +
                     DeUtf8(cairo_status_to_string(cairo_surface_status(FSuperficie))) + u").");
    }
    return std::move(FBytes);
}

std::vector<unsigned char> TDocumentoPdf::Terminar(std::span<const std::vector<unsigned char>> seguintes) {
    const std::vector<unsigned char> bytes = Fechar();
    std::vector<std::span<const unsigned char>> partes{bytes};
    partes.insert(partes.end(), seguintes.begin(), seguintes.end());
    // Sem as caixas um PDF não serve a uma gráfica: se o qpdf recusar o que o cairo escreveu, é uma falha.
    try {
        return PosProcessarPdf(partes, FMetadados);
    } catch (const std::exception& e) {
        throw EZelta(u"O PDF não se deixou compor (" + DeUtf8(e.what()) + u").");
    }
}

void TDocumentoPdf::SaveToFile(const std::filesystem::path& nome) {
    const std::vector<unsigned char> bytes = Terminar();
    if (const int erro = GravarAtomicamente(nome, bytes); erro != 0) {
        throw EZelta(FraseFalhaGravar(nome, erro));
    }
}

} // namespace zelta
