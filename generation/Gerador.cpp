// O construtor de grelhas e a construção de um puzzle a partir das candidatas.
#include "generation/Gerador.hpp"

#include <algorithm>

namespace zelta {

namespace {
constexpr std::int32_t MaxTentativasColocacao = 12;
constexpr std::int32_t MaxPassagensReparacao = 61;
constexpr std::int32_t MaxSorteiosDeTroca = 8;
} // namespace

std::int32_t EixoDaDirecao(std::int32_t dir) {
    const TDirecao d = Direcoes[static_cast<std::size_t>(dir)];
    if (d.DLinha == 0) {
        return 0;
    }
    if (d.DColuna == 0) {
        return 1;
    }
    return d.DLinha == d.DColuna ? 2 : 3;
}

TConstrutor::TConstrutor(std::int32_t lado, std::int32_t numDir, TGeradorAleatorio& rng)
    : FLado(lado), FNumDir(numDir), FRng(rng), FGrelha(static_cast<std::size_t>(lado * lado), u'\0'),
      FEixos(static_cast<std::size_t>(lado * lado), 0), FFixa(static_cast<std::size_t>(lado * lado), false) {}

std::int32_t TConstrutor::Zona(std::int32_t x) const { return std::min(x * 3 / FLado, 2); }

template <class Visitante>
void TConstrutor::PercorrerInicios(std::u16string_view palavra, std::int32_t dir, Visitante&& visitar) const {
    const auto n = static_cast<std::int32_t>(palavra.size());
    const TDirecao d = Direcoes[static_cast<std::size_t>(dir)];
    const auto mascara = static_cast<std::uint8_t>(1U << static_cast<unsigned>(EixoDaDirecao(dir)));
    // Só os inícios em que a palavra inteira cabe na grelha.
    const std::int32_t r0 = d.DLinha < 0 ? n - 1 : 0;
    const std::int32_t r1 = d.DLinha > 0 ? FLado - n : FLado - 1;
    const std::int32_t c0 = d.DColuna < 0 ? n - 1 : 0;
    const std::int32_t c1 = d.DColuna > 0 ? FLado - n : FLado - 1;
    const auto passo = static_cast<std::ptrdiff_t>(d.DLinha * FLado + d.DColuna);
    for (std::int32_t r = r0; r <= r1; ++r) {
        for (std::int32_t c = c0; c <= c1; ++c) {
            // Cada célula cheia tem de ter a mesma letra e pertencer só a palavras de outros eixos.
            std::int32_t cruzamentos = 0;
            auto p = static_cast<std::ptrdiff_t>(r * FLado + c);
            std::int32_t k = 0;
            for (; k < n; ++k, p += passo) {
                const char16_t letra = FGrelha[static_cast<std::size_t>(p)];
                if (letra == u'\0') {
                    continue;
                }
                if (letra != palavra[static_cast<std::size_t>(k)] ||
                    (FEixos[static_cast<std::size_t>(p)] & mascara) != 0) {
                    break;
                }
                ++cruzamentos;
            }
            if (k == n && !visitar(r, c, cruzamentos)) {
                return;
            }
        }
    }
}

bool TConstrutor::TemPosicao(std::u16string_view palavra, std::int32_t dir) const {
    bool tem = false;
    PercorrerInicios(palavra, dir, [&tem](std::int32_t, std::int32_t, std::int32_t) {
        tem = true;
        return false;
    });
    return tem;
}

void TConstrutor::JuntarPosicoes(std::u16string_view palavra, std::int32_t dir, std::vector<TPosicao>& lista) const {
    const TDirecao d = Direcoes[static_cast<std::size_t>(dir)];
    const auto meio = static_cast<std::int32_t>(palavra.size()) / 2;
    PercorrerInicios(palavra, dir, [&](std::int32_t r, std::int32_t c, std::int32_t cruzamentos) {
        // Pontua cruzar palavras (até duas) e castiga a letra do meio numa zona já cheia.
        const auto zl = static_cast<std::size_t>(Zona(r + meio * d.DLinha));
        const auto zc = static_cast<std::size_t>(Zona(c + meio * d.DColuna));
        lista.push_back({r, c, dir, std::min(cruzamentos, 2) * 3.0 - FZona[zl][zc] * 0.2});
        return true;
    });
}

void TConstrutor::ColocarTodas(const std::vector<TCandidata>& ordenadas, std::int32_t maximo) {
    for (const TCandidata& candidata : ordenadas) {
        if (static_cast<std::int32_t>(FColocadas.size()) >= maximo) {
            return;
        }
        const auto n = static_cast<std::int32_t>(candidata.Palavra.size());
        if (n < 2 || n > FLado) {
            continue;
        }
        // O sorteio da direção só precisa de saber que direções têm alguma posição; a lista com as
        // pontuações só se faz para a direção sorteada, que é a única de onde se escolhe.
        std::array<bool, 8> disponivel{};
        bool alguma = false;
        for (std::int32_t d = 0; d < FNumDir; ++d) {
            disponivel[static_cast<std::size_t>(d)] = TemPosicao(candidata.Palavra, d);
            alguma = alguma || disponivel[static_cast<std::size_t>(d)];
        }
        if (!alguma) {
            continue;
        }

        // Direções e eixos pouco usados pesam mais.
        std::array<double, 8> peso{};
        double total = 0.0;
        std::int32_t ultimaDisponivel = -1;
        for (std::int32_t d = 0; d < FNumDir; ++d) {
            const auto i = static_cast<std::size_t>(d);
            if (!disponivel[i]) {
                continue;
            }
            const std::int32_t usos = FUsoDir[i] + 1;
            peso[i] = (1.0 / (usos * usos)) / (FUsoEixo[static_cast<std::size_t>(EixoDaDirecao(d))] + 1);
            total += peso[i];
            ultimaDisponivel = d;
        }
        const double alvo = FRng.Real01() * total;
        std::int32_t escolhida = ultimaDisponivel;
        double soma = 0.0;
        for (std::int32_t d = 0; d < FNumDir; ++d) {
            const auto i = static_cast<std::size_t>(d);
            if (!disponivel[i]) {
                continue;
            }
            soma += peso[i];
            if (soma > alvo) {
                escolhida = d;
                break;
            }
        }

        // Uma das melhores posições da direção sorteada, com 2 pontos de folga.
        FPosicoes.clear();
        JuntarPosicoes(candidata.Palavra, escolhida, FPosicoes);
        double melhor = -1e30;
        for (const TPosicao& p : FPosicoes) {
            melhor = std::max(melhor, p.Pontos);
        }
        std::int32_t boas = 0;
        for (const TPosicao& p : FPosicoes) {
            boas += p.Pontos >= melhor - 2.0 ? 1 : 0;
        }
        std::int32_t sorteada = FRng.Limite(boas);
        for (const TPosicao& p : FPosicoes) {
            if (p.Pontos >= melhor - 2.0 && sorteada-- == 0) {
                Colocar(candidata, p);
                break;
            }
        }
    }
}

void TConstrutor::Colocar(const TCandidata& candidata, const TPosicao& posicao) {
    const std::int32_t eixo = EixoDaDirecao(posicao.Dir);
    const auto mascara = static_cast<std::uint8_t>(1U << static_cast<unsigned>(eixo));
    const TDirecao d = Direcoes[static_cast<std::size_t>(posicao.Dir)];
    for (std::size_t k = 0; k < candidata.Palavra.size(); ++k) {
        const std::int32_t r = posicao.Linha + static_cast<std::int32_t>(k) * d.DLinha;
        const std::int32_t c = posicao.Coluna + static_cast<std::int32_t>(k) * d.DColuna;
        const auto p = static_cast<std::size_t>(r * FLado + c);
        FGrelha[p] = candidata.Palavra[k];
        FEixos[p] |= mascara;
        FFixa[p] = true;
        ++FZona[static_cast<std::size_t>(Zona(r))][static_cast<std::size_t>(Zona(c))];
    }
    ++FUsoDir[static_cast<std::size_t>(posicao.Dir)];
    ++FUsoEixo[static_cast<std::size_t>(eixo)];
    FColocadas.push_back({candidata.Texto, candidata.Palavra, posicao.Linha, posicao.Coluna, posicao.Dir});
}

void TConstrutor::Preencher() {
    FLetras.clear();
    FPesos.clear();
    for (const TPalavraColocada& p : FColocadas) {
        for (const char16_t letra : p.Palavra) {
            const std::size_t i = FLetras.find(letra);
            if (i == std::u16string::npos) {
                FLetras.push_back(letra);
                FPesos.push_back(1);
            } else {
                ++FPesos[i];
            }
        }
    }
    FPesoTotal = 0;
    for (const std::int32_t peso : FPesos) {
        FPesoTotal += peso;
    }
    for (char16_t& celula : FGrelha) {
        if (celula == u'\0') {
            celula = SortearLetra();
        }
    }
}

char16_t TConstrutor::SortearLetra() {
    const std::int32_t r = FRng.Limite(FPesoTotal);
    std::int32_t soma = 0;
    for (std::size_t i = 0; i < FPesos.size(); ++i) {
        soma += FPesos[i];
        if (r < soma) {
            return FLetras[i];
        }
    }
    return FLetras.back(); // inalcançável: r < FPesoTotal
}

void TConstrutor::ProcurarProblemas(const std::vector<std::u16string>& listaNegra) {
    FProblemas.clear();
    FIndice.Construir(FGrelha, FLado);
    for (const TPalavraColocada& p : FColocadas) {
        FAchadas.clear();
        ProcurarOcorrencias(FIndice, FGrelha, FLado, p.Palavra, FNumDir, FAchadas);
        if (FAchadas.size() <= 1) {
            continue;
        }
        for (const TOcorrencia& o : FAchadas) {
            if (o.Linha != p.Linha || o.Coluna != p.Coluna || o.Direcao != p.Direcao) {
                FProblemas.push_back(o);
            }
        }
    }
    ProcurarListaNegra(FGrelha, FLado, listaNegra, FColocadas, FProblemas);
}

bool TConstrutor::Reparar(const std::vector<std::u16string>& listaNegra) {
    std::vector<std::size_t> livres;
    for (std::int32_t passagem = 0; passagem < MaxPassagensReparacao; ++passagem) {
        ProcurarProblemas(listaNegra);
        if (FProblemas.empty()) {
            return true;
        }
        for (const TOcorrencia& o : FProblemas) {
            livres.clear();
            for (std::int32_t k = 0; k < o.Comprimento; ++k) {
                const TCelula c = CelulaDaOcorrencia(o, k);
                const auto p = static_cast<std::size_t>(c.Linha * FLado + c.Coluna);
                if (!FFixa[p]) {
                    livres.push_back(p);
                }
            }
            // Um problema só feito de letras das palavras escondidas nunca se resolve.
            if (livres.empty()) {
                return false;
            }
            const std::size_t p =
                livres[static_cast<std::size_t>(FRng.Limite(static_cast<std::int32_t>(livres.size())))];
            char16_t nova = FGrelha[p];
            for (std::int32_t i = 0; i < MaxSorteiosDeTroca; ++i) {
                nova = SortearLetra();
                if (nova != FGrelha[p]) {
                    break;
                }
            }
            FGrelha[p] = nova;
        }
    }
    return false;
}

bool EquilibrioAceitavel(const std::vector<TPalavraColocada>& colocadas, std::int32_t numDirecoes) {
    const auto n = static_cast<std::int32_t>(colocadas.size());
    if (n == 0) {
        return false;
    }
    std::array<std::int32_t, 8> porDirecao{};
    std::array<std::int32_t, 4> porEixo{};
    for (const TPalavraColocada& p : colocadas) {
        ++porDirecao[static_cast<std::size_t>(p.Direcao)];
        ++porEixo[static_cast<std::size_t>(EixoDaDirecao(p.Direcao))];
    }
    if (numDirecoes <= 2) {
        const std::int32_t m = (3 * n) / 10;
        return porDirecao[0] >= m && porDirecao[1] >= m;
    }
    const std::int32_t metade = (n + 1) / 2;
    std::int32_t eixosUsados = 0;
    for (const std::int32_t e : porEixo) {
        if (e > metade) {
            return false;
        }
        eixosUsados += e > 0 ? 1 : 0;
    }
    if (eixosUsados < 3) {
        return false;
    }
    if (numDirecoes >= 8) {
        const std::int32_t m = n / 5;
        const std::int32_t frente = porDirecao[0] + porDirecao[1] + porDirecao[2] + porDirecao[3];
        if (frente < m || n - frente < m) {
            return false;
        }
    }
    return true;
}

bool ConstruirPuzzle(const TParamsGrelha& params, const std::vector<TCandidata>& candidatas,
                     const std::vector<std::u16string>& listaNegra, TGeradorAleatorio& gerador, TPuzzle& puzzle) {
    puzzle = TPuzzle{};
    // As mais compridas primeiro; as de igual comprimento mantêm a ordem dada.
    std::vector<TCandidata> ordenadas = candidatas;
    std::stable_sort(ordenadas.begin(), ordenadas.end(),
                     [](const TCandidata& a, const TCandidata& b) { return a.Palavra.size() > b.Palavra.size(); });
    const std::int32_t numDir = NumDirecoes(params.Modo);
    const std::int32_t minimo = MinimoPalavras(params.NumPalavras);
    for (std::int32_t tentativa = 0; tentativa < MaxTentativasColocacao; ++tentativa) {
        TConstrutor construtor(params.Lado, numDir, gerador);
        construtor.ColocarTodas(ordenadas, params.NumPalavras);
        const auto& colocadas = construtor.Colocadas();
        if (static_cast<std::int32_t>(colocadas.size()) < minimo || !EquilibrioAceitavel(colocadas, numDir)) {
            continue;
        }
        construtor.Preencher();
        if (!construtor.Reparar(listaNegra)) {
            return false;
        }
        puzzle.Lado = params.Lado;
        puzzle.Grelha = construtor.Grelha();
        puzzle.Palavras = construtor.Colocadas();
        return true;
    }
    return false;
}

} // namespace zelta
