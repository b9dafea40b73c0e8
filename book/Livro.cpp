// Os pools de palavras, a escolha das candidatas de cada puzzle, o plano de temas e a corrida do livro.
#include "book/Livro.hpp"

#include "core/ConjuntoDeFormas.hpp"
#include "core/Texto.hpp"
#include "generation/Gerador.hpp"
#include "generation/Verificador.hpp"
#include "themes/Catalogo.hpp"

#include <algorithm>
#include <numeric>
#include <utility>

namespace zelta {

namespace {

constexpr std::int32_t TentativasPorFonte = 50;
constexpr std::int32_t IntervaloDoProgresso = 5;
// Quantas posições do primeiro baralhar de cada puzzle o ensaio guarda para a corrida: a escolha raramente
// passa das primeiras centenas num pool grande.
constexpr std::size_t PosicoesGuardadas = 1024;

// Chama aceitar(palavra, letras) para cada palavra que entra no pool, pela ordem dos temas, até serem ate.
template <class Aceitar>
void PercorrerPool(std::span<const TTema* const> temas, const TConfigLivro& config, TTrabalhoDoPool& trabalho,
                   std::size_t ate, Aceitar&& aceitar) {
    std::size_t total = 0;
    std::size_t letras = 0;
    for (const TTema* tema : temas) {
        total += tema->Palavras.size();
        for (const TPalavraTema& p : tema->Palavras) {
            letras += p.Letras.size();
        }
    }
    std::u16string& dobradas = trabalho.Dobradas;
    std::vector<std::u16string_view>& formas = trabalho.Formas;
    dobradas.clear();
    dobradas.reserve(config.Acentos ? 0 : letras);
    formas.clear();
    formas.reserve(total);
    trabalho.Vistas.Reiniciar(std::min(total, ate));
    TConjuntoDeFormas& vistas = trabalho.Vistas;
    const std::size_t maisComprida = static_cast<std::size_t>(std::max(0, std::min(config.MaxLetras, config.Lado)));
    const auto maisCurta = static_cast<std::size_t>(std::max(0, config.MinLetras));
    const bool semPalindromos = config.Modo == TModoDirecoes::mdTodas;
    for (const TTema* tema : temas) {
        for (const TPalavraTema& p : tema->Palavras) {
            if (formas.size() >= ate) {
                return;
            }
            if (p.Letras.size() < maisCurta || p.Letras.size() > maisComprida) {
                continue;
            }
            std::u16string_view forma = p.Letras;
            // Só uma palavra com acentos precisa de ser copiada sem eles.
            if (!config.Acentos &&
                std::any_of(p.Letras.begin(), p.Letras.end(), [](char16_t c) { return LetraSemAcento(c) != c; })) {
                const std::size_t inicio = dobradas.size();
                for (const char16_t c : p.Letras) {
                    dobradas.push_back(LetraSemAcento(c));
                }
                forma = std::u16string_view(dobradas).substr(inicio);
            }
            // Um palíndromo ler-se-ia duas vezes com todas as direções.
            if (semPalindromos && EPalindromo(forma)) {
                continue;
            }
            const auto indice = static_cast<std::uint32_t>(formas.size());
            if (vistas.Inserir(forma, indice, [&formas](std::uint32_t i) { return formas[i]; })) {
                formas.push_back(forma);
                aceitar(p, forma);
            }
        }
    }
}

// A escolha sobre os usos já contados de cada item do pool. Percorre o baralhado saltando as usadas, que
// guarda à parte; só se as nunca usadas não chegam é que as usadas entram, das menos para as mais usadas
// e, em cada contagem, pela ordem do baralhado: a mesma ordem de uma ordenação estável por usos.
// Com guardado do mesmo gerador e da mesma fonte, começa pelo início já baralhado e só baralha o pool se
// esse início não chegar; com guardar, guarda o início do que baralhou.
void Escolher(const TPoolIndexado& pool, std::size_t fonte, std::span<const std::int32_t> usos,
              const TRegistoUsos& registo, std::int32_t numPuzzles, std::int32_t alvo, std::int32_t limite,
              bool todasAsDirecoes, TGeradorAleatorio& gerador, TTrabalhoDaEscolha& trabalho,
              std::vector<TCandidata>& escolhidas, const TBaralhadoGuardado* guardado, TBaralhadoGuardado* guardar) {
    // Verdadeiro quando já há candidatas que cheguem.
    const auto tentar = [&](std::int32_t i) {
        const TItemPool& item = pool.Itens[static_cast<std::size_t>(i)];
        const bool compativel = std::all_of(escolhidas.begin(), escolhidas.end(), [&](const TCandidata& c) {
            return PalavrasCompativeis(item.Palavra, c.Palavra, todasAsDirecoes);
        });
        if (!compativel) {
            return false;
        }
        const std::vector<std::int32_t>* puzzles = nullptr;
        if (usos[static_cast<std::size_t>(i)] > 0) {
            const auto onde = registo.PuzzlesPorPalavra.find(item.Palavra);
            if (onde != registo.PuzzlesPorPalavra.end()) {
                puzzles = &onde->second;
            }
        }
        const auto partilhas = [&](std::int32_t k) -> std::int32_t& {
            return trabalho.Partilhadas[static_cast<std::size_t>(k)];
        };
        // Nenhum puzzle anterior pode ficar com mais do que o limite de palavras em comum.
        if (puzzles != nullptr &&
            std::any_of(puzzles->begin(), puzzles->end(), [&](std::int32_t k) { return partilhas(k) >= limite; })) {
            return false;
        }
        escolhidas.push_back({std::u16string(item.Texto), std::u16string(item.Palavra)});
        if (puzzles != nullptr) {
            for (const std::int32_t k : *puzzles) {
                ++partilhas(k);
            }
        }
        return static_cast<std::int32_t>(escolhidas.size()) >= alvo;
    };
    // Falso quando a ordem é só o início do baralhado e não chegou para decidir.
    const auto percorrer = [&](std::span<const std::int32_t> ordem, bool completa) {
        escolhidas.clear();
        trabalho.Partilhadas.assign(static_cast<std::size_t>(std::max(0, numPuzzles)), 0);
        trabalho.Usadas.clear();
        for (const std::int32_t i : ordem) {
            if (usos[static_cast<std::size_t>(i)] > 0) {
                trabalho.Usadas.push_back(i);
            } else if (tentar(i)) {
                return true;
            }
        }
        if (!completa) {
            return false;
        }
        std::stable_sort(trabalho.Usadas.begin(), trabalho.Usadas.end(), [&usos](std::int32_t a, std::int32_t b) {
            return usos[static_cast<std::size_t>(a)] < usos[static_cast<std::size_t>(b)];
        });
        for (const std::int32_t i : trabalho.Usadas) {
            if (tentar(i)) {
                break;
            }
        }
        return true;
    };
    if (guardado != nullptr && guardado->Fonte == fonte && guardado->Antes == gerador &&
        percorrer(guardado->Inicio, guardado->Inicio.size() == pool.Itens.size())) {
        gerador = guardado->Depois;
        return;
    }
    const TGeradorAleatorio antes = gerador;
    std::vector<std::int32_t>& ordem = trabalho.Ordem;
    ordem.resize(pool.Itens.size());
    std::iota(ordem.begin(), ordem.end(), 0);
    gerador.Baralhar(ordem);
    if (guardar != nullptr) {
        const std::size_t n = std::min(ordem.size(), PosicoesGuardadas);
        *guardar =
            TBaralhadoGuardado{fonte, antes, gerador, {ordem.begin(), ordem.begin() + static_cast<std::ptrdiff_t>(n)}};
    }
    percorrer(ordem, true);
}

// O que a corrida inteira partilha entre puzzles e tentativas.
struct TCorrida {
    const TConfigLivro& Config;
    const std::vector<std::u16string>& ListaNegra;
    const TProgressoLivro& Progresso;
    bool SoPalavras;
    TParamsGrelha Params;
    std::int32_t Alvo;
    std::int32_t Minimo;
    std::int32_t Limite;
    bool TodasAsDirecoes;
    TRegistoUsos Registo;
    std::vector<std::vector<std::int32_t>> Usos; // por fonte, os usos de cada item do seu pool
    TTrabalhoDaEscolha Trabalho;
    std::vector<TCandidata> Candidatas;
    std::vector<std::optional<TBaralhadoGuardado>>& Baralhados;
};

struct TResultadoTentativa {
    bool Feito = false;
    bool FaltaramPalavras = true;
    bool Cancelar = false;
};

TResultadoTentativa TentarPuzzle(TCorrida& corrida, const TFonteDoLivro& fonte, std::size_t qual, std::int32_t indice,
                                 TGeradorAleatorio& gerador, TPuzzle& puzzle) {
    TResultadoTentativa r;
    const std::int32_t n = corrida.Config.NumPuzzles;
    for (std::int32_t tentativa = 1; tentativa <= TentativasPorFonte; ++tentativa) {
        if (tentativa % IntervaloDoProgresso == 0 && corrida.Progresso) {
            corrida.Progresso(indice, n, r.Cancelar);
            if (r.Cancelar) {
                return r;
            }
        }
        std::vector<TCandidata>& candidatas = corrida.Candidatas;
        // O ensaio guarda o primeiro baralhar de cada puzzle; a corrida começa por ele.
        auto& baralhado = corrida.Baralhados[static_cast<std::size_t>(indice)];
        const bool guardar = corrida.SoPalavras && !baralhado;
        if (guardar) {
            baralhado.emplace();
        }
        Escolher(fonte.Pool, qual, corrida.Usos[qual], corrida.Registo, n, corrida.Alvo, corrida.Limite,
                 corrida.TodasAsDirecoes, gerador, corrida.Trabalho, candidatas,
                 !corrida.SoPalavras && baralhado ? &*baralhado : nullptr, guardar ? &*baralhado : nullptr);
        if (static_cast<std::int32_t>(candidatas.size()) < corrida.Minimo) {
            continue;
        }
        r.FaltaramPalavras = false;
        if (corrida.SoPalavras) {
            puzzle = TPuzzle{};
            const auto quantas =
                std::min<std::size_t>(candidatas.size(), static_cast<std::size_t>(corrida.Params.NumPalavras));
            for (std::size_t i = 0; i < quantas; ++i) {
                puzzle.Palavras.push_back({std::move(candidatas[i].Texto), std::move(candidatas[i].Palavra), 0, 0, 0});
            }
            r.Feito = true;
            return r;
        }
        if (ConstruirPuzzle(corrida.Params, candidatas, corrida.ListaNegra, gerador, puzzle)) {
            r.Feito = true;
            return r;
        }
    }
    return r;
}

} // namespace

TPoolIndexado PoolDosTemas(std::span<const TTema* const> temas, const TConfigLivro& config, TTrabalhoDoPool& trabalho) {
    TPoolIndexado pool;
    std::size_t palavras = 0;
    std::size_t unidades = 0;
    for (const TTema* tema : temas) {
        palavras += tema->Palavras.size();
        unidades += tema->Palavras.unidades();
    }
    pool.Bloco.reserve(palavras, unidades);
    PercorrerPool(temas, config, trabalho, SIZE_MAX, [&pool](const TPalavraTema& p, std::u16string_view forma) {
        pool.Bloco.push_back({p.Texto, forma});
    });
    // Só com o bloco cheio, que já não muda de sítio, é que os itens apontam para ele.
    pool.Itens.reserve(pool.Bloco.size());
    for (const TPalavraTema& p : pool.Bloco) {
        pool.Itens.push_back({p.Texto, p.Letras});
    }
    // As formas do percurso são as palavras do pool, pela mesma ordem: o conjunto delas já é a tabela das
    // posições.
    pool.Palavras = std::exchange(trabalho.Vistas, {});
    return pool;
}

TPoolIndexado PoolDosTemas(std::span<const TTema* const> temas, const TConfigLivro& config) {
    TTrabalhoDoPool trabalho;
    return PoolDosTemas(temas, config, trabalho);
}

std::int32_t TamanhoDoPool(std::span<const TTema* const> temas, const TConfigLivro& config, TTrabalhoDoPool& trabalho,
                           std::int32_t ate) {
    std::int32_t n = 0;
    PercorrerPool(temas, config, trabalho, static_cast<std::size_t>(std::max(0, ate)),
                  [&n](const TPalavraTema&, std::u16string_view) { ++n; });
    return n;
}

std::int32_t TamanhoDoPool(std::span<const TTema* const> temas, const TConfigLivro& config) {
    TTrabalhoDoPool trabalho;
    return TamanhoDoPool(temas, config, trabalho);
}

std::int32_t TPoolIndexado::Posicao(std::u16string_view palavra) const {
    return Palavras.Procurar(palavra, [this](std::uint32_t i) { return Itens[i].Palavra; });
}

std::int32_t MaxPartilhadas(std::int32_t numPalavras) { return std::max(1, numPalavras / 4); }

std::vector<TCandidata> EscolherCandidatas(const TPoolIndexado& pool, const TRegistoUsos& registo,
                                           std::int32_t numPuzzles, std::int32_t alvo, std::int32_t limite,
                                           bool todasAsDirecoes, TGeradorAleatorio& gerador) {
    // Só as palavras já colocadas têm usos, e são poucas.
    std::vector<std::int32_t> usos(pool.Itens.size(), 0);
    for (const auto& [palavra, n] : registo.UsosPorPalavra) {
        if (const std::int32_t i = pool.Posicao(palavra); i >= 0) {
            usos[static_cast<std::size_t>(i)] = n;
        }
    }
    TTrabalhoDaEscolha trabalho;
    std::vector<TCandidata> escolhidas;
    Escolher(pool, 0, usos, registo, numPuzzles, alvo, limite, todasAsDirecoes, gerador, trabalho, escolhidas, nullptr,
             nullptr);
    return escolhidas;
}

void RegistarPuzzle(TRegistoUsos& registo, std::int32_t indice, const std::vector<TPalavraColocada>& palavras) {
    for (const TPalavraColocada& w : palavras) {
        ++registo.UsosPorPalavra[w.Palavra];
        registo.PuzzlesPorPalavra[w.Palavra].push_back(indice);
    }
}

std::vector<std::int32_t> PlanoDeTemas(const std::vector<std::int32_t>& pesos, std::int32_t numPuzzles,
                                       TGeradorAleatorio& gerador) {
    const auto t = static_cast<std::int32_t>(pesos.size());
    if (t == 0) {
        throw EZelta(u"PlanoDeTemas: sem temas");
    }
    if (numPuzzles < t) {
        throw EZelta(u"PlanoDeTemas: menos puzzles do que temas");
    }
    // Quotas pelo método dos maiores restos, com um puzzle garantido por tema.
    const std::int32_t w = std::accumulate(pesos.begin(), pesos.end(), 0);
    const std::int32_t e = numPuzzles - t;
    std::vector<std::int32_t> quota(pesos.size());
    std::vector<std::int32_t> resto(pesos.size());
    std::int32_t distribuidos = 0;
    for (std::size_t s = 0; s < pesos.size(); ++s) {
        quota[s] = w > 0 ? e * pesos[s] / w + 1 : e / t + 1;
        resto[s] = w > 0 ? e * pesos[s] % w : 0;
        distribuidos += quota[s];
    }
    for (std::int32_t falta = numPuzzles - distribuidos; falta > 0; --falta) {
        std::size_t maior = 0;
        for (std::size_t s = 1; s < pesos.size(); ++s) {
            if (resto[s] > resto[maior]) {
                maior = s;
            }
        }
        ++quota[maior];
        resto[maior] = -1;
    }

    // Vai primeiro o tema com mais puzzles por dar, nunca o mesmo duas vezes seguidas se houver outro.
    std::vector<std::int32_t> plano;
    plano.reserve(static_cast<std::size_t>(numPuzzles));
    std::int32_t anterior = -1;
    std::vector<std::int32_t> empatados;
    for (std::int32_t j = 0; j < numPuzzles; ++j) {
        std::int32_t m = 0;
        for (std::int32_t s = 0; s < t; ++s) {
            if (s != anterior) {
                m = std::max(m, quota[static_cast<std::size_t>(s)]);
            }
        }
        std::int32_t escolhida = anterior;
        if (m > 0) {
            empatados.clear();
            for (std::int32_t s = 0; s < t; ++s) {
                if (s != anterior && quota[static_cast<std::size_t>(s)] == m) {
                    empatados.push_back(s);
                }
            }
            escolhida =
                empatados[static_cast<std::size_t>(gerador.Limite(static_cast<std::int32_t>(empatados.size())))];
        }
        --quota[static_cast<std::size_t>(escolhida)];
        plano.push_back(escolhida);
        anterior = escolhida;
    }
    return plano;
}

std::vector<std::int32_t> OrdemDeRecurso(std::int32_t planeada, const std::vector<std::int32_t>& pesos) {
    std::vector<std::int32_t> ordem{planeada};
    for (std::int32_t s = 0; s < static_cast<std::int32_t>(pesos.size()); ++s) {
        if (s == planeada) {
            continue;
        }
        // Atrás da última entrada cujo peso não é menor; a planeada fica sempre à frente.
        auto onde = ordem.end();
        while (onde - 1 != ordem.begin() &&
               pesos[static_cast<std::size_t>(*(onde - 1))] < pesos[static_cast<std::size_t>(s)]) {
            --onde;
        }
        ordem.insert(onde, s);
    }
    return ordem;
}

void ValidarConfig(const TConfigLivro& config) {
    if (!TamanhoValido(config.Lado)) {
        throw EZelta(u"Tamanho da grelha inválido.");
    }
    if (config.NumPuzzles < 1 || config.NumPuzzles > 100) {
        throw EZelta(u"Número de puzzles inválido.");
    }
    if (config.MinLetras < 2 || config.MaxLetras < config.MinLetras) {
        throw EZelta(u"Intervalo de letras inválido.");
    }
    if (config.NumPalavras < 1) {
        throw EZelta(u"Número de palavras inválido.");
    }
}

TPoolsDoLivro::TPoolsDoLivro(const TConfigLivro& config, std::span<const TTema* const> temas, TTrabalhoDoPool& trabalho)
    : FConfig(config) {
    ValidarConfig(config);
    if (config.Mix) {
        const TRefsTemas todos = TemasSemDicionario(temas);
        FFontes.push_back({u"Mix", PoolDosTemas(todos, config, trabalho), 0});
    } else {
        const TRefsTemas doGrupo = TemasDoGrupo(temas, config.Grupo);
        if (doGrupo.empty()) {
            throw EZelta(u"Não há temas no grupo «" + config.Grupo + u"».");
        }
        for (const TTema* tema : doGrupo) {
            const TTema* so[] = {tema};
            FFontes.push_back({tema->Nome, PoolDosTemas(so, config, trabalho), 0});
        }
    }
    for (TFonteDoLivro& f : FFontes) {
        f.Peso = static_cast<std::int32_t>(f.Pool.Itens.size());
    }
}

// Sem trabalho dado, um só para esta construção.
TPoolsDoLivro::TPoolsDoLivro(const TConfigLivro& config, std::span<const TTema* const> temas)
    : TPoolsDoLivro(config, temas, *std::make_unique<TTrabalhoDoPool>()) {}

namespace {

// O núcleo comum à corrida e ao ensaio; só o ensaio tem soPalavras.
std::vector<TPuzzle> CorrerLivro(const TPoolsDoLivro& pools, const std::vector<std::u16string>& listaNegra,
                                 const TProgressoLivro& progresso, bool soPalavras, TRelatorioLivro& relatorio) {
    const TConfigLivro& config = pools.Config();
    const std::vector<TFonteDoLivro>& fontes = pools.Fontes();
    const std::int32_t n = config.NumPuzzles;
    relatorio = TRelatorioLivro{n, 0, false, {}};

    std::vector<std::optional<TBaralhadoGuardado>>& baralhados = pools.Baralhados();
    if (soPalavras) {
        baralhados.assign(static_cast<std::size_t>(std::max(0, n)), std::nullopt);
    } else {
        baralhados.resize(static_cast<std::size_t>(std::max(0, n)));
    }
    TCorrida corrida{config,
                     listaNegra,
                     progresso,
                     soPalavras,
                     {config.Lado, config.Modo, config.NumPalavras},
                     AlvoCandidatas(config.NumPalavras),
                     MinimoPalavras(config.NumPalavras),
                     MaxPartilhadas(config.NumPalavras),
                     config.Modo == TModoDirecoes::mdTodas,
                     {},
                     {},
                     {},
                     {},
                     baralhados};
    for (const TFonteDoLivro& f : fontes) {
        corrida.Usos.emplace_back(f.Pool.Itens.size(), 0);
    }
    TGeradorAleatorio geradorDoPlano(DerivarSemente(config.Semente, 0));
    std::vector<std::int32_t> pesos;
    for (const TFonteDoLivro& f : fontes) {
        pesos.push_back(f.Peso);
    }
    const std::vector<std::int32_t> plano =
        config.Mix ? std::vector<std::int32_t>(static_cast<std::size_t>(n), 0) : PlanoDeTemas(pesos, n, geradorDoPlano);

    std::vector<TPuzzle> feitos;
    for (std::int32_t i = 0; i < n; ++i) {
        bool cancelar = false;
        if (progresso) {
            progresso(i, n, cancelar);
            if (cancelar) {
                relatorio.Cancelado = true;
                break;
            }
        }
        const std::int32_t planeada = plano[static_cast<std::size_t>(i)];
        TGeradorAleatorio gerador(DerivarSemente(config.Semente, static_cast<std::uint32_t>(i) + 1));
        bool faltaramPalavras = true;
        const TFonteDoLivro* origem = nullptr;
        TPuzzle puzzle;
        for (const std::int32_t s : OrdemDeRecurso(planeada, pesos)) {
            const auto qual = static_cast<std::size_t>(s);
            const TResultadoTentativa r = TentarPuzzle(corrida, fontes[qual], qual, i, gerador, puzzle);
            faltaramPalavras = faltaramPalavras && r.FaltaramPalavras;
            if (r.Cancelar) {
                cancelar = true;
                break;
            }
            if (r.Feito) {
                origem = &fontes[qual];
                break;
            }
        }
        if (cancelar) {
            relatorio.Cancelado = true;
            break;
        }
        if (origem != nullptr) {
            puzzle.Tema = origem->Nome;
            RegistarPuzzle(corrida.Registo, i, puzzle.Palavras);
            // Os usos de cada pool acompanham o registo: a escolha seguinte não volta a procurá-los.
            for (const TPalavraColocada& w : puzzle.Palavras) {
                for (std::size_t f = 0; f < fontes.size(); ++f) {
                    if (const std::int32_t k = fontes[f].Pool.Posicao(w.Palavra); k >= 0) {
                        ++corrida.Usos[f][static_cast<std::size_t>(k)];
                    }
                }
            }
            feitos.push_back(std::move(puzzle));
            continue;
        }
        const std::u16string motivo =
            faltaramPalavras ? u"não há palavras suficientes sem repetir demasiadas palavras de outros puzzles"
                             : u"não foi possível colocar as palavras";
        relatorio.Falhas.push_back(u"Puzzle " + Decimal(i + 1) + u" (" +
                                   fontes[static_cast<std::size_t>(planeada)].Nome + u"): " + motivo);
    }
    if (!relatorio.Cancelado && progresso) {
        bool ignorado = false;
        progresso(n, n, ignorado);
    }
    relatorio.Gerados = static_cast<std::int32_t>(feitos.size());
    return feitos;
}

} // namespace

std::vector<TPuzzle> GerarPuzzles(const TPoolsDoLivro& pools, const std::vector<std::u16string>& listaNegra,
                                  const TProgressoLivro& progresso, TRelatorioLivro& relatorio) {
    return CorrerLivro(pools, listaNegra, progresso, false, relatorio);
}

std::vector<TPuzzle> EnsaiarPuzzles(const TPoolsDoLivro& pools, TRelatorioLivro& relatorio) {
    return CorrerLivro(pools, {}, {}, true, relatorio);
}

std::int32_t EstimarPuzzles(const TPoolsDoLivro& pools) {
    TRelatorioLivro relatorio;
    EnsaiarPuzzles(pools, relatorio);
    return relatorio.Gerados;
}

std::vector<TPuzzle> GerarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas,
                                  const std::vector<std::u16string>& listaNegra, const TProgressoLivro& progresso,
                                  TRelatorioLivro& relatorio) {
    // Um grupo sem temas só se descobre ao fazer os pools: o relatório já diz quantos se pediam.
    ValidarConfig(config);
    relatorio = TRelatorioLivro{config.NumPuzzles, 0, false, {}};
    return GerarPuzzles(TPoolsDoLivro(config, temas), listaNegra, progresso, relatorio);
}

std::int32_t EstimarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas) {
    return EstimarPuzzles(TPoolsDoLivro(config, temas));
}

} // namespace zelta
