// O grupo de opções com índice e o campo numérico com setas.
#include "app/Controlos.hpp"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace zelta {

TGrupoRadio::TGrupoRadio(const QString& titulo, const QStringList& itens, QWidget* pai)
    : QGroupBox(titulo, pai), FGrupo(new QButtonGroup(this)) {
    // Posições fixas como o resto da janela: a primeira opção por baixo do título, espaçadas por igual.
    constexpr int Topo = 26;
    constexpr int Passo = 30;
    for (qsizetype i = 0; i < itens.size(); ++i) {
        auto* botao = new QRadioButton(itens[i], this);
        botao->setObjectName(QStringLiteral("Item%1").arg(i));
        botao->move(10, Topo + static_cast<int>(i) * Passo);
        botao->adjustSize();
        FGrupo->addButton(botao, static_cast<int>(i));
        FItens.push_back(botao);
    }
    // Um só aviso por mudança: o do botão que ficou escolhido.
    connect(FGrupo, &QButtonGroup::idToggled, this, [this](int, bool escolhido) {
        if (escolhido && AoMudar) {
            AoMudar();
        }
    });
}

std::int32_t TGrupoRadio::ItemIndex() const { return FGrupo->checkedId(); }

void TGrupoRadio::DefinirItemIndex(std::int32_t indice) {
    if (indice >= 0 && static_cast<std::size_t>(indice) < FItens.size()) {
        FItens[static_cast<std::size_t>(indice)]->setChecked(true);
    }
}

QRadioButton* TGrupoRadio::Item(std::int32_t indice) const {
    return indice >= 0 && static_cast<std::size_t>(indice) < FItens.size() ? FItens[static_cast<std::size_t>(indice)]
                                                                           : nullptr;
}

std::optional<std::int32_t> LerInteiroDeTexto(const QString& texto) {
    const QString t = texto.trimmed();
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

TCampoNumero::TCampoNumero(QWidget* pai) : QLineEdit(pai), FSetas(new TSetasNumero(this, pai)) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (AoMudar) {
            AoMudar();
        }
    });
}

std::optional<std::int32_t> TCampoNumero::Valor() const { return LerInteiroDeTexto(text()); }

void TCampoNumero::DefinirValor(std::int32_t valor) { setText(QString::number(valor)); }

void TCampoNumero::Passo(std::int32_t sentido) {
    const auto atual = Valor();
    std::int64_t novo = atual ? static_cast<std::int64_t>(*atual) + sentido : FMinimo;
    novo = std::clamp<std::int64_t>(novo, FMinimo, std::max(FMinimo, FMaximo));
    if (!atual || novo != *atual) {
        DefinirValor(static_cast<std::int32_t>(novo));
    }
}

void TCampoNumero::keyPressEvent(QKeyEvent* evento) {
    // As setas do teclado fazem o mesmo que as do controlo.
    if (evento->key() == Qt::Key_Up || evento->key() == Qt::Key_Down) {
        Passo(evento->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(evento);
}

TSetasNumero::TSetasNumero(TCampoNumero* campo, QWidget* pai)
    : QWidget(pai), FCima(new QToolButton(this)), FBaixo(new QToolButton(this)) {
    FCima->setArrowType(Qt::UpArrow);
    FBaixo->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {FCima, FBaixo}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(FCima, &QToolButton::clicked, campo, [campo] { campo->Passo(1); });
    connect(FBaixo, &QToolButton::clicked, campo, [campo] { campo->Passo(-1); });
}

void TSetasNumero::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    const int metade = height() / 2;
    FCima->setGeometry(0, 0, width(), metade);
    FBaixo->setGeometry(0, metade, width(), height() - metade);
}

} // namespace zelta
