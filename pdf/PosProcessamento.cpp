// A reescrita do PDF do cairo pelo qpdf, sem ficheiros intermédios.
#include "pdf/PosProcessamento.hpp"

#include "core/Texto.hpp"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <stdexcept>

namespace zelta {

namespace {

std::unique_ptr<QPDF> LerPdf(std::span<const unsigned char> pdf) {
    auto q = std::make_unique<QPDF>();
    q->setSuppressWarnings(true);
    q->processMemoryFile("livro.pdf", reinterpret_cast<const char*>(pdf.data()), pdf.size());
    return q;
}

} // namespace

std::vector<unsigned char> PosProcessarPdf(std::span<const std::span<const unsigned char>> partes,
                                           const TMetadadosPdf& metadados) {
    try {
        if (partes.empty()) {
            throw std::runtime_error("não há nada para juntar");
        }
        // As outras partes têm de viver até à escrita: o qpdf só lá vai buscar os fluxos copiados quando escreve.
        std::vector<std::unique_ptr<QPDF>> lidas;
        for (const auto parte : partes) {
            lidas.push_back(LerPdf(parte));
        }
        QPDF& q = *lidas.front();
        QPDFPageDocumentHelper paginas(q);
        for (std::size_t i = 1; i < lidas.size(); ++i) {
            for (const QPDFPageObjectHelper& pagina : QPDFPageDocumentHelper(*lidas[i]).getAllPages()) {
                paginas.addPage(pagina, false);
            }
        }
        for (QPDFObjectHandle pagina : q.getAllPages()) {
            // A MediaBox pode vir herdada da árvore de páginas: o ajudante encontra-a.
            QPDFObjectHandle mb = QPDFPageObjectHelper(pagina).getMediaBox();
            auto caixa = mb.getArrayAsRectangle();
            if (metadados.SangriaPt > 0) {
                pagina.replaceKey("/BleedBox", QPDFObjectHandle::newArray(caixa));
                caixa.llx += metadados.SangriaPt;
                caixa.lly += metadados.SangriaPt;
                caixa.urx -= metadados.SangriaPt;
                caixa.ury -= metadados.SangriaPt;
            }
            pagina.replaceKey("/TrimBox", QPDFObjectHandle::newArray(caixa));
        }
        q.getRoot().replaceKey("/Lang", QPDFObjectHandle::newString(metadados.Lingua));
        QPDFObjectHandle trailer = q.getTrailer();
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = q.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(ParaUtf8(metadados.Titulo)));
        if (!metadados.Assunto.empty()) {
            info.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(ParaUtf8(metadados.Assunto)));
        }

        QPDFWriter w(q);
        w.setOutputMemory();
        w.setDeterministicID(true);
        // Os fluxos do cairo passam como estão, sem serem descomprimidos; os dicionários das páginas e a tabela
        // de referências, que o cairo escreve por extenso, vão para fluxos de objetos comprimidos.
        w.setDecodeLevel(qpdf_dl_none);
        w.setObjectStreamMode(qpdf_o_generate);
        w.write();
        const auto buffer = w.getBufferSharedPointer();
        const unsigned char* b = buffer->getBuffer();
        return {b, b + buffer->getSize()};
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("PosProcessarPdf: ") + e.what());
    }
}

std::vector<unsigned char> PosProcessarPdf(std::span<const unsigned char> pdf, const TMetadadosPdf& metadados) {
    return PosProcessarPdf(std::span(&pdf, 1), metadados);
}

} // namespace zelta
