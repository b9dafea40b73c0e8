// Registo das chamadas de desenho e medição fiel ou simplificada.
#include "tests/support/CanvasGravador.hpp"

#include "layout/CanvasCairo.hpp"

#include <cairo.h>

namespace zelta::teste {

void TCanvasGravador::Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) {
    TChamada c;
    c.Op = TOperacao::opLinha;
    c.X = x1, c.Y = y1, c.X2 = x2, c.Y2 = y2;
    c.EspessuraPt = AEspessuraPt;
    c.Contorno = ACinza;
    Chamadas.push_back(std::move(c));
}

void TCanvasGravador::Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt,
                                 int AContorno, int APreenchimento) {
    TChamada c;
    c.Op = TOperacao::opRectangulo;
    c.X = x, c.Y = y, c.X2 = ALargura, c.Y2 = AAltura;
    c.EspessuraPt = AEspessuraPt;
    c.Contorno = AContorno;
    c.Preenchimento = APreenchimento;
    Chamadas.push_back(std::move(c));
}

void TCanvasGravador::Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno,
                               int APreenchimento) {
    TChamada c;
    c.Op = TOperacao::opPoligono;
    c.Pontos.assign(APontos.begin(), APontos.end());
    c.EspessuraPt = AEspessuraPt;
    c.Contorno = AContorno;
    c.Preenchimento = APreenchimento;
    Chamadas.push_back(std::move(c));
}

void TCanvasGravador::Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito,
                            int ACinza, TAlinhamento AAlinhamento) {
    TChamada c;
    c.Op = TOperacao::opTexto;
    c.X = x, c.Y = y;
    c.Texto = ATexto;
    c.TamanhoPt = ATamanhoPt;
    c.Negrito = ANegrito;
    c.Contorno = ACinza;
    c.Alinhamento = AAlinhamento;
    Chamadas.push_back(std::move(c));
}

void TCanvasGravador::TextoVertical(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito,
                                    int ACinza, TAlinhamento AAlinhamento) {
    Texto(x, y, ATexto, ATamanhoPt, ANegrito, ACinza, AAlinhamento);
    Chamadas.back().Vertical = true;
}

double TCanvasGravador::LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) {
    if (FMedidor) {
        return FMedidor->LarguraTexto(ATexto, ATamanhoPt, ANegrito);
    }
    return static_cast<double>(ATexto.size()) * PtParaMm(ATamanhoPt) * (ANegrito ? 0.6 : 0.5);
}

double TCanvasGravador::AlturaTexto(double ATamanhoPt) {
    if (FMedidor) {
        return FMedidor->AlturaTexto(ATamanhoPt);
    }
    return PtParaMm(ATamanhoPt) * 1.15;
}

void TCanvasGravador::Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) {
    TChamada c;
    c.Op = TOperacao::opImagem;
    c.X = x, c.Y = y, c.X2 = ALargura, c.Y2 = AAltura;
    c.Texto = ANome;
    Chamadas.push_back(std::move(c));
}

std::vector<TChamada> TCanvasGravador::Do(TOperacao op) const {
    std::vector<TChamada> r;
    for (const auto& c : Chamadas) {
        if (c.Op == op) {
            r.push_back(c);
        }
    }
    return r;
}

const TChamada* TCanvasGravador::ProcurarTexto(std::u16string_view texto) const {
    for (const auto& c : Chamadas) {
        if (c.Op == TOperacao::opTexto && c.Texto == texto) {
            return &c;
        }
    }
    return nullptr;
}

std::shared_ptr<ICanvasPagina> TDestinoGravador::NovaPagina() {
    Paginas.push_back(std::make_shared<TCanvasGravador>(FMedidor));
    return Paginas.back();
}

namespace {

// Guarda as fontes e uma superfície de gravação só para medir.
class TMedidorReal final : public ICanvasPagina {
public:
    TMedidorReal()
        : FSuperficie(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr)),
          FContexto(cairo_create(FSuperficie)), FCanvas(FContexto, 300, FFontes) {}
    ~TMedidorReal() override {
        cairo_destroy(FContexto);
        cairo_surface_destroy(FSuperficie);
    }
    void Linha(double, double, double, double, double, int) override {}
    void Rectangulo(double, double, double, double, double, int, int) override {}
    void Poligono(std::span<const TPontoMm>, double, int, int) override {}
    void Texto(double, double, std::u16string_view, double, bool, int, TAlinhamento) override {}
    double LarguraTexto(std::u16string_view t, double s, bool n) override { return FCanvas.LarguraTexto(t, s, n); }
    double AlturaTexto(double s) override { return FCanvas.AlturaTexto(s); }
    void Imagem(double, double, double, double, std::u16string_view) override {}

private:
    TFontesCairo FFontes;
    cairo_surface_t* FSuperficie;
    cairo_t* FContexto;
    TCanvasCairo FCanvas;
};

} // namespace

std::shared_ptr<ICanvasPagina> MedidorReal() { return std::make_shared<TMedidorReal>(); }

} // namespace zelta::teste
