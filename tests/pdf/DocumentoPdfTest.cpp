#include "pdf/DocumentoPdf.hpp"

#include "pdf/PosProcessamento.hpp"

#include "core/Tipos.hpp"
#include "tests/support/PastaTemporaria.hpp"

#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zelta {
namespace {

namespace fs = std::filesystem;

class DocumentoPdf : public ::testing::Test {
protected:
    static void DuasPaginas(TDocumentoPdf& doc) {
        for (int i = 0; i < 2; ++i) {
            cairo_t* cr = doc.AddPage();
            cairo_rectangle(cr, 100, 100, 300, 300);
            cairo_fill(cr);
        }
    }
    std::size_t Ficheiros() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(Pasta), fs::directory_iterator{}));
    }
    const teste::TPastaTemporaria Temporaria;
    const fs::path& Pasta = Temporaria.Caminho();
};

TEST_F(DocumentoPdf, GravaPorCimaSemDeixarTemporarios) {
    const auto nome = Pasta / "livro.pdf";
    std::ofstream(nome) << "antigo";
    TDocumentoPdf doc;
    DuasPaginas(doc);
    EXPECT_EQ(doc.NumPaginas(), 2);
    doc.SaveToFile(nome);
    const auto pdf = teste::LerBytes(nome);
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    EXPECT_EQ(Ficheiros(), 1U);
    // As permissões de um ficheiro normal, não só do dono.
    EXPECT_NE(fs::status(nome).permissions() & fs::perms::group_read, fs::perms::none);

    // Um nome no limite de 255 bytes grava-se na mesma.
    const auto comprido = Pasta / (std::string(251, 'z') + ".pdf");
    TDocumentoPdf outro;
    DuasPaginas(outro);
    outro.SaveToFile(comprido);
    EXPECT_TRUE(teste::LerBytes(comprido).starts_with("%PDF-"));
    EXPECT_EQ(Ficheiros(), 2U);
}

TEST_F(DocumentoPdf, FalhaAGravarLevantaENaoEstragaNada) {
    // O destino é uma pasta: a troca final falha depois de o temporário estar escrito.
    const auto pasta = Pasta / "livro.pdf";
    fs::create_directory(pasta);
    std::ofstream(pasta / "dentro.txt") << "x";
    TDocumentoPdf doc;
    DuasPaginas(doc);
    try {
        doc.SaveToFile(pasta);
        FAIL();
    } catch (const EZelta& e) {
        // A razão vem depois dos dois pontos, na mesma forma de todas as escritas.
        EXPECT_EQ(e.Mensagem(), u"Não foi possível gravar o ficheiro «" + pasta.u16string() + u"»: é uma pasta.");
    }
    EXPECT_EQ(Ficheiros(), 1U);
    EXPECT_TRUE(fs::is_directory(pasta));

    // Numa pasta que não existe.
    TDocumentoPdf outro;
    DuasPaginas(outro);
    EXPECT_THROW(outro.SaveToFile(Pasta / "nao" / "existe.pdf"), EZelta);
}

TEST_F(DocumentoPdf, PastaSemEscritaLevantaSemDeixarFicheiro) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "o superutilizador escreve em qualquer pasta";
    }
    fs::permissions(Pasta, fs::perms::owner_read | fs::perms::owner_exec);
    TDocumentoPdf doc;
    DuasPaginas(doc);
    EXPECT_THROW(doc.SaveToFile(Pasta / "livro.pdf"), EZelta);
    fs::permissions(Pasta, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(Ficheiros(), 0U);
}

// A reescrita não aceita o que não é PDF, e o mesmo PDF dá sempre os mesmos bytes, com um título não latino
// (as caixas e a língua confere-as o teste do PDF com as ferramentas).
TEST(PosProcessamento, RecusaLixoEDaSempreOsMesmosBytes) {
    const std::string lixo = "isto não é um PDF";
    EXPECT_THROW(PosProcessarPdf(std::span(reinterpret_cast<const unsigned char*>(lixo.data()), lixo.size()), {}),
                 std::runtime_error);

    const teste::TPastaTemporaria pasta;
    TDocumentoPdf doc(300, 400);
    doc.AddPage();
    doc.DefinirMetadados(u"Ωmega — “aspas”", u"resumo");
    doc.SaveToFile(pasta.Caminho() / "a.pdf");
    std::ifstream f(pasta.Caminho() / "a.pdf", std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const auto uma = PosProcessarPdf(bytes, {u"Ωmega — “aspas”", u"resumo"});
    EXPECT_GT(uma.size(), 100U);
    EXPECT_EQ(uma, PosProcessarPdf(bytes, {u"Ωmega — “aspas”", u"resumo"}));
}

} // namespace
} // namespace zelta
