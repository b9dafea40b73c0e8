#include "layout/Paginas.hpp"

#include "core/Texto.hpp"
#include "tests/support/CanvasGravador.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelta {
namespace {

using enum TTipoPagina;
using teste::TCanvasGravador;
using teste::TDestinoGravador;
using teste::TOperacao;

TEST(Paginas, PlanoENumeracao) {
    // Livro de dois puzzles: página de símbolo para o separador das soluções cair numa página ímpar.
    const std::vector<TDescPagina> dois{{pgCapa, 0, 0},   {pgVerso, 0, 2},   {pgSeparador, 0, 0}, {pgPuzzle, 0, 4},
                                        {pgPuzzle, 1, 5}, {pgSimbolo, 0, 0}, {pgSeparador, 1, 0}, {pgSolucoes, 0, 8}};
    EXPECT_EQ(PlanoDePaginas(2), dois);
    const std::vector<TDescPagina> um{{pgCapa, 0, 0},   {pgVerso, 0, 2},     {pgSeparador, 0, 0},
                                      {pgPuzzle, 0, 4}, {pgSeparador, 1, 0}, {pgSolucoes, 0, 6}};
    EXPECT_EQ(PlanoDePaginas(1), um);
    const auto cinco = PlanoDePaginas(5);
    ASSERT_EQ(cinco.size(), 11U);
    EXPECT_EQ(cinco[9], (TDescPagina{pgSolucoes, 0, 10}));
    EXPECT_EQ(cinco[10], (TDescPagina{pgSolucoes, 4, 11}));
    EXPECT_EQ(PlanoDePaginas(3)[6], (TDescPagina{pgSeparador, 1, 0}));

    const std::pair<int, int> contagens[] = {{0, 5},  {1, 6},   {2, 8},   {3, 8},    {4, 10},
                                             {5, 11}, {10, 18}, {50, 68}, {100, 130}};
    for (const auto& [n, paginas] : contagens) {
        EXPECT_EQ(NumPaginasLivro(n), paginas) << n;
        // Os separadores caem sempre em páginas ímpares.
        const auto plano = PlanoDePaginas(n);
        for (std::size_t j = 0; j < plano.size(); ++j) {
            if (plano[j].Tipo == pgSeparador) {
                EXPECT_EQ(j % 2, 0U) << n;
            }
        }
    }
}

TEST(Paginas, AcentosESeparadoresDasPalavras) {
    auto livro = [](std::initializer_list<const char16_t*> textos) {
        TPuzzle p;
        for (auto t : textos) {
            p.Palavras.push_back({t, t, 0, 0, 0});
        }
        return std::vector<TPuzzle>{TPuzzle{}, p};
    };
    const struct {
        std::vector<TPuzzle> Puzzles;
        bool Acentos, Separadores;
    } casos[] = {
        {livro({u"GATO", u"CAO"}), false, false},
        {livro({u"GATO", u"PÉ-DE-MEIA"}), true, true},
        {livro({u"CASTELO BRANCO"}), false, true},
        {livro({u"D'ÁGUA"}), true, true},
        {livro({u"ÇAR"}), true, false},
        {{}, false, false},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TemAcentos(c.Puzzles), c.Acentos);
        EXPECT_EQ(TemSeparadores(c.Puzzles), c.Separadores);
    }
}

// Compõe um livro e devolve as páginas gravadas.
TDestinoGravador Compor(const TDadosLivro& livro, std::shared_ptr<ICanvasPagina> medidor = nullptr) {
    TDestinoGravador destino(std::move(medidor));
    TCompositorLivro(livro).Compor(destino);
    return destino;
}

TDadosLivro Livro(std::int32_t n, std::int32_t lado = 10) {
    TDadosLivro l;
    l.Config = teste::ConfigDeTeste(n, lado, 8);
    l.Puzzles = teste::PuzzlesFabricados(n, lado, 8);
    return l;
}

