// O zelta-livro: corrido dentro do teste, com as suas saídas em memória, e umas poucas vezes de ponta a
// ponta, o executável verdadeiro; os ficheiros numa pasta temporária, conferidos com o pdfinfo, o pdftotext
// e o qpdf.
#include "Versao.hpp"
#include "cli/Programa.hpp"
#include "core/Texto.hpp"
#include "layout/Paginas.hpp"
#include "tests/support/PastaTemporaria.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace zelta {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string Aspas(const std::string& s) {
    std::string r = "'";
    for (char c : s) {
        r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return r + "'";
}

struct TExecucao {
    int Estado = -1;
    std::string Saida;
    std::string Erros;
};

std::vector<std::string> Linhas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) {
        r.push_back(l);
    }
    return r;
}

class ZeltaLivro : public ::testing::Test {
protected:
    void SetUp() override {
        Trabalho = Raiz / "trabalho";
        Temas = Raiz / "temas";
        fs::create_directories(Trabalho);
    }

    // Corre o zelta-livro neste processo, na pasta de trabalho, sempre com a pasta dos temas do teste.
    TExecucao Correr(const std::vector<std::string>& args) const {
        std::vector<std::string> todos{"--temas", Temas.string()};
        todos.insert(todos.end(), args.begin(), args.end());
        std::ostringstream saida, erros;
        const fs::path antes = fs::current_path();
        fs::current_path(Trabalho);
        const int estado = cli::Executar(todos, cli::TAmbiente{saida, erros, false, {}});
        fs::current_path(antes);
        return {estado, saida.str(), erros.str()};
    }

    // O mesmo com o executável verdadeiro, para o que só um processo mostra: o main e os estados de saída.
    TExecucao CorrerPrograma(const std::vector<std::string>& args) const {
        std::string comando =
            "cd " + Aspas(Trabalho.string()) + " && " + Aspas(ZELTA_LIVRO) + " --temas " + Aspas(Temas.string());
        for (const auto& a : args) {
            comando.append(" ").append(Aspas(a));
        }
        comando += " >" + Aspas((Raiz / "saida").string()) + " 2>" + Aspas((Raiz / "erros").string());
        const int estado = std::system(comando.c_str());
        TExecucao e;
        e.Estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
        e.Saida = teste::LerBytes(Raiz / "saida");
        e.Erros = teste::LerBytes(Raiz / "erros");
        return e;
    }

    static std::string Comando(const std::string& comando) {
        FILE* p = ::popen(comando.c_str(), "r");
        std::string r;
        if (p == nullptr) {
            return r;
        }
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) {
            r.append(buf, n);
        }
        ::pclose(p);
        return r;
    }

    static int Paginas(const fs::path& pdf) {
        std::smatch m;
        const std::string info = Comando("pdfinfo " + Aspas(pdf.string()));
        return std::regex_search(info, m, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(m[1]) : -1;
    }

    // O PDF sem o que não é conteúdo das páginas (identificador e datas), com os fluxos descomprimidos.
    static std::string ConteudoDoPdf(const fs::path& pdf) {
        const std::string qdf = Comando("qpdf --qdf --object-streams=disable --deterministic-id " +
                                        Aspas(pdf.string()) + " - | grep -av -e '/ID' -e 'Date'");
        EXPECT_GT(qdf.size(), 1000U) << pdf;
        return qdf;
    }

    static std::string TextoDaPagina(const fs::path& pdf, int pagina) {
        const std::string n = std::to_string(pagina);
        return Comando("pdftotext -layout -f " + n + " -l " + n + " " + Aspas(pdf.string()) + " -");
    }

    std::vector<std::string> FicheirosDoTrabalho() const {
        std::vector<std::string> r;
        for (const auto& e : fs::directory_iterator(Trabalho)) {
            r.push_back(e.path().filename().string());
        }
        return r;
    }

    const teste::TPastaTemporaria Temporaria;
    const fs::path& Raiz = Temporaria.Caminho();
    fs::path Trabalho, Temas;
};

std::string Valor(const std::string& saida, const std::string& chave) {
    for (const auto& l : Linhas(saida)) {
        if (l.starts_with(chave)) {
            return l.substr(chave.size());
        }
    }
    return {};
}

