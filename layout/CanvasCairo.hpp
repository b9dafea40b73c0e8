// A página sobre um cairo_t cuja unidade é um ponto do dispositivo (1/300 de polegada num PDF):
// milímetros convertidos com arredondamento, cinzentos, canetas, letra Liberation Sans e imagens embutidas.
#pragma once

#include "layout/Canvas.hpp"

#include <cairo.h>

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <utility>

namespace zelta {

// Uma letra num tamanho: a fonte já escalada e a caixa da linha em unidades inteiras.
struct TFonteMedida {
    cairo_scaled_font_t* Fonte = nullptr;
    std::int32_t Ascendente = 0;
    std::int32_t Descendente = 0;
};

// As duas Liberation Sans embutidas, lidas uma vez por documento; as fontes escaladas ficam guardadas
// para que medir e desenhar usem exatamente a mesma.
class TFontesCairo {
public:
    TFontesCairo();
    ~TFontesCairo();
    TFontesCairo(const TFontesCairo&) = delete;
    TFontesCairo& operator=(const TFontesCairo&) = delete;

    const TFonteMedida& Fonte(bool negrito, std::int32_t emPx);

private:
    cairo_font_face_t* FFaces[2] = {nullptr, nullptr};
    cairo_font_options_t* FOpcoes = nullptr;
    std::map<std::pair<bool, std::int32_t>, TFonteMedida> FEscaladas;
};

struct TLibertarSuperficie {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using TSuperficie = std::unique_ptr<cairo_surface_t, TLibertarSuperficie>;

// Descodifica um PNG e assenta-o sobre branco: o transparente fica branco, nunca o que está por baixo.
// Levanta std::runtime_error quando os bytes não são um PNG.
TSuperficie ImagemSobreBranco(std::span<const std::uint8_t> png);

class TCanvasCairo final : public ICanvasPagina {
public:
    // Não é dono do contexto nem das fontes; guarda uma referência ao contexto enquanto vive.
    TCanvasCairo(cairo_t* ACanvas, std::int32_t ADpi, TFontesCairo& AFontes);
    ~TCanvasCairo() override;
    TCanvasCairo(const TCanvasCairo&) = delete;
    TCanvasCairo& operator=(const TCanvasCairo&) = delete;

    void Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) override;
    void Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                    int APreenchimento) override;
    void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno, int APreenchimento) override;
    void Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
               TAlinhamento AAlinhamento) override;
    double LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) override;
    double AlturaTexto(double ATamanhoPt) override;
    void Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) override;

private:
    std::int32_t Px(double mm) const { return MmParaPx(mm, FDpi); }
    double PxParaMm(double px) const { return px / FDpi * 25.4; }
    void DefinirCinza(int cinza);
    // Traça o caminho corrente: preenche e contorna conforme os cinzentos, e limpa-o.
    void Pintar(double espessuraPt, int contorno, int preenchimento);

    cairo_t* FCanvas;
    double FDpi;
    TFontesCairo& FFontes;
};

} // namespace zelta
