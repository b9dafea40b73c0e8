// Os dois controlos que o Qt não tem tal como a janela os quer: o grupo de opções com índice
// e o campo numérico que guarda o que se escreve, com setas que andam dentro do intervalo.
#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QRadioButton;
class QToolButton;

namespace zelta {

class TGrupoRadio final : public QGroupBox {
public:
    TGrupoRadio(const QString& titulo, const QStringList& itens, QWidget* pai);

    // −1 quando nenhum está escolhido.
    std::int32_t ItemIndex() const;
    void DefinirItemIndex(std::int32_t indice);
    // Nulo fora do intervalo.
    QRadioButton* Item(std::int32_t indice) const;
    std::function<void()> AoMudar;

private:
    QButtonGroup* FGrupo;
    std::vector<QRadioButton*> FItens;
};

class TSetasNumero;

// O texto é do utilizador: pode ficar vazio ou abaixo do mínimo, e a análise é que o recusa.
class TCampoNumero final : public QLineEdit {
public:
    explicit TCampoNumero(QWidget* pai);

    std::int32_t Minimo() const { return FMinimo; }
    std::int32_t Maximo() const { return FMaximo; }
    void DefinirMinimo(std::int32_t minimo) { FMinimo = minimo; }
    void DefinirMaximo(std::int32_t maximo) { FMaximo = maximo; }

    // O número escrito, quando o texto é um inteiro de 32 bits com sinal (pontas aparadas).
    std::optional<std::int32_t> Valor() const;
    void DefinirValor(std::int32_t valor);

    // Um passo das setas: parte do valor escrito (ou do mínimo, se não há número) e fica no intervalo.
    void Passo(std::int32_t sentido);

    TSetasNumero* Setas() const { return FSetas; }
    std::function<void()> AoMudar;

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    std::int32_t FMinimo = 0;
    std::int32_t FMaximo = 100;
    TSetasNumero* FSetas;
};

// As setas ficam ao lado do campo, na mesma janela: sobem e descem um de cada vez.
class TSetasNumero final : public QWidget {
public:
    TSetasNumero(TCampoNumero* campo, QWidget* pai);

    QToolButton* Cima() const { return FCima; }
    QToolButton* Baixo() const { return FBaixo; }

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    QToolButton* FCima;
    QToolButton* FBaixo;
};

// Inteiro de 32 bits com sinal, em decimal, depois de aparar as pontas; qualquer outro texto falha.
std::optional<std::int32_t> LerInteiroDeTexto(const QString& texto);

} // namespace zelta
