#include "book/Opcoes.hpp"
#include "book/Livro.hpp"

#include "TemasDeTeste.hpp"
#include "core/Texto.hpp"
#include "themes/Dicionario.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

TConfigLivro Boa() {
    TConfigLivro c;
    c.NumPuzzles = 10;
    c.Lado = 15;
    c.Modo = TModoDirecoes::mdTodas;
    c.MinLetras = 4;
    c.MaxLetras = 12;
    c.NumPalavras = 15;
    c.Grupo = u"Natureza";
    return c;
}

TEST(Opcoes, MotivosPelaOrdemDasVerificacoes) {
    // Natureza: Animais, Bichos e Pequeno (8 palavras); a maior palavra do catálogo tem 16 letras.
    const auto temas = RefsDe(teste::CatalogoDeTeste());
    struct Caso {
        void (*mudar)(TConfigLivro&);
        std::u16string motivo;
    };
    const std::vector<Caso> casos{
        {[](TConfigLivro& c) { c.Grupo = u"Aves"; }, u"Não há temas neste grupo."},
        {[](TConfigLivro& c) {
             c.Lado = 13;
             c.MinLetras = 9;
         },
         u"Escolha o tamanho da grelha."},
        {[](TConfigLivro& c) {
             c.MinLetras = 7;
             c.MaxLetras = 2;
         },
         u"O mínimo de letras tem de estar entre 3 e 6."},
        {[](TConfigLivro& c) { c.MinLetras = 2; }, u"O mínimo de letras tem de estar entre 3 e 6."},
        {[](TConfigLivro& c) { c.MaxLetras = 3; }, u"O máximo de letras não pode ser menor que o mínimo."},
        {[](TConfigLivro& c) { c.MaxLetras = 16; },
         u"O máximo de letras não pode passar de 15 (o lado da grelha ou a palavra mais comprida)."},
        {[](TConfigLivro& c) {
             c.Lado = 10;
             c.MaxLetras = 10;
             c.NumPalavras = 12;
         },
         u"O número de palavras tem de estar entre 10 e 10 para esta grelha."},
        {[](TConfigLivro& c) { c.NumPalavras = 9; },
         u"O número de palavras tem de estar entre 10 e 20 para esta grelha."},
        {[](TConfigLivro& c) { c.NumPuzzles = 101; }, u"Indique um número de puzzles entre 1 e 100."},
        {[](TConfigLivro& c) { c.NumPuzzles = 2; }, u"O grupo Natureza tem 3 temas: peça pelo menos 3 puzzles."},
        {[](TConfigLivro& c) { c.NumPalavras = 10; },
         u"O tema Pequeno só tem 8 palavras com 4 a 12 letras; peça menos palavras ou alargue as letras."},
        {[](TConfigLivro& c) {
             c.Grupo.clear();
             c.Mix = true;
             c.MinLetras = 3;
             c.MaxLetras = 3;
             c.NumPalavras = 10;
         },
         u"Só há 1 palavras com 3 a 3 letras; peça menos palavras ou alargue as letras."},
    };
    for (const Caso& caso : casos) {
        TConfigLivro c = Boa();
        caso.mudar(c);
        const TAnalise a = AnalisarOpcoes(c, temas);
        EXPECT_FALSE(a.PodeGerar);
        EXPECT_EQ(a.Motivo, caso.motivo);
        EXPECT_TRUE(a.Aviso.empty());
    }
}

// Um tema de 40 palavras de 12 letras e outro de palavras largas, com nove espaços.
std::vector<TTema> TemasLargos() {
    std::vector<std::u16string> normais;
    std::vector<std::u16string> largas;
    const std::u16string base = u"CAVALOMARINHOSDEPORTUGAL";
    for (std::size_t i = 0; i < 40; ++i) {
        const auto letra = std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
        normais.push_back(base.substr(i % 12, 11) + letra);
        if (i < 26) {
            largas.push_back(u"W W W W W W W W W " + letra);
        }
    }
    return {teste::TemaDe(u"Normais", u"Normais", normais), teste::TemaDe(u"Largas", u"Largas", largas)};
}