TEST_F(ZeltaLivro, SemOpcoesFazOLivroPorOmissaoEASementeRefazOMesmoLivro) {
    const TExecucao e = CorrerPrograma({});
    ASSERT_EQ(e.Estado, 0) << e.Erros;
    const fs::path pdf = Trabalho / "Zelta_Natureza_15x15_30.pdf";
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(Linhas(e.Saida).front(), "30 puzzles · 15 × 15 · Natureza (3 temas) · Todas · até 20 palavras de 4 a 12 "
                                       "letras");
    EXPECT_EQ(Valor(e.Saida, "PDF: "), pdf.string());
    EXPECT_NE(e.Saida.find("Livro gerado: 30 puzzles, " + std::to_string(NumPaginasLivro(30)) + " páginas."),
              std::string::npos)
        << e.Saida;
    EXPECT_EQ(Paginas(pdf), NumPaginasLivro(30));
    EXPECT_NE(Comando("qpdf --check " + Aspas(pdf.string())).find("No syntax or stream encoding errors"),
              std::string::npos);
    // Sem terminal não há barra de progresso a sujar os erros.
    EXPECT_EQ(e.Erros.find('\r'), std::string::npos);

    const std::string semente = Valor(e.Saida, "Semente: ");
    ASSERT_FALSE(semente.empty()) << e.Saida;
    const TExecucao a = Correr({"--semente", semente, "--saida", "a.pdf", "--json", "a.json"});
    const TExecucao b = Correr({"--semente", semente, "--saida", "b.pdf", "--json", "b.json"});
    ASSERT_EQ(a.Estado, 0) << a.Erros;
    ASSERT_EQ(b.Estado, 0) << b.Erros;
    EXPECT_EQ(teste::LerBytes(Trabalho / "a.json"), teste::LerBytes(Trabalho / "b.json"));
    const std::string conteudo = ConteudoDoPdf(pdf);
    EXPECT_EQ(ConteudoDoPdf(Trabalho / "a.pdf"), conteudo);
    EXPECT_EQ(ConteudoDoPdf(Trabalho / "b.pdf"), conteudo);
    EXPECT_EQ(json::parse(teste::LerBytes(Trabalho / "a.json"))["semente"].get<std::uint64_t>(), std::stoull(semente));
}

// A lista de palavras de uma página de puzzle, tal como o pdftotext a lê: os blocos separados por dois
// ou mais espaços feitos só de letras do alfabeto, tirando as letras soltas da grelha.
std::multiset<std::string> ListaDaPagina(const std::string& texto) {
    std::multiset<std::string> r;
    const std::regex bloco(R"(\S+(?: \S+)*)");
    for (const auto& linha : Linhas(texto)) {
        for (auto it = std::sregex_iterator(linha.begin(), linha.end(), bloco); it != std::sregex_iterator(); ++it) {
            const std::u16string b = DeUtf8(it->str());
            const bool soLetras = std::all_of(
                b.begin(), b.end(), [](char16_t c) { return LetraValida(c) || c == u' ' || c == u'-' || c == u'\''; });
            bool soletrada = true; // "E C R E": uma linha da grelha
            for (std::size_t k = 0; k < b.size(); k += 2) {
                soletrada = soletrada && (k + 1 == b.size() || b[k + 1] == u' ');
            }
            if (soLetras && !soletrada) {
                r.insert(it->str());
            }
        }
    }
    return r;
}

