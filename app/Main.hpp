// A janela única do programa: as opções do livro, as linhas de resumo e de estado, e os botões.
// A lógica fala com o ambiente só pela costura IDialogos, para se poder testar sem ninguém a clicar.
#pragma once

#include "app/Dialogos.hpp"
#include "book/Producao.hpp"
#include "cli/GravacaoLivro.hpp"
#include "cli/LivroJson.hpp"
#include "core/Tipos.hpp"
#include "themes/Catalogo.hpp"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QBoxLayout;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace zelta {

class TCampoNumero;
class TGrupoRadio;
class TVistaPagina;
struct TIntervalos;
struct TTemaLido;

struct TLeituraOpcoes {
    bool Ok = false;
    TConfigLivro Config;
    TOpcoesImpressao Impressao;
    std::u16string Mensagem;
};

class TFormMain final : public QWidget {
public:
    // A pasta dos temas vem de fora: o programa dá a de PastaDosTemas, os testes uma temporária.
    TFormMain(IDialogos& dialogos, std::filesystem::path pastaDosTemas, QWidget* pai = nullptr);
    ~TFormMain() override;

    void RecarregarTemas(const std::u16string& selecionar);
    void PreencherLivros(const std::u16string& selecionar);
    void DefinirIntervalo(TCampoNumero& campo, std::int32_t minimo, std::int32_t maximo);
    std::optional<std::int32_t> LerInteiro(const TCampoNumero& campo) const;
    TLeituraOpcoes LerOpcoes() const;
    TOpcoesImpressao LerImpressao() const;
    void OpcoesAlteradas();

    // De onde vem a semente de cada livro; por omissão, NovaSemente. Os testes fixam-na.
    void DefinirFonteDeSementes(std::function<std::uint32_t()> fonte) { FNovaSemente = std::move(fonte); }
    // Põe a página ao lado das opções ou por baixo delas, e a janela dentro da área disponível do ecrã.
    void AjustarAoEcra(const QRect& disponivel);
    // Refaz já a página de amostra com as opções escritas (as mudanças pedem-no com um pequeno atraso).
    void AtualizarVista();
    void GerarLivroPdf();
    TPassosLivro PassosDoLivro(std::int32_t numPuzzles);
    void MostrarResultado(const TResultadoLivro& r);
    void MostrarGravado(const std::u16string& frase, const std::filesystem::path& pdf, std::int32_t paginas);
    cli::TFicheirosDoLivro FicheirosDoLivro(const std::filesystem::path& pdf, const TConfigLivro& config,
                                            std::int32_t numTemas) const;
    void ImprimirLivroAberto();
    void MostrarLivroAberto();
    TDadosLivro LivroAbertoAImprimir() const;
    std::u16string RecusaDoLivroAberto() const;
    std::u16string FraseDoLivroAberto() const;
    void DefinirGerando(bool gerando);
    void BitBtnImportarClick();
    // "Abrir livro…": lê um livro gravado em JSON para "Gerar" o imprimir outra vez; com um livro aberto, fecha-o.
    void BitBtnAbrirLivroClick();
    void MostrarRelatorioImportacao(const TTemaLido& lido);

    const TCatalogo& Catalogo() const { return FCatalogo; }
    bool Gerando() const { return FGerando; }

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void CriarControlos();
    void LigarEventos();
    void AjustarCampos();
    void DefinirDicas();
    void DicasDosCampos(const TIntervalos& limites);
    void Progresso(std::int32_t indice, std::int32_t total, bool& cancelar);
    void BitBtnCancelarClick();
    void BitBtnSairClick();
    void Estado(const std::u16string& texto);
    void MostrarErroDoLivro(const std::exception& e);

    IDialogos& FDialogos;

    TCatalogo FCatalogo;
    // A memória da contagem dos pools, guardada entre as análises que cada mudança de opção pede.
    TTrabalhoDoPool FTrabalhoDoPool;
    std::function<std::uint32_t()> FNovaSemente;
    std::uint32_t FSementeDaVista = 1;
    QTimer FTemporizadorVista;
    std::filesystem::path FUltimoLivro;
    // O livro gravado que "Abrir livro…" leu: "Gerar" imprime-o em vez de fazer um novo.
    std::optional<cli::TLivroLido> FLivroAberto;
    QBoxLayout* FDisposicao = nullptr;
    QScrollArea* FRolagem = nullptr;
    bool FAtualizando = false;
    bool FGerando = false;
    bool FCancelar = false;
    bool FFecharNoFim = false;
    std::int32_t FMinPuzzlesAnterior = 1;
    // Da primeira linha de GerarLivroPdf até ao fim: um segundo clique em "Gerar" não abre outro trabalho.
    bool FNoTrabalho = false;
    std::int32_t FNumTemas = 0; // os temas da corrida em curso, para o assunto do PDF

    QFrame* BevelApp = nullptr;
    QLabel* LabelNome = nullptr;
    QLabel* LabelAutor = nullptr;
    QWidget* GroupBoxLivro = nullptr;
    TGrupoRadio* RadioGroupTamanho = nullptr;
    TGrupoRadio* RadioGroupDirecoes = nullptr;
    QLabel* LabelMinLetras = nullptr;
    TCampoNumero* EditMinLetras = nullptr;
    QLabel* LabelMaxLetras = nullptr;
    TCampoNumero* EditMaxLetras = nullptr;
    QLabel* LabelNumPalavras = nullptr;
    TCampoNumero* EditNumPalavras = nullptr;
    QLabel* LabelNumPuzzles = nullptr;
    TCampoNumero* EditNumPuzzles = nullptr;
    QLabel* LabelTituloLivro = nullptr;
    QLineEdit* EditTituloLivro = nullptr;
    QLabel* LabelLivro = nullptr;
    QComboBox* ComboBoxLivro = nullptr;
    QCheckBox* CheckBoxAcentos = nullptr;
    QCheckBox* CheckBoxAbrirPDF = nullptr;
    QLabel* LabelFormato = nullptr;
    QComboBox* ComboBoxFormato = nullptr;
    QCheckBox* CheckBoxEncadernar = nullptr;
    QCheckBox* CheckBoxLetraGrande = nullptr;
    QCheckBox* CheckBoxCapa = nullptr;
    QLabel* LabelResumo = nullptr;
    QLabel* LabelEstado = nullptr;
    QProgressBar* ProgressBarLote = nullptr;
    QPushButton* BitBtnImportar = nullptr;
    QPushButton* BitBtnGerar = nullptr;
    QPushButton* BitBtnCancelar = nullptr;
    QPushButton* BitBtnSair = nullptr;
    QPushButton* BitBtnAbrirPasta = nullptr;
    QPushButton* BitBtnAbrirLivro = nullptr;
    QCheckBox* CheckBoxJson = nullptr;
    TVistaPagina* VistaPagina = nullptr;
    QPushButton* BitBtnSolucoes = nullptr;

    static constexpr int LarguraDoPainel = 802;
    static constexpr int AlturaDoPainel = 460;
    static constexpr int LarguraMinimaDaVista = 260;
};

// Os pedidos dos dois diálogos de ficheiros da janela.
TPedidoFicheiro PedidoGuardarPdf(const std::u16string& nomeProposto);
TPedidoFicheiro PedidoAbrirTema();
TPedidoFicheiro PedidoAbrirLivro();

// O texto da dica de "Importar".
QString DicaImportar();

} // namespace zelta
