// A página de amostra: o compositor do livro desenha todas as páginas, mas só a escolhida vai para o ecrã;
// as outras passam por um canvas que só mede.
#include "app/VistaPagina.hpp"

#include "app/CanvasQt.hpp"
#include "app/Conversoes.hpp"
#include "layout/Geometria.hpp"
#include "layout/Medida.hpp"
#include "layout/Paginas.hpp"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace zelta {

namespace {

// As páginas que não se mostram: medir tem de dar o mesmo, desenhar não faz nada.
class TCanvasSoMedida final : public ICanvasPagina {
public:
    explicit TCanvasSoMedida(std::shared_ptr<ICanvasPagina> medidor) : FMedidor(std::move(medidor)) {}
    void Linha(double, double, double, double, double, int) override {}
    void Rectangulo(double, double, double, double, double, int, int) override {}
    void Poligono(std::span<const TPontoMm>, double, int, int) override {}
    void Texto(double, double, std::u16string_view, double, bool, int, TAlinhamento) override {}
    double LarguraTexto(std::u16string_view texto, double tamanhoPt, bool negrito) override {
        return FMedidor->LarguraTexto(texto, tamanhoPt, negrito);
    }
    double AlturaTexto(double tamanhoPt) override { return FMedidor->AlturaTexto(tamanhoPt); }
    void Imagem(double, double, double, double, std::u16string_view) override {}

private:
    std::shared_ptr<ICanvasPagina> FMedidor;
};

// Entrega o pintor só na página pedida.
class TDestinoVista final : public IDestinoPaginas {
public:
    TDestinoVista(std::int32_t pagina, QPainter& pintor, double pxPorMm, std::shared_ptr<ICanvasPagina> medidor)
        : FPagina(pagina), FPintor(pintor), FPxPorMm(pxPorMm), FMedidor(std::move(medidor)) {}

    std::shared_ptr<ICanvasPagina> NovaPagina() override {
        if (FIndice++ == FPagina) {
            return std::make_shared<TCanvasQt>(FPintor, FPxPorMm, FMedidor);
        }
        return std::make_shared<TCanvasSoMedida>(FMedidor);
    }

private:
    std::int32_t FPagina;
    std::int32_t FIndice = 0;
    QPainter& FPintor;
    double FPxPorMm;
    std::shared_ptr<ICanvasPagina> FMedidor;
};

std::int32_t IndiceDaPagina(const std::vector<TDescPagina>& plano, TTipoPagina tipo) {
    const auto i = std::find_if(plano.begin(), plano.end(), [tipo](const TDescPagina& d) { return d.Tipo == tipo; });
    return i == plano.end() ? -1 : static_cast<std::int32_t>(i - plano.begin());
}

} // namespace

TVistaPagina::TVistaPagina(QWidget* pai) : QWidget(pai), FMedidor(CanvasDeMedida()) {
    setMinimumSize(160, 226);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TVistaPagina::MostrarLivro(TDadosLivro livro) {
    FLivro = std::move(livro);
    FRecusa.clear();
    Refazer();
}

void TVistaPagina::MostrarRecusa(const std::u16string& frase) {
    FLivro.reset();
    FRecusa = frase;
    Refazer();
}

void TVistaPagina::MostrarSolucoes(bool solucoes) {
    FSolucoes = solucoes;
    Refazer();
}

QImage TVistaPagina::Desenhar(double pxPorMm) const {
    const TGeometriaPagina g = PaginaA4;
    QImage imagem(static_cast<int>(g.Largura * pxPorMm + 0.5), static_cast<int>(g.Altura * pxPorMm + 0.5),
                  QImage::Format_RGB32);
    imagem.fill(Qt::white);
    if (!FLivro) {
        return imagem;
    }
    const TCompositorLivro compositor(*FLivro);
    const std::int32_t pagina =
        IndiceDaPagina(compositor.Paginas(), FSolucoes ? TTipoPagina::pgSolucoes : TTipoPagina::pgPuzzle);
    QPainter pintor(&imagem);
    TDestinoVista destino(pagina, pintor, pxPorMm, FMedidor);
    compositor.Compor(destino);
    return imagem;
}

QRectF TVistaPagina::AreaDaPagina() const {
    // A página inteira à vista, com as proporções dela, centrada no espaço que houver.
    const TGeometriaPagina g = PaginaA4;
    const QRectF espaco = QRectF(rect()).adjusted(4, 4, -4, -4);
    const double escala = std::min(espaco.width() / g.Largura, espaco.height() / g.Altura);
    const QSizeF tamanho(g.Largura * escala, g.Altura * escala);
    return QRectF(espaco.center() - QPointF(tamanho.width() / 2, tamanho.height() / 2), tamanho);
}

void TVistaPagina::Refazer() {
    const QRectF area = AreaDaPagina();
    // Desenhada aos píxeis reais do ecrã: nítida a 200 %.
    const double razao = devicePixelRatioF();
    FImagem = area.width() > 0 ? Desenhar(area.width() * razao / PaginaA4.Largura) : QImage();
    FImagem.setDevicePixelRatio(razao);
    update();
}

void TVistaPagina::resizeEvent(QResizeEvent*) { Refazer(); }

void TVistaPagina::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    const QRectF area = AreaDaPagina();
    pintor.fillRect(area.translated(2, 2), QColor(0, 0, 0, 40));
    pintor.drawImage(area.topLeft(), FImagem);
    pintor.setPen(QColor(160, 160, 160));
    pintor.drawRect(area);
    if (!FLivro && !FRecusa.empty()) {
        pintor.setPen(Qt::black);
        pintor.drawText(area.adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap, QTexto(FRecusa));
    }
}

} // namespace zelta
