// A verificação de um livro lido de fora contra a verificação por força bruta dos testes: os puzzles do gerador
// passam, e com uma célula mexida e uma lista negra tirada da própria grelha as duas dizem sempre o mesmo.
// As frases de cada falta estão nos testes da leitura do JSON.
#include "book/Verificacao.hpp"

#include "TemasDeTeste.hpp"
#include "VerificacaoBruta.hpp"
#include "book/Livro.hpp"
#include "book/Opcoes.hpp"
#include "core/Random.hpp"
#include "core/Texto.hpp"
#include "themes/Dicionario.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

// Letras seguidas da grelha (sem acentos, como a lista negra as procura): metade das vezes de dentro de uma
// palavra escondida, que a verificação tem de deixar passar, metade de um sítio qualquer.
std::u16string LidaNaGrelha(const TPuzzle& p, TGeradorAleatorio& g) {
    const std::int32_t n = g.Entre(3, 4);
    std::int32_t l = 0;
    std::int32_t c = 0;
    std::int32_t d = 0;
    if (g.Limite(2) == 0) {
        const TPalavraColocada& w =
            p.Palavras[static_cast<std::size_t>(g.Limite(static_cast<std::int32_t>(p.Palavras.size())))];
        const auto tamanho = static_cast<std::int32_t>(w.Palavra.size());
        const std::int32_t inicio = g.Limite(std::max(tamanho - n + 1, 1));
        d = w.Direcao;
        l = w.Linha + inicio * Direcoes[static_cast<std::size_t>(d)].DLinha;
        c = w.Coluna + inicio * Direcoes[static_cast<std::size_t>(d)].DColuna;
    } else {
        l = g.Limite(p.Lado);
        c = g.Limite(p.Lado);
        d = g.Limite(8);
    }
    std::u16string r;
    for (std::int32_t k = 0; k < n; ++k) {
        const std::int32_t ll = l + k * Direcoes[static_cast<std::size_t>(d)].DLinha;
        const std::int32_t cc = c + k * Direcoes[static_cast<std::size_t>(d)].DColuna;
        if (ll < 0 || ll >= p.Lado || cc < 0 || cc >= p.Lado) {
            break;
        }
        r += LetraSemAcento(p.Grelha[static_cast<std::size_t>(ll * p.Lado + cc)]);
    }
    return r;
}

TEST(Verificacao, DizOMesmoQueAForcaBrutaEmGrelhasMexidas) {
    const TRefsTemas temas = RefsDe(teste::CatalogoDeTeste());
    const std::vector<std::u16string> listaNegra = ListaNegraDoRecurso();
    std::int32_t aceites = 0;
    std::int32_t recusados = 0;
    for (const TModoDirecoes modo : {TModoDirecoes::mdSimples, TModoDirecoes::mdDiagonais, TModoDirecoes::mdTodas}) {
        for (const bool acentos : {false, true}) {
            TConfigLivro c = ConfigPorOmissao();
            c.Lado = 10;
            c.Modo = modo;
            c.Acentos = acentos;
            c.Grupo = u"Natureza";
            c.NumPuzzles = 3;
            c.NumPalavras = 10;
            c.MaxLetras = 10;
            c.Semente = 100 + static_cast<std::uint32_t>(modo) * 2 + (acentos ? 1 : 0);
            TRelatorioLivro relatorio;
            const std::vector<TPuzzle> puzzles = GerarPuzzles(c, temas, listaNegra, {}, relatorio);
            ASSERT_FALSE(puzzles.empty());
            TGeradorAleatorio g(c.Semente);
            for (const TPuzzle& p : puzzles) {
                ASSERT_EQ(FaltaNoPuzzle(p, modo, acentos, listaNegra), std::nullopt);
                std::u16string letras;
                for (const auto& w : p.Palavras) {
                    letras += w.Palavra;
                }
                for (int vez = 0; vez < 20; ++vez) {
                    // Uma célula com uma letra das palavras: o enchimento continua a vir delas.
                    TPuzzle m = p;
                    m.Grelha[static_cast<std::size_t>(g.Limite(static_cast<std::int32_t>(m.Grelha.size())))] =
                        letras[static_cast<std::size_t>(g.Limite(static_cast<std::int32_t>(letras.size())))];
                    const std::vector<std::u16string> negra{LidaNaGrelha(m, g)};
                    const bool falta = FaltaNoPuzzle(m, modo, acentos, negra).has_value();
                    const std::string bruta = teste::ViolacaoDaGrelha(m, NumDirecoes(modo), negra);
                    ASSERT_EQ(falta, !bruta.empty()) << ParaUtf8(m.Grelha) << ' ' << ParaUtf8(negra[0]) << ' ' << bruta;
                    (falta ? recusados : aceites) += 1;
                }
            }
        }
    }
    // As duas respostas aparecem muitas vezes: o acordo não é só num dos lados.
    EXPECT_GT(aceites, 50) << recusados;
    EXPECT_GT(recusados, 50) << aceites;
}

} // namespace
} // namespace zelta
