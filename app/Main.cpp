// A janela principal: construção dos controlos, carga dos temas e a atualização das opções.
#include "app/Main.hpp"

#include "app/Controlos.hpp"
#include "app/Conversoes.hpp"
#include "app/Estilo.hpp"
#include "app/VistaPagina.hpp"
#include "book/Amostra.hpp"
#include "book/Opcoes.hpp"
#include "core/Formato.hpp"
#include "core/Random.hpp"
#include "core/Texto.hpp"
#include "themes/Biblioteca.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <utility>

namespace zelta {
namespace {

template <class T> T* Criar(QWidget* pai, const char* nome) {
    auto* w = new T(pai);
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QLabel* Etiqueta(QWidget* pai, const char* nome, const char* texto, int x, int y, int px) {
    auto* l = Criar<QLabel>(pai, nome);
    l->setText(QString::fromUtf8(texto));
    l->setFont(FonteDaJanela(px));
    l->move(x, y);
    l->adjustSize();
    return l;
}

// Sem Segoe UI a fonte do ambiente costuma ser mais larga: todas as etiquetas dos campos ficam com o maior
// tamanho em que cada uma cabe no espaço que tem antes do controlo seguinte, para não se sobreporem a ele
// nem ficarem de tamanhos diferentes.
void IgualarEtiquetas(const std::vector<std::pair<QLabel*, int>>& etiquetas, int px) {
    QFont f = FonteDaJanela(px);
    const auto cabem = [&etiquetas](const QFont& letra) {
        return std::all_of(etiquetas.begin(), etiquetas.end(), [&letra](const auto& e) {
            return QFontMetrics(letra).horizontalAdvance(e.first->text()) <= e.second;
        });
    };
    while (f.pixelSize() > 9 && !cabem(f)) {
        f.setPixelSize(f.pixelSize() - 1);
    }
    for (const auto& e : etiquetas) {
        e.first->setFont(f);
        e.first->adjustSize();
    }
}

TCampoNumero* Campo(QWidget* pai, const char* nome, const char* nomeSetas, int x, int y) {
    auto* c = new TCampoNumero(pai);
    c->setObjectName(QString::fromLatin1(nome));
    c->setFont(FonteDaJanela(17));
    c->setGeometry(x, y, 57, 31);
    c->Setas()->setObjectName(QString::fromLatin1(nomeSetas));
    c->Setas()->setGeometry(x + 57, y, 25, 31);
    return c;
}

QPushButton* Botao(QWidget* pai, const char* nome, const char* texto, int y) {
    auto* b = Criar<QPushButton>(pai, nome);
    b->setText(QString::fromUtf8(texto));
    b->setFont(FonteDaJanela(15));
    b->setGeometry(628, y, 140, 45);
    return b;
}

} // namespace

QString DicaImportar() {
    return QStringLiteral("Importar um tema: ficheiro de texto (.txt, em UTF-8, UTF-16 ou Windows-1252)\n"
                          "com uma palavra ou expressão por linha.\n"
                          "\n"
                          "A primeira linha pode ser «# Tema: Nome»; sem ela,\n"
                          "o tema fica com o nome do ficheiro.");
}

TPedidoFicheiro PedidoGuardarPdf(const std::u16string& nomeProposto) {
    TPedidoFicheiro p;
    p.Titulo = u"Guardar o livro";
    p.Filtros = {u"Ficheiros PDF (*.pdf)"};
    p.ExtensaoPorOmissao = u"pdf";
    p.NomeProposto = nomeProposto;
    p.PerguntarSubstituir = true;
    return p;
}

TPedidoFicheiro PedidoAbrirLivro() {
    TPedidoFicheiro p;
    p.Titulo = u"Abrir um livro gravado";
    p.Filtros = {u"Livros (*.json)", u"Todos os ficheiros (*)"};
    return p;
}

TPedidoFicheiro PedidoAbrirTema() {
    TPedidoFicheiro p;
    p.Titulo = u"Importar um tema";
    p.Filtros = {u"Temas (*.txt)", u"Todos os ficheiros (*)"};
    return p;
}

TFormMain::TFormMain(IDialogos& dialogos, std::filesystem::path pastaDosTemas, QWidget* pai)
    : QWidget(pai), FDialogos(dialogos), FSementeDaVista(NovaSemente()) {
    FAtualizando = true;
    FMinPuzzlesAnterior = 1;
    CriarControlos();

    const TConfigLivro omissao = ConfigPorOmissao();
    RadioGroupTamanho->DefinirItemIndex(IndiceDoTamanho(omissao.Lado));
    RadioGroupDirecoes->DefinirItemIndex(static_cast<std::int32_t>(omissao.Modo));
    DefinirIntervalo(*EditMinLetras, MinimoDeLetras, MaximoDoMinimoDeLetras);
    DefinirIntervalo(*EditMaxLetras, MinimoDeLetras, omissao.MaxLetras);
    DefinirIntervalo(*EditNumPalavras, MinimoDePalavras, MaxPalavrasDoLado(Tamanhos.back()));
    DefinirIntervalo(*EditNumPuzzles, 1, MaximoDePuzzles);
    EditMinLetras->DefinirValor(omissao.MinLetras);
    EditMaxLetras->DefinirValor(omissao.MaxLetras);
    EditNumPalavras->DefinirValor(omissao.NumPalavras);
    EditNumPuzzles->DefinirValor(omissao.NumPuzzles);
    LabelResumo->clear();
    LabelEstado->clear();
    ProgressBarLote->setValue(0);
    BitBtnCancelar->setEnabled(false);
    FAtualizando = false;

    FCatalogo.Pasta = std::move(pastaDosTemas);
    RecarregarTemas(u"");
    LigarEventos();
    OpcoesAlteradas();
    if (const QScreen* ecra = screen()) {
        AjustarAoEcra(ecra->availableGeometry());
    }
}

TFormMain::~TFormMain() = default;

void TFormMain::CriarControlos() {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("ZELTA | Orvalen"));
    setFont(FonteDaJanela(12));

