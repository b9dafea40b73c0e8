// A pré-visualização desenha o que o PDF desenha: a mesma página pelo QPainter e pelo cairo, comparada em
// blocos de 2 mm, para que só as bordas das letras possam diferir; e segue as opções da janela.
#include "Apoio.hpp"

#include "app/VistaPagina.hpp"
#include "layout/CanvasCairo.hpp"
#include "layout/Geometria.hpp"
#include "layout/Medida.hpp"
#include "layout/Paginas.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace zelta {
namespace {

constexpr double PxPorMm = 100 / 25.4; // 100 por polegada
// As bordas das letras desenhadas por dois rasterizadores mudam a tinta de um bloco até cerca de 30.
constexpr int Tolerancia = 40;

// A página pelo caminho do PDF: o TCanvasCairo a 300 por polegada, sobre uma imagem a 100.
QImage PaginaPeloCairo(const TDadosLivro& livro, TTipoPagina tipo, const QSize& tamanho) {
    cairo_surface_t* superficie = cairo_image_surface_create(CAIRO_FORMAT_RGB24, tamanho.width(), tamanho.height());
    cairo_t* cr = cairo_create(superficie);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, 100.0 / 300, 100.0 / 300);
    {
        TFontesCairo fontes;
        struct TDestino final : IDestinoPaginas {
            cairo_t* Cr;
            TFontesCairo& Fontes;
            std::int32_t Pagina;
            std::int32_t Indice = 0;
            TDestino(cairo_t* cr, TFontesCairo& f, std::int32_t p) : Cr(cr), Fontes(f), Pagina(p) {}
            std::shared_ptr<ICanvasPagina> NovaPagina() override {
                return Indice++ == Pagina
                           ? std::shared_ptr<ICanvasPagina>(std::make_shared<TCanvasCairo>(Cr, 300, Fontes))
                           : CanvasDeMedida();
            }
        };
        const TCompositorLivro compositor(livro);
        const auto& plano = compositor.Paginas();
        const auto i =
            std::find_if(plano.begin(), plano.end(), [tipo](const TDescPagina& d) { return d.Tipo == tipo; });
        TDestino destino(cr, fontes, static_cast<std::int32_t>(i - plano.begin()));
        compositor.Compor(destino);
    }
    cairo_surface_flush(superficie);
    QImage imagem(cairo_image_surface_get_data(superficie), tamanho.width(), tamanho.height(),
                  cairo_image_surface_get_stride(superficie), QImage::Format_RGB32);
    QImage copia = imagem.copy();
    cairo_destroy(cr);
    cairo_surface_destroy(superficie);
    return copia;
}

// A maior diferença de tinta média entre blocos de 8 × 8 píxeis (2 mm), de 0 a 255: uma letra, uma linha ou
// um contorno que falte ou mude de sítio muda a tinta de um bloco muito mais do que o desenho das bordas.
int MaiorDiferencaPorBloco(const QImage& a, const QImage& b) {
    constexpr int Bloco = 8;
    int maior = 0;
    for (int by = 0; by + Bloco <= a.height(); by += Bloco) {
        for (int bx = 0; bx + Bloco <= a.width(); bx += Bloco) {
            int soma = 0;
            for (int y = by; y < by + Bloco; ++y) {
                for (int x = bx; x < bx + Bloco; ++x) {
                    soma += qGray(a.pixel(x, y)) - qGray(b.pixel(x, y));
                }
            }
            maior = std::max(maior, std::abs(soma) / (Bloco * Bloco));
        }
    }
    return maior;
}

TDadosLivro LivroDeUm(std::int32_t lado, std::int32_t palavras) {
    TDadosLivro livro;
    livro.Config = teste::ConfigDeTeste(1, lado, palavras);
    livro.Puzzles = {teste::PuzzleFabricado(lado, palavras, 7)};
    return livro;
}

TEST(VistaPagina, DesenhaComoOPdfAMenosDasBordasDasLetras) {
    teste::GarantirAplicacao();
    for (const std::int32_t lado : {10, 20}) {
        const TDadosLivro livro = LivroDeUm(lado, lado == 10 ? 10 : 30);
        for (const bool solucoes : {false, true}) {
            TVistaPagina vista;
            vista.MostrarLivro(livro);
            vista.MostrarSolucoes(solucoes);
            const QImage qt = vista.Desenhar(PxPorMm).convertToFormat(QImage::Format_RGB32);
            const QImage cairo =
                PaginaPeloCairo(livro, solucoes ? TTipoPagina::pgSolucoes : TTipoPagina::pgPuzzle, qt.size());
            EXPECT_LE(MaiorDiferencaPorBloco(qt, cairo), Tolerancia) << lado << (solucoes ? " soluções" : " puzzle");

            // A medida apanha o que interessa: a primeira letra da grelha tapada passa do limite.
            if (!solucoes) {
                const double celula = TamanhoCelula(lado);
                const double x0 = (PaginaA4.Largura - celula * lado) / 2;
                QImage semLetra = qt;
                QPainter(&semLetra).fillRect(QRectF(x0 * PxPorMm, 34 * PxPorMm, celula * PxPorMm, celula * PxPorMm),
                                             Qt::white);
                EXPECT_GT(MaiorDiferencaPorBloco(semLetra, cairo), Tolerancia) << lado;
            }
        }
    }
}

TEST(VistaPagina, SemLivroMostraAPaginaEmBranco) {
    teste::GarantirAplicacao();
    TVistaPagina vista;
    vista.MostrarRecusa(u"O mínimo de letras tem de estar entre 3 e 6.");
    EXPECT_FALSE(vista.TemLivro());
    const QImage branca = vista.Desenhar(1);
    EXPECT_EQ(branca.pixel(branca.width() / 2, branca.height() / 2), qRgb(255, 255, 255));
}

} // namespace
} // namespace zelta
