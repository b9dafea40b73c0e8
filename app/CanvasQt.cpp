// O canvas da pré-visualização: as mesmas regras de unidades, canetas e letra do canvas do PDF.
#include "app/CanvasQt.hpp"

#include "app/Conversoes.hpp"
#include "core/Recursos.hpp"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <utility>
#include <vector>

namespace zelta {

namespace {

QColor Cinza(int cinza) { return QColor(cinza, cinza, cinza); }

QFont LetraDaPagina(double tamanhoPt, bool negrito) {
    QFont f(FamiliaDaPagina());
    f.setBold(negrito);
    f.setPixelSize(EmPx(tamanhoPt, 300));
    // Sem hinting, como o PDF: as larguras escalam com o tamanho.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferAntialias));
    f.setKerning(false);
    return f;
}

} // namespace

QString FamiliaDaPagina() {
    static const QString familia = [] {
        QString nome;
        for (const char16_t* item : {u"LiberationSans-Regular", u"LiberationSans-Bold"}) {
            if (const auto bytes = VerRecurso(item)) {
                const int id = QFontDatabase::addApplicationFontFromData(
                    QByteArray(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size())));
                if (id >= 0 && nome.isEmpty()) {
                    nome = QFontDatabase::applicationFontFamilies(id).value(0);
                }
            }
        }
        return nome.isEmpty() ? QStringLiteral("Liberation Sans") : nome;
    }();
    return familia;
}

TCanvasQt::TCanvasQt(QPainter& pintor, double pxPorMm, std::shared_ptr<ICanvasPagina> medidor)
    : FPintor(pintor), FMedidor(std::move(medidor)) {
    FPintor.save();
    FPintor.setRenderHint(QPainter::Antialiasing);
    FPintor.setRenderHint(QPainter::TextAntialiasing);
    FPintor.setRenderHint(QPainter::SmoothPixmapTransform);
    const double escala = pxPorMm * 25.4 / Dpi;
    FPintor.scale(escala, escala);
}

// O pintor volta ao estado em que veio.
TCanvasQt::~TCanvasQt() { FPintor.restore(); }

void TCanvasQt::Pintar(double espessuraPt, int contorno, int preenchimento, bool juntasRedondas) {
    FPintor.setBrush(preenchimento == -1 ? QBrush(Qt::NoBrush) : QBrush(Cinza(preenchimento)));
    if (contorno == -1) {
        FPintor.setPen(Qt::NoPen);
    } else {
        FPintor.setPen(QPen(Cinza(contorno), CanetaPx(espessuraPt, Dpi), Qt::SolidLine, Qt::FlatCap,
                            juntasRedondas ? Qt::RoundJoin : Qt::MiterJoin));
    }
}

void TCanvasQt::Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) {
    if (ACinza == -1) {
        return;
    }
    Pintar(AEspessuraPt, ACinza, -1, false);
    FPintor.drawLine(QPointF(Px(x1), Px(y1)), QPointF(Px(x2), Px(y2)));
}

void TCanvasQt::Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                           int APreenchimento) {
    const auto [x1, y1, x2, y2] = RectanguloPx(x, y, ALargura, AAltura, Dpi);
    if (AContorno == -1 && APreenchimento != -1) {
        // Como no PDF: sem contorno, a última coluna e a última linha também se pintam.
        FPintor.fillRect(QRectF(x1, y1, x2 + 1 - x1, y2 + 1 - y1), Cinza(APreenchimento));
        return;
    }
    Pintar(AEspessuraPt, AContorno, APreenchimento, false);
    FPintor.drawRect(QRectF(x1, y1, x2 - x1, y2 - y1));
}

void TCanvasQt::Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno, int APreenchimento) {
    if (APontos.empty()) {
        return;
    }
    QPolygonF poligono;
    for (const auto& p : APontos) {
        poligono << QPointF(Px(p.X), Px(p.Y));
    }
    Pintar(AEspessuraPt, AContorno, APreenchimento, true);
    FPintor.drawPolygon(poligono, Qt::OddEvenFill);
}

void TCanvasQt::Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
                      TAlinhamento AAlinhamento) {
    if (ATexto.empty() || ACinza == -1) {
        return;
    }
    // A largura vem do medidor, em unidades inteiras, para centrar e alinhar como o PDF.
    const std::int32_t w = Px(LarguraTexto(ATexto, ATamanhoPt, ANegrito));
    const std::int32_t x0 = InicioAlinhado(Px(x), w, AAlinhamento);
    const QFont letra = LetraDaPagina(ATamanhoPt, ANegrito);
    const double ascendente = std::nearbyint(QFontMetricsF(letra).ascent());
    FPintor.setFont(letra);
    FPintor.setPen(Cinza(ACinza));
    FPintor.drawText(QPointF(x0, Px(y) + ascendente), QString::fromStdU16String(std::u16string(ATexto)));
}

void TCanvasQt::TextoVertical(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito,
                              int ACinza, TAlinhamento AAlinhamento) {
    if (ATexto.empty() || ACinza == -1) {
        return;
    }
    // O texto deitado num referencial rodado: o X deitado corre ao longo do Y da página.
    const std::int32_t w = Px(LarguraTexto(ATexto, ATamanhoPt, ANegrito));
    const std::int32_t y0 = InicioAlinhado(Px(y), w, AAlinhamento);
    const QFont letra = LetraDaPagina(ATamanhoPt, ANegrito);
    const QFontMetricsF metricas(letra);
    const double ascendente = std::nearbyint(metricas.ascent());
    const double descendente = std::nearbyint(metricas.descent());
    FPintor.save();
    FPintor.translate(Px(x) - (ascendente - descendente) / 2, y0);
    FPintor.rotate(90);
    FPintor.setFont(letra);
    FPintor.setPen(Cinza(ACinza));
    FPintor.drawText(QPointF(0, 0), QString::fromStdU16String(std::u16string(ATexto)));
    FPintor.restore();
}

double TCanvasQt::LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) {
    return FMedidor->LarguraTexto(ATexto, ATamanhoPt, ANegrito);
}

double TCanvasQt::AlturaTexto(double ATamanhoPt) { return FMedidor->AlturaTexto(ATamanhoPt); }

void TCanvasQt::Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) {
    const auto bytes = VerRecurso(ANome);
    if (!bytes) {
        return;
    }
    QImage imagem;
    imagem.loadFromData(bytes->data(), static_cast<int>(bytes->size()));
    // Assente sobre branco, como no PDF: o transparente nunca mostra o que está por baixo.
    QImage sobreBranco(imagem.size(), QImage::Format_RGB32);
    sobreBranco.fill(Qt::white);
    QPainter(&sobreBranco).drawImage(0, 0, imagem);
    const auto [x1, y1, x2, y2] = RectanguloPx(x, y, ALargura, AAltura, Dpi);
    FPintor.drawImage(QRectF(x1, y1, x2 - x1, y2 - y1), sobreBranco);
}

} // namespace zelta
