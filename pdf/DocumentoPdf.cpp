// O PDF nasce em memória pelo cairo e só no fim se escreve num ficheiro temporário da mesma pasta,
// que depois toma o lugar do destino: uma gravação falhada nunca estraga o ficheiro que já existia.
#include "pdf/DocumentoPdf.hpp"

#include "core/Texto.hpp"
#include "core/Tipos.hpp"

#include <cairo-pdf.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

std::u16string NomeParaMensagem(const std::filesystem::path& nome) { return DeUtf8(nome.string()); }

[[noreturn]] void FalhaGravar(const std::filesystem::path& nome) {
    throw EZelta(u"Não foi possível gravar o ficheiro «" + NomeParaMensagem(nome) + u"».");
}

bool EscreverTudo(int fd, const unsigned char* dados, std::size_t n) {
    while (n > 0) {
        const ssize_t k = ::write(fd, dados, n);
        if (k < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        dados += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

// As permissões que um ficheiro novo teria (mkstemp cria-o só para o dono).
mode_t ModoNormal() {
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

} // namespace

TDocumentoPdf::TDocumentoPdf() {
    FSuperficie = cairo_pdf_surface_create_for_stream(Escrever, this, LarguraPt, AlturaPt);
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
    cairo_pdf_surface_set_metadata(FSuperficie, CAIRO_PDF_METADATA_TITLE, ParaUtf8(titulo).c_str());
    cairo_pdf_surface_set_metadata(FSuperficie, CAIRO_PDF_METADATA_AUTHOR, ParaUtf8(autor).c_str());
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

void TDocumentoPdf::SaveToFile(const std::filesystem::path& nome) {
    if (FPagina != nullptr) {
        cairo_show_page(FPagina);
        cairo_destroy(FPagina);
        FPagina = nullptr;
    }
    cairo_surface_finish(FSuperficie);
    if (cairo_surface_status(FSuperficie) != CAIRO_STATUS_SUCCESS || FBytes.empty()) {
        FalhaGravar(nome);
    }

    const auto pasta = nome.has_parent_path() ? nome.parent_path() : std::filesystem::path(".");
    // Nome curto: um destino com um nome no limite do sistema de ficheiros também se grava.
    std::string modelo = (pasta / ".zelta-XXXXXX").string();
    const int fd = ::mkstemp(modelo.data());
    if (fd < 0) {
        FalhaGravar(nome);
    }
    const bool escrito =
        EscreverTudo(fd, FBytes.data(), FBytes.size()) && ::fchmod(fd, ModoNormal()) == 0 && ::fsync(fd) == 0;
    const bool fechado = ::close(fd) == 0;
    if (!escrito || !fechado || ::rename(modelo.c_str(), nome.c_str()) != 0) {
        ::unlink(modelo.c_str());
        FalhaGravar(nome);
    }
}

} // namespace zelta