TEST(Paginas, CapaLinhaALinha) {
    auto livro = Livro(12, 15);
    livro.Config.Titulo = u"  Animais  ";
    const auto d = Compor(livro);
    ASSERT_EQ(d.Paginas.size(), static_cast<std::size_t>(NumPaginasLivro(12)));
    const auto t = d.Paginas[0]->Textos();
    const struct {
        double Y;
        const char16_t* Texto;
        double TamanhoPt;
        bool Negrito;
    } linhas[] = {{42, u"ORVALEN", 24, true},      {92, u"ZELTA", 80, true},     {150, u"Animais", 34, true},
                  {202, u"12 puzzles", 16, false}, {212, u"15 × 15", 16, false}, {222, u"Natureza", 16, false}};
    ASSERT_EQ(t.size(), 6U);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(t[i].Y, linhas[i].Y);
        EXPECT_EQ(t[i].Texto, linhas[i].Texto);
        EXPECT_EQ(t[i].TamanhoPt, linhas[i].TamanhoPt);
        EXPECT_EQ(t[i].Negrito, linhas[i].Negrito);
        EXPECT_EQ(t[i].X, 105);
        EXPECT_EQ(t[i].Alinhamento, TAlinhamento::alCentro);
    }
    EXPECT_TRUE(d.Paginas[0]->Do(TOperacao::opLinha).empty()); // sem rodapé nem molduras

    // Título em branco: a linha desaparece e as outras não mudam de sítio; Mix no lugar do grupo; 1 puzzle.
    auto outro = Livro(1);
    outro.Config.Titulo = u" \t ";
    outro.Config.Mix = true;
    outro.Config.Grupo.clear();
    const auto t2 = Compor(outro).Paginas[0]->Textos();
    ASSERT_EQ(t2.size(), 5U);
    EXPECT_EQ(t2[2].Texto, u"1 puzzle");
    EXPECT_EQ(t2[2].Y, 202);
    EXPECT_EQ(t2[4].Texto, u"Mix");
    EXPECT_EQ(t2[4].Y, 222);

    outro.Config.Mix = false;
    EXPECT_EQ(Compor(outro).Paginas[0]->Textos().size(), 4U); // grupo vazio: sem a última linha
}

TEST(Paginas, TituloAjustadoEncolheAtePassoMinimo) {
    // Modelo do gravador a negrito: 0,6 em por carácter.
    TCanvasGravador c;
    TituloAjustado(c, 150, std::u16string(30, u'M'), 34, 16, 2, true);
    // 30 × 0,6 × s × 25,4/72 ≤ 174 a partir de s = 26.
    EXPECT_EQ(c.Textos().at(0).TamanhoPt, 26);
    // Larga demais mesmo no mínimo: continua até 8 pt e acaba em «…», dentro da mancha.
    TituloAjustado(c, 150, std::u16string(300, u'M'), 34, 16, 2, true);
    TituloAjustado(c, 42, std::u16string(300, u'M'), 24, 24, 1, true);
    const auto textos = c.Textos(); // uma cópia filtrada: tem de viver durante o ciclo
    for (const std::size_t i : {1U, 2U}) {
        const auto& t = textos.at(i);
        EXPECT_EQ(t.TamanhoPt, 8);
        EXPECT_EQ(t.Texto.back(), u'\u2026');
        EXPECT_LE(c.LarguraTexto(t.Texto, 8, true), 174);
        EXPECT_GT(c.LarguraTexto(t.Texto + u"M", 8, true), 174);
        EXPECT_EQ(t.X, 105);
    }
}

TEST(Paginas, QuebraDeTexto) {
    TCanvasGravador c; // 11 pt normal: 1,9403 mm por carácter
    const double w = 11.5 * PtParaMm(11) * 0.5;
    EXPECT_EQ(QuebrarTexto(c, u"um dois tres quatro", w, 11, false),
              (std::vector<std::u16string>{u"um dois", u"tres quatro"}));
    // Uma palavra mais larga que a linha fica sozinha.
    EXPECT_EQ(QuebrarTexto(c, u"a extraordinariamente b", w, 11, false),
              (std::vector<std::u16string>{u"a", u"extraordinariamente", u"b"}));
    EXPECT_TRUE(QuebrarTexto(c, u"", w, 11, false).empty());
}

