#include "layout/CanvasCairo.hpp"

#include "core/Tipos.hpp"

#include <gtest/gtest.h>

#include <cairo.h>

#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace zelta {
namespace {

TEST(CanvasCairo, ConversoesA300PorPolegada) {
    const struct {
        double Mm;
        std::int32_t Px;
    } posicoes[] = {{210, 2480}, {297, 3508}, {18, 213}, {105, 1240}, {0, 0}};
    for (const auto& p : posicoes) {
        EXPECT_EQ(MmParaPx(p.Mm, 300), p.Px) << p.Mm;
    }
    // 0,5 e 0,4 pt dão 2; 0,25 mm dá 3; 0,1 pt arredonda a 0 e sobe ao mínimo de 1.
    const std::pair<double, std::int32_t> canetas[] = {{0.5, 2}, {0.4, 2}, {0.25 * 72 / 25.4, 3}, {0.1, 1}, {0, 1}};
    for (const auto& [pt, px] : canetas) {
        EXPECT_EQ(CanetaPx(pt, 300), px) << pt;
    }
    // 9 pt são 37,5 unidades: o empate vai para o par.
    const std::pair<double, std::int32_t> ems[] = {{11, 46}, {9, 38}, {36, 150}, {8.5, 35}};
    for (const auto& [pt, px] : ems) {
        EXPECT_EQ(EmPx(pt, 300), px) << pt;
    }
}

// Desenha numa superfície de gravação com a unidade do dispositivo e mede a tinta.
class TGravacao {
public:
    TGravacao()
        : FSuperficie(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr)),
          FContexto(cairo_create(FSuperficie)), Canvas(FContexto, 300, FFontes) {}
    ~TGravacao() {
        cairo_destroy(FContexto);
        cairo_surface_destroy(FSuperficie);
    }
    // x, y, largura, altura da tinta em unidades do dispositivo.
    std::array<double, 4> Tinta() {
        Canvas.Descarregar();
        std::array<double, 4> r{};
        cairo_recording_surface_ink_extents(FSuperficie, &r[0], &r[1], &r[2], &r[3]);
        return r;
    }

private:
    TFontesCairo FFontes;
    cairo_surface_t* FSuperficie;
    cairo_t* FContexto;

public:
    TCanvasCairo Canvas;
};

TEST(CanvasCairo, RectanguloSemContornoPreencheAsArestas) {
    TGravacao g;
    g.Canvas.Rectangulo(90, 162.5, 30, 0.28, 0, -1, 0);
    // Cantos 1063, 1919 e 1417, 1923 (de 162,78 mm), com a última coluna e linha incluídas.
    EXPECT_EQ(g.Tinta(), (std::array<double, 4>{1063, 1919, 355, 5}));

    TGravacao nada;
    nada.Canvas.Rectangulo(10, 10, 30, 30, 1, -1, -1);
    nada.Canvas.Linha(10, 10, 50, 50, 1, -1);
    EXPECT_EQ(nada.Tinta()[2], 0);
}

TEST(CanvasCairo, EspessuraDasLinhas) {
    // Numa imagem A8 à volta do início da linha: a soma da cobertura de uma coluna é a espessura.
    const std::pair<double, double> casos[] = {{0.5, 2}, {0.4, 2}, {0.25 * 72 / 25.4, 3}, {0.1, 1}};
    for (const auto& [pt, px] : casos) {
        TFontesCairo fontes;
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 20, 20);
        cairo_t* cr = cairo_create(s);
        cairo_translate(cr, -203, -1171); // 18 mm → 213 e 100 mm → 1181 ficam em (10, 10)
        {
            TCanvasCairo canvas(cr, 300, fontes);
            canvas.Linha(18, 100, 192, 100, pt, 0);
        }
        cairo_surface_flush(s);
        const unsigned char* d = cairo_image_surface_get_data(s);
        const int passo = cairo_image_surface_get_stride(s);
        auto cobertura = [&](int x) {
            double soma = 0;
            for (int y = 0; y < 20; ++y) {
                soma += d[y * passo + x] / 255.0;
            }
            return soma;
        };
        EXPECT_NEAR(cobertura(15), px, 0.02) << pt;
        EXPECT_EQ(cobertura(9), 0) << pt; // ponta reta: nada antes do início
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    }
}

TEST(CanvasCairo, TextoMedidoEDesenhadoAcabamNoMesmoSitio) {
    for (const bool negrito : {false, true}) {
        TGravacao esq, dir, centro;
        const std::u16string texto = u"Soluções — ÁGUIA";
        const double w = esq.Canvas.LarguraTexto(texto, 11, negrito);
        esq.Canvas.Texto(192 - w, 50, texto, 11, negrito, 0, TAlinhamento::alEsquerda);
        dir.Canvas.Texto(192, 50, texto, 11, negrito, 0, TAlinhamento::alDireita);
        centro.Canvas.Texto(105, 50, texto, 11, negrito, 0, TAlinhamento::alCentro);
        const auto a = esq.Tinta();
        const auto b = dir.Tinta();
        const auto c = centro.Tinta();
        // O arredondamento de 192 − w e de 192 separadamente pode afastá-los uma unidade.
        EXPECT_NEAR(a[0] + a[2], b[0] + b[2], 1.0);
        EXPECT_EQ(a[1], b[1]);
        // Centrado em X 105 (1240): a tinta fica a meio, a menos das margens dos glifos.
        EXPECT_NEAR(c[0] + c[2] / 2, 1240, 3);
    }
    TGravacao g;
    EXPECT_EQ(g.Canvas.LarguraTexto(u"", 11, false), 0);
    EXPECT_GE(g.Canvas.LarguraTexto(u"ZELTA puzzles", 11, true), g.Canvas.LarguraTexto(u"ZELTA puzzles", 11, false));
    // A largura é um número inteiro de unidades.
    const double px = g.Canvas.LarguraTexto(u"abc", 9.5, false) / 25.4 * 300;
    EXPECT_NEAR(px, std::round(px), 1e-9);
}

