// A superfície de desenho de uma página, em milímetros: a composição só fala com esta interface.
// Cinzentos de 0 (preto) a 255 (branco), −1 para "nenhum"; tamanhos de letra e espessuras em pontos.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zelta {

enum class TAlinhamento : std::uint8_t { alEsquerda = 0, alCentro = 1, alDireita = 2 };

struct TPontoMm {
    double X = 0;
    double Y = 0;
    friend bool operator==(const TPontoMm&, const TPontoMm&) = default;
};

TPontoMm PontoMm(double x, double y);
double PtParaMm(double pt);
double MmParaPt(double mm);

// Conversões para unidades inteiras de um dispositivo de dpi pontos por polegada, as mesmas em todos os
// canvas; arredondam ao mais próximo e, no meio, ao par.
std::int32_t MmParaPx(double mm, double dpi);
// Largura da caneta, nunca abaixo de uma unidade.
std::int32_t CanetaPx(double espessuraPt, double dpi);
// O em da letra: a letra é pedida pela altura do carácter, sem o espaço entre linhas.
std::int32_t EmPx(double tamanhoPt, double dpi);

// Um retângulo em unidades inteiras do dispositivo: cada canto arredonda-se por si (o oposto a partir da soma,
// não da largura), para que retângulos vizinhos se toquem sem falhas.
struct TRectPx {
    std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
TRectPx RectanguloPx(double x, double y, double largura, double altura, double dpi);

// Onde começa, em unidades inteiras, uma linha de texto com esta largura alinhada a partir de posicao.
std::int32_t InicioAlinhado(std::int32_t posicao, std::int32_t largura, TAlinhamento alinhamento);

// Uma página do tamanho do livro (ou da capa aberta, deitada), origem no canto superior esquerdo, Y a crescer
// para baixo.
// Só se usa entre o NovaPagina que a deu e o NovaPagina seguinte.
class ICanvasPagina {
public:
    virtual ~ICanvasPagina() = default;

    virtual void Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) = 0;
    // Sem contorno e com preenchimento, o preenchimento cobre também as arestas.
    virtual void Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                            int APreenchimento) = 0;
    virtual void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno,
                          int APreenchimento) = 0;
    // Só o contorno de uma cápsula: meias circunferências de raio r à volta de (x1, y1) e (x2, y2), unidas por
    // lados retos. Por omissão é o polígono de Capsula com 12 passos por meia volta; um canvas pode traçar arcos.
    virtual void ContornoCapsula(double x1, double y1, double x2, double y2, double ARaio, double AEspessuraPt,
                                 int ACinza);
    // Uma só linha de texto; Y é o topo da caixa da linha (ascendente a descendente).
    virtual void Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
                       TAlinhamento AAlinhamento) = 0;
    // A mesma linha rodada um quarto de volta no sentido dos ponteiros, a ler de cima para baixo (o topo das
    // letras para a direita), como na lombada de um livro: X é o meio da caixa da linha, Y o ponto de referência
    // ao longo do texto (alEsquerda começa em Y). Por omissão não desenha nada: serve aos canvas que só medem.
    virtual void TextoVertical(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito,
                               int ACinza, TAlinhamento AAlinhamento);
    virtual double LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) = 0;
    // Altura da caixa da linha da letra normal, medida em "Ag".
    virtual double AlturaTexto(double ATamanhoPt) = 0;
    virtual void Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) = 0;
};

} // namespace zelta
