// Os pools de palavras, a escolha das candidatas de cada puzzle, o plano de temas e a corrida do livro.
#include "book/Livro.hpp"

#include "core/ConjuntoDeFormas.hpp"
#include "core/Texto.hpp"
#include "generation/Gerador.hpp"
#include "generation/Verificador.hpp"
#include "themes/Catalogo.hpp"

#include <algorithm>
#include <numeric>

namespace zelta {

namespace {

constexpr std::int32_t TentativasPorFonte = 50;
constexpr std::int32_t IntervaloDoProgresso = 5;

// Memória de trabalho da contagem dos pools, guardada de uma chamada para a seguinte: a análise corre a
// cada mudança de opção, e pedir de novo ao sistema a memória do dicionário inteiro custava quase tanto
// como a própria contagem.
struct TTrabalhoDoPool {
    std::u16string Dobradas; // as formas sem acentos; a reserva impede que as vistas se invalidem
    std::vector<std::u16string_view> Formas;
    TConjuntoDeFormas Vistas;
};

TTrabalhoDoPool& TrabalhoDoPool() {
    thread_local TTrabalhoDoPool trabalho;
    return trabalho;
}

// Chama aceitar(palavra, letras) para cada palavra que entra no pool, pela ordem dos temas.
template <class Aceitar>
void PercorrerPool(std::span<const TTema* const> temas, const TConfigLivro& config, Aceitar&& aceitar) {
    std::size_t total = 0;
    std::size_t letras = 0;
    for (const TTema* tema : temas) {
        total += tema->Palavras.size();
        for (const TPalavraTema& p : tema->Palavras) {
            letras += p.Letras.size();
        }
    }
    TTrabalhoDoPool& trabalho = TrabalhoDoPool();
    std::u16string& dobradas = trabalho.Dobradas;
    std::vector<std::u16string_view>& formas = trabalho.Formas;
    dobradas.clear();
    dobradas.reserve(config.Acentos ? 0 : letras);
    formas.clear();
    formas.reserve(total);
    trabalho.Vistas.Reiniciar(total);
    TConjuntoDeFormas& vistas = trabalho.Vistas;
    const std::size_t maisComprida = static_cast<std::size_t>(std::max(0, std::min(config.MaxLetras, config.Lado)));
    const auto maisCurta = static_cast<std::size_t>(std::max(0, config.MinLetras));
    const bool semPalindromos = config.Modo == TModoDirecoes::mdTodas;
    for (const TTema* tema : temas) {
        for (const TPalavraTema& p : tema->Palavras) {
            if (p.Letras.size() < maisCurta || p.Letras.size() > maisComprida) {
                continue;
            }
            std::u16string_view forma = p.Letras;
            if (!config.Acentos) {
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

struct TFonte {
    std::u16string Nome;
    TPoolIndexado Pool;
    std::int32_t Peso = 0;
};

std::vector<TFonte> FontesDoLivro(const TConfigLivro& config, std::span<const TTema* const> temas) {
    std::vector<TFonte> fontes;
    if (config.Mix) {
        const TRefsTemas todos = TemasSemDicionario(temas);
        fontes.push_back({u"Mix", IndexarPool(PoolDosTemas(todos, config)), 0});
    } else {
        const TRefsTemas doGrupo = TemasDoGrupo(temas, config.Grupo);
        if (doGrupo.empty()) {
            throw EZelta(u"Não há temas no grupo «" + config.Grupo + u"».");
        }
        for (const TTema* tema : doGrupo) {
            const TTema* so[] = {tema};
            fontes.push_back({tema->Nome, IndexarPool(PoolDosTemas(so, config)), 0});
        }
    }
    for (TFonte& f : fontes) {
        f.Peso = static_cast<std::int32_t>(f.Pool.Itens.size());
    }
    return fontes;
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
};

struct TResultadoTentativa {
    bool Feito = false;
    bool FaltaramPalavras = true;
    bool Cancelar = false;
};

TResultadoTentativa TentarPuzzle(TCorrida& corrida, const TFonte& fonte, std::int32_t indice,
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
        std::vector<TCandidata> candidatas = EscolherCandidatas(fonte.Pool, corrida.Registo, n, corrida.Alvo,
                                                                corrida.Limite, corrida.TodasAsDirecoes, gerador);
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

std::vector<TItemPool> PoolDosTemas(std::span<const TTema* const> temas, const TConfigLivro& config) {
    std::vector<TItemPool> pool;
    PercorrerPool(temas, config, [&pool](const TPalavraTema& p, std::u16string_view letras) {
        pool.push_back({p.Texto, std::u16string(letras)});
    });
    return pool;
}

std::int32_t TamanhoDoPool(std::span<const TTema* const> temas, const TConfigLivro& config) {
    std::int32_t n = 0;
    PercorrerPool(temas, config, [&n](const TPalavraTema&, std::u16string_view) { ++n; });
    return n;
}

TPoolIndexado IndexarPool(std::vector<TItemPool> itens) {
    TPoolIndexado pool{std::move(itens), {}};
    pool.Posicao.reserve(pool.Itens.size());
    for (std::size_t i = 0; i < pool.Itens.size(); ++i) {
        pool.Posicao.emplace(pool.Itens[i].Palavra, static_cast<std::int32_t>(i));
    }
    return pool;
}

std::int32_t MaxPartilhadas(std::int32_t numPalavras) { return std::max(1, numPalavras / 4); }

std::vector<TCandidata> EscolherCandidatas(const TPoolIndexado& pool, const TRegistoUsos& registo,
                                           std::int32_t numPuzzles, std::int32_t alvo, std::int32_t limite,
                                           bool todasAsDirecoes, TGeradorAleatorio& gerador) {
    const std::size_t p = pool.Itens.size();
    std::vector<std::int32_t> ordem(p);
    std::iota(ordem.begin(), ordem.end(), 0);
    gerador.Baralhar(ordem);

    // Usos de cada item: só as palavras já colocadas têm usos, e são poucas.
    std::vector<std::int32_t> usos(p, 0);
    std::int32_t maisUsos = 0;
    for (const auto& [palavra, n] : registo.UsosPorPalavra) {
        const auto i = pool.Posicao.find(palavra);
        if (i != pool.Posicao.end()) {
            usos[static_cast<std::size_t>(i->second)] = n;
            maisUsos = std::max(maisUsos, n);
        }
    }
    // Ordenação estável por contagem: as menos usadas primeiro, o baralhado mantém-se dentro de cada contagem.
    std::vector<std::int32_t> inicio(static_cast<std::size_t>(maisUsos) + 2, 0);
    for (const std::int32_t i : ordem) {
        ++inicio[static_cast<std::size_t>(usos[static_cast<std::size_t>(i)]) + 1];
    }
    std::partial_sum(inicio.begin(), inicio.end(), inicio.begin());
    std::vector<std::int32_t> porUsos(p);
    for (const std::int32_t i : ordem) {
        porUsos[static_cast<std::size_t>(inicio[static_cast<std::size_t>(usos[static_cast<std::size_t>(i)])]++)] = i;
    }

    std::vector<std::int32_t> partilhadas(static_cast<std::size_t>(std::max(0, numPuzzles)), 0);
    std::vector<TCandidata> escolhidas;
    const auto partilhas = [&partilhadas](std::int32_t k) -> std::int32_t& {
        return partilhadas[static_cast<std::size_t>(k)];
    };
    for (const std::int32_t i : porUsos) {
        const TItemPool& item = pool.Itens[static_cast<std::size_t>(i)];
        const bool compativel = std::all_of(escolhidas.begin(), escolhidas.end(), [&](const TCandidata& c) {
            return PalavrasCompativeis(item.Palavra, c.Palavra, todasAsDirecoes);
        });
        if (!compativel) {
            continue;
        }
        const std::vector<std::int32_t>* puzzles = nullptr;
        if (usos[static_cast<std::size_t>(i)] > 0) {
            const auto onde = registo.PuzzlesPorPalavra.find(item.Palavra);
            if (onde != registo.PuzzlesPorPalavra.end()) {
                puzzles = &onde->second;
            }
        }
        // Nenhum puzzle anterior pode ficar com mais do que o limite de palavras em comum.
        if (puzzles != nullptr &&
            std::any_of(puzzles->begin(), puzzles->end(), [&](std::int32_t k) { return partilhas(k) >= limite; })) {
            continue;
        }
        escolhidas.push_back({item.Texto, item.Palavra});
        if (puzzles != nullptr) {
            for (const std::int32_t k : *puzzles) {
                ++partilhas(k);
            }
        }
        if (static_cast<std::int32_t>(escolhidas.size()) >= alvo) {
            break;
        }
    }
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

std::vector<TPuzzle> GerarPuzzlesLivro(const TConfigLivro& config, std::span<const TTema* const> temas,
                                       const std::vector<std::u16string>& listaNegra, const TProgressoLivro& progresso,
                                       bool soPalavras, TRelatorioLivro& relatorio) {
    ValidarConfig(config);
    const std::int32_t n = config.NumPuzzles;
    relatorio = TRelatorioLivro{n, 0, false, {}};

    TCorrida corrida{config,
                     listaNegra,
                     progresso,
                     soPalavras,
                     {config.Lado, config.Modo, config.NumPalavras},
                     AlvoCandidatas(config.NumPalavras),
                     MinimoPalavras(config.NumPalavras),
                     MaxPartilhadas(config.NumPalavras),
                     config.Modo == TModoDirecoes::mdTodas,
                     {}};
    TGeradorAleatorio geradorDoPlano(DerivarSemente(config.Semente, 0));
    const std::vector<TFonte> fontes = FontesDoLivro(config, temas);
    std::vector<std::int32_t> pesos;
    for (const TFonte& f : fontes) {
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
        const TFonte* origem = nullptr;
        TPuzzle puzzle;
        for (const std::int32_t s : OrdemDeRecurso(planeada, pesos)) {
            const TFonte& fonte = fontes[static_cast<std::size_t>(s)];
            const TResultadoTentativa r = TentarPuzzle(corrida, fonte, i, gerador, puzzle);
            faltaramPalavras = faltaramPalavras && r.FaltaramPalavras;
            if (r.Cancelar) {
                cancelar = true;
                break;
            }
            if (r.Feito) {
                origem = &fonte;
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

std::vector<TPuzzle> GerarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas,
                                  const std::vector<std::u16string>& listaNegra, const TProgressoLivro& progresso,
                                  TRelatorioLivro& relatorio) {
    return GerarPuzzlesLivro(config, temas, listaNegra, progresso, false, relatorio);
}

std::int32_t EstimarPuzzles(const TConfigLivro& config, std::span<const TTema* const> temas) {
    TRelatorioLivro relatorio;
    GerarPuzzlesLivro(config, temas, {}, {}, true, relatorio);
    return relatorio.Gerados;
}

} // namespace zelta