TEST_F(ZeltaLivro, OJsonDescreveAsGrelhasEAsListasDoPdf) {
    const TExecucao e = Correr({"--livro", "Mix de Temas", "--tamanho", "12", "--puzzles", "4", "--palavras", "12",
                                "--acentos", "--titulo", "Férias", "--semente", "42", "--json", "livro.json"});
    ASSERT_EQ(e.Estado, 0) << e.Erros;
    const fs::path pdf = Trabalho / "Zelta_Mix_12x12_4.pdf";
    const json j = json::parse(teste::LerBytes(Trabalho / "livro.json"));
    EXPECT_EQ(j["opcoes"],
              json::parse(R"({"livro":"Mix de Temas","tamanho":12,"direcoes":"todas","minLetras":4,"maxLetras":12,
                              "palavras":12,"puzzles":4,"titulo":"Férias","acentos":true,"formato":"a4",
                              "encadernar":false,"letraGrande":false})"));
    EXPECT_EQ(j["versao"], 1);
    EXPECT_EQ(j["semente"], 42);
    ASSERT_EQ(j["puzzles"].size(), 4U);

    const std::vector<TDescPagina> plano = PlanoDePaginas(4);
    for (std::size_t i = 0; i < 4; ++i) {
        const json& p = j["puzzles"][i];
        EXPECT_EQ(p["numero"], i + 1);
        EXPECT_EQ(p["lado"], 12);
        ASSERT_EQ(p["grelha"].size(), 12U);
        // Cada palavra lê-se na grelha a partir da linha, coluna e direção que o JSON dá.
        std::vector<std::u16string> grelha;
        for (const auto& linha : p["grelha"]) {
            std::u16string l = DeUtf8(linha.get<std::string>());
            ASSERT_EQ(l.size(), 12U);
            grelha.push_back(l);
        }
        std::multiset<std::string> esperadas;
        for (const auto& w : p["palavras"]) {
            const std::u16string letras = DeUtf8(w["letras"].get<std::string>());
            const TDirecao d = Direcoes.at(w["direcao"].get<std::size_t>());
            std::u16string lida;
            for (std::size_t k = 0; k < letras.size(); ++k) {
                const int l = w["linha"].get<int>() + static_cast<int>(k) * d.DLinha;
                const int c = w["coluna"].get<int>() + static_cast<int>(k) * d.DColuna;
                ASSERT_TRUE(l >= 0 && l < 12 && c >= 0 && c < 12) << w;
                lida += grelha[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)];
            }
            EXPECT_EQ(lida, letras) << w;
            esperadas.insert(w["texto"].get<std::string>());
        }
        // E a página desse puzzle no PDF tem o tema e exatamente essa lista de palavras.
        const auto pagina = std::find_if(plano.begin(), plano.end(), [i](const TDescPagina& d) {
            return d.Tipo == TTipoPagina::pgPuzzle && d.Primeiro == static_cast<std::int32_t>(i);
        });
        ASSERT_NE(pagina, plano.end());
        const std::string texto = TextoDaPagina(pdf, static_cast<int>(pagina - plano.begin()) + 1);
        EXPECT_NE(texto.find(p["tema"].get<std::string>()), std::string::npos) << texto;
        EXPECT_EQ(ListaDaPagina(texto), esperadas) << texto;
    }
}

TEST_F(ZeltaLivro, OpcoesQueNaoDaoUmLivroDizemPorqueESaemComDoisSemGravarNada) {
    const struct {
        std::vector<std::string> Args;
        std::string Mensagem;
    } casos[] = {
        {{"--min-letras", "2"}, "O mínimo de letras tem de estar entre 3 e 6."},
        {{"--tamanho", "10", "--palavras", "12"}, "O número de palavras tem de estar entre 10 e 10 para esta grelha."},
        {{"--livro", "dia a dia", "--puzzles", "4"}, "O grupo Dia a Dia tem 5 temas: peça pelo menos 5 puzzles."},
        {{"--tamanho", "20", "--max-letras", "17", "--livro", "Natureza"},
         "O máximo de letras não pode passar de 16 (o lado da grelha ou a palavra mais comprida)."},
        {{"--puzzles", "101"}, "Indique um número de puzzles entre 1 e 100."},
        {{"--tamanho", "13"}, "O tamanho da grelha tem de ser 10, 12, 15 ou 20."},
        {{"--titulo", "Sopa\nGrande"}, "O título não pode ter quebras de linha nem caracteres de controlo."},
        {{"--titulo", "Sopa \x1b]0;x\a"}, "O título não pode ter quebras de linha nem caracteres de controlo."},
        {{"--tamanho", "20", "--palavras", "30", "--letra-grande"},
         "Em A4 em letra grande, a maior grelha que cabe é 15 × 15."},
        {{"--formato", "6X9", "--tamanho", "15", "--letra-grande", "--encadernar"},
         "Em 6 × 9 pol. em letra grande e para encadernar, a maior grelha que cabe é 10 × 10."},
        {{"--livro", "Aves"},
         "Não há nenhum livro «Aves»; escolha um destes: Natureza, Ciência, Portugal, Mundo, Dia a Dia, "
         "Cultura e Lazer, Verbos, Mix de Temas, Dicionário."},
    };
    for (const auto& c : casos) {
        const TExecucao e = Correr(c.Args);
        EXPECT_EQ(e.Estado, 2) << c.Mensagem;
        const auto erros = Linhas(e.Erros);
        ASSERT_FALSE(erros.empty()) << c.Mensagem;
        EXPECT_TRUE(erros.back().starts_with(c.Mensagem)) << e.Erros;
        EXPECT_TRUE(FicheirosDoTrabalho().empty()) << c.Mensagem;
    }
}

