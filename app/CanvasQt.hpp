// A página sobre um QPainter, para a pré-visualização: desenha com a Liberation Sans embutida, nas
// unidades e com os arredondamentos do PDF, e mede com o medidor do PDF para a composição decidir o mesmo.
#pragma once

#include "layout/Canvas.hpp"

#include <QFont>

#include <memory>

class QPainter;

namespace zelta {

class TCanvasQt final : public ICanvasPagina {
public:
    // Não é dono do pintor, que tem de estar numa página de tamanho real à escala pxPorMm.
    TCanvasQt(QPainter& pintor, double pxPorMm, std::shared_ptr<ICanvasPagina> medidor);
    ~TCanvasQt() override;
    TCanvasQt(const TCanvasQt&) = delete;
    TCanvasQt& operator=(const TCanvasQt&) = delete;

    void Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) override;
    void Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                    int APreenchimento) override;
    void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno, int APreenchimento) override;
    void Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
               TAlinhamento AAlinhamento) override;
    void TextoVertical(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
                       TAlinhamento AAlinhamento) override;
    double LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) override;
    double AlturaTexto(double ATamanhoPt) override;
    void Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) override;

private:
    std::int32_t Px(double mm) const { return MmParaPx(mm, Dpi); }
    void Pintar(double espessuraPt, int contorno, int preenchimento, bool juntasRedondas);

    // As unidades do PDF: desenha-se a 300 por polegada e o pintor escala para o ecrã.
    static constexpr double Dpi = 300;
    QPainter& FPintor;
    std::shared_ptr<ICanvasPagina> FMedidor;
};

// A Liberation Sans embutida, registada no Qt na primeira chamada: a família das duas letras da página.
QString FamiliaDaPagina();

} // namespace zelta
