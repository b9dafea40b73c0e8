#include "layout/Pdf.hpp"

#include "core/Texto.hpp"
#include "layout/Paginas.hpp"
#include "tests/support/PastaTemporaria.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
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
    GravarLivroPdf(nome, livro, {}, u"1 puzzle · 15 × 15");
    const std::string q = "'" + nome.string() + "'";

    const auto info = Correr("pdfinfo " + q);
    EXPECT_NE(info.find("Pages:           6\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Animais de Portugal\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Subject:         1 puzzle · 15 × 15\n"), std::string::npos) << info;
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

// Cada formato dá páginas do seu tamanho, todas com a TrimBox igual à MediaBox, e o documento diz a língua;
// sem título, o título do PDF é ZELTA. Os livros de 30 puzzles compõem-se em duas partes juntadas no fim.
TEST_F(Pdf, FormatosCaixasELingua) {
    const struct {
        TFormatoPagina Formato;
        const char* Tamanho;
        std::int32_t Puzzles;
    } casos[] = {{TFormatoPagina::fpA4, "595.276 x 841.89", 3},  {TFormatoPagina::fpA4, "595.276 x 841.89", 30},
                 {TFormatoPagina::fpA5, "419.528 x 595.276", 3}, {TFormatoPagina::fpCarta, "612 x 792", 3},
                 {TFormatoPagina::fp8x10, "576 x 720", 3},       {TFormatoPagina::fp6x9, "432 x 648", 30}};
    for (const auto& c : casos) {
        auto livro = Livro(c.Puzzles, 10, 10);
        livro.Config.Titulo.clear();
        livro.Impressao.Formato = c.Formato;
        livro.Impressao.Encadernar = true;
        const auto nome = Pasta / "f.pdf";
        const auto paginas = GravarLivroPdf(nome, livro);
        const std::string q = "'" + nome.string() + "'";
        const auto info = Correr("pdfinfo -box -f 1 -l " + std::to_string(paginas) + " " + q);
        EXPECT_NE(info.find("Title:           ZELTA\n"), std::string::npos) << info;
        const std::regex media("Page +([0-9]+) MediaBox: +([0-9. ]+)\n");
        const std::regex trim("Page +([0-9]+) TrimBox: +([0-9. ]+)\n");
        std::vector<std::string> medias, trims;
        for (auto it = std::sregex_iterator(info.begin(), info.end(), media); it != std::sregex_iterator(); ++it) {
            medias.push_back((*it)[2]);
        }
        for (auto it = std::sregex_iterator(info.begin(), info.end(), trim); it != std::sregex_iterator(); ++it) {
            trims.push_back((*it)[2]);
        }
        EXPECT_EQ(medias.size(), static_cast<std::size_t>(paginas)) << info;
        EXPECT_EQ(trims, medias);
        EXPECT_NE(info.find(std::string("Page    1 size:  ") + c.Tamanho + " pts"), std::string::npos) << info;
        const auto qdf = Correr("qpdf --qdf --object-streams=disable " + q + " -");
        EXPECT_NE(qdf.find("/Lang (pt-PT)"), std::string::npos);
    }
}

// Um livro composto em duas partes tem as páginas pela ordem do plano: cada página numerada leva o seu número
// no rodapé, e o qpdf não acha nada de errado no documento juntado.
TEST_F(Pdf, LivroEmDuasPartesFicaPelaOrdem) {
    const auto nome = Pasta / "partes.pdf";
    const auto paginas = GravarLivroPdf(nome, Livro(40));
    const std::string q = "'" + nome.string() + "'";
    const auto texto = Correr("pdftotext -layout " + q + " -");
    std::vector<std::string> porPagina;
    for (std::size_t inicio = 0, fim = 0; (fim = texto.find('\f', inicio)) != std::string::npos; inicio = fim + 1) {
        porPagina.push_back(texto.substr(inicio, fim - inicio));
    }
    ASSERT_EQ(porPagina.size(), static_cast<std::size_t>(paginas));
    int numeradas = 0;
    const std::regex rodape("ZELTA \\| Orvalen +([0-9]+)\n");
    for (std::size_t i = 0; i < porPagina.size(); ++i) {
        std::smatch m;
        if (std::regex_search(porPagina[i], m, rodape)) {
            EXPECT_EQ(std::stoul(m[1]), i + 1);
            ++numeradas;
        }
    }
    EXPECT_GT(numeradas, 40);
    int rc = -1;
    const auto verificacao = Correr("qpdf --check " + q, &rc);
    EXPECT_EQ(rc, 0) << verificacao;
}