TEST_F(ZeltaLivro, SaidaQueNaoSeEscreveNaoPassaPorSucesso) {
    std::ostream fechada(nullptr); // cada escrita falha, como num disco cheio
    std::ostringstream erros;
    EXPECT_EQ(cli::Executar({"--temas", Temas.string(), "--listar"}, cli::TAmbiente{fechada, erros, false, {}}),
              cli::SaidaErro);
    EXPECT_EQ(erros.str(), "Erro: não foi possível escrever na saída padrão.\n");
}

// As opções de impressão chegam ao livro: o tamanho das páginas e o plano seguem-nas.
TEST_F(ZeltaLivro, FormatoEncadernarELetraGrande) {
    const TExecucao e = Correr({"--formato", "6x9", "--encadernar", "--letra-grande", "--tamanho", "10", "--puzzles",
                                "5", "--saida", "livro.pdf"});
    ASSERT_EQ(e.Estado, 0) << e.Erros;
    const fs::path pdf = Trabalho / "livro.pdf";
    const TOpcoesImpressao imp{TFormatoPagina::fp6x9, true, true};
    EXPECT_EQ(Paginas(pdf), NumPaginasLivro(5, imp, 10));
    EXPECT_NE(NumPaginasLivro(5, imp, 10), NumPaginasLivro(5));
    EXPECT_NE(Comando("pdfinfo " + Aspas(pdf.string())).find("Page size:       432 x 648 pts"), std::string::npos);
}

TEST_F(ZeltaLivro, LinhaDeComandoMalFormadaSaiComUmNumaSoLinha) {
    const struct {
        std::vector<std::string> Args;
        std::string Mensagem;
    } casos[] = {
        {{"--cor", "azul"}, "Argumento desconhecido: «--cor»; veja zelta-livro --ajuda."},
        {{"--puzzles"}, "Falta o valor da opção --puzzles."},
        {{"--listar", "--puzzles", "3"}, "--listar e --importar não fazem livro: não se juntam às opções do livro."},
        {{"--substituir"}, "A opção --substituir só serve com --importar."},
        {{"--puzzles", "trinta"}, "Indique o número de puzzles: «trinta» não é um número inteiro."},
        {{"--tamanho", "2147483648"},
         "Indique o tamanho da grelha: «2147483648» está fora do intervalo dos números "
         "aceites."},
        {{"--direcoes", "cruzadas"}, "As direções são simples, diagonais ou todas, não «cruzadas»."},
        {{"--formato", "a3"}, "O formato é a4, a5, carta, 8x10 ou 6x9, não «a3»."},
        {{"--semente", "-1"}, "A semente tem de ser um número inteiro de 0 a 4294967295."},
        {{"--papel", "azul"}, "O papel é branco ou creme, não «azul»."},
    };
    for (const auto& c : casos) {
        const TExecucao e = Correr(c.Args);
        EXPECT_EQ(e.Estado, 1) << c.Mensagem;
        EXPECT_EQ(e.Erros, c.Mensagem + "\n");
        EXPECT_TRUE(e.Saida.empty()) << e.Saida;
    }
    const TExecucao programa = CorrerPrograma(casos[0].Args);
    EXPECT_EQ(programa.Estado, 1);
    EXPECT_EQ(programa.Erros, casos[0].Mensagem + "\n");
    const TExecucao ajuda = Correr({"--ajuda"});
    EXPECT_EQ(ajuda.Estado, 0);
    EXPECT_NE(ajuda.Saida.find("--semente N"), std::string::npos) << ajuda.Saida;
    const TExecucao versao = Correr({"--version"});
    EXPECT_EQ(versao.Estado, 0) << versao.Erros;
    EXPECT_EQ(versao.Saida, std::string("zelta-livro ") + Versao + "\n");
}

