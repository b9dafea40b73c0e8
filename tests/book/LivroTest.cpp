#include "book/Livro.hpp"

#include "TemasDeTeste.hpp"
#include "VerificacaoBruta.hpp"
#include "core/Texto.hpp"
#include "generation/Verificador.hpp"
#include "themes/Dicionario.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace zelta {
namespace {

TConfigLivro Config(std::int32_t puzzles, std::int32_t lado, TModoDirecoes modo, std::u16string grupo,
                    std::uint32_t semente = 1) {
    TConfigLivro c;
    c.NumPuzzles = puzzles;
    c.Lado = lado;
    c.Modo = modo;
    c.MinLetras = 3;
    c.MaxLetras = 12;
    c.NumPalavras = MaxPalavrasDoLado(lado);
    c.Mix = grupo.empty();
    c.Grupo = std::move(grupo);
    c.Semente = semente;
    return c;
}

std::map<std::int32_t, int> Quotas(const std::vector<std::int32_t>& plano) {
    std::map<std::int32_t, int> q;
    for (const auto s : plano) {
        ++q[s];
    }
    return q;
}

TEST(PlanoDeTemas, QuotasPelosMaioresRestos) {
    struct Caso {
        std::vector<std::int32_t> pesos;
        std::int32_t n;
        std::map<std::int32_t, int> quotas;
    };
    for (const Caso& c :
         {Caso{{50, 30, 20}, 10, {{0, 5}, {1, 3}, {2, 2}}}, Caso{{12, 40, 40, 7}, 9, {{0, 2}, {1, 3}, {2, 3}, {3, 1}}},
          Caso{{0, 0, 0}, 5, {{0, 2}, {1, 2}, {2, 1}}}, Caso{{7}, 4, {{0, 4}}}}) {
        for (std::uint32_t s = 0; s < 20; ++s) {
            TGeradorAleatorio g(s);
            const auto plano = PlanoDeTemas(c.pesos, c.n, g);
            EXPECT_EQ(Quotas(plano), c.quotas);
            // Nunca o mesmo tema duas vezes seguidas enquanto outro tem puzzles por dar.
            for (std::size_t j = 1; j < plano.size() && c.pesos.size() > 1 && c.pesos[0] == 50; ++j) {
                EXPECT_NE(plano[j], plano[j - 1]);
            }
        }
    }
    TGeradorAleatorio g(3);
    EXPECT_EQ(PlanoDeTemas({100, 1}, 10, g), (std::vector<std::int32_t>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PlanoDeTemas, Erros) {
    TGeradorAleatorio g(1);
    for (const auto& [pesos, n, mensagem] :
         {std::tuple{std::vector<std::int32_t>{}, 3, u"PlanoDeTemas: sem temas"},
          std::tuple{std::vector<std::int32_t>{1, 2, 3}, 2, u"PlanoDeTemas: menos puzzles do que temas"}}) {
        try {
            PlanoDeTemas(pesos, n, g);
            ADD_FAILURE();
        } catch (const EZelta& e) {
            EXPECT_EQ(e.Mensagem(), mensagem);
        }
    }
}

TEST(PlanoDeTemas, OrdemDeRecursoPorPesoDecrescente) {
    EXPECT_EQ(OrdemDeRecurso(3, {5, 9, 9, 1}), (std::vector<std::int32_t>{3, 1, 2, 0}));
    EXPECT_EQ(OrdemDeRecurso(1, {5, 9, 9, 1}), (std::vector<std::int32_t>{1, 2, 0, 3}));
    EXPECT_EQ(OrdemDeRecurso(0, {4}), (std::vector<std::int32_t>{0}));
}

TEST(Pool, LetrasAcentosEPalindromos) {
    const TTema t = teste::Tema(u"T", u"G", {u"PÊRA", u"PERA", u"RADAR", u"ELEFANTE", u"HIPOPÓTAMO", u"ANTA"});
    const TTema* temas[] = {&t};
    TConfigLivro c = Config(1, 10, TModoDirecoes::mdSimples, u"G");
    c.MinLetras = 4;
    c.MaxLetras = 12;
    c.Acentos = true;
    const auto comAcentos = PoolDosTemas(temas, c);
    EXPECT_EQ(comAcentos.Itens.size(), 6U);
    c.Acentos = false;
    c.Modo = TModoDirecoes::mdTodas;
    c.Lado = 10;
    c.MaxLetras = 8;
    const auto semAcentos = PoolDosTemas(temas, c);
    // PÊRA e PERA fundem-se (fica o primeiro texto), RADAR sai por ser palíndromo, HIPOPÓTAMO por ter 10 letras.
    ASSERT_EQ(semAcentos.Itens.size(), 3U);
    EXPECT_EQ(semAcentos.Itens[0], (TItemPool{u"PÊRA", u"PERA"}));
    EXPECT_EQ(semAcentos.Itens[1].Palavra, u"ELEFANTE");
    EXPECT_EQ(semAcentos.Itens[2].Palavra, u"ANTA");
    EXPECT_EQ(TamanhoDoPool(temas, c), 3);
    TTrabalhoDoPool trabalho;
    EXPECT_EQ(TamanhoDoPool(temas, c, trabalho, 2), 2);
    EXPECT_EQ(TamanhoDoPool(temas, c, trabalho, 4), 3);
    EXPECT_EQ(MaxPartilhadas(10), 2);
    EXPECT_EQ(MaxPartilhadas(30), 7);
    EXPECT_EQ(MaxPartilhadas(3), 1);
}

TEST(EscolhaDeCandidatas, MenosUsadasPrimeiroEPalavrasIncompativeis) {
    const TTema t = teste::Tema(
        u"T", u"G",
        {u"MAR", u"MARTELO", u"AMOR", u"ROMA", u"SOL", u"LUA", u"CASA", u"GATO", u"PATO", u"RATO", u"BOLA", u"FACA"});
    const TTema* temas[] = {&t};
    const auto pool = PoolDosTemas(temas, Config(1, 10, TModoDirecoes::mdSimples, u"G"));
    TRegistoUsos registo;
    RegistarPuzzle(registo, 0, {{u"GATO", u"GATO"}, {u"PATO", u"PATO"}, {u"RATO", u"RATO"}});
    for (std::uint32_t s = 0; s < 50; ++s) {
        TGeradorAleatorio g(s);
        const auto c = EscolherCandidatas(pool, registo, 3, 8, 2, true, g);
        ASSERT_EQ(c.size(), 8U);
        std::set<std::u16string> escolhidas;
        for (const auto& x : c) {
            escolhidas.insert(x.Palavra);
        }
        EXPECT_FALSE(escolhidas.count(u"MAR") && escolhidas.count(u"MARTELO"));
        EXPECT_FALSE(escolhidas.count(u"AMOR") && escolhidas.count(u"ROMA"));
        // As nunca usadas vêm antes das já usadas; e no máximo 2 do puzzle 0.
        const auto usadas = std::count_if(c.begin(), c.end(), [](const TCandidata& x) {
            return x.Palavra == u"GATO" || x.Palavra == u"PATO" || x.Palavra == u"RATO";
        });
        EXPECT_LE(usadas, 2);
        for (std::size_t i = 0; i + 1 < c.size(); ++i) {
            const bool usada = c[i].Palavra == u"GATO" || c[i].Palavra == u"PATO" || c[i].Palavra == u"RATO";
            const bool seguinteNova =
                c[i + 1].Palavra != u"GATO" && c[i + 1].Palavra != u"PATO" && c[i + 1].Palavra != u"RATO";
            EXPECT_FALSE(usada && seguinteNova);
        }
    }
    // Mesma entrada e mesmo estado do gerador, mesmas candidatas.
    TGeradorAleatorio a(9);
    TGeradorAleatorio b(9);
    EXPECT_EQ(EscolherCandidatas(pool, registo, 3, 8, 2, true, a), EscolherCandidatas(pool, registo, 3, 8, 2, true, b));
}

TEST(Corrida, ValidarConfig) {
    struct Caso {
        TConfigLivro config;
        std::u16string mensagem;
    };
    const TConfigLivro boa = Config(10, 15, TModoDirecoes::mdTodas, u"Natureza");
    auto com = [&boa](auto mudar) {
        TConfigLivro c = boa;
        mudar(c);
        return c;
    };
    for (const Caso& c : {Caso{com([](auto& c) { c.Lado = 13; }), u"Tamanho da grelha inválido."},
                          Caso{com([](auto& c) { c.NumPuzzles = 101; }), u"Número de puzzles inválido."},
                          Caso{com([](auto& c) { c.NumPuzzles = 0; }), u"Número de puzzles inválido."},
                          Caso{com([](auto& c) { c.MinLetras = 1; }), u"Intervalo de letras inválido."},
                          Caso{com([](auto& c) { c.MaxLetras = 2; }), u"Intervalo de letras inválido."},
                          Caso{com([](auto& c) { c.NumPalavras = 0; }), u"Número de palavras inválido."}}) {
        TRelatorioLivro r{7, 7, true, {u"x"}};
        try {
            GerarPuzzles(c.config, RefsDe(teste::CatalogoDeTeste()), {}, {}, r);
            ADD_FAILURE();
        } catch (const EZelta& e) {
            EXPECT_EQ(e.Mensagem(), c.mensagem);
        }
        EXPECT_EQ(r.Pedidos, 7); // o relatório não é tocado
    }
    EXPECT_NO_THROW(ValidarConfig(com([](auto& c) {
        c.MinLetras = 2;
        c.MaxLetras = 2;
    })));
}

TEST(Corrida, GrupoSemTemas) {
    TRelatorioLivro r;
    try {
        GerarPuzzles(Config(3, 10, TModoDirecoes::mdSimples, u"Aves"), RefsDe(teste::CatalogoDeTeste()), {}, {}, r);
        ADD_FAILURE();
    } catch (const EZelta& e) {
        EXPECT_EQ(e.Mensagem(), u"Não há temas no grupo «Aves».");
    }
    EXPECT_EQ(r.Pedidos, 3);
}

struct Chamada {
    std::int32_t indice, total;
    friend bool operator==(const Chamada&, const Chamada&) = default;
};

TEST(Corrida, ProgressoECancelamento) {
    const auto temas = RefsDe(teste::CatalogoDeTeste());
    std::vector<Chamada> chamadas;
    TRelatorioLivro r;
    const auto puzzles = GerarPuzzles(
        Config(1, 12, TModoDirecoes::mdDiagonais, u"Dia a Dia"), temas, {},
        [&](std::int32_t i, std::int32_t n, bool&) {
            chamadas.push_back({i, n});
        },
        r);
    ASSERT_EQ(puzzles.size(), 1U);
    ASSERT_GE(chamadas.size(), 2U);
    EXPECT_EQ(chamadas.front(), (Chamada{0, 1}));
    EXPECT_EQ(chamadas.back(), (Chamada{1, 1}));
    for (std::size_t i = 1; i + 1 < chamadas.size(); ++i) {
        EXPECT_EQ(chamadas[i], (Chamada{0, 1})); // antes das tentativas 5, 10, …
    }

    // Cancelado logo na primeira chamada: nada feito, sem chamada final.
    chamadas.clear();
    const auto nenhum = GerarPuzzles(
        Config(5, 12, TModoDirecoes::mdSimples, u""), temas, {},
        [&](std::int32_t i, std::int32_t n, bool& cancelar) {
            chamadas.push_back({i, n});
            cancelar = true;
        },
        r);
    EXPECT_TRUE(nenhum.empty());
    EXPECT_TRUE(r.Cancelado);
    EXPECT_EQ(r.Gerados, 0);
    EXPECT_EQ(chamadas, std::vector<Chamada>{(Chamada{0, 5})});

    // O tema Pequeno não chega para 20 palavras: à chamada antes da tentativa 5 cancela-se, e esse
    // puzzle cai sem linha de falha.
    const std::vector<TTema> so{teste::CatalogoDeTeste()[2]};
    int vistas = 0;
    GerarPuzzles(
        Config(2, 15, TModoDirecoes::mdSimples, u"Natureza"), RefsDe(so), {},
        [&](std::int32_t, std::int32_t, bool& cancelar) { cancelar = ++vistas == 2; }, r);
    EXPECT_TRUE(r.Cancelado);
    EXPECT_TRUE(r.Falhas.empty());
    EXPECT_EQ(r.Gerados, 0);
}

TEST(Corrida, FalhasERecurso) {
    // Um Mix sem palavras: cada puzzle falha por falta de palavras, com o nome Mix.
    const std::vector<TTema> vazio{teste::Tema(u"Vazio", u"Natureza", {u"SOL"})};
    TRelatorioLivro r;
    const auto nada = GerarPuzzles(Config(2, 10, TModoDirecoes::mdSimples, u""), RefsDe(vazio), {}, {}, r);
    EXPECT_TRUE(nada.empty());
    EXPECT_EQ(r.Falhas,
              (std::vector<std::u16string>{
                  u"Puzzle 1 (Mix): não há palavras suficientes sem repetir demasiadas palavras de outros puzzles",
                  u"Puzzle 2 (Mix): não há palavras suficientes sem repetir demasiadas palavras de outros puzzles"}));
    EXPECT_EQ(r.Gerados + static_cast<std::int32_t>(r.Falhas.size()), r.Pedidos);

    // O tema Pequeno (8 palavras) não dá um puzzle de 10: o puzzle vem de outro tema do grupo.
    const auto temas = RefsDe(teste::CatalogoDeTeste());
    const auto puzzles = GerarPuzzles(Config(3, 10, TModoDirecoes::mdSimples, u"natureza"), temas, {}, {}, r);
    EXPECT_EQ(puzzles.size(), 3U);
    for (const auto& p : puzzles) {
        EXPECT_NE(p.Tema, u"Pequeno");
    }
}

TEST(Corrida, MesmaSementeMesmoLivroEEstimativaConcorda) {
    const auto temas = RefsDe(teste::CatalogoDeTeste());
    const TConfigLivro c = Config(6, 12, TModoDirecoes::mdTodas, u"Natureza", 12345);
    TRelatorioLivro r1;
    TRelatorioLivro r2;
    const auto a = GerarPuzzles(c, temas, {u"RATA", u"MALA"}, {}, r1);
    const auto b = GerarPuzzles(c, temas, {u"RATA", u"MALA"}, {}, r2);
    EXPECT_EQ(a, b);
    EXPECT_EQ(r1.Falhas, r2.Falhas);
    EXPECT_EQ(EstimarPuzzles(c, temas), 6);

    // O primeiro puzzle: o ensaio só de palavras e a corrida real partem das mesmas candidatas.
    TRelatorioLivro r3;
    const auto ensaio = EnsaiarPuzzles(TPoolsDoLivro(c, temas), r3);
    ASSERT_FALSE(ensaio.empty());
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(ensaio[0].Lado, 0);
    EXPECT_TRUE(ensaio[0].Grelha.empty());
    EXPECT_EQ(ensaio[0].Palavras.size(), 15U);
    EXPECT_EQ(ensaio[0].Tema, a[0].Tema);
    const auto& catalogo = teste::CatalogoDeTeste();
    const auto tema =
        std::find_if(catalogo.begin(), catalogo.end(), [&](const TTema& t) { return t.Nome == a[0].Tema; });
    ASSERT_NE(tema, catalogo.end());
    const TTema* so[] = {&*tema};
    TGeradorAleatorio g(DerivarSemente(c.Semente, 1));
    const auto candidatas = EscolherCandidatas(PoolDosTemas(so, c), {}, c.NumPuzzles, AlvoCandidatas(c.NumPalavras),
                                               MaxPartilhadas(c.NumPalavras), true, g);
    for (std::size_t i = 0; i < ensaio[0].Palavras.size(); ++i) {
        EXPECT_EQ(ensaio[0].Palavras[i].Palavra, candidatas[i].Palavra);
    }
    for (const auto& w : a[0].Palavras) {
        EXPECT_TRUE(std::any_of(candidatas.begin(), candidatas.end(),
                                [&w](const TCandidata& x) { return x.Palavra == w.Palavra; }));
    }
}

// A escolha como era escrita antes: baralhar com Limite, ordenar de forma estável por usos e percorrer.
std::vector<TCandidata> EscolhaDeReferencia(const TPoolIndexado& pool, const TRegistoUsos& registo,
                                            std::int32_t numPuzzles, std::int32_t alvo, std::int32_t limite,
                                            TGeradorAleatorio& g) {
    std::vector<std::int32_t> ordem(pool.Itens.size());
    for (std::size_t i = ordem.size(); i-- > 1;) {
        ordem[i] = static_cast<std::int32_t>(i);
    }
    for (std::size_t i = ordem.size(); i-- > 1;) {
        std::swap(ordem[i], ordem[static_cast<std::size_t>(g.Limite(static_cast<std::int32_t>(i + 1)))]);
    }
    const auto usos = [&](std::int32_t i) {
        const auto u = registo.UsosPorPalavra.find(pool.Itens[static_cast<std::size_t>(i)].Palavra);
        return u == registo.UsosPorPalavra.end() ? 0 : u->second;
    };
    std::stable_sort(ordem.begin(), ordem.end(), [&](std::int32_t a, std::int32_t b) { return usos(a) < usos(b); });
    std::vector<std::int32_t> partilhadas(static_cast<std::size_t>(numPuzzles), 0);
    std::vector<TCandidata> r;
    for (const std::int32_t i : ordem) {
        const auto& item = pool.Itens[static_cast<std::size_t>(i)];
        if (!std::all_of(r.begin(), r.end(),
                         [&](const TCandidata& c) { return PalavrasCompativeis(item.Palavra, c.Palavra, true); })) {
            continue;
        }
        const auto onde = registo.PuzzlesPorPalavra.find(item.Palavra);
        const std::vector<std::int32_t> nenhum;
        const auto& puzzles = onde == registo.PuzzlesPorPalavra.end() ? nenhum : onde->second;
        if (std::any_of(puzzles.begin(), puzzles.end(),
                        [&](std::int32_t k) { return partilhadas[static_cast<std::size_t>(k)] >= limite; })) {
            continue;
        }
        r.push_back({std::u16string(item.Texto), std::u16string(item.Palavra)});
        for (const std::int32_t k : puzzles) {
            ++partilhadas[static_cast<std::size_t>(k)];
        }
        if (static_cast<std::int32_t>(r.size()) >= alvo) {
            break;
        }
    }
    return r;
}

TEST(EscolhaDeCandidatas, IgualAOrdenarOPoolInteiroPorUsos) {
    const TTema t = teste::Tema(u"T", u"G",
                                {u"MAR", u"MARTELO", u"AMOR", u"ROMA", u"SOL", u"LUA", u"CASA", u"GATO", u"PATO",
                                 u"RATO", u"BOLA", u"FACA", u"MESA", u"VELA", u"TREM", u"NUVEM", u"PEIXE", u"LIVRO"});
    const TTema* temas[] = {&t};
    const auto pool = PoolDosTemas(temas, Config(1, 10, TModoDirecoes::mdTodas, u"G"));
    // Sem usos, com usadas que bastam, e com tantas usadas e tão partilhadas que as mais usadas ficam de fora.
    TRegistoUsos poucos;
    RegistarPuzzle(poucos, 0, {{u"GATO", u"GATO"}, {u"SOL", u"SOL"}});
    TRegistoUsos muitos;
    for (std::int32_t k = 0; k < 4; ++k) {
        RegistarPuzzle(muitos, k, {{u"GATO", u"GATO"}, {u"PATO", u"PATO"}, {u"MESA", u"MESA"}, {u"VELA", u"VELA"}});
        RegistarPuzzle(muitos, k, {{u"CASA", u"CASA"}, {u"LIVRO", u"LIVRO"}});
    }
    RegistarPuzzle(muitos, 4, {{u"LUA", u"LUA"}, {u"GATO", u"GATO"}});
    const struct {
        const TRegistoUsos* Registo;
        std::int32_t Alvo;
        std::int32_t Limite;
    } casos[] = {{nullptr, 6, 2}, {&poucos, 14, 2}, {&muitos, 12, 1}, {&muitos, 30, 3}};
    for (const auto& c : casos) {
        const TRegistoUsos registo = c.Registo != nullptr ? *c.Registo : TRegistoUsos{};
        for (std::uint32_t semente = 0; semente < 40; ++semente) {
            TGeradorAleatorio a(semente);
            TGeradorAleatorio b(semente);
            EXPECT_EQ(EscolherCandidatas(pool, registo, 5, c.Alvo, c.Limite, true, a),
                      EscolhaDeReferencia(pool, registo, 5, c.Alvo, c.Limite, b))
                << c.Alvo << " " << semente;
            EXPECT_EQ(a.ProximoU32(), b.ProximoU32());
        }
    }
}

// A estimativa guarda o início do primeiro baralhar de cada puzzle nos pools, e a corrida começa por ele:
// estimar antes de gerar não pode mudar um único puzzle, num pool pequeno (guardado por inteiro) ou no
// dicionário (guardado só no início).
TEST(Corrida, EstimarAntesDeGerarNaoMudaOLivro) {
    auto temas = RefsDe(teste::CatalogoDeTeste());
    const TTema dicionario = CarregarDicionario(std::filesystem::path("/nao/existe"));
    temas.push_back(&dicionario);
    TConfigLivro doDicionario = Config(4, 15, TModoDirecoes::mdTodas, u"Dicionário", 77);
    doDicionario.NumPalavras = 20;
    for (const TConfigLivro& c : {Config(6, 12, TModoDirecoes::mdTodas, u"Natureza", 12345),
                                  Config(5, 10, TModoDirecoes::mdSimples, u"", 9), doDicionario}) {
        TRelatorioLivro sozinha;
        const auto esperado = GerarPuzzles(c, temas, {u"RATA"}, {}, sozinha);
        const TPoolsDoLivro pools(c, temas);
        EXPECT_EQ(EstimarPuzzles(pools), c.NumPuzzles) << ParaUtf8(c.Grupo);
        TRelatorioLivro depois;
        EXPECT_EQ(GerarPuzzles(pools, {u"RATA"}, {}, depois), esperado) << ParaUtf8(c.Grupo);
        EXPECT_EQ(depois.Falhas, sozinha.Falhas);
        // Uma segunda corrida sobre os mesmos pools também não muda nada.
        EXPECT_EQ(GerarPuzzles(pools, {u"RATA"}, {}, depois), esperado) << ParaUtf8(c.Grupo);
    }
}

// Propriedade de livros inteiros: a invariante de cada grelha, palavras das fontes do livro e o
// limite de palavras partilhadas com cada puzzle anterior.
TEST(Corrida, PropriedadeDeLivrosInteiros) {
    const auto& catalogo = teste::CatalogoDeTeste();
    const auto temas = RefsDe(catalogo);
    const std::vector<std::u16string> listaNegra{u"RATA", u"ROTA", u"MALA", u"SACA"};
    struct Opcoes {
        std::int32_t lado;
        TModoDirecoes modo;
        std::u16string grupo;
        bool acentos;
        std::int32_t puzzles;
    };
    for (const Opcoes& o : {Opcoes{10, TModoDirecoes::mdSimples, u"Natureza", false, 8},
                            Opcoes{12, TModoDirecoes::mdDiagonais, u"", true, 6},
                            Opcoes{15, TModoDirecoes::mdTodas, u"Dicionário", false, 5},
                            Opcoes{20, TModoDirecoes::mdTodas, u"Dia a Dia", true, 3}}) {
        for (const std::uint32_t semente : {1U, 99U}) {
            TConfigLivro c = Config(o.puzzles, o.lado, o.modo, o.grupo, semente);
            c.Acentos = o.acentos;
            TRelatorioLivro r;
            const auto puzzles = GerarPuzzles(c, temas, listaNegra, {}, r);
            EXPECT_EQ(r.Gerados, static_cast<std::int32_t>(puzzles.size()));
            EXPECT_EQ(r.Gerados + static_cast<std::int32_t>(r.Falhas.size()), o.puzzles);
            for (std::size_t i = 0; i < puzzles.size(); ++i) {
                const TPuzzle& p = puzzles[i];
                EXPECT_EQ(teste::ViolacaoDaGrelha(p, NumDirecoes(o.modo), listaNegra), "");
                // As palavras vêm do tema que o puzzle diz (ou de todos, no Mix).
                const TTema* fonte = nullptr;
                for (const auto& t : catalogo) {
                    fonte = t.Nome == p.Tema ? &t : fonte;
                }
                ASSERT_TRUE(o.grupo.empty() ? p.Tema == u"Mix" : fonte != nullptr);
                for (const auto& w : p.Palavras) {
                    const auto daFonte = [&](const TTema& t) {
                        return std::any_of(t.Palavras.begin(), t.Palavras.end(), [&](const TPalavraTema& x) {
                            return x.Texto == w.Texto && LetrasParaGrelha(x.Letras, o.acentos) == w.Palavra;
                        });
                    };
                    EXPECT_TRUE(fonte ? daFonte(*fonte) : std::any_of(catalogo.begin(), catalogo.end(), daFonte));
                }
                for (std::size_t k = 0; k < i; ++k) {
                    int comuns = 0;
                    for (const auto& w : p.Palavras) {
                        comuns += std::count_if(puzzles[k].Palavras.begin(), puzzles[k].Palavras.end(),
                                                [&w](const TPalavraColocada& x) { return x.Palavra == w.Palavra; });
                    }
                    EXPECT_LE(comuns, MaxPartilhadas(c.NumPalavras));
                }
            }
        }
    }
}

} // namespace
} // namespace zelta