TEST_F(Pdf, NumeroDePaginasEReproducibilidade) {
    for (const auto& [n, paginas] : {std::pair{2, 8}, std::pair{5, 11}, std::pair{100, 130}}) {
        const auto nome = Pasta / ("livro" + std::to_string(n) + ".pdf");
        GravarLivroPdf(nome, Livro(n, 20, 30));
        const auto info = Correr("pdfinfo '" + nome.string() + "'");
        EXPECT_NE(info.find("Pages:           " + std::to_string(paginas) + "\n"), std::string::npos) << info;
    }
    // O mesmo livro duas vezes dá o mesmo ficheiro, byte a byte (não há data no documento), tanto composto
    // num documento como em partes compostas ao mesmo tempo.
    for (const int n : {3, 40}) {
        const auto livro = Livro(n);
        GravarLivroPdf(Pasta / "a.pdf", livro);
        GravarLivroPdf(Pasta / "b.pdf", livro);
        EXPECT_EQ(teste::LerBytes(Pasta / "a.pdf"), teste::LerBytes(Pasta / "b.pdf")) << n;
    }
}

// Os tons (0 a 255) de uma imagem PNG em tons de cinzento, linha a linha.
struct TTons {
    int Largura = 0;
    int Altura = 0;
    std::vector<std::uint8_t> Pontos;
};

TTons LerTons(const fs::path& png) {
    TTons t;
    cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        t.Largura = cairo_image_surface_get_width(s);
        t.Altura = cairo_image_surface_get_height(s);
        const unsigned char* d = cairo_image_surface_get_data(s);
        const int passo = cairo_image_surface_get_stride(s);
        for (int y = 0; y < t.Altura; ++y) {
            const auto* linha = reinterpret_cast<const std::uint32_t*>(d + static_cast<std::ptrdiff_t>(y) * passo);
            for (int x = 0; x < t.Largura; ++x) {
                t.Pontos.push_back(static_cast<std::uint8_t>(linha[x] & 0xFFU));
            }
        }
    }
    cairo_surface_destroy(s);
    return t;
}

// A primeira grelha resolvida de uma página de soluções (título, letras a negrito e a cinzento, contornos e
// moldura), a 150 pontos por polegada, contra a imagem guardada. Os rasterizadores podem variar nas bordas
// dos glifos; uma letra, um contorno ou uma linha que falte ou mude de sítio muda dezenas de pontos por
// inteiro. Com ZELTA_REFAZER_IMAGENS definido, a imagem guardada é refeita em vez de comparada.
TEST_F(Pdf, PaginaDeSolucoesIgualAImagemDeReferencia) {
    const auto livro = Livro(4);
    const auto nome = Pasta / "solucoes.pdf";
    GravarLivroPdf(nome, livro);
    const auto paginas = TCompositorLivro(livro).Paginas();
    const auto solucoes = std::find_if(paginas.begin(), paginas.end(),
                                       [](const TDescPagina& p) { return p.Tipo == TTipoPagina::pgSolucoes; });
    ASSERT_NE(solucoes, paginas.end());
    const auto numero = std::to_string(solucoes - paginas.begin() + 1);
    const fs::path referencia = fs::path(ZELTA_DADOS_TESTES) / "solucoes_150dpi.png";
    const bool refazer = std::getenv("ZELTA_REFAZER_IMAGENS") != nullptr;
    const auto saida = refazer ? referencia.parent_path() / referencia.stem() : Pasta / "pagina";
    int rc = -1;
    const auto log = Correr("pdftoppm -r 150 -gray -png -singlefile -x 90 -y 90 -W 540 -H 580 -f " + numero + " -l " +
                                numero + " '" + nome.string() + "' '" + saida.string() + "'",
                            &rc);
    ASSERT_EQ(rc, 0) << log;
    if (refazer) {
        GTEST_SKIP() << "imagem de referência refeita: " << referencia;
    }
    const TTons novo = LerTons(saida.string() + ".png");
    const TTons ref = LerTons(referencia);
    ASSERT_EQ(ref.Largura, 540) << referencia;
    ASSERT_EQ(ref.Altura, 580);
    ASSERT_EQ(novo.Pontos.size(), ref.Pontos.size());
    std::size_t muitoDiferentes = 0;
    double soma = 0;
    for (std::size_t i = 0; i < ref.Pontos.size(); ++i) {
        const int d = std::abs(int{novo.Pontos[i]} - int{ref.Pontos[i]});
        soma += d;
        muitoDiferentes += d > 40 ? 1 : 0;
    }
    EXPECT_LE(muitoDiferentes, 8U);
    EXPECT_LE(soma / static_cast<double>(ref.Pontos.size()), 0.5);
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
    // Um livro pequeno compõe-se num documento; o grande em partes, e a outra parte para também.
    for (const int n : {8, 40}) {
        int perguntas = 0;
        EXPECT_THROW(GravarLivroPdf(nome, Livro(n), [&perguntas] { return ++perguntas > 5; }), ECancelado);
        EXPECT_EQ(perguntas, 6) << n; // cinco páginas compostas, parado antes da sexta
        EXPECT_EQ(teste::LerBytes(nome), "antigo");
        EXPECT_EQ(Ficheiros(), 1U);
    }
}

} // namespace
} // namespace zelta