TEST(CanvasCairo, LetraPedidaPeloEmEPosicionadaPeloTopoDaLinha) {
    TGravacao g;
    // Ascendente 1854 e descendente 434 em 2048 por em: a 11 pt (46 unidades) 42 + 10.
    EXPECT_NEAR(g.Canvas.AlturaTexto(11), 52 * 25.4 / 300, 1e-12);
    EXPECT_GT(g.Canvas.AlturaTexto(20), g.Canvas.AlturaTexto(11));
    // A altura das maiúsculas (1409/2048 em) mostra que o em mede 150 unidades a 36 pt, e o topo
    // da caixa da linha fica em Y: a linha de base está 136 unidades (o ascendente) abaixo.
    g.Canvas.Texto(0, 100, u"H", 36, false, 0, TAlinhamento::alEsquerda);
    const auto t = g.Tinta();
    const double base = MmParaPx(100, 300) + 136;
    EXPECT_NEAR(t[3], 150 * 1409.0 / 2048, 1.0);
    EXPECT_NEAR(t[1] + t[3], base, 1.0);
}

// A linha vertical é a deitada rodada um quarto de volta para a direita: o topo das letras para a direita, a caixa
// da linha centrada em X e o texto a começar (ou acabar) em Y.
TEST(CanvasCairo, TextoVerticalEODeitadoRodado) {
    TGravacao deitado, esq, dir;
    const std::u16string texto = u"HÉLIO";
    deitado.Canvas.Texto(0, 0, texto, 36, true, 0, TAlinhamento::alEsquerda);
    const double w = esq.Canvas.LarguraTexto(texto, 36, true);
    esq.Canvas.TextoVertical(50, 100, texto, 36, true, 0, TAlinhamento::alEsquerda);
    dir.Canvas.TextoVertical(50, 100 + w, texto, 36, true, 0, TAlinhamento::alDireita);
    const auto d = deitado.Tinta();
    const auto a = esq.Tinta();
    EXPECT_NEAR(a[2], d[3], 1.0);
    EXPECT_NEAR(a[3], d[2], 1.0);
    EXPECT_NEAR(a[1] - MmParaPx(100, 300), d[0], 1.0);
    // Ascendente 136 e descendente 32 a 36 pt: a linha de base fica 52 unidades à esquerda do meio da caixa; o
    // que a tinta deitada tem acima da linha de base (136 − d[1]) fica à direita dela.
    const double base = MmParaPx(50, 300) - 52;
    EXPECT_NEAR(a[0] + a[2], base + (136 - d[1]), 1.0);
    EXPECT_NEAR(a[0], base - (d[1] + d[3] - 136), 1.0);
    const auto b = dir.Tinta();
    EXPECT_NEAR(b[1], a[1], 1.0);
    EXPECT_EQ(b[0], a[0]);
}

TEST(CanvasCairo, ImagemInexistente) {
    TGravacao g;
    try {
        g.Canvas.Imagem(18, 235.5, 30, 10, u"LOGO");
        FAIL();
    } catch (const EZelta&) {
        FAIL() << "deve ser uma exceção comum";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Imagem: o recurso LOGO não existe no executável");
    }
    EXPECT_EQ(g.Tinta()[2], 0);
}

std::vector<std::uint8_t> PngDe(cairo_surface_t* s) {
    std::vector<std::uint8_t> bytes;
    cairo_surface_write_to_png_stream(
        s,
        [](void* f, const unsigned char* d, unsigned int n) {
            auto* v = static_cast<std::vector<std::uint8_t>*>(f);
            v->insert(v->end(), d, d + n);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

TEST(CanvasCairo, ImagemAssentaSobreBranco) {
    // Um PNG 2 × 1: o pixel da esquerda transparente, o da direita vermelho a meia opacidade.
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgba(cr, 1, 0, 0, 0.5);
    cairo_rectangle(cr, 1, 0, 1, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    const auto png = PngDe(s);
    cairo_surface_destroy(s);

    const auto img = ImagemSobreBranco(png);
    ASSERT_EQ(cairo_image_surface_get_format(img.get()), CAIRO_FORMAT_RGB24);
    const auto* p = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(img.get()));
    EXPECT_EQ(p[0] & 0xFFFFFF, 0xFFFFFFU);
    // Vermelho a meio sobre branco: vermelho cheio, verde e azul a meio.
    EXPECT_EQ((p[1] >> 16) & 0xFF, 0xFFU);
    EXPECT_NEAR(static_cast<double>((p[1] >> 8) & 0xFF), 128, 2);

    const std::uint8_t lixo[] = {1, 2, 3};
    EXPECT_THROW(ImagemSobreBranco(lixo), std::runtime_error);
}

TEST(CanvasCairo, SeloDesenhadoNoRectanguloPedido) {
    TGravacao g;
    g.Canvas.Imagem(18, 235.5, 30, 30.0 * 450 / 1280, u"CC_BY_NC_ND");
    const auto t = g.Tinta();
    EXPECT_EQ(t[0], 213);
    EXPECT_EQ(t[1], MmParaPx(235.5, 300));
    EXPECT_EQ(t[0] + t[2], MmParaPx(48, 300));
    EXPECT_EQ(t[1] + t[3], MmParaPx(235.5 + 10.546875, 300));
}

} // namespace
} // namespace zelta