    // As opções num painel de tamanho fixo, que desliza quando o ecrã é pequeno; a página ao lado ou por baixo.
    // Tudo nasce já no sítio final: mudar de pai depois deixaria a folha de estilo trocar as letras.
    FRolagem = Criar<QScrollArea>(this, "RolagemJanela");
    FRolagem->setFrameShape(QFrame::NoFrame);
    FRolagem->setWidgetResizable(true);
    auto* conteudo = Criar<QWidget>(nullptr, "ConteudoJanela");
    FRolagem->setWidget(conteudo);
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->addWidget(FRolagem);
    auto* painel = Criar<QWidget>(conteudo, "PainelOpcoes");
    painel->setFixedSize(LarguraDoPainel, AlturaDoPainel);
    painel->setFont(FonteDaJanela(12));

    BevelApp = Criar<QFrame>(painel, "BevelApp");
    BevelApp->setFrameShape(QFrame::Panel);
    BevelApp->setFrameShadow(QFrame::Raised);
    BevelApp->setGeometry(606, 20, 185, 121);
    LabelNome = Criar<QLabel>(painel, "LabelNome");
    LabelNome->setText(QStringLiteral("ZELTA"));
    LabelNome->setFont(FonteDoNome(40));
    LabelNome->move(642, 29);
    LabelNome->adjustSize();
    LabelAutor = Etiqueta(painel, "LabelAutor", "by Orvalen", 622, 89, 17);

    auto* grupo = Criar<QGroupBox>(painel, "GroupBoxLivro");
    grupo->setTitle(QStringLiteral("Livro"));
    grupo->setFont(FonteDaJanela(17));
    grupo->setGeometry(16, 8, 579, 323);
    GroupBoxLivro = grupo;

    RadioGroupTamanho = new TGrupoRadio(
        QStringLiteral("Tamanho"),
        {QStringLiteral("10 × 10"), QStringLiteral("12 × 12"), QStringLiteral("15 × 15"), QStringLiteral("20 × 20")},
        grupo);
    RadioGroupTamanho->setObjectName(QStringLiteral("RadioGroupTamanho"));
    RadioGroupTamanho->setGeometry(12, 31, 100, 153);
    RadioGroupDirecoes =
        new TGrupoRadio(QStringLiteral("Direções"),
                        {QStringLiteral("Simples"), QStringLiteral("Com diagonais"), QStringLiteral("Todas")}, grupo);
    RadioGroupDirecoes->setObjectName(QStringLiteral("RadioGroupDirecoes"));
    RadioGroupDirecoes->setGeometry(119, 31, 150, 153);
    for (TGrupoRadio* r : {RadioGroupTamanho, RadioGroupDirecoes}) {
        r->setFont(FonteDaJanela(15));
        for (int i = 0; r->Item(i) != nullptr; ++i) {
            r->Item(i)->setFont(FonteDaJanela(15));
            r->Item(i)->adjustSize();
        }
    }