TEST(Paginas, RegrasComMetricasReais) {
    auto ultimoY = [](TModoDirecoes modo, bool acentos, bool ta, bool ts) {
        TCanvasGravador c(teste::MedidorReal());
        return DesenharRegras(c, LinhasRegras(modo, acentos, ta, ts), 18);
    };
    // As regras acabam sempre bem acima do bloco dos direitos, em 205 mm.
    const double menos = ultimoY(TModoDirecoes::mdSimples, false, false, false);
    const double mais = ultimoY(TModoDirecoes::mdTodas, false, true, true);
    EXPECT_GT(menos, 88);
    EXPECT_LT(menos, 96);
    EXPECT_GT(mais, 125);
    EXPECT_LT(mais, 135);

    // Títulos, parágrafos quebrados a 174 mm e itens com as continuações penduradas depois do travessão.
    TCanvasGravador c(teste::MedidorReal());
    const std::vector<TLinhaRegras> linhas{
        {TTipoLinhaRegras::lrTitulo, u"Primeiro"},
        {TTipoLinhaRegras::lrTitulo, u"Segundo"},
        {TTipoLinhaRegras::lrBranco, u""},
        {TTipoLinhaRegras::lrItem, u"- " + std::u16string(40, u'a') + u" " + std::u16string(70, u'b')},
    };
    const double a = PtParaMm(11) * 1.45;
    const double fim = DesenharRegras(c, linhas, 18);
    const auto t = c.Textos();
    ASSERT_EQ(t.size(), 5U);
    EXPECT_EQ(t[0].X, 105);
    EXPECT_EQ(t[0].TamanhoPt, 20);
    EXPECT_EQ(t[1].Y, 18 + 12 + 4);
    EXPECT_EQ(t[1].X, 18);
    EXPECT_EQ(t[1].TamanhoPt, 13);
    const double y = 18 + 12 + 4 + 7 + a / 2;
    EXPECT_EQ(t[2].Texto, u"- ");
    EXPECT_NEAR(t[2].Y, y, 1e-9);
    const double travessao = c.LarguraTexto(u"- ", 11, false);
    EXPECT_NEAR(t[3].X, 18 + travessao, 1e-9);
    EXPECT_NEAR(t[3].Y, y, 1e-9);
    EXPECT_NEAR(t[4].X, 18 + travessao, 1e-9);
    EXPECT_NEAR(t[4].Y, y + a, 1e-9);
    EXPECT_NEAR(fim, y + 2 * a, 1e-9);
}

TEST(Paginas, VersoSeparadoresESimbolo) {
    auto livro = Livro(2);
    livro.Config.Modo = TModoDirecoes::mdSimples;
    const auto d = Compor(livro, teste::MedidorReal());
    ASSERT_EQ(d.Paginas.size(), 8U);

    // Verso: regras, bloco dos direitos em posições fixas, selo com as proporções de 1280 × 450, rodapé 2.
    auto& verso = *d.Paginas[1];
    const auto* zelta = verso.ProcurarTexto(u"ZELTA");
    const auto* direitos = verso.ProcurarTexto(u"© Orvalen. Alguns direitos reservados.");
    const auto* licenca =
        verso.ProcurarTexto(u"Licença Creative Commons Atribuição-NãoComercial-SemDerivações 4.0 Internacional.");
    ASSERT_TRUE(zelta && direitos && licenca);
    EXPECT_EQ(zelta->Y, 205);
    EXPECT_EQ(zelta->TamanhoPt, 14);
    EXPECT_TRUE(zelta->Negrito);
    EXPECT_EQ(direitos->Y, 214);
    EXPECT_EQ(direitos->TamanhoPt, 11);
    EXPECT_EQ(licenca->Y, 228);
    EXPECT_EQ(licenca->TamanhoPt, 12);
    for (const auto* t : {zelta, direitos, licenca}) {
        EXPECT_EQ(t->X, 18);
        EXPECT_EQ(t->Alinhamento, TAlinhamento::alEsquerda);
    }
    // A frase da licença cabe numa linha da mancha.
    EXPECT_LT(verso.LarguraTexto(licenca->Texto, 12, false), 174);
    const auto imagens = verso.Do(TOperacao::opImagem);
    ASSERT_EQ(imagens.size(), 1U);
    EXPECT_EQ(imagens[0].Texto, u"CC_BY_NC_ND");
    EXPECT_EQ(imagens[0].X, 18);
    EXPECT_EQ(imagens[0].Y, 235.5);
    EXPECT_EQ(imagens[0].X2, 30);
    EXPECT_EQ(imagens[0].Y2, 10.546875);
    EXPECT_EQ(verso.Textos().back().Texto, u"2");
    EXPECT_NE(verso.ProcurarTexto(u"Como jogar Sopa de Letras"), nullptr);

    // Separadores: só o título muda; barra preta sem contorno centrada por baixo.
    auto& sepP = *d.Paginas[2];
    const auto& sepS = *d.Paginas[6];
    ASSERT_EQ(sepP.Chamadas.size(), 2U);
    ASSERT_EQ(sepS.Chamadas.size(), 2U);
    EXPECT_EQ(sepP.Chamadas[0].Texto, u"Puzzles");
    EXPECT_EQ(sepS.Chamadas[0].Texto, u"Soluções");
    EXPECT_EQ(sepP.Chamadas[0].Y, sepS.Chamadas[0].Y);
    EXPECT_NEAR(sepP.Chamadas[0].Y, 148.5 - sepP.AlturaTexto(36) / 2 - 4, 1e-12);
    EXPECT_EQ(sepP.Chamadas[0].TamanhoPt, 36);
    EXPECT_EQ(sepP.Chamadas[0].X, 105);
    const auto& barra = sepS.Chamadas[1];
    EXPECT_EQ(barra.Op, TOperacao::opRectangulo);
    EXPECT_EQ(barra.X, 90);
    EXPECT_EQ(barra.Y, 162.5);
    EXPECT_EQ(barra.X2, 30);
    EXPECT_EQ(barra.Y2, 0.28);
    EXPECT_EQ(barra.Contorno, -1);
    EXPECT_EQ(barra.Preenchimento, 0);

    // Símbolo: grelha 6 × 6 de 14 mm centrada na página, sem rodapé.
    const auto& simbolo = *d.Paginas[5];
    const auto letras = simbolo.Textos();
    ASSERT_EQ(letras.size(), 36U);
    EXPECT_EQ(letras[0].Texto, u"M");
    EXPECT_EQ(letras[0].X, 63 + 7);
    EXPECT_NEAR(letras[0].TamanhoPt, 23.81, 0.005);
    EXPECT_EQ(letras[35].Texto, u"Q");
    const auto moldura = simbolo.Do(TOperacao::opLinha);
    ASSERT_EQ(moldura.size(), 4U);
    EXPECT_EQ(moldura[2].X, 63);
    EXPECT_EQ(moldura[3].X, 147);
    EXPECT_EQ(moldura[0].Y, 106.5);
    EXPECT_EQ(moldura[1].Y, 190.5);
    EXPECT_EQ(simbolo.Do(TOperacao::opPoligono).size(), 2U);
}

