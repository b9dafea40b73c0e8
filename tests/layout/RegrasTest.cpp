#include "layout/Regras.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

using enum TTipoLinhaRegras;

// As 18 linhas possíveis, pela ordem em que aparecem; a 5 é a do modo mdTodas.
const TLinhaRegras Tabela[18] = {
    {lrTitulo, u"Como jogar Sopa de Letras"},
    {lrBranco, u""},
    {lrTexto, u"Todas as palavras da lista estão escondidas na grelha, em linha reta. Encontre-as e risque-as. As "
              u"palavras podem cruzar-se e partilhar letras. Cada palavra aparece uma só vez."},
    {lrBranco, u""},
    {lrTexto, u"Neste livro, as palavras leem-se em qualquer das oito direções (na horizontal, na vertical e na "
              u"diagonal), incluindo de trás para a frente."},
    {lrBranco, u""},
    {lrTexto, u"Nas expressões com espaço ou hífen (por exemplo, CASTELO BRANCO), procure só as letras, todas "
              u"seguidas."},
    {lrBranco, u""},
    {lrTexto, u"Nesta grelha, as letras levam os acentos e a cedilha, tal como na lista."},
    {lrTexto, u"A grelha não leva acentos nem cedilha: a palavra AÇÚCAR, por exemplo, procura-se como ACUCAR."},
    {lrBranco, u""},
    {lrTitulo, u"Dicas"},
    {lrBranco, u""},
    {lrItem, u"- Procure a primeira letra de cada palavra e confirme depois as seguintes."},
    {lrItem, u"- Comece pelas palavras mais compridas ou com letras pouco comuns, como Z, X ou Q."},
    {lrItem, u"- Não se esqueça das palavras escritas ao contrário."},
    {lrItem, u"- Risque cada palavra encontrada, na grelha e na lista, para saber o que falta."},
    {lrItem, u"- Se ficar preso, as soluções estão no fim do livro, com cada palavra contornada."},
};

std::vector<TLinhaRegras> Esperadas(TModoDirecoes modo, const std::vector<int>& numeros) {
    std::vector<TLinhaRegras> r;
    for (int n : numeros) {
        r.push_back(Tabela[n - 1]);
        if (n == 5) {
            r.back().Texto = u"Neste livro, as palavras leem-se " + FraseDirecoes(modo) + u".";
        }
    }
    return r;
}

TEST(Regras, LinhasConformeModoEPalavras) {
    struct TCaso {
        TModoDirecoes Modo;
        bool Acentos, TemAcentos, TemSeparadores;
        std::vector<int> Linhas;
    } casos[] = {
        {TModoDirecoes::mdSimples, false, false, false, {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 17, 18}},
        {TModoDirecoes::mdTodas, false, true, true, {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {TModoDirecoes::mdDiagonais, true, true, false, {1, 2, 3, 4, 5, 8, 9, 11, 12, 13, 14, 15, 17, 18}},
        // Grelha com acentos mas nenhuma palavra acentuada: a frase dos acentos não entra.
        {TModoDirecoes::mdSimples, true, false, true, {1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 17, 18}},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(LinhasRegras(c.Modo, c.Acentos, c.TemAcentos, c.TemSeparadores), Esperadas(c.Modo, c.Linhas));
    }
}

TEST(Regras, FraseDasDirecoesETitulos) {
    EXPECT_EQ(LinhasRegras(TModoDirecoes::mdSimples, false, false, false)[4].Texto,
              u"Neste livro, as palavras leem-se só da esquerda para a direita e de cima para baixo.");
    EXPECT_EQ(FraseDirecoes(TModoDirecoes::mdDiagonais),
              u"da esquerda para a direita, de cima para baixo e também em diagonal (a descer ou a subir, sempre "
              u"para a direita)");
    EXPECT_EQ(FraseDirecoes(TModoDirecoes::mdTodas),
              u"em qualquer das oito direções (na horizontal, na vertical e na diagonal), incluindo de trás para a "
              u"frente");
    EXPECT_EQ(TituloSeccao(false), u"Puzzles");
    EXPECT_EQ(TituloSeccao(true), u"Soluções");
}

} // namespace
} // namespace zelta
