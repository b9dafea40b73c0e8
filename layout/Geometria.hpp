// A geometria da página do livro, em mm: o tamanho da folha e a mancha onde vai o texto. Um só sítio
// para o compositor e para as peças das páginas.
#pragma once

namespace zelta {

struct TGeometriaPagina {
    double Largura = 210;
    double Altura = 297;
    double Esquerda = 18;       // margem esquerda da mancha
    double Topo = 18;           // primeira linha de cada página
    double LarguraMancha = 174; // de Esquerda a Direita()
    double FundoMancha = 277;   // nada do miolo desce daqui, a não ser o rodapé
    double YRodape = 283;

    constexpr double Direita() const { return Esquerda + LarguraMancha; }
    constexpr double Centro() const { return Largura / 2; }
};

// O livro A4.
inline constexpr TGeometriaPagina PaginaA4{};

} // namespace zelta
