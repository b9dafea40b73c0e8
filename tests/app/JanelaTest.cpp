#include "Apoio.hpp"

#include "app/Conversoes.hpp"
#include "app/VistaPagina.hpp"

#include <QAbstractButton>
#include <QScrollArea>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace zelta {
namespace {

using teste::TJanelaDeTeste;

struct TIntervalo {
    std::int32_t Min, Max, Valor;
    friend bool operator==(const TIntervalo&, const TIntervalo&) = default;
    friend std::ostream& operator<<(std::ostream& o, const TIntervalo& i) {
        return o << "[" << i.Min << ", " << i.Max << "] = " << i.Valor;
    }
};

TIntervalo IntervaloDe(TJanelaDeTeste& t, const char* campo) {
    TCampoNumero* c = t.CampoNum(campo);
    return {c->Minimo(), c->Maximo(), c->Valor().value_or(-999)};
}

TEST(Janela, ArrancaComNaturezaOsIntervalosEOResumo) {
    TJanelaDeTeste t;
    EXPECT_EQ(t.Janela().windowTitle(), QStringLiteral("ZELTA | Orvalen"));
    EXPECT_EQ(t.Entradas(), (QStringList{"Natureza", "Ciência", "Portugal", "Mundo", "Dia a Dia", "Cultura e Lazer",
                                         "Verbos", "Mix de Temas", "Dicionário"}));
    EXPECT_EQ(t.Livros()->currentText(), QStringLiteral("Natureza"));
    EXPECT_EQ(t.Controlo<TGrupoRadio>("RadioGroupTamanho")->ItemIndex(), 2);
    EXPECT_EQ(t.Controlo<TGrupoRadio>("RadioGroupDirecoes")->ItemIndex(), 2);
    // Animais tem uma palavra de 16 letras: o lado 15 é que limita o máximo.
    EXPECT_EQ(IntervaloDe(t, "EditMinLetras"), (TIntervalo{3, 6, 4}));
    EXPECT_EQ(IntervaloDe(t, "EditMaxLetras"), (TIntervalo{3, 15, 12}));
    EXPECT_EQ(IntervaloDe(t, "EditNumPalavras"), (TIntervalo{10, 20, 20}));
    EXPECT_EQ(IntervaloDe(t, "EditNumPuzzles"), (TIntervalo{3, 100, 30}));
    EXPECT_EQ(t.Resumo(),
              QStringLiteral("30 puzzles · 15 × 15 · Natureza (3 temas) · Todas · até 20 palavras de 4 a 12 letras"));
    EXPECT_TRUE(t.Botao("BitBtnGerar")->isEnabled());
    EXPECT_TRUE(t.Botao("BitBtnImportar")->isEnabled());
    EXPECT_FALSE(t.Botao("BitBtnCancelar")->isEnabled());
    EXPECT_FALSE(t.Controlo<QCheckBox>("CheckBoxAcentos")->isChecked());
    EXPECT_TRUE(t.Controlo<QCheckBox>("CheckBoxAbrirPDF")->isChecked());
    EXPECT_EQ(t.Controlo<QLineEdit>("EditTituloLivro")->maxLength(), 40);
    EXPECT_EQ(t.Controlo<QProgressBar>("ProgressBarLote")->value(), 0);
    EXPECT_TRUE(t.Botao("BitBtnImportar")
                    ->toolTip()
                    .startsWith(QStringLiteral(
                        "Importar um tema: ficheiro de texto (.txt, em UTF-8, UTF-16 ou Windows-1252)")));
    EXPECT_FALSE(t.Janela().Catalogo().Dicionario.Palavras.empty());
    EXPECT_FALSE(t.Janela().Catalogo().ListaNegra.empty());
}

TEST(Janela, CabeNoEcraA100A150EA200PorCento) {
    TJanelaDeTeste t;
    for (const double escala : {1.0, 1.5, 2.0}) {
        // Um ecrã de 1280 × 800 com uma barra de 40 píxeis, em píxeis lógicos.
        const QRect disponivel(0, 0, static_cast<int>(1280 / escala), static_cast<int>(760 / escala));
        t.Janela().AjustarAoEcra(disponivel);
        EXPECT_TRUE(disponivel.contains(t.Janela().geometry())) << escala;
        // O que não cabe desliza: a área de deslizar mostra o painel inteiro por partes.
        auto* rolagem = t.Controlo<QScrollArea>("RolagemJanela");
        EXPECT_GE(rolagem->widget()->minimumSizeHint().width(), 802) << escala;
    }
    // A 100 % a página fica ao lado das opções.
    t.Janela().AjustarAoEcra(QRect(0, 0, 1280, 760));
    EXPECT_GE(t.Controlo<QWidget>("VistaPagina")->mapTo(&t.Janela(), QPoint(0, 0)).x(), 802);
}

TEST(Janela, EtiquetasDosCamposComUmSoTamanhoDeLetra) {
    TJanelaDeTeste t;
    const int px = t.Controlo<QLabel>("LabelMinLetras")->font().pixelSize();
    for (const char* nome :
         {"LabelMaxLetras", "LabelNumPalavras", "LabelNumPuzzles", "LabelTituloLivro", "LabelLivro", "LabelFormato"}) {
        EXPECT_EQ(t.Controlo<QLabel>(nome)->font().pixelSize(), px) << nome;
    }
    EXPECT_LE(t.Controlo<QLabel>("LabelNumPalavras")->width(), 140);
}

TEST(Janela, CadaControloTemUmaDica) {
    TJanelaDeTeste t;
    for (QWidget* w : t.Janela().findChildren<QWidget*>()) {
        const bool controlo = qobject_cast<QAbstractButton*>(w) != nullptr || qobject_cast<QLineEdit*>(w) != nullptr ||
                              qobject_cast<QComboBox*>(w) != nullptr || dynamic_cast<TGrupoRadio*>(w) != nullptr;
        // Os botões de opção e as setas herdam a dica do grupo ou do campo a que pertencem.
        const bool parte = qobject_cast<QRadioButton*>(w) != nullptr || w->objectName().startsWith("UpDown") ||
                           w->parentWidget()->objectName().startsWith("UpDown") ||
                           qobject_cast<QLineEdit*>(w->parentWidget()) != nullptr ||
                           qobject_cast<QComboBox*>(w->parentWidget()) != nullptr;
        if (controlo && !parte && w->isVisibleTo(&t.Janela())) {
            EXPECT_FALSE(w->toolTip().isEmpty()) << w->objectName().toStdString();
        }
    }
    EXPECT_TRUE(t.CampoNum("EditNumPalavras")->toolTip().contains(QStringLiteral("de 10 a 20")))
        << t.CampoNum("EditNumPalavras")->toolTip().toStdString();
}

TEST(Janela, APaginaSegueAsOpcoesEMostraARecusa) {
    TJanelaDeTeste t;
    auto* vista = t.Controlo<TVistaPagina>("VistaPagina");
    const auto esperar = [&vista](auto condicao) { return QTest::qWaitFor([&] { return condicao(*vista); }, 2000); };
    ASSERT_TRUE(esperar([](const TVistaPagina& v) { return v.Livro() && v.Livro()->Puzzles[0].Lado == 15; }));
    t.EscolherRadio("RadioGroupTamanho", 3);
    EXPECT_TRUE(esperar([](const TVistaPagina& v) { return v.Livro() && v.Livro()->Puzzles[0].Lado == 20; }));
    t.Clicar(t.Botao("BitBtnSolucoes"));
    EXPECT_TRUE(vista->Solucoes());
    t.Escrever("EditNumPalavras", QString());
    EXPECT_TRUE(esperar([](const TVistaPagina& v) { return !v.Livro() && !v.Recusa().empty(); }));
    EXPECT_EQ(QTexto(vista->Recusa()), t.Estado());
}

TEST(Janela, LadoELivroAjustamIntervalosEValores) {
    TJanelaDeTeste t;
    t.EscolherRadio("RadioGroupTamanho", 0);
    EXPECT_EQ(IntervaloDe(t, "EditNumPalavras"), (TIntervalo{10, 10, 10}));
    EXPECT_EQ(IntervaloDe(t, "EditMaxLetras"), (TIntervalo{3, 10, 10}));
    EXPECT_EQ(IntervaloDe(t, "EditMinLetras"), (TIntervalo{3, 6, 4}));

    // Mix: o mínimo de puzzles desce para 1 sem mexer no valor.
    t.EscolherLivro(QStringLiteral("Mix de Temas"));
    EXPECT_EQ(IntervaloDe(t, "EditNumPuzzles"), (TIntervalo{1, 100, 30}));
    t.Escrever("EditNumPuzzles", QStringLiteral("2"));
    EXPECT_TRUE(t.Botao("BitBtnGerar")->isEnabled());
    // Dia a Dia tem 5 temas: o novo mínimo sobe o valor.
    t.EscolherLivro(QStringLiteral("Dia a Dia"));
    EXPECT_EQ(IntervaloDe(t, "EditNumPuzzles"), (TIntervalo{5, 100, 5}));
    // Escrito depois abaixo do mínimo, fica; a análise é que recusa.
    t.Escrever("EditNumPuzzles", QStringLiteral("4"));
    EXPECT_EQ(IntervaloDe(t, "EditNumPuzzles"), (TIntervalo{5, 100, 4}));
    EXPECT_EQ(t.Estado(), QStringLiteral("O grupo Dia a Dia tem 5 temas: peça pelo menos 5 puzzles."));
    EXPECT_FALSE(t.Botao("BitBtnGerar")->isEnabled());
}

TEST(Janela, TextoEscritoFicaEGerarDesligaComAFraseCerta) {
    const struct {
        const char* Campo;
        const char* Texto;
        const char* Estado;
    } casos[] = {
        {"EditMinLetras", "2", "O mínimo de letras tem de estar entre 3 e 6."},
        {"EditNumPuzzles", "", "Indique o número de puzzles."},
        {"EditMaxLetras", "doze", "Indique o máximo de letras."},
        {"EditNumPalavras", " ", "Indique o número de palavras."},
    };
    for (const auto& c : casos) {
        TJanelaDeTeste t;
        t.Escrever(c.Campo, QString::fromUtf8(c.Texto));
        EXPECT_EQ(t.Controlo<QLineEdit>(c.Campo)->text(), QString::fromUtf8(c.Texto)) << c.Campo;
        EXPECT_EQ(t.Estado(), QString::fromUtf8(c.Estado)) << c.Campo;
        EXPECT_FALSE(t.Botao("BitBtnGerar")->isEnabled()) << c.Campo;
    }
}

TEST(Janela, TituloEAbrirPdfNaoRefrescam) {
    TJanelaDeTeste t;
    auto* estado = t.Controlo<QLabel>("LabelEstado");
    estado->setText(QStringLiteral("marca"));
    t.Escrever("EditTituloLivro", QStringLiteral("O meu livro"));
    t.Clicar(t.Controlo<QCheckBox>("CheckBoxAbrirPDF"));
    EXPECT_EQ(estado->text(), QStringLiteral("marca"));
    EXPECT_FALSE(t.Controlo<QCheckBox>("CheckBoxAbrirPDF")->isChecked());
    // As opções do livro refrescam: a marca desaparece.
    t.Clicar(t.Controlo<QCheckBox>("CheckBoxAcentos"));
    EXPECT_NE(estado->text(), QStringLiteral("marca"));
}

// O formato e as duas caixas da impressão entram nas opções e na análise: o que não cabe é recusado na linha
// de estado, como as outras opções.
TEST(Janela, FormatoEImpressaoNaAnaliseENasOpcoes) {
    TJanelaDeTeste t;
    t.EscolherRadio("RadioGroupTamanho", 3);
    EXPECT_TRUE(t.Botao("BitBtnGerar")->isEnabled());
    t.Clicar(t.Controlo<QCheckBox>("CheckBoxLetraGrande"));
    EXPECT_EQ(t.Estado(), QStringLiteral("Em A4 em letra grande, a maior grelha que cabe é 15 × 15."));
    EXPECT_FALSE(t.Botao("BitBtnGerar")->isEnabled());
    t.Controlo<QComboBox>("ComboBoxFormato")->setCurrentIndex(4);
    t.Clicar(t.Controlo<QCheckBox>("CheckBoxEncadernar"));
    EXPECT_EQ(t.Estado(), QStringLiteral("Em 6 × 9 pol. em letra grande e para encadernar, a maior grelha que cabe é "
                                         "10 × 10."));
    // Em 6 × 9 e letra grande só o 10 × 10 se oferece.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t.Controlo<TGrupoRadio>("RadioGroupTamanho")->Item(i)->isEnabled(), i == 0) << i;
    }
    t.EscolherRadio("RadioGroupTamanho", 0);
    EXPECT_TRUE(t.Botao("BitBtnGerar")->isEnabled());
    const TLeituraOpcoes l = t.Janela().LerOpcoes();
    EXPECT_EQ(l.Impressao, (TOpcoesImpressao{TFormatoPagina::fp6x9, true, true}));
}

