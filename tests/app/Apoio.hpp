// O que os testes da janela partilham: a aplicação Qt, os diálogos com guião e atalhos para os controlos.
#pragma once

#include "app/Controlos.hpp"
#include "app/Dialogos.hpp"
#include "app/Main.hpp"
#include "tests/support/PastaTemporaria.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelta::teste {

void GarantirAplicacao();

struct TMensagemVista {
    TTipoMensagem Tipo;
    std::u16string Texto;
};

// Responde pelo utilizador segundo o guião e regista tudo o que a janela lhe pediu.
class TDialogosGuiao final : public IDialogos {
public:
    std::vector<TMensagemVista> Mensagens;
    std::vector<std::u16string> Perguntas;
    std::deque<bool> Respostas; // uma por pergunta; pergunta sem resposta no guião é erro do teste
    std::vector<TPedidoFicheiro> PedidosGuardar;
    std::vector<TPedidoFicheiro> PedidosAbrir;
    std::function<std::optional<std::filesystem::path>(const TPedidoFicheiro&)> AoGuardar;
    std::optional<std::filesystem::path> FicheiroAAbrir;
    std::vector<std::filesystem::path> Abertos;

    void Mensagem(TTipoMensagem tipo, const std::u16string& texto) override;
    bool Confirmar(const std::u16string& texto) override;
    std::optional<std::filesystem::path> EscolherParaAbrir(const TPedidoFicheiro& pedido) override;
    std::optional<std::filesystem::path> EscolherParaGuardar(const TPedidoFicheiro& pedido) override;
    void AbrirComAplicacaoPredefinida(const std::filesystem::path& caminho) override;
};

// Uma janela sobre uma pasta de temas temporária, com acesso aos controlos pelo nome.
class TJanelaDeTeste {
public:
    TJanelaDeTeste();
    explicit TJanelaDeTeste(const std::function<void(const std::filesystem::path&)>& prepararPasta);

    TFormMain& Janela() { return *FJanela; }
    const std::filesystem::path& Pasta() const { return FPasta; }
    TDialogosGuiao Dialogos;

    template <class T> T* Controlo(const char* nome) {
        auto* c = FJanela->findChild<T*>(QString::fromLatin1(nome));
        if (c == nullptr) {
            throw std::runtime_error(std::string("sem controlo ") + nome);
        }
        return c;
    }
    TCampoNumero* CampoNum(const char* nome) { return Controlo<TCampoNumero>(nome); }
    QPushButton* Botao(const char* nome) { return Controlo<QPushButton>(nome); }
    QString Texto(const char* etiqueta) { return Controlo<QLabel>(etiqueta)->text(); }
    QString Resumo() { return Texto("LabelResumo"); }
    QString Estado() { return Texto("LabelEstado"); }
    QComboBox* Livros() { return Controlo<QComboBox>("ComboBoxLivro"); }
    QStringList Entradas();

    // Interação como a de um utilizador: cliques do rato e teclas.
    void Clicar(QWidget* w);
    void EscolherRadio(const char* grupo, int indice);
    void EscolherLivro(const QString& entrada);
    void Escrever(const char* campo, const QString& texto);

private:
    TPastaTemporaria FTemp;
    std::filesystem::path FPasta;
    std::unique_ptr<TFormMain> FJanela;
};

} // namespace zelta::teste