// A capa sai com o livro, do tamanho que as páginas do PDF e o papel dão; abaixo das 24 páginas sai na mesma,
// com um aviso. As caixas lidas pelo pdfinfo: MediaBox com a sangria de 9 pt, TrimBox sem ela.
TEST_F(ZeltaLivro, CapaParaImpressaoComOLivro) {
    const struct {
        std::vector<std::string> Args;
        double PolPorPagina;
        bool Aviso;
    } casos[] = {
        {{"--puzzles", "5"}, 0.002252, true},
        {{"--puzzles", "16", "--papel", "creme"}, 0.0025, false},
    };
    for (const auto& c : casos) {
        std::vector<std::string> args{"--formato", "6x9",       "--tamanho", "10",         "--titulo", "Bichos",
                                      "--saida",   "livro.pdf", "--json",    "livro.json", "--capa",   "capa.pdf"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TExecucao e = Correr(args);
        ASSERT_EQ(e.Estado, 0) << e.Erros;
        const int paginas = Paginas(Trabalho / "livro.pdf");
        EXPECT_EQ(paginas < 24, c.Aviso) << paginas;
        EXPECT_EQ(e.Erros.find("as gráficas costumam pedir pelo menos 24") != std::string::npos, c.Aviso) << e.Erros;
        EXPECT_NE(e.Saida.find("Capa: " + (Trabalho / "capa.pdf").string()), std::string::npos) << e.Saida;
        const fs::path capa = Trabalho / "capa.pdf";
        EXPECT_EQ(Paginas(capa), 1);
        const std::string info = Comando("pdfinfo -box " + Aspas(capa.string()));
        const double largura = 2 * 432 + paginas * c.PolPorPagina * 72 + 18;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(info, m, std::regex(R"(MediaBox:\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+))"))) << info;
        EXPECT_NEAR(std::stod(m[3]), largura, 0.01);
        EXPECT_NEAR(std::stod(m[4]), 666, 0.01);
        ASSERT_TRUE(std::regex_search(info, m, std::regex(R"(TrimBox:\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+))"))) << info;
        EXPECT_NEAR(std::stod(m[1]), 9, 0.01);
        EXPECT_NEAR(std::stod(m[2]), 9, 0.01);
        EXPECT_NEAR(std::stod(m[3]), largura - 9, 0.01);
        EXPECT_NEAR(std::stod(m[4]), 657, 0.01);
        const std::string texto = TextoDaPagina(capa, 1);
        EXPECT_NE(texto.find("com soluções"), std::string::npos) << texto;
        EXPECT_NE(texto.find("Bichos"), std::string::npos) << texto;
    }
    // Um destino da capa que não se escreve diz-se antes de gerar, e nada fica.
    fs::remove_all(Trabalho);
    fs::create_directories(Trabalho);
    const TExecucao falha = Correr({"--puzzles", "3", "--saida", "l.pdf", "--capa", "nao-existe/capa.pdf"});
    EXPECT_EQ(falha.Estado, 1);
    EXPECT_TRUE(FicheirosDoTrabalho().empty());
    EXPECT_EQ(Correr({"--puzzles", "3", "--saida", "l.pdf", "--capa", "./l.pdf"}).Erros,
              "A capa não pode ser o mesmo ficheiro que o PDF ou o JSON.\n");
}

// Como na janela, os valores por omissão encolhem ao que o lado permite; o nome do livro dispensa
// maiúsculas e acentos.
TEST_F(ZeltaLivro, ValoresPorOmissaoCabemNumaGrelhaPequenaEOLivroAceitaMaiusculasESemAcentos) {
    const TExecucao e = Correr({"--tamanho", "10", "--livro", "CIENCIA", "--puzzles", "4", "--semente", "9"});
    ASSERT_EQ(e.Estado, 0) << e.Erros;
    EXPECT_EQ(Linhas(e.Saida).front(),
              "4 puzzles · 10 × 10 · Ciência (4 temas) · Todas · até 10 palavras de 4 a 10 letras");
    EXPECT_TRUE(fs::exists(Trabalho / "Zelta_Ciencia_10x10_4.pdf"));
}

