#include "layout/Pdf.hpp"

#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

namespace zelta {
namespace {

namespace fs = std::filesystem;

// Corre um comando e devolve o que escreveu; o código de saída vai para rc.
std::string Correr(const std::string& comando, int* rc = nullptr) {
    std::string saida;
    FILE* p = ::popen((comando + " 2>&1").c_str(), "r");
    if (p == nullptr) {
        return saida;
    }
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) {
        saida.append(buf.data(), n);
    }
    const int estado = ::pclose(p);
    if (rc != nullptr) {
        *rc = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }
    return saida;
}

TDadosLivro Livro(std::int32_t n, std::int32_t lado = 15, std::int32_t palavras = 20) {
    TDadosLivro l;
    l.Config = teste::ConfigDeTeste(n, lado, palavras);
    l.Puzzles = teste::PuzzlesFabricados(n, lado, palavras);
    return l;
}

class Pdf : public ::testing::Test {
protected:
    std::size_t Ficheiros() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(Pasta), fs::directory_iterator{}));
    }
    const teste::TPastaTemporaria Temporaria;
    const fs::path& Pasta = Temporaria.Caminho();
};

TEST_F(Pdf, LivroDeUmPuzzleConferidoPelasFerramentas) {
    const auto livro = Livro(1);
    const auto nome = Pasta / "um puzzle.pdf";
    GravarLivroPdf(nome, livro);
    const std::string q = "'" + nome.string() + "'";

    const auto info = Correr("pdfinfo " + q);
    EXPECT_NE(info.find("Pages:           6\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           ZELTA\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Author:          Orvalen\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       595.276 x 841.89 pts (A4)"), std::string::npos) << info;

    // Texto como texto, nas duas Liberation Sans embutidas como subconjuntos.
    const auto fontes = Correr("pdffonts " + q);
    for (const char* f : {"LiberationSans ", "LiberationSans-Bold "}) {
        const std::regex linha(std::string("[A-Z]{6}\\+") + f + ".* yes +yes ");
        EXPECT_TRUE(std::regex_search(fontes, linha)) << f << "\n" << fontes;
    }

    const auto bruto = Correr("pdftotext -layout " + q + " -");
    const auto texto = DeUtf8(bruto);
    for (const auto& p : livro.Puzzles[0].Palavras) {
        EXPECT_NE(texto.find(p.Texto), std::u16string::npos) << ParaUtf8(p.Texto);
    }
    for (const char16_t* t : {u"Soluções", u"Puzzles", u"Como jogar Sopa de Letras", u"Dicas", u"Puzzle 1 — Animais",
                              u"Animais de Portugal", u"15 × 15", u"© Orvalen. Alguns direitos reservados."}) {
        EXPECT_NE(texto.find(t), std::u16string::npos) << ParaUtf8(t);
    }
    // Rodapés das páginas numeradas: verso 2, puzzle 4, soluções 6.
    EXPECT_TRUE(std::regex_search(bruto, std::regex("ZELTA \\| Orvalen +2\\n")));
    EXPECT_TRUE(std::regex_search(bruto, std::regex("ZELTA \\| Orvalen +4\\n")));
    EXPECT_TRUE(std::regex_search(bruto, std::regex("ZELTA \\| Orvalen +6\\n")));

    int rc = -1;
    const auto verificacao = Correr("qpdf --check " + q, &rc);
    EXPECT_EQ(rc, 0) << verificacao;
    EXPECT_NE(verificacao.find("No syntax or stream encoding errors"), std::string::npos) << verificacao;
    EXPECT_EQ(Ficheiros(), 1U);
}

TEST_F(Pdf, NumeroDePaginasEReproducibilidade) {
    for (const auto& [n, paginas] : {std::pair{2, 8}, std::pair{5, 11}, std::pair{100, 130}}) {
        const auto nome = Pasta / ("livro" + std::to_string(n) + ".pdf");
        GravarLivroPdf(nome, Livro(n, 20, 30));
        const auto info = Correr("pdfinfo '" + nome.string() + "'");
        EXPECT_NE(info.find("Pages:           " + std::to_string(paginas) + "\n"), std::string::npos) << info;
    }
    // O mesmo livro duas vezes dá o mesmo ficheiro, byte a byte (não há data no documento).
    const auto livro = Livro(3);
    GravarLivroPdf(Pasta / "a.pdf", livro);
    GravarLivroPdf(Pasta / "b.pdf", livro);
    EXPECT_EQ(teste::LerBytes(Pasta / "a.pdf"), teste::LerBytes(Pasta / "b.pdf"));
}

TEST_F(Pdf, LivroVazioNaoTocaNoFicheiro) {
    const auto nome = Pasta / "livro.pdf";
    std::ofstream(nome) << "antigo";
    TDadosLivro vazio;
    vazio.Config = teste::ConfigDeTeste(0, 15, 20);
    try {
        GravarLivroPdf(nome, vazio);
        FAIL();
    } catch (const EZelta& e) {
        EXPECT_EQ(e.Mensagem(), u"Não há puzzles para gravar.");
    }
    EXPECT_EQ(teste::LerBytes(nome), "antigo");
    EXPECT_EQ(Ficheiros(), 1U);
}

TEST_F(Pdf, GravacaoFalhadaNaoDeixaNadaNemEstragaOQueExiste) {
    EXPECT_THROW(GravarLivroPdf(Pasta / "nao-existe" / "livro.pdf", Livro(1)), EZelta);
    EXPECT_EQ(Ficheiros(), 0U);

    // Uma pasta com o nome do ficheiro não se substitui, e o temporário desaparece.
    fs::create_directory(Pasta / "livro.pdf");
    EXPECT_THROW(GravarLivroPdf(Pasta / "livro.pdf", Livro(1)), EZelta);
    EXPECT_EQ(Ficheiros(), 1U);

    if (::geteuid() != 0) {
        fs::permissions(Pasta, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(GravarLivroPdf(Pasta / "outro.pdf", Livro(1)), EZelta);
        fs::permissions(Pasta, fs::perms::owner_all, fs::perm_options::add);
        EXPECT_EQ(Ficheiros(), 1U);
    }
}

TEST_F(Pdf, PedidoDeParagemEntrePaginasNaoDeixaNadaNemEstragaOQueExiste) {
    const auto nome = Pasta / "livro.pdf";
    std::ofstream(nome) << "antigo";
    int perguntas = 0;
    EXPECT_THROW(GravarLivroPdf(nome, Livro(8), [&perguntas] { return ++perguntas > 5; }), ECancelado);
    EXPECT_EQ(perguntas, 6); // cinco páginas compostas, parado antes da sexta
    EXPECT_EQ(teste::LerBytes(nome), "antigo");
    EXPECT_EQ(Ficheiros(), 1U);
}

} // namespace
} // namespace zelta
