// A capa para impressão: as medidas de cada formato, papel e número de páginas, o texto da lombada só nos
// livros grossos, nenhum texto perto do corte nem das dobras, o que vai em cada parte, e o PDF.
#include "layout/Capa.hpp"
#include "core/Formato.hpp"
#include "core/Texto.hpp"
#include "layout/Pdf.hpp"
#include "tests/support/CanvasGravador.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelta {
namespace {

using enum TFormatoPagina;
using enum TPapel;
using teste::TChamada;

// Medidas à mão: 2 × a largura + páginas × espessura (pol.) + 2 × 3,175; altura + 2 × 3,175.
struct TCasoMedidas {
    TFormatoPagina Formato;
    std::int32_t Paginas;
    TPapel Papel;
    double Largura, Altura, Lombada;
};

constexpr TCasoMedidas CasosMedidas[] = {
    {fpA4, 24, ppBranco, 427.7, 303.4, 1.4},     {fpA4, 24, ppCreme, 427.9, 303.4, 1.5},
    {fpA4, 130, ppBranco, 433.8, 303.4, 7.4},    {fpA4, 130, ppCreme, 434.6, 303.4, 8.3},
    {fpA4, 330, ppBranco, 445.2, 303.4, 18.9},   {fpA4, 330, ppCreme, 447.3, 303.4, 21.0},
    {fp6x9, 24, ppBranco, 312.5, 234.9, 1.4},    {fp6x9, 24, ppCreme, 312.7, 234.9, 1.5},
    {fp6x9, 130, ppBranco, 318.6, 234.9, 7.4},   {fp6x9, 130, ppCreme, 319.4, 234.9, 8.3},
    {fp6x9, 330, ppBranco, 330.0, 234.9, 18.9},  {fp6x9, 330, ppCreme, 332.1, 234.9, 21.0},
    {fp8x10, 24, ppBranco, 414.1, 260.4, 1.4},   {fp8x10, 24, ppCreme, 414.3, 260.4, 1.5},
    {fp8x10, 130, ppBranco, 420.2, 260.4, 7.4},  {fp8x10, 130, ppCreme, 421.0, 260.4, 8.3},
    {fp8x10, 330, ppBranco, 431.6, 260.4, 18.9}, {fp8x10, 330, ppCreme, 433.7, 260.4, 21.0},
};

TEST(Capa, MedidasDeCadaFormatoPapelEPaginasAteAoDecimoDeMilimetro) {
    for (const auto& k : CasosMedidas) {
        SCOPED_TRACE(ParaUtf8(Folha(k.Formato).Opcao) + " " + std::to_string(k.Paginas) + " páginas, papel " +
                     (k.Papel == ppBranco ? "branco" : "creme"));
        const TGeometriaCapa c = GeometriaDaCapa(k.Formato, k.Paginas, k.Papel);
        EXPECT_NEAR(c.Largura, k.Largura, 0.05);
        EXPECT_NEAR(c.Altura, k.Altura, 0.05);
        EXPECT_NEAR(c.LarguraLombada, k.Lombada, 0.05);
        // O verso à esquerda, a frente à direita, cada um com a largura da página, e a sangria à volta.
        const TFolha& f = Folha(k.Formato);
        EXPECT_DOUBLE_EQ(c.Verso.X, 3.175);
        EXPECT_DOUBLE_EQ(c.DobraDoVerso(), 3.175 + f.Largura);
        EXPECT_DOUBLE_EQ(c.Frente.Direita(), c.Largura - 3.175);
        EXPECT_DOUBLE_EQ(c.Frente.Largura, f.Largura);
        EXPECT_DOUBLE_EQ(c.Corte.Fundo(), c.Altura - 3.175);
        EXPECT_EQ(c.TextoNaLombada, k.Paginas >= 80);
    }
}

TDadosLivro LivroDeTeste(TFormatoPagina formato, std::u16string titulo, std::int32_t lado = 15,
                         std::int32_t palavras = 20) {
    TDadosLivro l;
    l.Config = teste::ConfigDeTeste(3, lado, palavras);
    l.Config.Titulo = std::move(titulo);
    l.Config.Modo = TModoDirecoes::mdDiagonais;
    l.Impressao.Formato = formato;
    for (std::uint32_t i = 0; i < 3; ++i) {
        l.Puzzles.push_back(teste::PuzzleFabricado(lado, palavras - static_cast<std::int32_t>(i), i + 1, u"Aves"));
    }
    return l;
}

std::vector<TChamada> TextosVerticais(const teste::TCanvasGravador& canvas) {
    std::vector<TChamada> r;
    for (const auto& c : canvas.Textos()) {
        if (c.Vertical) {
            r.push_back(c);
        }
    }
    return r;
}

TEST(Capa, ALombadaSoLevaTextoDesdeOitentaPaginas) {
    auto medidor = teste::MedidorReal();
    const auto livro = LivroDeTeste(fp6x9, u"Animais do Mundo");
    for (const std::int32_t paginas : {24, 79, 80, 330}) {
        for (const TPapel papel : {ppBranco, ppCreme}) {
            teste::TCanvasGravador canvas(medidor);
            DesenharCapaImpressao(canvas, GeometriaDaCapa(fp6x9, paginas, papel), livro);
            const auto lombada = TextosVerticais(canvas);
            if (paginas < 80) {
                EXPECT_TRUE(lombada.empty()) << paginas;
                continue;
            }
            ASSERT_EQ(lombada.size(), 2U) << paginas;
            // De cima para baixo: o título começa em cima e a marca acaba em baixo.
            EXPECT_EQ(lombada[1].Texto, u"Animais do Mundo");
            EXPECT_EQ(lombada[1].Alinhamento, TAlinhamento::alEsquerda);
            EXPECT_EQ(lombada[0].Texto, u"ZELTA");
            EXPECT_EQ(lombada[0].Alinhamento, TAlinhamento::alDireita);
        }
    }
}

// A caixa de um texto gravado: a largura medida ao longo da linha e a altura da linha de través.
struct TCaixa {
    double X1, Y1, X2, Y2;
};

TCaixa CaixaDoTexto(const TChamada& c, ICanvasPagina& medidor) {
    const double w = medidor.LarguraTexto(c.Texto, c.TamanhoPt, c.Negrito);
    const double h = medidor.AlturaTexto(c.TamanhoPt);
    const double recuo = c.Alinhamento == TAlinhamento::alEsquerda ? 0
                         : c.Alinhamento == TAlinhamento::alCentro ? w / 2
                                                                   : w;
    if (c.Vertical) {
        return {c.X - h / 2, c.Y - recuo, c.X + h / 2, c.Y - recuo + w};
    }
    return {c.X - recuo, c.Y, c.X - recuo + w, c.Y + h};
}

TEST(Capa, NenhumTextoChegaPertoDoCorteNemDasDobras) {
    auto medidor = teste::MedidorReal();
    // O título mais largo que cabe nos 40 caracteres e um grupo comprido: as linhas encolhem e cortam-se.
    for (const TFormatoPagina f : TodosOsFormatos) {
        for (const bool grande : {false, true}) {
            auto livro = LivroDeTeste(f, std::u16string(40, u'W'), 20, 30);
            livro.Config.Grupo = u"Os Meus Temas de Palavras Muito Compridas Para Ver Onde o Nome Acaba";
            livro.Impressao.LetraGrande = grande;
            for (const std::int32_t paginas : {12, 80, 81, 130, 330}) {
                for (const TPapel papel : {ppBranco, ppCreme}) {
                    SCOPED_TRACE(ParaUtf8(Folha(f).Opcao) + (grande ? " letra grande " : " ") +
                                 std::to_string(paginas));
                    const TGeometriaCapa c = GeometriaDaCapa(f, paginas, papel);
                    teste::TCanvasGravador canvas(medidor);
                    DesenharCapaImpressao(canvas, c, livro);
                    const double m = 6.35;
                    std::size_t naLombada = 0;
                    for (const auto& t : canvas.Textos()) {
                        const TCaixa k = CaixaDoTexto(t, *medidor);
                        EXPECT_GE(k.Y1, c.Corte.Y + m) << ParaUtf8(t.Texto);
                        EXPECT_LE(k.Y2, c.Corte.Fundo() - m) << ParaUtf8(t.Texto);
                        if (t.Vertical) {
                            ++naLombada;
                            EXPECT_GE(k.X1, c.DobraDoVerso() + 1.6) << ParaUtf8(t.Texto);
                            EXPECT_LE(k.X2, c.DobraDaFrente() - 1.6) << ParaUtf8(t.Texto);
                            continue;
                        }
                        const bool noVerso = k.X2 <= c.DobraDoVerso();
                        EXPECT_TRUE(noVerso ? k.X1 >= c.Corte.X + m && k.X2 <= c.DobraDoVerso() - m
                                            : k.X1 >= c.DobraDaFrente() + m && k.X2 <= c.Corte.Direita() - m)
                            << ParaUtf8(t.Texto) << " de " << k.X1 << " a " << k.X2;
                    }
                    EXPECT_EQ(naLombada > 0, paginas >= 80);
                }
            }
        }
    }
}

// O texto de uma parte da capa, linhas juntas por espaços.
std::u16string TextoEntre(const teste::TCanvasGravador& canvas, double x1, double x2) {
    std::u16string r;
    for (const auto& t : canvas.Textos()) {
        if (!t.Vertical && t.X >= x1 && t.X <= x2) {
            r += t.Texto + u' ';
        }
    }
    return r;
}

TEST(Capa, AFrenteEACapaDoLivroEOVersoResumeOLivroComUmaGrelha) {
    auto medidor = teste::MedidorReal();
    const auto livro = LivroDeTeste(fp6x9, u"Animais do Mundo", 12, 15);
    const TGeometriaCapa c = GeometriaDaCapa(fp6x9, 130, ppBranco);
    teste::TCanvasGravador canvas(medidor);
    DesenharCapaImpressao(canvas, c, livro);
    const auto frente = TextoEntre(canvas, c.Frente.X, c.Frente.Direita());
    for (const auto* t : {u"ORVALEN ", u"ZELTA ", u"Animais do Mundo ", u"3 puzzles ", u"12 × 12 "}) {
        EXPECT_NE(frente.find(t), std::u16string::npos) << ParaUtf8(t);
    }
    // O verso diz o livro em frases e mostra as letras da primeira grelha, uma a uma.
    const auto verso = TextoEntre(canvas, c.Verso.X, c.Verso.Direita());
    for (const auto* t : {u"3 puzzles em grelhas de 12 × 12 letras, com soluções.",
                          u"Em cada puzzle, de 13 a 15 palavras para encontrar.", u"As palavras leem-se da esquerda"}) {
        EXPECT_NE(verso.find(t), std::u16string::npos) << ParaUtf8(t) << "\n" << ParaUtf8(verso);
    }
    std::u16string letras;
    for (const auto& t : canvas.Textos()) {
        if (t.Texto.size() == 1 && t.X < c.Verso.Direita()) {
            letras += t.Texto;
        }
    }
    EXPECT_EQ(letras, livro.Puzzles.front().Grelha);
}

TEST(Capa, OPdfTemUmaPaginaDoTamanhoDaCapaESaiSempreIgual) {
    const auto livro = LivroDeTeste(fp6x9, u"Animais do Mundo");
    const TPdfDoLivro a = CapaEmPdf(livro, 130, ppCreme);
    EXPECT_EQ(a.Paginas, 1);
    EXPECT_EQ(a.Bytes, CapaEmPdf(livro, 130, ppCreme).Bytes);
    EXPECT_NE(a.Bytes, CapaEmPdf(livro, 130, ppBranco).Bytes);
    EXPECT_THROW(CapaEmPdf(TDadosLivro{}, 130, ppBranco), EZelta);
}

} // namespace
} // namespace zelta