TEST(Janela, LerOpcoesLeOQueEstaNosControlos) {
    TJanelaDeTeste t;
    t.EscolherRadio("RadioGroupTamanho", 3);
    t.EscolherRadio("RadioGroupDirecoes", 1);
    t.Escrever("EditTituloLivro", QStringLiteral("  O Mar  "));
    t.Clicar(t.Controlo<QCheckBox>("CheckBoxAcentos"));
    t.EscolherLivro(QStringLiteral("Dicionário"));
    TLeituraOpcoes l = t.Janela().LerOpcoes();
    ASSERT_TRUE(l.Ok);
    EXPECT_EQ(l.Config.Lado, 20);
    EXPECT_EQ(l.Config.Modo, TModoDirecoes::mdDiagonais);
    EXPECT_TRUE(l.Config.Acentos);
    EXPECT_FALSE(l.Config.Mix);
    EXPECT_EQ(l.Config.Grupo, u"Dicionário");
    EXPECT_EQ(l.Config.Titulo, u"O Mar");
    EXPECT_EQ(l.Config.Semente, 0U);

    t.EscolherLivro(QStringLiteral("Mix de Temas"));
    l = t.Janela().LerOpcoes();
    EXPECT_TRUE(l.Config.Mix);
    EXPECT_EQ(l.Config.Grupo, u"");
    EXPECT_EQ(t.Resumo().section(QStringLiteral(" · "), 2, 2), QStringLiteral("Mix"));
}

} // namespace
} // namespace zelta