// O formato recusa o lado que não cabe com a maior grelha que cabe, ou diz que nenhuma cabe; o A4 sem opções
// aceita o que sempre aceitou.
TEST(Opcoes, FormatoQueNaoCabe) {
    const auto catalogo = TemasLargos();
    const auto temas = RefsDe(catalogo);
    using enum TFormatoPagina;
    const struct {
        TOpcoesImpressao Impressao;
        const char16_t* Grupo;
        std::int32_t Lado, Palavras, MaxLetras;
        std::u16string Motivo;
    } casos[] = {
        {{fpA4, false, true}, u"Normais", 20, 30, 12, u"Em A4 em letra grande, a maior grelha que cabe é 15 × 15."},
        {{fp6x9, false, true},
         u"Normais",
         15,
         20,
         12,
         u"Em 6 × 9 pol. em letra grande, a maior grelha que cabe é 10 × 10."},
        {{fp6x9, true, true},
         u"Normais",
         12,
         15,
         12,
         u"Em 6 × 9 pol. em letra grande e para encadernar, a maior grelha que cabe é 10 × 10."},
        {{fpA5, true, true},
         u"Largas",
         10,
         10,
         10,
         u"Em A5 em letra grande e para encadernar, nenhuma grelha cabe com 10 palavras de até 10 letras: peça menos "
         u"palavras ou palavras mais curtas."},
        {{fp6x9, false, false}, u"Normais", 20, 30, 12, u""},
        {{fp8x10, true, false}, u"Normais", 20, 30, 12, u""},
        {{}, u"Largas", 10, 10, 10, u""},
    };
    for (const auto& c : casos) {
        TConfigLivro cfg = Boa();
        cfg.Grupo = c.Grupo;
        cfg.NumPuzzles = 1;
        cfg.Lado = c.Lado;
        cfg.NumPalavras = c.Palavras;
        cfg.MaxLetras = c.MaxLetras;
        const TAnalise a = AnalisarOpcoes(cfg, temas, c.Impressao);
        EXPECT_EQ(a.Motivo, c.Motivo) << ParaUtf8(c.Motivo);
        EXPECT_EQ(a.PodeGerar, c.Motivo.empty());
    }
}

TEST(Opcoes, AvisoENumeroDeTemas) {
    const auto temas = RefsDe(teste::CatalogoDeTeste());
    TConfigLivro c = Boa();
    c.Grupo = u"Dia a Dia";
    c.MaxLetras = 11; // a palavra mais comprida da Escola
    c.NumPalavras = 10;
    c.NumPuzzles = 1;
    TAnalise a = AnalisarOpcoes(c, temas);
    EXPECT_TRUE(a.PodeGerar) << ParaUtf8(a.Motivo);
    EXPECT_EQ(a.NumTemas, 1);
    EXPECT_TRUE(a.Aviso.empty());
    c.NumPuzzles = 20;
    a = AnalisarOpcoes(c, temas);
    EXPECT_TRUE(a.PodeGerar);
    // As palavras que há contam-se todas, embora a análise só conte até às pedidas quando chegam.
    EXPECT_EQ(a.Aviso, u"Aviso: o livro pede 200 palavras e só há " +
                           Decimal(TamanhoDoPool(TemasDoGrupo(temas, c.Grupo), c)) +
                           u" com estas letras; algumas repetem-se e pode faltar algum puzzle.");

    // Um Mix nunca falha por ter temas a mais; o dicionário é um grupo de um tema.
    c.Mix = true;
    c.Grupo.clear();
    c.NumPuzzles = 1;
    EXPECT_EQ(AnalisarOpcoes(c, temas).NumTemas, 1);
    c.Mix = false;
    c.Grupo = u"Dicionário";
    EXPECT_EQ(AnalisarOpcoes(c, temas).NumTemas, 1);
}

TEST(Opcoes, LimiteDasLetras) {
    const TTema curto = teste::Tema(u"C", u"G", {u"SOL", u"LUA"});
    const TTema* so[] = {&curto};
    EXPECT_EQ(LimiteMaxLetras(12, so), 3);
    EXPECT_EQ(LimiteMaxLetras(12, {}), 12);
    const auto temas = RefsDe(teste::CatalogoDeTeste());
    EXPECT_EQ(LimiteMaxLetras(20, temas), 16);
    EXPECT_EQ(LimiteMaxLetras(12, temas), 12);
}

