// Procuras exatas, unidade de código a unidade de código; só a lista negra dobra os acentos da grelha.
#include "generation/Verificador.hpp"

#include "core/Texto.hpp"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>

namespace zelta {

namespace {

// a lido ao contrário ocorre dentro de b?
bool InvertidaDentro(std::u16string_view a, std::u16string_view b) {
    if (a.empty() || a.size() > b.size()) {
        return false;
    }
    const std::size_t n = a.size();
    for (std::size_t inicio = 0; inicio + n <= b.size(); ++inicio) {
        std::size_t k = 0;
        while (k < n && b[inicio + k] == a[n - 1 - k]) {
            ++k;
        }
        if (k == n) {
            return true;
        }
    }
    return false;
}

bool Dentro(std::u16string_view a, std::u16string_view b) {
    return !a.empty() && b.find(a) != std::u16string_view::npos;
}

bool CelulaDaPalavra(const TPalavraColocada& p, TCelula c) {
    const TDirecao d = Direcoes[static_cast<std::size_t>(p.Direcao)];
    const auto n = static_cast<std::int32_t>(p.Palavra.size());
    // A célula está na reta da palavra quando é p + j × passo para algum j em [0, n).
    for (std::int32_t j = 0; j < n; ++j) {
        if (p.Linha + j * d.DLinha == c.Linha && p.Coluna + j * d.DColuna == c.Coluna) {
            return true;
        }
    }
    return false;
}

} // namespace

std::u16string InverterTexto(std::u16string_view s) { return {s.rbegin(), s.rend()}; }

bool EPalindromo(std::u16string_view s) {
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n / 2; ++i) {
        if (s[i] != s[n - 1 - i]) {
            return false;
        }
    }
    return true;
}

bool PalavrasCompativeis(std::u16string_view a, std::u16string_view b, bool comInversoes) {
    if (a == b || Dentro(a, b) || Dentro(b, a)) {
        return false;
    }
    if (!comInversoes) {
        return true;
    }
    return !InvertidaDentro(a, b) && !InvertidaDentro(b, a);
}

TCelula CelulaDaOcorrencia(const TOcorrencia& o, std::int32_t k) {
    const TDirecao d = Direcoes[static_cast<std::size_t>(o.Direcao)];
    return {o.Linha + k * d.DLinha, o.Coluna + k * d.DColuna};
}

void TIndiceDeLetras::Construir(std::u16string_view grelha, std::int32_t lado) {
    // Ordenação por contagem: cada balde fica na ordem da grelha, isto é, linha e depois coluna.
    FInicio.fill(0);
    for (const char16_t c : grelha) {
        ++FInicio[Balde(c) + 1];
    }
    for (std::size_t i = 1; i <= NumBaldes; ++i) {
        FInicio[i] += FInicio[i - 1];
    }
    FPosicoes.resize(grelha.size());
    std::array<std::int32_t, NumBaldes> proxima{};
    std::copy(FInicio.begin(), FInicio.end() - 1, proxima.begin());
    std::int32_t linha = 0;
    std::int32_t coluna = 0;
    for (std::size_t p = 0; p < grelha.size(); ++p) {
        FPosicoes[static_cast<std::size_t>(proxima[Balde(grelha[p])]++)] = {
            static_cast<std::int32_t>(p), static_cast<std::int16_t>(linha), static_cast<std::int16_t>(coluna)};
        if (++coluna == lado) {
            coluna = 0;
            ++linha;
        }
    }
}

std::span<const TIndiceDeLetras::TCelulaIndexada> TIndiceDeLetras::Posicoes(char16_t letra) const {
    const std::size_t b = Balde(letra);
    const auto inicio = static_cast<std::size_t>(FInicio[b]);
    const auto fim = static_cast<std::size_t>(FInicio[b + 1]);
    return std::span<const TCelulaIndexada>(FPosicoes).subspan(inicio, fim - inicio);
}