    LabelMinLetras = Etiqueta(grupo, "LabelMinLetras", "Mínimo de letras", 279, 41, 15);
    EditMinLetras = Campo(grupo, "EditMinLetras", "UpDownMinLetras", 279, 67);
    LabelMaxLetras = Etiqueta(grupo, "LabelMaxLetras", "Máximo de letras", 425, 41, 15);
    EditMaxLetras = Campo(grupo, "EditMaxLetras", "UpDownMaxLetras", 425, 67);
    LabelNumPalavras = Etiqueta(grupo, "LabelNumPalavras", "Máximo de palavras", 279, 113, 15);
    EditNumPalavras = Campo(grupo, "EditNumPalavras", "UpDownNumPalavras", 279, 139);
    LabelNumPuzzles = Etiqueta(grupo, "LabelNumPuzzles", "Número de puzzles", 425, 113, 15);
    EditNumPuzzles = Campo(grupo, "EditNumPuzzles", "UpDownNumPuzzles", 425, 139);

    LabelTituloLivro = Etiqueta(grupo, "LabelTituloLivro", "Título do livro", 12, 193, 15);
    EditTituloLivro = Criar<QLineEdit>(grupo, "EditTituloLivro");
    EditTituloLivro->setFont(FonteDaJanela(17));
    EditTituloLivro->setGeometry(12, 217, 257, 31);
    EditTituloLivro->setMaxLength(MaximoDoTitulo);
    LabelLivro = Etiqueta(grupo, "LabelLivro", "Livro", 279, 193, 15);
    ComboBoxLivro = Criar<QComboBox>(grupo, "ComboBoxLivro");
    ComboBoxLivro->setEditable(false);
    ComboBoxLivro->setFont(FonteDaJanela(17));
    ComboBoxLivro->setGeometry(279, 219, 280, 31);

    CheckBoxAcentos = Criar<QCheckBox>(grupo, "CheckBoxAcentos");
    CheckBoxAcentos->setText(QStringLiteral("Incluir acentos"));
    CheckBoxAcentos->setFont(FonteDaJanela(17));
    CheckBoxAcentos->setGeometry(12, 253, 153, 17);
    CheckBoxAcentos->setChecked(false);
    CheckBoxAbrirPDF = Criar<QCheckBox>(grupo, "CheckBoxAbrirPDF");
    CheckBoxAbrirPDF->setText(QStringLiteral("Abrir PDF"));
    CheckBoxAbrirPDF->setFont(FonteDaJanela(17));
    CheckBoxAbrirPDF->setGeometry(445, 253, 120, 17);
    CheckBoxAbrirPDF->setChecked(true);
    CheckBoxCapa = Criar<QCheckBox>(grupo, "CheckBoxCapa");
    CheckBoxCapa->setText(QStringLiteral("Capa para impressão"));
    CheckBoxCapa->setFont(FonteDaJanela(17));
    CheckBoxCapa->setGeometry(226, 253, 206, 17);
    CheckBoxCapa->setChecked(false);
    // Uma opção da gravação, como "Abrir PDF": fica com os botões, que no grupo já não há lugar.
    CheckBoxJson = Criar<QCheckBox>(painel, "CheckBoxJson");
    CheckBoxJson->setText(QStringLiteral("Gravar também o JSON"));
    CheckBoxJson->setFont(FonteDaJanela(13));
    CheckBoxJson->setGeometry(612, 418, 185, 22);
    CheckBoxJson->setChecked(false);
    // A impressão: o tamanho da página e as duas opções do livro impresso, na última linha do grupo.
    LabelFormato = Etiqueta(grupo, "LabelFormato", "Formato", 12, 291, 15);
    // Cada etiqueta tem até ao controlo seguinte: 140 px nas colunas dos números, o campo nas outras.
    IgualarEtiquetas({{LabelMinLetras, 140},
                      {LabelMaxLetras, 140},
                      {LabelNumPalavras, 140},
                      {LabelNumPuzzles, 140},
                      {LabelTituloLivro, 257},
                      {LabelLivro, 280},
                      {LabelFormato, 72}},
                     15);
    ComboBoxFormato = Criar<QComboBox>(grupo, "ComboBoxFormato");
    ComboBoxFormato->setEditable(false);
    ComboBoxFormato->setFont(FonteDaJanela(17));
    ComboBoxFormato->setGeometry(86, 285, 125, 31);
    for (const TFormatoPagina f : TodosOsFormatos) {
        ComboBoxFormato->addItem(QTexto(Folha(f).Rotulo));
    }
    CheckBoxEncadernar = Criar<QCheckBox>(grupo, "CheckBoxEncadernar");
    CheckBoxEncadernar->setText(QStringLiteral("Para encadernar"));
    CheckBoxEncadernar->setFont(FonteDaJanela(17));
    CheckBoxEncadernar->setGeometry(226, 292, 175, 17);
    CheckBoxLetraGrande = Criar<QCheckBox>(grupo, "CheckBoxLetraGrande");
    CheckBoxLetraGrande->setText(QStringLiteral("Letra grande"));
    CheckBoxLetraGrande->setFont(FonteDaJanela(17));
    CheckBoxLetraGrande->setGeometry(415, 292, 150, 17);
    // As caixas de 17 px de altura cortam a letra de 17 px: a altura cresce até caber, a posição fica.
    for (QCheckBox* c : {CheckBoxAcentos, CheckBoxAbrirPDF, CheckBoxCapa, CheckBoxEncadernar, CheckBoxLetraGrande}) {
        c->resize(c->width(), std::max(c->height(), c->sizeHint().height()));
    }