TEST(Opcoes, FrasesDaJanela) {
    TConfigLivro c = Boa();
    c.NumPuzzles = 20;
    c.NumPalavras = 20;
    EXPECT_EQ(ResumoDasOpcoes(c, 3),
              u"20 puzzles · 15 × 15 · Natureza (3 temas) · Todas · até 20 palavras de 4 a 12 letras");
    EXPECT_EQ(ResumoDasOpcoes(c, 1),
              u"20 puzzles · 15 × 15 · Natureza (1 tema) · Todas · até 20 palavras de 4 a 12 letras");
    c = TConfigLivro{1, 10, TModoDirecoes::mdSimples, 3, 10, 10, false, true, u"", u"", 0};
    EXPECT_EQ(ResumoDasOpcoes(c, 1), u"1 puzzle · 10 × 10 · Mix · Simples · até 10 palavras de 3 a 10 letras");
    EXPECT_EQ(NomeDoModo(TModoDirecoes::mdDiagonais), u"Com diagonais");

    EXPECT_EQ(Contagem(0, u"puzzle", u"puzzles"), u"0 puzzles");
    EXPECT_EQ(Contagem(1, u"tema", u"temas"), u"1 tema");
    EXPECT_EQ(MensagemLivroGerado(1, 6), u"Livro gerado: 1 puzzle, 6 páginas.");
    EXPECT_EQ(MensagemLivroGerado(100, 130), u"Livro gerado: 100 puzzles, 130 páginas.");
    EXPECT_EQ(MensagemCancelada(0, 10), u"Geração cancelada aos 0 de 10 puzzles. Nada foi gravado.");
    EXPECT_EQ(MensagemCancelada(1, 10), u"Geração cancelada aos 1 de 10 puzzles. Nada foi gravado.");
    EXPECT_EQ(PerguntaFecharAGerar(), u"Está a ser gerado um livro. Cancelar e sair?");
    EXPECT_EQ(
        PerguntaEstimativa(1, 10),
        u"Com estas opções, o livro só deve dar cerca de 1 puzzle dos 10 pedidos: faltam palavras novas nos temas."
        u"\r\n\r\nPode pedir menos puzzles ou menos palavras por puzzle. Gerar mesmo assim?");
    EXPECT_EQ(PerguntaEstimativa(0, 10),
              u"Com estas opções não há palavras novas que cheguem para nenhum dos 10 puzzles pedidos."
              u"\r\n\r\nPode pedir menos puzzles ou menos palavras por puzzle. Gerar mesmo assim?");
}

TEST(Opcoes, NomesDoFicheiro) {
    struct Caso {
        std::u16string grupo;
        bool mix;
        std::u16string nome;
    };
    for (const Caso& c :
         {Caso{u"", true, u"Mix"}, Caso{u"Natureza", false, u"Natureza"}, Caso{u"Ciência", false, u"Ciencia"},
          Caso{u"Dia a Dia", false, u"DiaADia"}, Caso{u"Dicionário", false, u"Dicionario"},
          Caso{u"CULTURA E LAZER", false, u"CulturaLazer"}, Caso{u"Os Meus Temas", false, u"MeusTemas"},
          Caso{u"Temas 2024", false, u"Temas2024"}, Caso{u"3D", false, u"3d"}, Caso{u"Ñandu", false, u"Andu"},
          Caso{u"!?", false, u"Livro"}, Caso{u"ciência viva", false, u"CienciaViva"}}) {
        EXPECT_EQ(NomeBreveDoLivro(c.grupo, c.mix), c.nome);
    }
    EXPECT_EQ(NomeFicheiroPdf(u"Dia a Dia", false, 15, 20), u"Zelta_DiaADia_15x15_20.pdf");
    EXPECT_EQ(NomeFicheiroPdf(u"#", false, 12, 30), u"Zelta_Livro_12x12_30.pdf");
}

} // namespace
} // namespace zelta
