// A pré-visualização de uma página do livro: a de puzzle ou a de soluções de um puzzle de amostra, desenhada
// pela composição do PDF sobre um QPainter; ou, quando as opções não dão livro, a página vazia com a frase.
#pragma once

#include "core/Tipos.hpp"
#include "layout/Canvas.hpp"

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

namespace zelta {

class TVistaPagina final : public QWidget {
public:
    explicit TVistaPagina(QWidget* pai = nullptr);

    // O livro de um puzzle a mostrar; substitui a frase de recusa.
    void MostrarLivro(TDadosLivro livro);
    // Sem livro: a página vazia com a frase que diz porquê.
    void MostrarRecusa(const std::u16string& frase);
    void MostrarSolucoes(bool solucoes);
    bool Solucoes() const { return FSolucoes; }
    bool TemLivro() const { return FLivro.has_value(); }
    const std::optional<TDadosLivro>& Livro() const { return FLivro; }
    const std::u16string& Recusa() const { return FRecusa; }

    // A página mostrada, desenhada de novo a pxPorMm píxeis por milímetro (branca se não há livro).
    QImage Desenhar(double pxPorMm) const;

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    QRectF AreaDaPagina() const;
    void Refazer();

    std::shared_ptr<ICanvasPagina> FMedidor;
    std::optional<TDadosLivro> FLivro;
    std::u16string FRecusa;
    bool FSolucoes = false;
    QImage FImagem; // a página à escala do ecrã, refeita só quando algo muda
};

} // namespace zelta