namespace {

// As ocorrências da palavra (não vazia) só na direção d, por linha e depois coluna.
void ProcurarNaDirecao(std::span<const TIndiceDeLetras::TCelulaIndexada> inicios, std::u16string_view grelha,
                       std::int32_t lado, std::u16string_view palavra, std::int32_t d,
                       std::vector<TOcorrencia>& lista) {
    const auto n = static_cast<std::int32_t>(palavra.size());
    const TDirecao dir = Direcoes[static_cast<std::size_t>(d)];
    const std::int32_t passo = dir.DLinha * lado + dir.DColuna;
    for (const auto& [inicio, r, c] : inicios) {
        // Só os inícios em que a palavra inteira cabe na grelha.
        const std::int32_t rFim = r + (n - 1) * dir.DLinha;
        const std::int32_t cFim = c + (n - 1) * dir.DColuna;
        if (rFim < 0 || rFim >= lado || cFim < 0 || cFim >= lado) {
            continue;
        }
        std::int32_t p = inicio;
        std::int32_t k = 0;
        for (; k < n; ++k, p += passo) {
            if (grelha[static_cast<std::size_t>(p)] != palavra[static_cast<std::size_t>(k)]) {
                break;
            }
        }
        if (k == n) {
            lista.push_back({r, c, d, n});
        }
    }
}

// Os começos de três letras de A a Z que a grelha tem em cada direção. Uma palavra cujo começo não está lá não
// se lê nessa direção, e quase nenhuma palavra da lista negra começa como três letras seguidas da grelha: a
// procura salta direções inteiras em vez de experimentar cada início.
class TComecosDaGrelha {
public:
    TComecosDaGrelha(std::u16string_view grelha, std::int32_t lado) {
        for (std::int32_t r = 0; r < lado; ++r) {
            for (std::int32_t c = 0; c < lado; ++c) {
                for (std::size_t d = 0; d < Direcoes.size(); ++d) {
                    const TDirecao dir = Direcoes[d];
                    const std::int32_t rFim = r + 2 * dir.DLinha;
                    const std::int32_t cFim = c + 2 * dir.DColuna;
                    if (rFim < 0 || rFim >= lado || cFim < 0 || cFim >= lado) {
                        continue;
                    }
                    const auto letra = [&](std::int32_t k) {
                        return grelha[static_cast<std::size_t>((r + k * dir.DLinha) * lado + c + k * dir.DColuna)];
                    };
                    if (const auto t = Trio(letra(0), letra(1), letra(2))) {
                        FTrios[d].set(*t);
                    }
                }
            }
        }
    }

    // Falso só quando a palavra de certeza não começa na grelha na direção d.
    bool PodeComecar(std::u16string_view palavra, std::size_t d) const {
        if (palavra.size() < 3) {
            return true;
        }
        const auto t = Trio(palavra[0], palavra[1], palavra[2]);
        return !t || FTrios[d].test(*t);
    }

private:
    static constexpr std::size_t Letras = 26;

    static std::optional<std::size_t> Trio(char16_t a, char16_t b, char16_t c) {
        const auto indice = [](char16_t x) { return static_cast<std::size_t>(x - u'A'); };
        if (indice(a) >= Letras || indice(b) >= Letras || indice(c) >= Letras) {
            return std::nullopt;
        }
        return (indice(a) * Letras + indice(b)) * Letras + indice(c);
    }

    std::array<std::bitset<Letras * Letras * Letras>, Direcoes.size()> FTrios{};
};

} // namespace

void ProcurarOcorrencias(const TIndiceDeLetras& indice, std::u16string_view grelha, std::int32_t lado,
                         std::u16string_view palavra, std::int32_t numDirecoes, std::vector<TOcorrencia>& lista) {
    if (palavra.empty()) {
        return;
    }
    const auto inicios = indice.Posicoes(palavra[0]);
    for (std::int32_t d = 0; d < numDirecoes; ++d) {
        ProcurarNaDirecao(inicios, grelha, lado, palavra, d, lista);
    }
}

void ProcurarOcorrencias(std::u16string_view grelha, std::int32_t lado, std::u16string_view palavra,
                         std::int32_t numDirecoes, std::vector<TOcorrencia>& lista) {
    TIndiceDeLetras indice;
    indice.Construir(grelha, lado);
    ProcurarOcorrencias(indice, grelha, lado, palavra, numDirecoes, lista);
}

bool DentroDePalavraColocada(const TOcorrencia& o, std::span<const TPalavraColocada> colocadas) {
    return std::any_of(colocadas.begin(), colocadas.end(), [&o](const TPalavraColocada& p) {
        for (std::int32_t k = 0; k < o.Comprimento; ++k) {
            if (!CelulaDaPalavra(p, CelulaDaOcorrencia(o, k))) {
                return false;
            }
        }
        return true;
    });
}

bool DentroDePalavraColocada(const TOcorrencia& o, const TPuzzle& puzzle) {
    return DentroDePalavraColocada(o, std::span<const TPalavraColocada>(puzzle.Palavras));
}

void ProcurarListaNegra(std::u16string_view grelha, std::int32_t lado, const std::vector<std::u16string>& listaNegra,
                        std::span<const TPalavraColocada> colocadas, std::vector<TOcorrencia>& lista) {
    if (listaNegra.empty()) {
        return;
    }
    const std::u16string semAcentos = SemAcentos(grelha);
    TIndiceDeLetras indice;
    indice.Construir(semAcentos, lado);
    const TComecosDaGrelha comecos(semAcentos, lado);
    std::vector<TOcorrencia> achadas;
    for (const std::u16string& palavra : listaNegra) {
        if (palavra.empty()) {
            continue;
        }
        achadas.clear();
        const auto inicios = indice.Posicoes(palavra[0]);
        for (std::size_t d = 0; d < Direcoes.size(); ++d) {
            if (comecos.PodeComecar(palavra, d)) {
                ProcurarNaDirecao(inicios, semAcentos, lado, palavra, static_cast<std::int32_t>(d), achadas);
            }
        }
        for (const TOcorrencia& o : achadas) {
            if (!DentroDePalavraColocada(o, colocadas)) {
                lista.push_back(o);
            }
        }
    }
}

} // namespace zelta