    LabelResumo = Criar<QLabel>(painel, "LabelResumo");
    LabelEstado = Criar<QLabel>(painel, "LabelEstado");
    for (QLabel* l : {LabelResumo, LabelEstado}) {
        l->setWordWrap(true);
        // Nomes de temas e de ficheiros vêm do utilizador: nunca são lidos como HTML.
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    LabelResumo->setGeometry(16, 345, 579, 32);
    LabelEstado->setGeometry(16, 383, 466, 32);
    BitBtnAbrirPasta = Criar<QPushButton>(painel, "BitBtnAbrirPasta");
    BitBtnAbrirPasta->setText(QStringLiteral("Abrir a pasta"));
    BitBtnAbrirPasta->setFont(FonteDaJanela(12));
    BitBtnAbrirPasta->setGeometry(488, 383, 107, 28);
    BitBtnAbrirPasta->hide();
    ProgressBarLote = Criar<QProgressBar>(painel, "ProgressBarLote");
    ProgressBarLote->setGeometry(16, 425, 579, 21);
    ProgressBarLote->setRange(0, 100);
    ProgressBarLote->setValue(0);
    ProgressBarLote->setTextVisible(false);

    BitBtnAbrirLivro = Criar<QPushButton>(painel, "BitBtnAbrirLivro");
    BitBtnAbrirLivro->setText(QStringLiteral("Abrir livro…"));
    BitBtnAbrirLivro->setFont(FonteDaJanela(13));
    BitBtnAbrirLivro->setGeometry(628, 146, 140, 29);
    BitBtnImportar = Botao(painel, "BitBtnImportar", "Importar", 180);
    BitBtnGerar = Botao(painel, "BitBtnGerar", "Gerar", 240);
    BitBtnCancelar = Botao(painel, "BitBtnCancelar", "Cancelar", 300);
    BitBtnCancelar->setEnabled(false);
    BitBtnSair = Botao(painel, "BitBtnSair", "Sair", 361);

    auto* coluna = Criar<QWidget>(conteudo, "ColunaVista");
    VistaPagina = new TVistaPagina(coluna);
    VistaPagina->setObjectName(QStringLiteral("VistaPagina"));
    BitBtnSolucoes = Criar<QPushButton>(coluna, "BitBtnSolucoes");
    BitBtnSolucoes->setText(QStringLiteral("Ver as soluções"));
    BitBtnSolucoes->setCheckable(true);
    BitBtnSolucoes->setFont(FonteDaJanela(12));
    BitBtnSolucoes->setMinimumSize(140, 30);
    auto* colunaLayout = new QVBoxLayout(coluna);
    colunaLayout->setContentsMargins(0, 8, 8, 8);
    colunaLayout->addWidget(VistaPagina, 1);
    colunaLayout->addWidget(BitBtnSolucoes, 0, Qt::AlignHCenter);

    FDisposicao = new QBoxLayout(QBoxLayout::LeftToRight, conteudo);
    FDisposicao->setContentsMargins(0, 0, 0, 0);
    FDisposicao->setSpacing(0);
    FDisposicao->addWidget(painel, 0, Qt::AlignTop);
    FDisposicao->addWidget(coluna, 1);
    DefinirDicas();
}

void TFormMain::AjustarAoEcra(const QRect& disponivel) {
    // Ao lado quando a página cabe com uma largura que se leia; senão por baixo, e a janela desliza.
    const bool aoLado = disponivel.width() >= LarguraDoPainel + LarguraMinimaDaVista;
    FDisposicao->setDirection(aoLado ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    const QSize desejado = aoLado ? QSize(LarguraDoPainel + AlturaDoPainel * 210 / 297 + 16, AlturaDoPainel + 4)
                                  : QSize(LarguraDoPainel + 4, AlturaDoPainel + AlturaDoPainel);
    VistaPagina->setMinimumSize(aoLado ? QSize(LarguraMinimaDaVista - 16, AlturaDoPainel - 60) : QSize(240, 340));
    const QSize tamanho = desejado.boundedTo(disponivel.size() - QSize(16, 40));
    resize(tamanho);
    move(disponivel.center() - QPoint(tamanho.width() / 2, tamanho.height() / 2));
}

void TFormMain::LigarEventos() {
    const auto refrescar = [this] { OpcoesAlteradas(); };
    RadioGroupTamanho->AoMudar = refrescar;
    RadioGroupDirecoes->AoMudar = refrescar;
    for (TCampoNumero* c : {EditMinLetras, EditMaxLetras, EditNumPalavras, EditNumPuzzles}) {
        c->AoMudar = refrescar;
    }
    connect(CheckBoxAcentos, &QCheckBox::toggled, this, refrescar);
    connect(CheckBoxEncadernar, &QCheckBox::toggled, this, refrescar);
    connect(CheckBoxLetraGrande, &QCheckBox::toggled, this, refrescar);
    connect(ComboBoxFormato, &QComboBox::currentIndexChanged, this, refrescar);
    connect(ComboBoxLivro, &QComboBox::currentIndexChanged, this, refrescar);
    connect(BitBtnImportar, &QPushButton::clicked, this, [this] { BitBtnImportarClick(); });
    connect(BitBtnAbrirLivro, &QPushButton::clicked, this, [this] { BitBtnAbrirLivroClick(); });
    connect(BitBtnGerar, &QPushButton::clicked, this, [this] { GerarLivroPdf(); });
    connect(BitBtnCancelar, &QPushButton::clicked, this, [this] { BitBtnCancelarClick(); });
    connect(BitBtnSair, &QPushButton::clicked, this, [this] { BitBtnSairClick(); });
    connect(BitBtnAbrirPasta, &QPushButton::clicked, this,
            [this] { FDialogos.AbrirComAplicacaoPredefinida(FUltimoLivro.parent_path()); });
    connect(BitBtnSolucoes, &QPushButton::toggled, this, [this](bool solucoes) {
        VistaPagina->MostrarSolucoes(solucoes);
        BitBtnSolucoes->setText(solucoes ? QStringLiteral("Ver o puzzle") : QStringLiteral("Ver as soluções"));
    });
    // Só a última mudança conta: escrever depressa não enfileira páginas que já não interessam.
    FTemporizadorVista.setSingleShot(true);
    FTemporizadorVista.setInterval(30);
    connect(&FTemporizadorVista, &QTimer::timeout, this, [this] { AtualizarVista(); });
}

void TFormMain::Estado(const std::u16string& texto) { LabelEstado->setText(QTexto(texto)); }

void TFormMain::RecarregarTemas(const std::u16string& selecionar) {
    FCatalogo = CarregarCatalogo(FCatalogo.Pasta);
    PreencherLivros(selecionar);
    if (FCatalogo.Temas.empty()) {
        Estado(u"Não foi possível carregar nenhum tema.");
    } else if (!FCatalogo.Avisos.empty()) {
        Estado(FCatalogo.Avisos.front());
    }
}

void TFormMain::PreencherLivros(const std::u16string& selecionar) {
    std::u16string desejado = selecionar;
    if (desejado.empty() && ComboBoxLivro->currentIndex() >= 0) {
        desejado = U16(ComboBoxLivro->currentText());
    }
    FAtualizando = true;
    QStringList entradas;
    for (const auto& e : EntradasDoLivro(FCatalogo)) {
        entradas << QTexto(e);
    }
    ComboBoxLivro->clear();
    ComboBoxLivro->addItems(entradas);
    qsizetype escolhida = 0;
    for (qsizetype i = 0; i < entradas.size(); ++i) {
        if (IguaisSemCaixaAscii(U16(entradas[i]), desejado)) {
            escolhida = i;
            break;
        }
    }
    ComboBoxLivro->setCurrentIndex(static_cast<int>(escolhida));
    FAtualizando = false;
}

void TFormMain::DefinirIntervalo(TCampoNumero& campo, std::int32_t minimo, std::int32_t maximo) {
    // A mesma ordem de um controlo que recusa mínimo acima do máximo: o intervalo nunca fica invertido.
    if (maximo < campo.Minimo()) {
        campo.DefinirMinimo(minimo);
        campo.DefinirMaximo(maximo);
    } else {
        campo.DefinirMaximo(maximo);
        campo.DefinirMinimo(minimo);
    }
}

std::optional<std::int32_t> TFormMain::LerInteiro(const TCampoNumero& campo) const { return campo.Valor(); }

TLeituraOpcoes TFormMain::LerOpcoes() const {
    TLeituraOpcoes r;
    const auto falha = [&r](const char16_t* mensagem) {
        r.Mensagem = mensagem;
        return r;
    };
    if (ComboBoxLivro->currentIndex() < 0) {
        return falha(u"Não há temas para escolher o livro.");
    }
    if (RadioGroupTamanho->ItemIndex() < 0) {
        return falha(u"Escolha o tamanho da grelha.");
    }
    r.Config.Lado = TamanhoDoIndice(RadioGroupTamanho->ItemIndex());
    if (RadioGroupDirecoes->ItemIndex() < 0) {
        return falha(u"Escolha as direções.");
    }
    r.Config.Modo = ModoDoIndice(RadioGroupDirecoes->ItemIndex());
    const std::pair<TCampoNumero*, const char16_t*> campos[] = {
        {EditMinLetras, u"Indique o mínimo de letras."},
        {EditMaxLetras, u"Indique o máximo de letras."},
        {EditNumPalavras, u"Indique o número de palavras."},
        {EditNumPuzzles, u"Indique o número de puzzles."},
    };
    std::int32_t* destinos[] = {&r.Config.MinLetras, &r.Config.MaxLetras, &r.Config.NumPalavras, &r.Config.NumPuzzles};
    for (std::size_t i = 0; i < std::size(campos); ++i) {
        const auto v = LerInteiro(*campos[i].first);
        if (!v) {
            return falha(campos[i].second);
        }
        *destinos[i] = *v;
    }
    r.Config.Acentos = CheckBoxAcentos->isChecked();
    r.Impressao = LerImpressao();
    DefinirEntrada(r.Config, U16(ComboBoxLivro->currentText()));
    r.Config.Titulo = std::u16string(Aparar(U16(EditTituloLivro->text())));
    r.Config.Semente = 0;
    r.Ok = true;
    return r;
}

TOpcoesImpressao TFormMain::LerImpressao() const {
    TOpcoesImpressao impressao;
    const int f = ComboBoxFormato->currentIndex();
    impressao.Formato = TodosOsFormatos[f >= 0 && f < static_cast<int>(std::size(TodosOsFormatos)) ? f : 0];
    impressao.Encadernar = CheckBoxEncadernar->isChecked();
    impressao.LetraGrande = CheckBoxLetraGrande->isChecked();
    return impressao;
}

void TFormMain::AjustarCampos() {
    TConfigLivro livro;
    livro.Lado = TamanhoDoIndice(RadioGroupTamanho->ItemIndex());
    DefinirEntrada(livro, U16(ComboBoxLivro->currentText()));
    const TIntervalos limites = IntervalosDoLivro(livro, TemasComDicionario(FCatalogo));
    const std::int32_t limite = limites.MaxMaxLetras;
    const std::int32_t minPuzzles = limites.MinPuzzles;

    DefinirIntervalo(*EditMinLetras, limites.MinMinLetras, limites.MaxMinLetras);
    DefinirIntervalo(*EditMaxLetras, limites.MinMaxLetras, limite);
    DefinirIntervalo(*EditNumPalavras, limites.MinPalavras, limites.MaxPalavras);
    DefinirIntervalo(*EditNumPuzzles, minPuzzles, limites.MaxPuzzles);
    DicasDosCampos(limites);

    // O número de puzzles só sobe quando o mínimo muda: um valor escrito depois fica até a análise o recusar.
    if (minPuzzles != FMinPuzzlesAnterior) {
        FMinPuzzlesAnterior = minPuzzles;
        if (const auto v = EditNumPuzzles->Valor(); v && *v < minPuzzles) {
            EditNumPuzzles->DefinirValor(minPuzzles);
        }
    }
    if (const auto v = EditMaxLetras->Valor(); v && *v > limite) {
        EditMaxLetras->DefinirValor(limite);
    }
    if (const auto v = EditMinLetras->Valor(); v && *v > EditMinLetras->Maximo()) {
        EditMinLetras->DefinirValor(EditMinLetras->Maximo());
    }
    if (const auto v = EditNumPalavras->Valor(); v && *v > EditNumPalavras->Maximo()) {
        EditNumPalavras->DefinirValor(EditNumPalavras->Maximo());
    }
}

void TFormMain::OpcoesAlteradas() {
    if (FAtualizando) {
        return;
    }
    FAtualizando = true;
    if (FGerando) {
        FAtualizando = false;
        return;
    }
    if (ComboBoxLivro->currentIndex() >= 0 && RadioGroupTamanho->ItemIndex() >= 0) {
        AjustarCampos();
    }
    LabelResumo->clear();
    const TLeituraOpcoes leitura = LerOpcoes();
    // Só se oferecem os lados cujas letras chegam aos mínimos do formato; o escolhido fica, e a análise diz porquê.
    for (int i = 0; RadioGroupTamanho->Item(i) != nullptr; ++i) {
        RadioGroupTamanho->Item(i)->setEnabled(
            !leitura.Ok || LadoCabeNoFormato(leitura.Config, leitura.Impressao, TamanhoDoIndice(i)));
    }
    if (!leitura.Ok) {
        Estado(leitura.Mensagem);
        BitBtnGerar->setEnabled(false);
    } else {
        const TAnalise analise =
            AnalisarOpcoes(leitura.Config, TemasComDicionario(FCatalogo), FTrabalhoDoPool, leitura.Impressao);
        LabelResumo->setText(QTexto(ResumoDasOpcoes(leitura.Config, analise.NumTemas)));
        Estado(analise.PodeGerar ? analise.Aviso : analise.Motivo);
        BitBtnGerar->setEnabled(analise.PodeGerar);
    }
    BitBtnImportar->setEnabled(true);
    BitBtnCancelar->setEnabled(false);
    if (FLivroAberto) {
        // Com um livro aberto só as opções de impressão contam: é ele que "Gerar" imprime.
        const std::u16string recusa = RecusaDoLivroAberto();
        Estado(recusa.empty() ? FraseDoLivroAberto() : recusa);
        BitBtnGerar->setEnabled(recusa.empty());
    }
    FTemporizadorVista.start();
    FAtualizando = false;
}

void TFormMain::AtualizarVista() {
    if (FLivroAberto) {
        MostrarLivroAberto();
        return;
    }
    const TLeituraOpcoes leitura = LerOpcoes();
    if (!leitura.Ok) {
        VistaPagina->MostrarRecusa(leitura.Mensagem);
        return;
    }
    TConfigLivro config = leitura.Config;
    const TAnalise analise = AnalisarOpcoes(config, TemasComDicionario(FCatalogo), leitura.Impressao);
    if (!analise.PodeGerar) {
        VistaPagina->MostrarRecusa(analise.Motivo);
        return;
    }
    // A mesma semente enquanto a janela está aberta: a página só muda com as opções.
    config.Semente = FSementeDaVista;
    std::optional<TPuzzle> puzzle = PuzzleDeAmostra(config, FCatalogo);
    if (!puzzle) {
        VistaPagina->MostrarRecusa(MensagemSemPuzzles());
        return;
    }
    config.NumPuzzles = 1;
    VistaPagina->MostrarLivro(TDadosLivro{config, {std::move(*puzzle)}, leitura.Impressao});
}

void TFormMain::DefinirDicas() {
    const auto dica = [](QWidget* w, const char* texto) { w->setToolTip(QString::fromUtf8(texto)); };
    dica(RadioGroupTamanho, "O lado da grelha de cada puzzle, em letras.");
    dica(RadioGroupDirecoes, "Simples: da esquerda para a direita e de cima para baixo.\n"
                             "Com diagonais: também nas diagonais descendentes.\n"
                             "Todas: as oito direções, também de trás para a frente.");
    dica(EditTituloLivro, "O título na capa do livro, até 40 caracteres (pode ficar vazio).");
    dica(ComboBoxLivro, "De onde vêm as palavras: um grupo de temas (um tema por puzzle),\n"
                        "todos os temas misturados, ou o dicionário de palavras comuns.");
    dica(CheckBoxAcentos, "Com acentos, a grelha leva as letras acentuadas (Á, Ç, Õ…);\n"
                          "sem eles, as palavras escondem-se sem acentos.");
    dica(CheckBoxAbrirPDF, "Abre o PDF no visualizador predefinido depois de gravado.");
    dica(CheckBoxJson, "Grava também o livro em JSON ao lado do PDF (o mesmo nome, .json):\n"
                       "com «Abrir livro…» imprime-se outra vez, noutro formato ou com outro título.");
    dica(BitBtnAbrirLivro, "Abre um livro gravado em JSON para o imprimir outra vez\n"
                           "com o formato e as opções de impressão escolhidos, sem gerar nada.");
    dica(CheckBoxCapa, "Grava também a capa para impressão ao lado do PDF (…_capa.pdf): verso, lombada e frente,\n"
                       "com sangria, para as páginas do livro em papel branco.");
    dica(ComboBoxFormato, "O tamanho das páginas do livro: A4, A5, carta (8,5 × 11 pol.), 8 × 10 ou 6 × 9 pol.");
    dica(CheckBoxEncadernar, "Para um livro encadernado: a margem de dentro alarga-se (mais num livro grosso)\n"
                             "e o número da página passa para o lado de fora.");
    dica(CheckBoxLetraGrande, "Letras maiores em tudo: grelha de 18 pt, lista de 14 pt, soluções duas por página.\n"
                              "Só se oferecem os lados que cabem no formato.");
    BitBtnImportar->setToolTip(DicaImportar());
    dica(BitBtnGerar, "Faz o livro com estas opções e grava-o em PDF.");
    dica(BitBtnCancelar, "Para a geração do livro; nada é gravado.");
    dica(BitBtnSair, "Fecha o programa.");
    dica(BitBtnAbrirPasta, "Abre a pasta onde o último livro foi gravado.");
    dica(BitBtnSolucoes, "Alterna entre a página do puzzle e a página das soluções.");
    dica(VistaPagina, "Uma página do livro com estas opções, feita com um puzzle de amostra.");
}

void TFormMain::DicasDosCampos(const TIntervalos& limites) {
    const auto intervalo = [](std::int32_t a, std::int32_t b) { return QStringLiteral("de %1 a %2").arg(a).arg(b); };
    EditMinLetras->setToolTip(QStringLiteral("O menor comprimento das palavras escondidas: %1.")
                                  .arg(intervalo(limites.MinMinLetras, limites.MaxMinLetras)));
    EditMaxLetras->setToolTip(QStringLiteral("O maior comprimento das palavras escondidas: %1 nesta grelha.")
                                  .arg(intervalo(limites.MinMaxLetras, limites.MaxMaxLetras)));
    EditNumPalavras->setToolTip(QStringLiteral("Quantas palavras, no máximo, esconde cada puzzle: %1 nesta grelha.")
                                    .arg(intervalo(limites.MinPalavras, limites.MaxPalavras)));
    EditNumPuzzles->setToolTip(QStringLiteral("Quantos puzzles tem o livro: %1 (um por tema do grupo, pelo menos).")
                                   .arg(intervalo(limites.MinPuzzles, limites.MaxPuzzles)));
    // As setas dizem o mesmo que o campo a que pertencem.
    for (TCampoNumero* c : {EditMinLetras, EditMaxLetras, EditNumPalavras, EditNumPuzzles}) {
        c->Setas()->setToolTip(c->toolTip());
    }
}

} // namespace zelta
