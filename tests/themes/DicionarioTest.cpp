#include "themes/Dicionario.hpp"

#include "core/Recursos.hpp"
#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"
#include "themes/LeituraTema.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

TEST(Dicionario, LerListaNegra) {
    const std::vector<std::u16string> linhas{
        u"# lista de teste",
        u"  pé-de-cabra ",
        u"ÓDIO",
        u"odio", // a mesma chave sem acentos: já lá está
        u"AB",   // curta demais
        u"",
        u"mau1", // rejeitada pela validação
        u"#FEIO",
        u"feio",
    };
    EXPECT_EQ(LerListaNegra(linhas), (std::vector<std::u16string>{u"PEDECABRA", u"ODIO", u"FEIO"}));
    // A marca de ordem dos bytes tira-a a descodificação, uma vez; dentro do texto é um símbolo qualquer.
    EXPECT_EQ(LerListaNegra(CortarLinhas(BytesParaTexto(
                  std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("\xEF\xBB\xBF"
                                                                                      "feio\n\xEF\xBB\xBFmau\n"),
                                                15)))),
              (std::vector<std::u16string>{u"FEIO"}));
}

TEST(Dicionario, DicionarioEmbutidoOuDaPasta) {
    const teste::TPastaTemporaria pasta;
    if (VerRecurso(u"DICIONARIO")) {
        // O embutido manda: o ficheiro da pasta nem se lê.
        pasta.Escrever("Dicionario.txt", "CASA\n");
        const TTema d = CarregarDicionario(pasta.Caminho());
        EXPECT_EQ(d.Nome, u"Dicionário");
        EXPECT_EQ(d.Grupo, u"Dicionário");
        EXPECT_EQ(d.Origem, TOrigemTema::otRecurso);
        EXPECT_GT(d.Palavras.size(), 1U);
        return;
    }
    EXPECT_EQ(CarregarDicionario(pasta.Caminho()), TTema{});
    EXPECT_EQ(CarregarDicionario(pasta.Caminho() / "nao_existe"), TTema{});

    // Cabeçalhos do ficheiro não mudam o nome nem o grupo.
    pasta.Escrever("Dicionario.txt", "\xEF\xBB\xBF# Tema: Outro\r\n# Grupo: Natureza\r\ncasa\r\nCASA\r\nAMOR\r\n");
    const TTema d = CarregarDicionario(pasta.Caminho());
    EXPECT_EQ(d.Nome, u"Dicionário");
    EXPECT_EQ(d.Grupo, u"Dicionário");
    EXPECT_EQ(d.Origem, TOrigemTema::otRecurso);
    EXPECT_EQ(d.Palavras, (std::vector<TPalavraTema>{{u"CASA", u"CASA"}, {u"AMOR", u"AMOR"}}));
}

TEST(Dicionario, FicheirosReservadosComOutraCaixa) {
    // A biblioteca não lê dicionario.txt nem LISTANEGRA.TXT como temas; aqui não podem ficar esquecidos.
    const teste::TPastaTemporaria pasta;
    pasta.Escrever("dicionario.txt", "CASA\n");
    pasta.Escrever("LISTANEGRA.TXT", "FEIO\n");
    if (!VerRecurso(u"DICIONARIO")) {
        EXPECT_EQ(CarregarDicionario(pasta.Caminho()).Palavras.size(), 1U);
    }
    if (ListaNegraDoRecurso().empty()) {
        EXPECT_EQ(CarregarListaNegra(pasta.Caminho()), std::vector<std::u16string>{u"FEIO"});
    }
}

TEST(Dicionario, FalhasDosFicheirosDaPasta) {
    const teste::TPastaTemporaria pasta;
    // Ficheiros que não se leem: pastas com os nomes reservados.
    pasta.Escrever("Dicionario.txt/x", "");
    pasta.Escrever("ListaNegra.txt/x", "");
    if (!VerRecurso(u"DICIONARIO")) {
        EXPECT_THROW(CarregarDicionario(pasta.Caminho()), EZelta);
    }
    // A lista negra cala a falha: fica a embutida, ou nenhuma.
    EXPECT_EQ(CarregarListaNegra(pasta.Caminho()), ListaNegraDoRecurso());
    EXPECT_THROW(ListaNegraDeFicheiro(pasta.Caminho() / "ListaNegra.txt"), EZelta);
    EXPECT_THROW(ListaNegraDeFicheiro(pasta.Caminho() / "falta.txt"), EZelta);
}

TEST(Dicionario, ListaNegraEmbutidaOuDaPasta) {
    const teste::TPastaTemporaria pasta;
    pasta.Escrever("ListaNegra.txt", "# minha\r\nfeio\r\nMAU\r\n");
    const auto embutida = ListaNegraDoRecurso();
    const auto lista = CarregarListaNegra(pasta.Caminho());
    if (embutida.empty()) {
        EXPECT_EQ(lista, (std::vector<std::u16string>{u"FEIO", u"MAU"}));
    } else {
        EXPECT_EQ(lista, embutida);
    }
    EXPECT_EQ(CarregarListaNegra(pasta.Caminho() / "nao_existe"), embutida);
}

TEST(Dicionario, EscolhaDeTemasEMaiorPalavra) {
    const std::vector<TTema> temas{
        {u"Animais", u"Natureza", TOrigemTema::otRecurso, {{u"GATO", u"GATO"}}},
        {u"Concelhos", u"Portugal", TOrigemTema::otRecurso, {{u"CASTELO BRANCO", u"CASTELOBRANCO"}}},
        {u"Plantas", u"NATUREZA", TOrigemTema::otPasta, {{u"ROSA", u"ROSA"}}},
        {u"Meu", u"dicionário", TOrigemTema::otPasta, {{u"PÉ-DE-MEIA", u"PÉDEMEIA"}}},
        {u"Dicionário", u"Dicionário", TOrigemTema::otRecurso, {{u"AMOR", u"AMOR"}}},
    };
    const TRefsTemas refs = RefsDe(temas);
    ASSERT_EQ(refs.size(), temas.size());
    EXPECT_EQ(refs[2], &temas[2]);

    EXPECT_EQ(TemasDoGrupo(refs, u"natureza"), (TRefsTemas{&temas[0], &temas[2]}));
    EXPECT_EQ(TemasDoGrupo(refs, u"Dicionário"), (TRefsTemas{&temas[3], &temas[4]}));
    EXPECT_TRUE(TemasDoGrupo(refs, u"DICIONÁRIO").empty()); // Á e á diferem
    EXPECT_EQ(TemasSemDicionario(refs), (TRefsTemas{&temas[0], &temas[1], &temas[2]}));

    EXPECT_EQ(MaiorPalavra(refs), 13); // os espaços não contam
    EXPECT_EQ(MaiorPalavra(TemasDoGrupo(refs, u"Natureza")), 4);
    EXPECT_EQ(MaiorPalavra(TRefsTemas{}), 0);
}

} // namespace
} // namespace zelta
