// A costura entre a janela e o que ela pede ao ambiente: caixas de mensagem, diálogos de ficheiro
// e abrir um ficheiro com a aplicação predefinida. Os testes trocam-na por uma versão com guião.
#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace zelta {

enum class TTipoMensagem { tmInformacao, tmAviso, tmErro };

struct TPedidoFicheiro {
    std::u16string Titulo;
    std::vector<std::u16string> Filtros; // "Descrição (*.ext)", o primeiro é o escolhido
    std::u16string ExtensaoPorOmissao;   // sem ponto; vazia quando não há
    std::u16string NomeProposto;
    bool PerguntarSubstituir = false; // só faz sentido ao guardar
};

class IDialogos {
public:
    virtual ~IDialogos() = default;
    // Caixa com o botão OK.
    virtual void Mensagem(TTipoMensagem tipo, const std::u16string& texto) = 0;
    // Pergunta com Sim e Não; verdadeiro só com Sim.
    virtual bool Confirmar(const std::u16string& texto) = 0;
    // Caminho escolhido, ou nada quando o utilizador desiste.
    virtual std::optional<std::filesystem::path> EscolherParaAbrir(const TPedidoFicheiro& pedido) = 0;
    virtual std::optional<std::filesystem::path> EscolherParaGuardar(const TPedidoFicheiro& pedido) = 0;
    // O resultado não interessa: quem não tem visualizador fica com o ficheiro gravado na mesma.
    virtual void AbrirComAplicacaoPredefinida(const std::filesystem::path& caminho) = 0;
};

// A implementação com Qt: QMessageBox, o diálogo de ficheiros do próprio Qt e QDesktopServices.
class TDialogosQt final : public IDialogos {
public:
    void DefinirJanela(QWidget* janela) { FJanela = janela; }

    void Mensagem(TTipoMensagem tipo, const std::u16string& texto) override;
    bool Confirmar(const std::u16string& texto) override;
    std::optional<std::filesystem::path> EscolherParaAbrir(const TPedidoFicheiro& pedido) override;
    std::optional<std::filesystem::path> EscolherParaGuardar(const TPedidoFicheiro& pedido) override;
    void AbrirComAplicacaoPredefinida(const std::filesystem::path& caminho) override;

private:
    QWidget* FJanela = nullptr;
    // A última pasta de cada diálogo, só enquanto o programa corre.
    QString FPastaAbrir;
    QString FPastaGuardar;
};

} // namespace zelta