TEST_F(ZeltaLivro, EstimativaCurtaParaComEstritoESemEleOsPuzzlesEmFaltaSaoListados) {
    fs::create_directories(Temas);
    std::ofstream(Temas / "Poucas.txt") << "ABELHA\nBALEIA\nCAMELO\nDORMIR\nESQUILO\nFORMIGA\nGIRAFA\nHIENA\n"
                                           "IGUANA\nJAVALI\nLEOPARDO\nMORCEGO\n";
    const std::vector<std::string> args{"--livro", "Os meus temas", "--tamanho", "10",      "--puzzles",
                                        "3",       "--semente",     "1",         "--saida", "poucas.pdf"};
    std::vector<std::string> estrito = args;
    estrito.push_back("--estrito");
    const TExecucao recusa = Correr(estrito);
    EXPECT_EQ(recusa.Estado, 2);
    EXPECT_EQ(
        Linhas(recusa.Erros).back(),
        "Com estas opções, o livro só deve dar cerca de 1 puzzle dos 3 pedidos: faltam palavras novas nos temas.");
    EXPECT_TRUE(FicheirosDoTrabalho().empty());

    const TExecucao e = Correr(args);
    ASSERT_EQ(e.Estado, 3) << e.Erros;
    // A estimativa avisa, mas sem --estrito o livro faz-se com o que houver.
    EXPECT_NE(e.Erros.find("Com estas opções, o livro só deve dar cerca de 1 puzzle dos 3 pedidos"), std::string::npos)
        << e.Erros;
    const auto saida = Linhas(e.Saida);
    ASSERT_GE(saida.size(), 6U) << e.Saida;
    EXPECT_EQ(saida[1], "Livro gerado: 1 puzzle, 6 páginas. Faltam 2 puzzles que não foi possível gerar.");
    EXPECT_TRUE(saida[2].starts_with("  Puzzle 2 (Poucas): ")) << e.Saida;
    EXPECT_TRUE(saida[3].starts_with("  Puzzle 3 (Poucas): ")) << e.Saida;
    EXPECT_EQ(saida.back(), "Semente: 1");
    EXPECT_EQ(Paginas(Trabalho / "poucas.pdf"), 6);
}

TEST_F(ZeltaLivro, FalhaAGravarNaoDeixaNemOPdfNemOJson) {
    fs::create_directories(Trabalho / "antigo");
    std::ofstream(Trabalho / "antigo" / "livro.json") << "o livro anterior";
    const TExecucao e =
        CorrerPrograma({"--puzzles", "3", "--saida", "nao-existe/livro.pdf", "--json", "antigo/livro.json"});
    EXPECT_EQ(e.Estado, 1);
    const auto erros = Linhas(e.Erros);
    ASSERT_EQ(erros.size(), 1U) << e.Erros;
    EXPECT_TRUE(erros[0].starts_with("Erro: Não foi possível gravar o ficheiro")) << e.Erros;
    EXPECT_EQ(teste::LerBytes(Trabalho / "antigo" / "livro.json"), "o livro anterior");
    std::vector<std::string> antigo;
    for (const auto& f : fs::directory_iterator(Trabalho / "antigo")) {
        antigo.push_back(f.path().filename().string());
    }
    EXPECT_EQ(antigo, std::vector<std::string>{"livro.json"});
    EXPECT_FALSE(fs::exists(Trabalho / "nao-existe"));

    const TExecucao mesmo = Correr({"--puzzles", "3", "--saida", "x.pdf", "--json", "./x.pdf"});
    EXPECT_EQ(mesmo.Estado, 1);
    EXPECT_EQ(mesmo.Erros, "O PDF e o JSON não podem ser o mesmo ficheiro.\n");
}

