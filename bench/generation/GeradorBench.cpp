// Tempo de ConstruirPuzzle por grelha, com candidatas portuguesas reais e a lista negra embutida.
#include "generation/Gerador.hpp"

#include "PalavrasDeTeste.hpp"
#include "core/Recursos.hpp"
#include "core/Texto.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace zelta {
namespace {

// A lista negra embutida, lida de forma simples: linhas que não são comentários.
std::vector<std::u16string> ListaNegraEmbutida() {
    std::vector<std::u16string> lista;
    const auto bytes = VerRecurso(u"LISTA_NEGRA");
    if (!bytes) {
        return lista;
    }
    const std::u16string texto = DeUtf8({reinterpret_cast<const char*>(bytes->data()), bytes->size()});
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        const std::size_t fim = std::min(texto.find(u'\n', inicio), texto.size());
        const std::u16string linha(Aparar(std::u16string_view(texto).substr(inicio, fim - inicio)));
        if (!linha.empty() && linha[0] != u'#') {
            lista.push_back(linha);
        }
        inicio = fim + 1;
    }
    return lista;
}

std::vector<std::vector<TCandidata>> ConjuntosDeCandidatas(int quantas, int lado) {
    std::vector<std::vector<TCandidata>> conjuntos;
    for (std::uint32_t s = 0; s < 64; ++s) {
        TGeradorAleatorio g(s);
        std::vector<std::u16string> palavras = teste::PalavrasPortuguesas();
        g.Baralhar(palavras);
        std::vector<TCandidata> c;
        for (const auto& p : palavras) {
            const TLinhaValidada v = ValidarLinha(p);
            const auto n = static_cast<int>(v.Letras.size());
            const bool compativel = std::all_of(c.begin(), c.end(), [&v](const TCandidata& o) {
                return PalavrasCompativeis(v.Letras, o.Palavra, true);
            });
            if (n >= 4 && n <= std::min(12, lado) && !EPalindromo(v.Letras) && compativel) {
                c.push_back({v.Texto, v.Letras});
            }
            if (static_cast<int>(c.size()) == quantas) {
                break;
            }
        }
        conjuntos.push_back(std::move(c));
    }
    return conjuntos;
}

// Chama ConstruirPuzzle a cada iteração sobre conjuntos de candidatas fixos e conta quantas vezes consegue.
void MedirConstruirPuzzle(benchmark::State& estado, std::int32_t lado, TModoDirecoes modo, std::int32_t numPalavras) {
    const auto conjuntos = ConjuntosDeCandidatas(AlvoCandidatas(numPalavras), lado);
    const auto listaNegra = ListaNegraEmbutida();
    TGeradorAleatorio gerador(42);
    std::size_t i = 0;
    std::int64_t feitos = 0;
    std::int64_t chamadas = 0;
    for (auto _ : estado) {
        TPuzzle puzzle;
        const bool ok =
            ConstruirPuzzle({lado, modo, numPalavras}, conjuntos[i++ % conjuntos.size()], listaNegra, gerador, puzzle);
        benchmark::DoNotOptimize(puzzle);
        feitos += ok ? 1 : 0;
        ++chamadas;
    }
    estado.counters["sucesso"] = static_cast<double>(feitos) / static_cast<double>(chamadas);
    estado.counters["lista_negra"] = static_cast<double>(listaNegra.size());
}

void BM_ConstruirPuzzle(benchmark::State& estado) {
    MedirConstruirPuzzle(estado, static_cast<std::int32_t>(estado.range(0)), TModoDirecoes::mdTodas,
                         static_cast<std::int32_t>(estado.range(1)));
}
BENCHMARK(BM_ConstruirPuzzle)->Args({20, 30})->Args({15, 20})->Args({10, 10})->Unit(benchmark::kMillisecond);

// Taxa de sucesso de ConstruirPuzzle com a lista negra embutida, por lado e modo de direções: o máximo de
// palavras do lado, 2000 chamadas fixas (as mesmas candidatas e a mesma semente em cada corrida), para que a
// taxa se compare entre versões da lista negra.
void BM_SucessoConstruirPuzzle(benchmark::State& estado) {
    const auto lado = static_cast<std::int32_t>(estado.range(0));
    MedirConstruirPuzzle(estado, lado, static_cast<TModoDirecoes>(estado.range(1)), MaxPalavrasDoLado(lado));
}
BENCHMARK(BM_SucessoConstruirPuzzle)
    ->ArgsProduct({{10, 12, 15, 20}, {0, 1, 2}})
    ->Iterations(2000)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta
