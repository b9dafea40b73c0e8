// Tradutor que põe em português europeu os textos do Qt que o utilizador vê.
#include "app/Traducao.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>
#include <cstring>
#include <utility>

namespace zelta {
namespace {

struct TEntrada {
    const char* Contexto;
    const char* Origem;
    const char* Texto;
};

// Os textos dos botões e dos diálogos que a janela mostra; têm prioridade sobre tudo o resto.
constexpr std::array Tabela{
    TEntrada{"QPlatformTheme", "OK", "OK"},
    TEntrada{"QPlatformTheme", "Save", "Guardar"},
    TEntrada{"QPlatformTheme", "Open", "Abrir"},
    TEntrada{"QPlatformTheme", "Cancel", "Cancelar"},
    TEntrada{"QPlatformTheme", "&Yes", "&Sim"},
    TEntrada{"QPlatformTheme", "&No", "&Não"},
    TEntrada{"QPlatformTheme", "Close", "Fechar"},
    TEntrada{"QFileDialog", "Look in:", "Procurar em:"},
    TEntrada{"QFileDialog", "File &name:", "&Nome do ficheiro:"},
    TEntrada{"QFileDialog", "Files of type:", "Tipo de ficheiro:"},
    TEntrada{"QFileDialog", "&Open", "&Abrir"},
    TEntrada{"QFileDialog", "&Save", "&Guardar"},
    TEntrada{"QFileDialog", "&Choose", "&Escolher"},
    TEntrada{"QFileDialog", "Open", "Abrir"},
    TEntrada{"QFileDialog", "Save As", "Guardar como"},
    TEntrada{"QFileDialog", "File", "Ficheiro"},
    TEntrada{"QFileDialog", "File Folder", "Pasta"},
    TEntrada{"QFileDialog", "All Files (*)", "Todos os ficheiros (*)"},
    TEntrada{"QFileDialog", "Back", "Recuar"},
    TEntrada{"QFileDialog", "Forward", "Avançar"},
    TEntrada{"QFileDialog", "Parent Directory", "Pasta acima"},
    TEntrada{"QFileDialog", "List View", "Vista em lista"},
    TEntrada{"QFileDialog", "Detail View", "Vista em detalhe"},
    TEntrada{"QFileDialog", "My Computer", "O meu computador"},
    TEntrada{"QFileDialog", "&Rename", "&Mudar o nome"},
    TEntrada{"QFileDialog", "&Delete", "&Eliminar"},
    TEntrada{"QFileDialog", "Show &hidden files", "Mostrar ficheiros &ocultos"},
    TEntrada{"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 já existe.\nQuer substituí-lo?"},
    TEntrada{"QFileDialog", "Are you sure you want to delete '%1'?", "Quer mesmo eliminar '%1'?"},
    TEntrada{"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
             "%1\nFicheiro não encontrado.\nVerifique se o nome do ficheiro está correto."},
    TEntrada{"QFileSystemModel", "Date Modified", "Data de modificação"},
    TEntrada{"QFileSystemModel", "My Computer", "O meu computador"},
    TEntrada{"QFileSystemModel", "Invalid filename", "Nome de ficheiro inválido"},
    TEntrada{"QLineEdit", "Cu&t", "Cor&tar"},
    TEntrada{"QLineEdit", "Delete", "Eliminar"},
    TEntrada{"QLineEdit", "Select All", "Selecionar tudo"},
};

// Palavras brasileiras que sobram no resto da tradução, trocadas pelas nossas.
constexpr std::array<std::pair<const char*, const char*>, 12> Trocas{{
    {"arquivos", "ficheiros"},
    {"Arquivos", "Ficheiros"},
    {"arquivo", "ficheiro"},
    {"Arquivo", "Ficheiro"},
    {"Salvar", "Guardar"},
    {"salvar", "guardar"},
    {"Excluir", "Eliminar"},
    {"excluir", "eliminar"},
    {"Renomear", "Mudar o nome"},
    {"Exibição", "Vista"},
    {"Meu computador", "O meu computador"},
    {"Deseja", "Quer"},
}};

class TTradutorPt final : public QTranslator {
public:
    // Sem a tradução brasileira instalada ficam os textos da tabela e, no resto, o inglês do Qt.
    TTradutorPt()
        : FTemBrasileira(
              FBrasileira.load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {}

    bool isEmpty() const override { return false; }

    QString translate(const char* contexto, const char* origem, const char* desambiguacao, int n) const override {
        if (contexto == nullptr || origem == nullptr) {
            return {};
        }
        for (const TEntrada& e : Tabela) {
            if (std::strcmp(e.Contexto, contexto) == 0 && std::strcmp(e.Origem, origem) == 0) {
                return QString::fromUtf8(e.Texto);
            }
        }
        if (!FTemBrasileira) {
            return {};
        }
        QString t = FBrasileira.translate(contexto, origem, desambiguacao, n);
        for (const auto& [de, para] : Trocas) {
            t.replace(QString::fromUtf8(de), QString::fromUtf8(para));
        }
        return t;
    }

private:
    QTranslator FBrasileira;
    bool FTemBrasileira;
};

} // namespace

void InstalarTraducoes() {
    // Vive tanto como a aplicação; o Qt não toma posse do tradutor.
    static TTradutorPt tradutor;
    QCoreApplication::installTranslator(&tradutor);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Portugal));
}

} // namespace zelta
