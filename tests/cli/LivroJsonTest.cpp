// O livro em JSON lido de volta: livros verdadeiros voltam iguais, as edições à mão permitidas são honradas, e
// cada falta de um JSON estragado (sempre a partir de um livro verdadeiro) dá a sua frase.
#include "cli/LivroJson.hpp"

#include "book/Livro.hpp"
#include "book/Opcoes.hpp"
#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"
#include "themes/Catalogo.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zelta {
namespace {

using TJson = nlohmann::ordered_json;

const TCatalogo& Catalogo() {
    static const TCatalogo catalogo = [] {
        const teste::TPastaTemporaria vazia;
        return CarregarCatalogo(vazia.Caminho());
    }();
    return catalogo;
}

const std::vector<std::u16string>& ListaNegra() { return Catalogo().ListaNegra; }

TConfigLivro Config(std::int32_t lado, TModoDirecoes modo, bool acentos, std::u16string_view entrada,
                    std::int32_t puzzles, std::uint32_t semente) {
    TConfigLivro c = ConfigPorOmissao();
    c.Lado = lado;
    c.Modo = modo;
    c.Acentos = acentos;
    DefinirEntrada(c, entrada);
    c.NumPuzzles = puzzles;
    c.NumPalavras = std::min(c.NumPalavras, MaxPalavrasDoLado(lado));
    c.MaxLetras = std::min(c.MaxLetras, lado);
    c.Titulo = u"Férias de Verão";
    c.Semente = semente;
    return c;
}

TDadosLivro Livro(const TConfigLivro& config, TOpcoesImpressao impressao = {}) {
    TRelatorioLivro relatorio;
    const auto temas = TemasComDicionario(Catalogo());
    TDadosLivro livro{config, GerarPuzzles(config, temas, ListaNegra(), {}, relatorio), impressao};
    EXPECT_TRUE(relatorio.Falhas.empty());
    return livro;
}

std::u16string Entrada(const TConfigLivro& c) { return c.Mix ? std::u16string(EntradaMix) : c.Grupo; }

std::string Json(const TDadosLivro& livro) { return cli::LivroEmJson(livro, Entrada(livro.Config), {}); }

std::u16string FraseDe(std::string_view bytes) {
    try {
        cli::LerLivroJson(bytes, ListaNegra());
    } catch (const EZelta& e) {
        return e.Mensagem();
    }
    return u"(aceite)";
}

TEST(LivroJson, LivrosVerdadeirosVoltamIguais) {
    const std::vector<std::pair<TConfigLivro, TOpcoesImpressao>> casos{
        {Config(10, TModoDirecoes::mdTodas, false, u"Natureza", 4, 1), {}},
        {Config(12, TModoDirecoes::mdDiagonais, true, EntradaMix, 3, 2), {TFormatoPagina::fpA5, true, false}},
        {Config(15, TModoDirecoes::mdSimples, true, NomeDoDicionario, 2, 3), {TFormatoPagina::fp6x9, false, true}},
        {Config(20, TModoDirecoes::mdTodas, true, u"Verbos", 2, 4294967295U), {TFormatoPagina::fp8x10, true, true}},
        {Config(15, TModoDirecoes::mdTodas, false, u"Mundo", 3, 0), {TFormatoPagina::fpCarta, false, false}},
    };
    for (const auto& [config, impressao] : casos) {
        const TDadosLivro livro = Livro(config, impressao);
        const cli::TLivroLido lido = cli::LerLivroJson(Json(livro), ListaNegra());
        EXPECT_EQ(lido, (cli::TLivroLido{livro, Entrada(config)})) << ParaUtf8(Entrada(config));
        // E escrito de novo dá os mesmos bytes.
        EXPECT_EQ(cli::LivroEmJson(lido.Livro, lido.Entrada, {}), Json(livro));
    }
}

TEST(LivroJson, AVersaoVemPrimeiroEAsOpcoesDeImpressaoDepoisDosAcentos) {
    const TDadosLivro livro =
        Livro(Config(10, TModoDirecoes::mdSimples, false, u"Verbos", 1, 5), {TFormatoPagina::fp6x9, true, false});
    const TJson j = TJson::parse(Json(livro));
    EXPECT_EQ(j.begin().key(), "versao");
    EXPECT_EQ(j["versao"], 1);
    std::vector<std::string> chaves;
    for (const auto& [chave, valor] : j["opcoes"].items()) {
        chaves.push_back(chave);
    }
    EXPECT_EQ(chaves,
              (std::vector<std::string>{"livro", "tamanho", "direcoes", "minLetras", "maxLetras", "palavras", "puzzles",
                                        "titulo", "acentos", "formato", "encadernar", "letraGrande"}));
    EXPECT_EQ(j["opcoes"]["formato"], "6x9");
    EXPECT_EQ(j["opcoes"]["encadernar"], true);
    EXPECT_EQ(j["opcoes"]["letraGrande"], false);
}

// Dois livros de base: A em todas as direções sem acentos, B em direções simples com acentos.
struct TBase {
    TDadosLivro Livro;
    TJson Json;
};

const TBase& BaseA() {
    static const TBase b = [] {
        TDadosLivro l = Livro(Config(10, TModoDirecoes::mdTodas, false, u"Natureza", 3, 7));
        return TBase{l, TJson::parse(Json(l))};
    }();
    return b;
}

const TBase& BaseB() {
    static const TBase b = [] {
        TDadosLivro l = Livro(Config(10, TModoDirecoes::mdSimples, true, EntradaMix, 2, 8));
        return TBase{l, TJson::parse(Json(l))};
    }();
    return b;
}

TEST(LivroJson, EdicoesAMaoPermitidasSaoHonradas) {
    TJson j = BaseA().Json;
    auto& ps = j["puzzles"];
    // Tirado o segundo puzzle, os outros dois trocados; título e tema mudados; números que não batem certo.
    ps.erase(1);
    std::swap(ps[0], ps[1]);
    ps[0]["numero"] = "sete";
    ps[1].erase("numero");
    // Editados num Mac: as letras acentuadas decompostas voltam a ser uma só.
    ps[1]["tema"] = "Bichos & Companhia (Vera\u0303o)";
    j["opcoes"]["titulo"] = "  Sopa de Vera\u0303o ";
    j["opcoes"]["puzzles"] = 99;
    j.erase("falhas");
    // Nem os parênteses dentro de um texto (mesmo depois de aspas escapadas) contam como listas encaixadas.
    j["nota"] = "campos a mais não contam, nem \"" + std::string(40, '[') + "\" dentro de um texto";

    cli::TLivroLido esperado{BaseA().Livro, u"Natureza"};
    auto& p = esperado.Livro.Puzzles;
    p = {p[2], p[0]};
    p[1].Tema = u"Bichos & Companhia (Verão)";
    esperado.Livro.Config.Titulo = u"Sopa de Verão";
    esperado.Livro.Config.NumPuzzles = 2;
    EXPECT_EQ(cli::LerLivroJson(j.dump(), ListaNegra()), esperado);
}

// O JSON de uma grelha, linha a linha, editável por célula.
std::u16string Celula(const TJson& puzzle, std::int32_t l, std::int32_t c) {
    return DeUtf8(puzzle["grelha"][static_cast<std::size_t>(l)].get<std::string>())
        .substr(static_cast<std::size_t>(c), 1);
}

void PorCelula(TJson& puzzle, std::int32_t l, std::int32_t c, std::u16string_view letra) {
    auto& linha = puzzle["grelha"][static_cast<std::size_t>(l)];
    std::u16string t = DeUtf8(linha.get<std::string>());
    t.replace(static_cast<std::size_t>(c), 1, letra);
    linha = ParaUtf8(t);
}

struct TLugar {
    std::size_t Puzzle;
    std::int32_t Linha, Coluna, Direcao;
};

// O primeiro lugar onde as letras se podem escrever sem mudar nenhuma palavra escondida: cada célula está fora
// delas ou já tem a mesma letra, e pelo menos uma está fora (senão as letras já lá estavam).
std::optional<TLugar> Livre(const TJson& livro, std::u16string_view letras) {
    const auto n = static_cast<std::int32_t>(letras.size());
    for (std::size_t i = 0; i < livro["puzzles"].size(); ++i) {
        const TJson& p = livro["puzzles"][i];
        const std::int32_t lado = p["lado"];
        std::set<std::pair<std::int32_t, std::int32_t>> ocupadas;
        for (const auto& w : p["palavras"]) {
            const TDirecao d = Direcoes[w["direcao"].get<std::size_t>()];
            const auto comprimento = static_cast<std::int32_t>(DeUtf8(w["letras"].get<std::string>()).size());
            for (std::int32_t k = 0; k < comprimento; ++k) {
                ocupadas.insert(
                    {w["linha"].get<std::int32_t>() + k * d.DLinha, w["coluna"].get<std::int32_t>() + k * d.DColuna});
            }
        }
        for (std::int32_t dir = 0; dir < 8; ++dir) {
            const TDirecao d = Direcoes[static_cast<std::size_t>(dir)];
            for (std::int32_t l = 0; l < lado; ++l) {
                for (std::int32_t c = 0; c < lado; ++c) {
                    bool serve = true;
                    bool algumaLivre = false;
                    for (std::int32_t k = 0; k < n && serve; ++k) {
                        const std::int32_t ll = l + k * d.DLinha;
                        const std::int32_t cc = c + k * d.DColuna;
                        if (ll < 0 || ll >= lado || cc < 0 || cc >= lado) {
                            serve = false;
                        } else if (!ocupadas.count({ll, cc})) {
                            algumaLivre = true;
                        } else {
                            serve = Celula(p, ll, cc) == letras.substr(static_cast<std::size_t>(k), 1);
                        }
                    }
                    if (serve && algumaLivre) {
                        return TLugar{i, l, c, dir};
                    }
                }
            }
        }
    }
    return std::nullopt;
}

void Escrever(TJson& livro, const TLugar& lugar, std::u16string_view letras) {
    const TDirecao d = Direcoes[static_cast<std::size_t>(lugar.Direcao)];
    for (std::size_t k = 0; k < letras.size(); ++k) {
        const auto passo = static_cast<std::int32_t>(k);
        PorCelula(livro["puzzles"][lugar.Puzzle], lugar.Linha + passo * d.DLinha, lugar.Coluna + passo * d.DColuna,
                  letras.substr(k, 1));
    }
}

std::u16string Texto(const TJson& j) { return DeUtf8(j.get<std::string>()); }

// Cada caso estraga uma cópia do livro de base e devolve a frase que a leitura tem de dar.
struct TEstrago {
    const char* Nome;
    const TBase& (*Base)();
    std::function<std::u16string(TJson&)> Estragar;
};

TEST(LivroJson, CadaFaltaTemASuaFrase) {
    const std::vector<TEstrago> casos{
        // A versão e a forma do livro.
        {"versão desconhecida", BaseA,
         [](TJson& j) {
             j["versao"] = 2;
             return u"O livro é da versão 2 do formato, que este programa não conhece; só lê a versão 1.";
         }},
        {"sem versão", BaseA,
         [](TJson& j) {
             j.erase("versao");
             return u"Falta o campo «versao».";
         }},
        {"versão em texto", BaseA,
         [](TJson& j) {
             j["versao"] = "1";
             return u"O campo «versao» devia ser um número inteiro.";
         }},
        {"não é um objeto", BaseA,
         [](TJson& j) {
             j = TJson::array({j});
             return u"O livro devia ser um objeto JSON.";
         }},
        {"opções numa lista", BaseA,
         [](TJson& j) {
             j["opcoes"] = TJson::array();
             return u"O campo «opcoes» devia ser um objeto.";
         }},
        {"sem formato", BaseA,
         [](TJson& j) {
             j["opcoes"].erase("formato");
             return u"Falta o campo «opcoes.formato».";
         }},
        {"formato desconhecido", BaseA,
         [](TJson& j) {
             j["opcoes"]["formato"] = "a3";
             return u"O campo «opcoes.formato» devia ser «a4», «a5», «carta», «8x10» ou «6x9».";
         }},
        {"direções em número", BaseA,
         [](TJson& j) {
             j["opcoes"]["direcoes"] = 2;
             return u"O campo «opcoes.direcoes» devia ser «simples», «diagonais» ou «todas».";
         }},
        {"encadernar em texto", BaseA,
         [](TJson& j) {
             j["opcoes"]["encadernar"] = "sim";
             return u"O campo «opcoes.encadernar» devia ser true ou false.";
         }},
        {"semente negativa", BaseA,
         [](TJson& j) {
             j["semente"] = -1;
             return u"O campo «semente» devia ser um número inteiro de 0 a 4294967295.";
         }},
        {"puzzles num objeto", BaseA,
         [](TJson& j) {
             j["puzzles"] = TJson::object();
             return u"O campo «puzzles» devia ser uma lista.";
         }},
        {"puzzle que não é objeto", BaseA,
         [](TJson& j) {
             j["puzzles"][1] = 7;
             return u"O puzzle 2 devia ser um objeto.";
         }},
        {"palavra sem direção", BaseA,
         [](TJson& j) {
             j["puzzles"][1]["palavras"][2].erase("direcao");
             return u"No puzzle 2, falta o campo «direcao» da palavra 3.";
         }},
        {"lado com vírgula", BaseA,
         [](TJson& j) {
             j["puzzles"][0]["lado"] = 10.0;
             return u"No puzzle 1, o campo «lado» devia ser um número inteiro.";
         }},
        {"linha enorme", BaseA,
         [](TJson& j) {
             j["puzzles"][0]["palavras"][0]["linha"] = 3000000000U;
             return u"No puzzle 1, o campo «linha» da palavra 1 devia ser um número inteiro de -2147483648 a "
                    u"2147483647.";
         }},
        {"palavra que não é objeto", BaseA,
         [](TJson& j) {
             j["puzzles"][0]["palavras"][0] = "GATO";
             return u"No puzzle 1, a palavra 1 devia ser um objeto.";
         }},
        {"linha da grelha em número", BaseA,
         [](TJson& j) {
             j["puzzles"][1]["grelha"][3] = 5;
             return u"No puzzle 2, a linha 4 da grelha devia ser texto.";
         }},
        // O livro inteiro.
        {"nenhum puzzle", BaseA,
         [](TJson& j) {
             j["puzzles"] = TJson::array();
             return u"O livro não tem nenhum puzzle.";
         }},
        {"101 puzzles", BaseA,
         [](TJson& j) {
             auto& ps = j["puzzles"];
             const TJson primeiro = ps[0];
             while (ps.size() < 101) {
                 ps.push_back(primeiro);
             }
             return u"O livro tem 101 puzzles; o máximo são 100.";
         }},
        {"título comprido", BaseA,
         [](TJson& j) {
             j["opcoes"]["titulo"] = " " + std::string(40, 'a') + "ç ";
             return u"O título tem 41 caracteres; o máximo são 40.";
         }},
        {"título com controlo", BaseA,
         [](TJson& j) {
             j["opcoes"]["titulo"] = "Férias\a";
             return u"O título tem um carácter de controlo (U+0007).";
         }},
        {"nome do livro com controlo", BaseA,
         [](TJson& j) {
             j["opcoes"]["livro"] = "Natu\nreza";
             return u"O nome do livro tem um carácter de controlo (U+000A).";
         }},
        {"tema com controlo", BaseA,
         [](TJson& j) {
             j["puzzles"][1]["tema"] = "Aves\x1b[2J";
             return u"No puzzle 2, o nome do tema tem um carácter de controlo (U+001B).";
         }},
        {"livro de 13", BaseA,
         [](TJson& j) {
             j["opcoes"]["tamanho"] = 13;
             return u"O livro é de 13 × 13, que não é um dos tamanhos possíveis (10, 12, 15 ou 20).";
         }},
        // A grelha.
        {"puzzle de 13", BaseA,
         [](TJson& j) {
             j["puzzles"][0]["lado"] = 13;
             return u"No puzzle 1, a grelha é de 13 × 13, que não é um dos tamanhos possíveis (10, 12, 15 ou 20).";
         }},
        {"puzzle de um livro de outro lado", BaseA,
         [](TJson& j) {
             const TDadosLivro outro = Livro(Config(12, TModoDirecoes::mdTodas, false, u"Natureza", 3, 9));
             j["puzzles"][1] = TJson::parse(Json(outro))["puzzles"][0];
             return u"No puzzle 2, a grelha é de 12 × 12 e o livro é de 10 × 10.";
         }},
        {"linha a menos", BaseA,
         [](TJson& j) {
             j["puzzles"][1]["grelha"].erase(9);
             return u"No puzzle 2, a grelha tem 9 linhas em vez de 10.";
         }},
        {"letra a menos", BaseA,
         [](TJson& j) {
             auto& linha = j["puzzles"][1]["grelha"][3];
             linha = linha.get<std::string>().substr(1);
             return u"No puzzle 2, a linha 4 da grelha tem 9 letras em vez de 10.";
         }},
        {"acento num livro sem acentos", BaseA,
         [](TJson& j) {
             PorCelula(j["puzzles"][0], 0, 0, u"Ã");
             return u"No puzzle 1, a grelha tem «Ã» na linha 1, coluna 1, que não é uma letra das grelhas sem acentos.";
         }},
        {"letra de fora do alfabeto", BaseB,
         [](TJson& j) {
             PorCelula(j["puzzles"][0], 2, 5, u"ñ");
             return u"No puzzle 1, a grelha tem «ñ» na linha 3, coluna 6, que não é uma letra das grelhas.";
         }},
        {"controlo na grelha", BaseB,
         [](TJson& j) {
             PorCelula(j["puzzles"][1], 9, 9, u"\x01");
             return u"No puzzle 2, a grelha tem U+0001 na linha 10, coluna 10, que não é uma letra das grelhas.";
         }},
        // As palavras.
        {"sem palavras", BaseA,
         [](TJson& j) {
             j["puzzles"][0]["palavras"] = TJson::array();
             return u"No puzzle 1, não há palavras para encontrar.";
         }},
        {"palavras a mais", BaseA,
         [](TJson& j) {
             auto& ws = j["puzzles"][0]["palavras"];
             const TJson primeira = ws[0];
             while (ws.size() < 11) {
                 ws.push_back(primeira);
             }
             return u"No puzzle 1, há 11 palavras e uma grelha de 10 × 10 leva no máximo 10.";
         }},
        {"palavra repetida", BaseA,
         [](TJson& j) {
             auto& ws = j["puzzles"][0]["palavras"];
             ws[1] = ws[0];
             return u"No puzzle 1, a palavra «" + Texto(ws[0]["texto"]) + u"» está repetida na lista.";
         }},
        {"palavra com algarismos", BaseA,
         [](TJson& j) {
             j["puzzles"][0]["palavras"][0]["texto"] = "G4TO";
             return u"No puzzle 1, a palavra «G4TO» não é válida (tem algarismos).";
         }},
        {"palavra em minúsculas", BaseA,
         [](TJson& j) {
             auto& texto = j["puzzles"][0]["palavras"][0]["texto"];
             const std::u16string antes = Texto(texto);
             std::string minusculas = texto;
             for (char& c : minusculas) {
                 c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
             }
             texto = minusculas;
             return u"No puzzle 1, a palavra «" + DeUtf8(minusculas) + u"» devia estar escrita «" + antes + u"».";
         }},
        {"letras de outra palavra", BaseA,
         [](TJson& j) {
             auto& w = j["puzzles"][0]["palavras"][0];
             w["letras"] = "ZZZZ";
             return u"No puzzle 1, as letras «ZZZZ» não são as da palavra «" + Texto(w["texto"]) + u"».";
         }},
        {"letras com acentos num livro sem acentos", BaseA,
         [](TJson& j) {
             auto& w = j["puzzles"][0]["palavras"][0];
             const std::u16string com = u"Ç" + Texto(w["texto"]);
             w["texto"] = w["letras"] = ParaUtf8(com);
             return u"No puzzle 1, a palavra «" + com + u"» tem as letras «" + com +
                    u"», com acentos, num livro sem acentos.";
         }},
        {"palavra dentro de outra", BaseA,
         [](TJson& j) {
             // O princípio de uma palavra comprida, escrito como mais uma palavra no lugar da última.
             auto& ws = j["puzzles"][1]["palavras"];
             TJson comprida = ws[0];
             for (std::size_t k = 0; k + 1 < ws.size(); ++k) {
                 if (Texto(ws[k]["letras"]).size() > Texto(comprida["letras"]).size()) {
                     comprida = ws[k];
                 }
             }
             TJson curta = comprida;
             curta["letras"] = curta["texto"] = ParaUtf8(Texto(comprida["letras"]).substr(0, 4));
             ws.back() = curta;
             return u"No puzzle 2, a palavra «" + Texto(curta["texto"]) + u"» lê-se dentro da palavra «" +
                    Texto(comprida["texto"]) + u"».";
         }},
        {"direção que não existe", BaseA,
         [](TJson& j) {
             auto& w = j["puzzles"][0]["palavras"][0];
             w["direcao"] = 9;
             return u"No puzzle 1, a palavra «" + Texto(w["texto"]) +
                    u"» tem a direção 9, mas as direções deste livro vão de 0 a 7.";
         }},
        {"diagonal num livro de direções simples", BaseB,
         [](TJson& j) {
             auto& w = j["puzzles"][1]["palavras"][0];
             w["direcao"] = 2;
             return u"No puzzle 2, a palavra «" + Texto(w["texto"]) +
                    u"» tem a direção 2, mas as direções deste livro vão de 0 a 1.";
         }},
        {"letra trocada numa palavra", BaseA,
         [](TJson& j) {
             auto& p = j["puzzles"][2];
             const auto& w = p["palavras"][0];
             const std::int32_t l = w["linha"];
             const std::int32_t c = w["coluna"];
             PorCelula(p, l, c, Celula(p, l, c) == u"K" ? u"W" : u"K");
             return u"No puzzle 3, a palavra «" + Texto(w["texto"]) +
                    u"» não se lê na grelha na posição e na direção que o livro diz.";
         }},
        {"palavra fora da grelha", BaseA,
         [](TJson& j) {
             auto& w = j["puzzles"][0]["palavras"][0];
             w["linha"] = 2147483647;
             return u"No puzzle 1, a palavra «" + Texto(w["texto"]) +
                    u"» não se lê na grelha na posição e na direção que o livro diz.";
         }},
        {"palavra que se lê duas vezes", BaseA,
         [](TJson& j) {
             // A primeira palavra que cabe em células livres do seu puzzle é lá escrita outra vez.
             for (std::size_t i = 0; i < j["puzzles"].size(); ++i) {
                 TJson so = j;
                 so["puzzles"] = TJson::array({j["puzzles"][i]});
                 for (const auto& w : j["puzzles"][i]["palavras"]) {
                     const std::u16string letras = Texto(w["letras"]);
                     const std::u16string texto = Texto(w["texto"]);
                     if (const auto lugar = Livre(so, letras)) {
                         Escrever(so, *lugar, letras);
                         j["puzzles"][i] = so["puzzles"][0];
                         return u"No puzzle " + Decimal(static_cast<long long>(i + 1)) + u", a palavra «" + texto +
                                u"» lê-se 2 vezes na grelha.";
                     }
                 }
             }
             return std::u16string(u"(nenhuma palavra cabe em células livres)");
         }},
        {"lista negra às avessas e com acento", BaseB,
         [](TJson& j) {
             const auto lugar = Livre(j, u"ANÓC");
             if (!lugar) {
                 return std::u16string(u"(sem quatro células livres seguidas)");
             }
             // Lida no sentido contrário ao da escrita: fora das duas direções deste livro.
             Escrever(j, *lugar, u"ANÓC");
             const TDirecao d = Direcoes[static_cast<std::size_t>(lugar->Direcao)];
             return u"No puzzle " + Decimal(static_cast<long long>(lugar->Puzzle + 1)) +
                    u", a palavra «CONA» da lista negra lê-se na grelha a partir da linha " +
                    Decimal(lugar->Linha + 3 * d.DLinha + 1) + u", coluna " +
                    Decimal(lugar->Coluna + 3 * d.DColuna + 1) + u", fora das palavras escondidas.";
         }},
    };
    ASSERT_EQ(FraseDe(BaseA().Json.dump()), u"(aceite)");
    ASSERT_EQ(FraseDe(BaseB().Json.dump()), u"(aceite)");
    for (const TEstrago& caso : casos) {
        TJson j = caso.Base().Json;
        const std::u16string esperada = caso.Estragar(j);
        EXPECT_EQ(ParaUtf8(FraseDe(j.dump(2))), ParaUtf8(esperada)) << caso.Nome;
    }
}

TEST(LivroJson, OQueNaoEJsonDizALinhaEAColuna) {
    const std::vector<std::pair<std::string, std::u16string>> casos{
        {"", u"O livro não é JSON válido (linha 1, coluna 1)."},
        {"{\n  \"versao\": 1,\n  \"opcoes\": {\"titulo\": \"Ção\", x}\n}",
         u"O livro não é JSON válido (linha 3, coluna 31)."},
        {"{\"versao\": 1,\r\n\"opcoes\":", u"O livro não é JSON válido (linha 2, coluna 10)."},
        {"{\"titulo\": \"\xff\"}", u"O livro não é JSON válido (linha 1, coluna 13)."},
        {"{\"versao\": 1e999}", u"O livro tem um número grande de mais (linha 1, coluna 16)."},
        {std::string(40, '[') + std::string(40, ']'),
         u"O livro não é JSON de um livro: tem mais de 32 listas e objetos uns dentro dos outros."},
    };
    for (const auto& [texto, frase] : casos) {
        EXPECT_EQ(ParaUtf8(FraseDe(texto)), ParaUtf8(frase)) << texto;
    }
}

TEST(LivroJson, MaisDe16MiBRecusaSeAntesDeLer) {
    const std::size_t teto = 16U * 1024 * 1024;
    // No limite ainda se lê (e não é JSON); um byte a mais já não.
    EXPECT_EQ(FraseDe(std::string(teto, '\0')), u"O livro não é JSON válido (linha 1, coluna 1).");
    EXPECT_EQ(FraseDe(std::string(teto + 1, ' ')), u"O livro tem mais de 16 MiB; nenhum livro é tão grande.");

    const teste::TPastaTemporaria pasta;
    const auto livro = pasta.Escrever("livro.json", BaseB().Json.dump(2));
    EXPECT_EQ(cli::LerLivroJsonDeFicheiro(livro, ListaNegra()).Livro, BaseB().Livro);
    // Um ficheiro esparso de 4 GiB: recusado pelo tamanho, sem ser lido.
    const auto enorme = pasta.Escrever("enorme.json", "");
    std::filesystem::resize_file(enorme, 4ULL << 30);
    const auto frase = [](const std::filesystem::path& p) {
        try {
            cli::LerFicheiroLivroJson(p);
        } catch (const EZelta& e) {
            return ParaUtf8(e.Mensagem());
        }
        return std::string("(lido)");
    };
    EXPECT_EQ(frase(enorme), "Não foi possível ler o ficheiro «" + enorme.string() +
                                 "»: tem mais de 16 MiB, mais do que qualquer livro.");
    std::filesystem::resize_file(enorme, teto + 1);
    EXPECT_EQ(frase(enorme), "Não foi possível ler o ficheiro «" + enorme.string() +
                                 "»: tem mais de 16 MiB, mais do que qualquer livro.");
    std::filesystem::resize_file(enorme, teto);
    EXPECT_EQ(cli::LerFicheiroLivroJson(enorme).size(), teto);
    const auto falta = pasta.Caminho() / "nao-existe.json";
    EXPECT_EQ(frase(falta),
              "Não foi possível ler o ficheiro «" + falta.string() + "»: o ficheiro ou a pasta não existe.");
}

} // namespace
} // namespace zelta
