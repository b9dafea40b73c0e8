// Frases das regras do jogo; só entram as que dizem respeito ao livro.
#include "layout/Regras.hpp"

namespace zelta {

std::u16string FraseDirecoes(TModoDirecoes modo) {
    switch (modo) {
    case TModoDirecoes::mdSimples:
        return u"só da esquerda para a direita e de cima para baixo";
    case TModoDirecoes::mdDiagonais:
        return u"da esquerda para a direita, de cima para baixo e também em diagonal (a descer ou a subir, "
               u"sempre para a direita)";
    case TModoDirecoes::mdTodas:
        break;
    }
    return u"em qualquer das oito direções (na horizontal, na vertical e na diagonal), incluindo de trás para a "
           u"frente";
}

std::vector<TLinhaRegras> LinhasRegras(TModoDirecoes modo, bool acentos, bool temAcentos, bool temSeparadores) {
    using enum TTipoLinhaRegras;
    std::vector<TLinhaRegras> l;
    auto poe = [&l](TTipoLinhaRegras tipo, std::u16string texto = {}) { l.push_back({tipo, std::move(texto)}); };

    poe(lrTitulo, u"Como jogar Sopa de Letras");
    poe(lrBranco);
    poe(lrTexto, u"Todas as palavras da lista estão escondidas na grelha, em linha reta. Encontre-as e risque-as. "
                 u"As palavras podem cruzar-se e partilhar letras. Cada palavra aparece uma só vez.");
    poe(lrBranco);
    poe(lrTexto, u"Neste livro, as palavras leem-se " + FraseDirecoes(modo) + u".");
    if (temSeparadores) {
        poe(lrBranco);
        poe(lrTexto, u"Nas expressões com espaço ou hífen (por exemplo, CASTELO BRANCO), procure só as letras, "
                     u"todas seguidas.");
    }
    if (temAcentos) {
        poe(lrBranco);
        if (acentos) {
            poe(lrTexto, u"Nesta grelha, as letras levam os acentos e a cedilha, tal como na lista.");
        } else {
            poe(lrTexto, u"A grelha não leva acentos nem cedilha: a palavra AÇÚCAR, por exemplo, procura-se como "
                         u"ACUCAR.");
        }
    }
    poe(lrBranco);
    poe(lrTitulo, u"Dicas");
    poe(lrBranco);
    poe(lrItem, u"- Procure a primeira letra de cada palavra e confirme depois as seguintes.");
    poe(lrItem, u"- Comece pelas palavras mais compridas ou com letras pouco comuns, como Z, X ou Q.");
    if (modo == TModoDirecoes::mdTodas) {
        poe(lrItem, u"- Não se esqueça das palavras escritas ao contrário.");
    }
    poe(lrItem, u"- Risque cada palavra encontrada, na grelha e na lista, para saber o que falta.");
    poe(lrItem, u"- Se ficar preso, as soluções estão no fim do livro, com cada palavra contornada.");
    return l;
}

std::u16string TituloSeccao(bool solucoes) { return solucoes ? u"Soluções" : u"Puzzles"; }

} // namespace zelta
