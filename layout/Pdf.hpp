// O livro num ficheiro PDF: o destino de páginas sobre o documento e a gravação de um livro inteiro.
#pragma once

#include "layout/CanvasCairo.hpp"
#include "layout/Paginas.hpp"
#include "pdf/DocumentoPdf.hpp"

#include <filesystem>
#include <memory>

namespace zelta {

// Cada página nova é uma página A4 do documento, desenhada por um TCanvasCairo a 300 por polegada.
class TDestinoPdf final : public IDestinoPaginas {
public:
    // Não é dono do documento nem das fontes.
    TDestinoPdf(TDocumentoPdf& APdf, TFontesCairo& AFontes);
    std::shared_ptr<ICanvasPagina> NovaPagina() override;

private:
    TDocumentoPdf& FPdf;
    TFontesCairo& FFontes;
};

// Grava o livro em nome, por inteiro ou nada; levanta EZelta "Não há puzzles para gravar." num livro vazio
// e EZelta quando o ficheiro não se deixa gravar.
void GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro);

} // namespace zelta