// Os destinos que não se substituem e os que se seguem: um livro é os dois ficheiros ou nenhum.
TEST_F(ZeltaLivro, DestinosDoLivroNuncaEstragamOQueLaEsta) {
    std::ofstream(Trabalho / "guardar.pdf") << "livro antigo";
    fs::create_directory(Trabalho / "pasta.json");
    ASSERT_EQ(::mkfifo((Trabalho / "tubo").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> Args;
        std::string Erro;
    } recusas[] = {
        {{"--saida", "guardar.pdf", "--json", "pasta.json"}, "pasta.json»: é uma pasta."},
        {{"--saida", "guardar.pdf", "--json", "tubo"}, "tubo»: não é um ficheiro comum."},
        {{"--saida", "tubo"}, "tubo»: não é um ficheiro comum."},
    };
    for (const auto& c : recusas) {
        std::vector<std::string> args{"--puzzles", "3", "--semente", "5"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TExecucao e = Correr(args);
        EXPECT_EQ(e.Estado, 1) << c.Erro;
        EXPECT_TRUE(e.Erros.find(c.Erro) != std::string::npos) << e.Erros;
        EXPECT_EQ(teste::LerBytes(Trabalho / "guardar.pdf"), "livro antigo");
        EXPECT_TRUE(fs::is_fifo(Trabalho / "tubo"));
    }

    // Uma ligação simbólica segue-se: o ficheiro verdadeiro muda, a ligação fica, e o modo privado mantém-se.
    std::ofstream(Trabalho / "verdadeiro.pdf") << "antigo";
    fs::permissions(Trabalho / "verdadeiro.pdf", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("verdadeiro.pdf", Trabalho / "ligacao.pdf");
    ASSERT_EQ(Correr({"--puzzles", "3", "--saida", "ligacao.pdf"}).Estado, 0);
    EXPECT_TRUE(fs::is_symlink(Trabalho / "ligacao.pdf"));
    EXPECT_EQ(teste::LerBytes(Trabalho / "verdadeiro.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(fs::status(Trabalho / "verdadeiro.pdf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// O que vem de fora chega ao terminal sem controlos e em forma composta.
TEST_F(ZeltaLivro, TextoDeForaNaoMexeNoTerminalEAcentosDecompostosServem) {
    fs::create_directories(Temas);
    std::ofstream(Temas / "Estranho.txt") << "# Tema: Aves \x1b]0;titulo\x07\n# Grupo: Grupo \x1b[2J\n"
                                          << "ABELHA\nBALEIA\nCAMELO\nDORMIR\nESQUILO\nFORMIGA\nGIRAFA\n"
                                          << "HIENA\nIGUANA\nJAVALI\nLEOPARDO\nMORCEGO\n";
    const TExecucao l = Correr({"--listar"});
    ASSERT_EQ(l.Estado, 0) << l.Erros;
    EXPECT_EQ(l.Saida.find('\x1b'), std::string::npos);
    EXPECT_EQ(l.Saida.find('\x07'), std::string::npos);

    // «Ciência» escrito num Mac: o «e» e o acento circunflexo à parte.
    const TExecucao e = Correr({"--livro", "Cie\xcc\x82ncia", "--puzzles", "4", "--semente", "3"});
    ASSERT_EQ(e.Estado, 0) << e.Erros;
    EXPECT_TRUE(fs::exists(Trabalho / "Zelta_Ciencia_15x15_4.pdf"));
}

// Um livro gravado imprime-se outra vez sem gerar nada: com as mesmas opções, o mesmo PDF; noutro formato,
// os mesmos puzzles; com uma falta no JSON, nada.
TEST_F(ZeltaLivro, ReimprimirUmLivroGravado) {
    ASSERT_EQ(Correr({"--puzzles", "4", "--semente", "8", "--tamanho", "12", "--palavras", "12", "--saida", "a4.pdf",
                      "--json", "livro.json"})
                  .Estado,
              0);
    const TExecucao igual = Correr({"--reimprimir", "livro.json", "--saida", "outra.pdf"});
    ASSERT_EQ(igual.Estado, 0) << igual.Erros;
    EXPECT_EQ(teste::LerBytes(Trabalho / "outra.pdf"), teste::LerBytes(Trabalho / "a4.pdf"));

    const TExecucao seis = Correr({"--reimprimir", "livro.json", "--formato", "6x9", "--saida", "6x9.pdf"});
    ASSERT_EQ(seis.Estado, 0) << seis.Erros;
    const json j = json::parse(teste::LerBytes(Trabalho / "livro.json"));
    TOpcoesImpressao impressao;
    impressao.Formato = TFormatoPagina::fp6x9;
    const std::vector<TDescPagina> plano = PlanoDePaginas(4, impressao, 12);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto pagina = std::find_if(plano.begin(), plano.end(), [i](const TDescPagina& d) {
            return d.Tipo == TTipoPagina::pgPuzzle && d.Primeiro == static_cast<std::int32_t>(i);
        });
        ASSERT_NE(pagina, plano.end());
        std::multiset<std::string> esperadas;
        for (const auto& w : j["puzzles"][i]["palavras"]) {
            esperadas.insert(w["texto"].get<std::string>());
        }
        const std::string texto = TextoDaPagina(Trabalho / "6x9.pdf", static_cast<int>(pagina - plano.begin()) + 1);
        EXPECT_EQ(ListaDaPagina(texto), esperadas) << texto;
    }

    std::string estragado = teste::LerBytes(Trabalho / "livro.json");
    estragado.replace(estragado.find("\"lado\": 12"), 10, "\"lado\": 13");
    teste::EscreverBytes(Trabalho / "estragado.json", estragado);
    const TExecucao recusa = Correr({"--reimprimir", "estragado.json", "--saida", "nada.pdf"});
    EXPECT_EQ(recusa.Estado, 2);
    EXPECT_TRUE(recusa.Erros.find("13 × 13") != std::string::npos) << recusa.Erros;
    EXPECT_FALSE(fs::exists(Trabalho / "nada.pdf"));
}

// As medidas da capa ficam no JSON do livro, e um livro assim gravado imprime-se outra vez na mesma.
TEST_F(ZeltaLivro, MedidasDaCapaNoJson) {
    const TExecucao e = Correr({"--puzzles", "30", "--semente", "4", "--formato", "6x9", "--papel", "creme", "--saida",
                                "livro.pdf", "--json", "livro.json", "--capa", "capa.pdf"});
    ASSERT_EQ(e.Estado, 0) << e.Erros;
    const json capa = json::parse(teste::LerBytes(Trabalho / "livro.json"))["capa"];
    const int paginas = capa["paginas"].get<int>();
    EXPECT_EQ(paginas, Paginas(Trabalho / "livro.pdf"));
    EXPECT_EQ(capa["papel"], "creme");
    EXPECT_NEAR(capa["lombadaMm"].get<double>(), paginas * 0.0025 * 25.4, 0.006);
    EXPECT_NEAR(capa["larguraMm"].get<double>(), 2 * 152.4 + paginas * 0.0025 * 25.4 + 2 * 3.175, 0.006);
    EXPECT_NEAR(capa["alturaMm"].get<double>(), 228.6 + 2 * 3.175, 0.006);
    EXPECT_EQ(Correr({"--reimprimir", "livro.json", "--saida", "outra.pdf"}).Estado, 0);
}

TEST_F(ZeltaLivro, ImportarMostraORelatorioEListarMostraONovoTema) {
    std::ofstream(Trabalho / "Aves.txt") << "# Tema: Aves Marinhas\ngaivota\nALBATROZ\n  corvo   marinho\n"
                                            "GAIVOTA\nP4TO\n";
    const TExecucao i = Correr({"--importar", "Aves.txt"});
    ASSERT_EQ(i.Estado, 0) << i.Erros;
    const auto relatorio = Linhas(i.Saida);
    ASSERT_GE(relatorio.size(), 5U) << i.Saida;
    EXPECT_EQ(relatorio[0], "Tema Aves Marinhas importado (grupo Os meus temas).");
    EXPECT_EQ(relatorio[1], "3 palavras aceites, 1 repetidas, 1 rejeitadas.");
    EXPECT_EQ(relatorio[2], "");
    EXPECT_EQ(relatorio[3], "Linhas rejeitadas:");
    EXPECT_NE(relatorio[4].find("P4TO"), std::string::npos) << i.Saida;
    EXPECT_TRUE(fs::exists(Temas / "Aves.txt"));

    const TExecucao l = Correr({"--listar"});
    ASSERT_EQ(l.Estado, 0) << l.Erros;
    const auto listagem = Linhas(l.Saida);
    const auto grupo = std::find(listagem.begin(), listagem.end(), "Os meus temas");
    ASSERT_NE(grupo, listagem.end()) << l.Saida;
    ASSERT_NE(grupo + 1, listagem.end());
    EXPECT_EQ(*(grupo + 1), "  Aves Marinhas: 3 palavras (pasta dos temas)");
    EXPECT_NE(std::find(listagem.begin(), listagem.end(), "  Animais: 305 palavras"), listagem.end()) << l.Saida;
    EXPECT_EQ(listagem.back().rfind("  Dicionário: ", 0), 0U) << l.Saida;

    // O mesmo ficheiro outra vez: recusado sem --substituir, aceite com ele.
    const TExecucao outra = Correr({"--importar", "Aves.txt"});
    EXPECT_EQ(outra.Estado, 1);
    EXPECT_EQ(outra.Erros, "Já existe um tema com o ficheiro Aves.txt. Use --substituir para o substituir.\n");
    EXPECT_EQ(Correr({"--importar", "Aves.txt", "--substituir"}).Estado, 0);

    const TExecucao falta = Correr({"--importar", "Peixes.txt"});
    EXPECT_EQ(falta.Estado, 1);
    EXPECT_TRUE(falta.Erros.starts_with("Não foi possível importar o tema: ")) << falta.Erros;
    EXPECT_FALSE(fs::exists(Temas / "Peixes.txt"));
}

} // namespace
} // namespace zelta
