// Conta leituras célula a célula com uma tabela de direções própria, sem código do verificador.
#include "VerificacaoBruta.hpp"

#include <map>

namespace zelta::teste {

namespace {

const int Passos[8][2] = {{0, 1}, {1, 0}, {1, 1}, {-1, 1}, {0, -1}, {-1, 0}, {-1, -1}, {1, -1}};

char16_t Dobrar(char16_t c) {
    static const std::map<char16_t, char16_t> mapa{{u'À', u'A'}, {u'Á', u'A'}, {u'Â', u'A'}, {u'Ã', u'A'}, {u'Ç', u'C'},
                                                   {u'È', u'E'}, {u'É', u'E'}, {u'Ê', u'E'}, {u'Í', u'I'}, {u'Ó', u'O'},
                                                   {u'Ô', u'O'}, {u'Õ', u'O'}, {u'Ú', u'U'}, {u'Ü', u'U'}};
    const auto i = mapa.find(c);
    return i == mapa.end() ? c : i->second;
}

using Celulas = std::set<std::pair<int, int>>;

// Todas as leituras de w na grelha g (com a dobra dada), como conjuntos de células com a direção.
std::vector<std::pair<int, Celulas>> Leituras(const TPuzzle& p, const std::u16string& w, int numDirecoes, bool dobrar) {
    std::vector<std::pair<int, Celulas>> r;
    const int L = p.Lado;
    const int n = static_cast<int>(w.size());
    for (int d = 0; d < numDirecoes; ++d) {
        for (int l = 0; l < L; ++l) {
            for (int c = 0; c < L; ++c) {
                Celulas cel;
                bool ok = true;
                for (int k = 0; k < n && ok; ++k) {
                    const int ll = l + k * Passos[d][0];
                    const int cc = c + k * Passos[d][1];
                    if (ll < 0 || ll >= L || cc < 0 || cc >= L) {
                        ok = false;
                        break;
                    }
                    char16_t g = p.Grelha[static_cast<std::size_t>(ll * L + cc)];
                    if (dobrar) {
                        g = Dobrar(g);
                    }
                    ok = g == w[static_cast<std::size_t>(k)];
                    cel.insert({ll, cc});
                }
                if (ok) {
                    r.push_back({d, cel});
                }
            }
        }
    }
    return r;
}

Celulas CelulasDe(const TPalavraColocada& w) {
    Celulas cel;
    for (int k = 0; k < static_cast<int>(w.Palavra.size()); ++k) {
        cel.insert({w.Linha + k * Passos[w.Direcao][0], w.Coluna + k * Passos[w.Direcao][1]});
    }
    return cel;
}

std::string Em(const std::u16string& s) { return std::string(s.begin(), s.end()); }

} // namespace

std::string ViolacaoDaGrelha(const TPuzzle& puzzle, int numDirecoes, const std::vector<std::u16string>& listaNegra,
                             bool enchimentoDasPalavras) {
    const int L = puzzle.Lado;
    if (static_cast<int>(puzzle.Grelha.size()) != L * L) {
        return "tamanho da grelha";
    }
    std::u16string letrasDasPalavras;
    for (const auto& w : puzzle.Palavras) {
        letrasDasPalavras += w.Palavra;
        if (w.Direcao < 0 || w.Direcao >= numDirecoes) {
            return "direção fora do modo";
        }
        const Celulas cel = CelulasDe(w);
        for (const auto& [l, c] : cel) {
            if (l < 0 || l >= L || c < 0 || c >= L) {
                return "palavra fora da grelha";
            }
        }
        const auto leituras = Leituras(puzzle, w.Palavra, numDirecoes, false);
        if (leituras.size() != 1) {
            return "palavra lida " + std::to_string(leituras.size()) + " vezes";
        }
        if (leituras[0].first != w.Direcao || leituras[0].second != cel) {
            return "palavra lida noutro sítio";
        }
    }
    for (const char16_t c : puzzle.Grelha) {
        if (c == u'\0') {
            return "célula vazia";
        }
        if (enchimentoDasPalavras && letrasDasPalavras.find(c) == std::u16string::npos) {
            return "letra de enchimento que não vem das palavras";
        }
    }
    for (const auto& negra : listaNegra) {
        for (const auto& [d, cel] : Leituras(puzzle, negra, 8, true)) {
            bool dentro = false;
            for (const auto& w : puzzle.Palavras) {
                const Celulas cw = CelulasDe(w);
                bool todas = true;
                for (const auto& x : cel) {
                    todas = todas && cw.count(x) > 0;
                }
                dentro = dentro || todas;
            }
            if (!dentro) {
                return "palavra da lista negra " + Em(negra) + " na direção " + std::to_string(d);
            }
        }
    }
    return {};
}

} // namespace zelta::teste
