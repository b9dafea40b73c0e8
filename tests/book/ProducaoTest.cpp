// A produção do livro com passos de teste: cada fim, a ordem dos passos e o que chega à gravação.
#include "book/Producao.hpp"

#include "TemasDeTeste.hpp"
#include "core/Texto.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelta {
namespace {

TCatalogo Catalogo() {
    std::vector<TTema> temas = teste::CatalogoDeTeste();
    TCatalogo c;
    c.Dicionario = temas.back();
    temas.pop_back();
    c.Temas = std::move(temas);
    return c;
}

TConfigLivro Config() {
    TConfigLivro c = ConfigPorOmissao();
    c.Lado = 12;
    c.MaxLetras = 10;
    c.NumPalavras = 12;
    c.NumPuzzles = 4;
    c.Grupo = u"Dia a Dia"; // um tema de 80 palavras: 100 puzzles não chegam
    c.Semente = 42;
    return c;
}

// Passos que respondem como lhes for dito e anotam, por ordem, o que a produção lhes pediu.
struct TPassosDeTeste {
    bool AceitaFalta = true;
    bool TemDestino = true;
    std::int32_t CancelarNoPuzzle = -1;
    bool CancelarJa = false;
    bool CancelarAGravar = false;
    std::vector<std::string> Pedidos;
    TDadosLivro Gravado;

    TPassosLivro Passos() {
        TPassosLivro p;
        p.Aceite = [this](const TAnalise&) { Pedidos.push_back("aceite"); };
        p.Fase = [this](TFaseLivro f, const std::u16string& frase) {
            const char* nomes[] = {"verificar", "gerar", "gravar"};
            Pedidos.push_back(nomes[static_cast<int>(f)]);
            EXPECT_EQ(frase.empty(), f == TFaseLivro::flGerar);
        };
        p.AceitarFalta = [this](std::int32_t, std::int32_t) {
            Pedidos.push_back("falta");
            return AceitaFalta;
        };
        p.Destino = [this](const TConfigLivro&) -> std::optional<std::filesystem::path> {
            Pedidos.push_back("destino");
            return TemDestino ? std::optional<std::filesystem::path>("livro.pdf") : std::nullopt;
        };
        p.Progresso = [this](std::int32_t i, std::int32_t, bool& cancelar) { cancelar = i == CancelarNoPuzzle; };
        p.Cancelado = [this] { return CancelarJa; };
        p.Gravar = [this](const std::filesystem::path& destino, const TDadosLivro& livro, const TRelatorioLivro&) {
            Pedidos.push_back("ficheiro " + destino.string());
            if (CancelarAGravar) {
                throw ECancelado(u"parado");
            }
            Gravado = livro;
            return 7;
        };
        return p;
    }
};

TEST(Producao, CadaFimParaNoPassoCertoEDizASuaFrase) {
    const TCatalogo catalogo = Catalogo();
    const struct {
        const char* Nome;
        void (*Mudar)(TConfigLivro&, TPassosDeTeste&);
        TFimLivro Fim;
        std::vector<std::string> Pedidos;
        std::u16string Mensagem;
    } casos[] = {
        {"recusado",
         [](TConfigLivro& c, TPassosDeTeste&) { c.Grupo = u"Aves"; },
         TFimLivro::fmRecusado,
         {},
         u"Não há temas neste grupo."},
        {"desistiu",
         [](TConfigLivro& c, TPassosDeTeste& p) {
             c.NumPuzzles = 100;
             p.AceitaFalta = false;
         },
         TFimLivro::fmDesistiu,
         {"aceite", "verificar", "falta"},
         {}},
        {"sem destino",
         [](TConfigLivro&, TPassosDeTeste& p) { p.TemDestino = false; },
         TFimLivro::fmSemDestino,
         {"aceite", "verificar", "destino"},
         {}},
        {"cancelado",
         [](TConfigLivro&, TPassosDeTeste& p) { p.CancelarNoPuzzle = 2; },
         TFimLivro::fmCancelado,
         {"aceite", "verificar", "destino", "gerar"},
         MensagemCancelada(2, 4)},
        {"gravado",
         [](TConfigLivro&, TPassosDeTeste&) {},
         TFimLivro::fmGravado,
         {"aceite", "verificar", "destino", "gerar", "gravar", "ficheiro livro.pdf"},
         MensagemDoLivro(4, 7, 0)},
    };
    for (const auto& c : casos) {
        TConfigLivro config = Config();
        TPassosDeTeste passos;
        c.Mudar(config, passos);
        const TResultadoLivro r = ProduzirLivro(config, catalogo, passos.Passos());
        EXPECT_EQ(r.Fim, c.Fim) << c.Nome << " " << ParaUtf8(r.Mensagem);
        EXPECT_EQ(passos.Pedidos, c.Pedidos) << c.Nome;
        if (!c.Mensagem.empty()) {
            EXPECT_EQ(r.Mensagem, c.Mensagem) << c.Nome;
        }
    }
}

TEST(Producao, AFaltaEstimadaDizOMesmoQueAPerguntaSemAPergunta) {
    TConfigLivro config = Config();
    config.NumPuzzles = 100;
    TPassosDeTeste passos;
    passos.AceitaFalta = false;
    std::int32_t estimados = -1;
    TPassosLivro p = passos.Passos();
    p.AceitarFalta = [&estimados](std::int32_t e, std::int32_t pedidos) {
        EXPECT_EQ(pedidos, 100);
        estimados = e;
        return false;
    };
    const TResultadoLivro r = ProduzirLivro(config, Catalogo(), p);
    ASSERT_EQ(r.Fim, TFimLivro::fmDesistiu);
    EXPECT_EQ(r.Mensagem, FraseEstimativa(estimados, 100));
    EXPECT_TRUE(PerguntaEstimativa(estimados, 100).starts_with(r.Mensagem + u"\r\n\r\n"));
}

TEST(Producao, GravaOLivroDaCorridaComAsPaginasQueAGravacaoDa) {
    const TCatalogo catalogo = Catalogo();
    TPassosDeTeste passos;
    const TResultadoLivro r = ProduzirLivro(Config(), catalogo, passos.Passos());
    ASSERT_EQ(r.Fim, TFimLivro::fmGravado);
    EXPECT_EQ(r.Paginas, 7);
    EXPECT_EQ(r.Destino, std::filesystem::path("livro.pdf"));
    EXPECT_EQ(passos.Gravado, r.Livro);
    EXPECT_EQ(r.Livro.Config, Config());

    // O mesmo livro que a corrida dá sozinha com a mesma semente.
    TRelatorioLivro relatorio;
    EXPECT_EQ(r.Livro.Puzzles,
              GerarPuzzles(Config(), TemasComDicionario(catalogo), catalogo.ListaNegra, {}, relatorio));
}

TEST(Producao, UmaFalhaAGravarSaiDaProducao) {
    TPassosDeTeste passos;
    TPassosLivro p = passos.Passos();
    p.Gravar = [](const std::filesystem::path&, const TDadosLivro&, const TRelatorioLivro&) -> std::int32_t {
        throw EZelta(u"Não foi possível gravar o ficheiro «livro.pdf»: sem espaço no disco.");
    };
    EXPECT_THROW(ProduzirLivro(Config(), Catalogo(), p), EZelta);
}

} // namespace
} // namespace zelta
