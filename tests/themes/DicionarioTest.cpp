#include "themes/Catalogo.hpp"

#include "core/Recursos.hpp"
#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"
#include "themes/LeituraTema.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

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
    EXPECT_EQ(d.Palavras, (TPalavrasTema{{u"CASA", u"CASA"}, {u"AMOR", u"AMOR"}}));
}

// O dicionário embutido lê-se sem validar linha a linha: tem de dar exatamente o que a leitura de um tema
// daria, sem nenhuma linha recusada nem repetida.
TEST(Dicionario, EmbutidoLidoComoQualquerTema) {
    const auto bytes = VerRecurso(u"DICIONARIO");
    if (!bytes) {
        GTEST_SKIP() << "sem dicionário embutido";
    }
    const TTemaLido lido = LerTema(CortarLinhas(BytesParaTexto(*bytes)), NomeDoDicionario);
    EXPECT_EQ(lido.Relatorio.Rejeitadas, 0);
    EXPECT_EQ(lido.Relatorio.Repetidas, 0);
    EXPECT_EQ(CarregarDicionario("/pasta/que/nao/existe").Palavras, lido.Tema.Palavras);
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

// Uma palavra de tools/EXCLUSOES.txt (sem acentos) e se só ela e as formas dela saem ("=PALAVRA"), ou também o
// que a contenha.
struct TExclusao {
    std::u16string Chave;
    bool SoFormas = false;
};

std::vector<TExclusao> LerExclusoes(const std::filesystem::path& caminho) {
    std::vector<TExclusao> r;
    for (const std::u16string& linha : CortarLinhas(BytesParaTexto(LerFicheiro(caminho)))) {
        std::u16string_view l = Aparar(linha);
        if (l.empty() || l.front() == u'#') {
            continue;
        }
        const bool soFormas = l.front() == u'=';
        if (soFormas) {
            l.remove_prefix(1);
        }
        const TLinhaValidada v = ValidarLinha(l);
        if (v.Aceite) {
            r.push_back({SemAcentos(v.Letras), soFormas});
        }
    }
    return r;
}

bool Termina(const std::u16string& p, std::u16string_view fim) {
    return p.size() >= fim.size() && std::u16string_view(p).substr(p.size() - fim.size()) == fim;
}

// As formas de uma palavra (sem acentos) que as regras regulares de plural, feminino e dos nomes tirados de um
// verbo dão: o que o dicionário também não pode ter. Sem o género (soFormas), só plurais e derivados: TETA não
// tem masculino (TETO é outra palavra), nem CURIE feminino (CÚRIA).
std::vector<std::u16string> FormasDe(const std::u16string& p, bool comGenero = true) {
    std::vector<std::u16string> f{p, p + u"S", p + u"ES"};
    const auto sem = [&p](std::size_t n) { return p.substr(0, p.size() - n); };
    if (Termina(p, u"AO")) {
        for (const auto* fim : {u"OES", u"AES", u"AOS", u"ONA", u"ONAS"}) {
            f.push_back(sem(2) + fim);
        }
    } else if (comGenero && (Termina(p, u"O") || Termina(p, u"A"))) {
        for (const auto* fim : {u"O", u"A", u"OS", u"AS"}) {
            f.push_back(sem(1) + fim);
        }
    } else if (comGenero && Termina(p, u"E")) {
        f.insert(f.end(), {sem(1) + u"A", sem(1) + u"AS"});
    } else if (Termina(p, u"L")) {
        f.push_back(sem(1) + u"IS");
    } else if (Termina(p, u"M")) {
        f.push_back(sem(1) + u"NS");
    }
    if (Termina(p, u"AR") || Termina(p, u"ER") || Termina(p, u"IR")) {
        for (const auto* fim : {u"CAO", u"COES", u"MENTO", u"MENTOS", u"DOR", u"DORA", u"DORES", u"DORAS"}) {
            f.push_back(sem(1) + fim);
        }
    } else if (comGenero && (Termina(p, u"R") || Termina(p, u"Z") || Termina(p, u"S"))) {
        f.insert(f.end(), {p + u"A", p + u"AS"});
    }
    return f;
}

// O dicionário embutido não tem nenhuma palavra que seja, contenha ou seja uma forma de uma palavra da lista
// negra ou de tools/EXCLUSOES.txt (as "=PALAVRA" podem viver dentro de outras: TESÃO em ARTESÃO).
TEST(Dicionario, EmbutidoSemPalavrasExcluidasNemDaListaNegra) {
    if (!VerRecurso(u"DICIONARIO")) {
        GTEST_SKIP() << "sem dicionário embutido";
    }
    const std::vector<TExclusao> exclusoes = LerExclusoes(ZELTA_EXCLUSOES);
    ASSERT_GT(exclusoes.size(), 100U);
    std::vector<TExclusao> todas = exclusoes;
    for (const std::u16string& negra : ListaNegraDoRecurso()) {
        todas.push_back({negra, false});
    }
    std::unordered_map<std::u16string, std::u16string> formas; // forma -> palavra de onde vem
    std::vector<std::u16string> contidas;
    for (const TExclusao& e : todas) {
        for (std::u16string& f : FormasDe(e.Chave, !e.SoFormas)) {
            formas.emplace(std::move(f), e.Chave);
        }
        if (!e.SoFormas) {
            contidas.push_back(e.Chave);
        }
    }
    const TTema dicionario = CarregarDicionario("/pasta/que/nao/existe");
    ASSERT_GT(dicionario.Palavras.size(), 20000U);
    for (const TPalavraTema& p : dicionario.Palavras) {
        const std::u16string chave = SemAcentos(p.Letras);
        const auto forma = formas.find(chave);
        EXPECT_TRUE(forma == formas.end()) << ParaUtf8(p.Letras) << " é uma forma de " << ParaUtf8(forma->second);
        for (const std::u16string& c : contidas) {
            EXPECT_EQ(chave.find(c), std::u16string::npos) << ParaUtf8(p.Letras) << " contém " << ParaUtf8(c);
        }
    }
    // Umas das que o issue 14 encontrou no dicionário antigo.
    std::unordered_set<std::u16string> palavras;
    for (const TPalavraTema& p : dicionario.Palavras) {
        palavras.emplace(p.Letras);
    }
    for (const std::u16string_view fora :
         {u"TESÃO",     u"MIJAR",  u"CAGANITA", u"PEITUDA",   u"BOCETA",   u"PRETALHÃO", u"NEGRADA",  u"CIGANICE",
          u"MONGÓLICO", u"OTÁRIO", u"EJACULAR", u"MASTURBAR", u"FELAÇÃO",  u"PEDOFILIA", u"ESTUPRO",  u"PROXENETA",
          u"PÉNIS",     u"VAGINA", u"ESCROTO",  u"CORNUDA",   u"ESTÚPIDA", u"GALDÉRIO",  u"SACANICE", u"FUZZY",
          u"KARTING",   u"SHOWS",  u"NEWTON",   u"FARADAY",   u"SECTOR",   u"CONTRACTO"}) {
        EXPECT_FALSE(palavras.contains(std::u16string(fora))) << ParaUtf8(fora);
    }
    for (const std::u16string_view dentro :
         {u"VERÃO", u"INVERNO", u"PRIMAVERA", u"OUTONO", u"PÁSCOA", u"EDUCAÇÃO", u"ALIMENTAÇÃO", u"ADMIRAÇÃO", u"SETOR",
          u"CONTRATO", u"ARTESÃO", u"NOTÁRIO", u"BISCOITO", u"MANUSCRITO"}) {
        EXPECT_TRUE(palavras.contains(std::u16string(dentro))) << ParaUtf8(dentro);
    }
}

TEST(Dicionario, FormasDeUmaPalavraExcluida) {
    const auto tem = [](const std::u16string& p, const std::u16string& f) {
        const auto formas = FormasDe(p);
        return std::find(formas.begin(), formas.end(), f) != formas.end();
    };
    EXPECT_TRUE(tem(u"CORNUDO", u"CORNUDA"));
    EXPECT_TRUE(tem(u"PEITUDA", u"PEITUDOS"));
    EXPECT_TRUE(tem(u"PRETALHAO", u"PRETALHOES"));
    EXPECT_TRUE(tem(u"ANAL", u"ANAIS"));
    EXPECT_TRUE(tem(u"MASTURBAR", u"MASTURBACAO"));
    EXPECT_TRUE(tem(u"ESTUPRADOR", u"ESTUPRADORA"));
    EXPECT_FALSE(tem(u"NEGRAO", u"NEGRA")); // o feminino de -ÃO não se adivinha (IRMÃ, LEOA, CHORONA)
    EXPECT_FALSE(std::ranges::count(FormasDe(u"TETA", false), u"TETO"));
    EXPECT_TRUE(std::ranges::count(FormasDe(u"TETA", false), u"TETAS"));
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
    EXPECT_EQ(MaiorPalavra(refs, 5), 5);
    EXPECT_EQ(MaiorPalavra(refs, 20), 13);
    EXPECT_EQ(MaiorPalavra(TemasDoGrupo(refs, u"Natureza")), 4);
    EXPECT_EQ(MaiorPalavra(TRefsTemas{}), 0);
}

} // namespace
} // namespace zelta