// Um destino cujo canvas falha ao desenhar imagens, como quando falta o selo.
class TDestinoSemImagens final : public IDestinoPaginas {
public:
    class TCanvas final : public ICanvasPagina {
    public:
        void Linha(double, double, double, double, double, int) override {}
        void Rectangulo(double, double, double, double, double, int, int) override {}
        void Poligono(std::span<const TPontoMm>, double, int, int) override {}
        void Texto(double, double, std::u16string_view, double, bool, int, TAlinhamento) override {}
        double LarguraTexto(std::u16string_view t, double, bool) override { return static_cast<double>(t.size()); }
        double AlturaTexto(double s) override { return s / 2; }
        void Imagem(double, double, double, double, std::u16string_view) override {
            throw std::runtime_error("sem imagens");
        }
    };
    std::shared_ptr<ICanvasPagina> NovaPagina() override {
        ++Pedidas;
        auto canvas = std::make_shared<TCanvas>();
        Ultima = canvas;
        return canvas;
    }
    int Pedidas = 0;
    std::weak_ptr<ICanvasPagina> Ultima;
};

TEST(Paginas, ComporParaNaPrimeiraFalha) {
    TDestinoSemImagens destino;
    EXPECT_THROW(TCompositorLivro(Livro(3)).Compor(destino), std::runtime_error);
    EXPECT_EQ(destino.Pedidas, 2);         // capa e verso; nada depois
    EXPECT_TRUE(destino.Ultima.expired()); // o compositor largou o canvas
}

TEST(Paginas, CompositorGuardaASuaCopiaDoLivro) {
    auto livro = Livro(1);
    TCompositorLivro compositor(livro);
    livro.Puzzles[0].Tema = u"Outro";
    livro.Puzzles.push_back(livro.Puzzles[0]);
    EXPECT_EQ(compositor.NumPaginas(), 6);
    TDestinoGravador d;
    compositor.Compor(d);
    EXPECT_NE(d.Paginas[3]->ProcurarTexto(u"Animais"), nullptr);
    EXPECT_EQ(PuzzleSimbolo().Grelha.size(), 36U);
}

} // namespace
} // namespace zelta
