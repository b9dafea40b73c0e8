// Um canvas falso que regista cada chamada, para conferir coordenadas sem gerar PDF.
// Mede com um modelo simples e determinístico, ou com as métricas reais quando lhe dão um medidor.
#pragma once

#include "layout/Canvas.hpp"
#include "layout/Paginas.hpp"

#include <memory>
#include <string>
#include <vector>

namespace zelta::teste {

enum class TOperacao { opLinha, opRectangulo, opPoligono, opTexto, opImagem };

struct TChamada {
    TOperacao Op = TOperacao::opLinha;
    double X = 0, Y = 0;   // Linha: ponto inicial; Rectangulo, Imagem: canto; Texto: ponto de referência
    double X2 = 0, Y2 = 0; // Linha: ponto final; Rectangulo, Imagem: largura e altura
    double EspessuraPt = 0;
    int Contorno = -1; // Linha e Texto: o cinzento
    int Preenchimento = -1;
    std::vector<TPontoMm> Pontos;
    std::u16string Texto; // Texto; Imagem: o nome
    double TamanhoPt = 0;
    bool Negrito = false;
    TAlinhamento Alinhamento = TAlinhamento::alEsquerda;
    bool Vertical = false; // Texto: de TextoVertical (X é o meio da caixa da linha)
};

class TCanvasGravador final : public ICanvasPagina {
public:
    // Sem medidor: largura = 0,5 em por carácter (0,6 em a negrito), altura da linha = 1,15 em.
    explicit TCanvasGravador(std::shared_ptr<ICanvasPagina> medidor = nullptr) : FMedidor(std::move(medidor)) {}

    void Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) override;
    void Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                    int APreenchimento) override;
    void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno, int APreenchimento) override;
    void Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
               TAlinhamento AAlinhamento) override;
    void TextoVertical(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
                       TAlinhamento AAlinhamento) override;
    double LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) override;
    double AlturaTexto(double ATamanhoPt) override;
    void Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) override;

    std::vector<TChamada> Chamadas;

    std::vector<TChamada> Do(TOperacao op) const;
    std::vector<TChamada> Textos() const { return Do(TOperacao::opTexto); }
    // A primeira chamada de texto com este conteúdo, ou nullptr.
    const TChamada* ProcurarTexto(std::u16string_view texto) const;

private:
    std::shared_ptr<ICanvasPagina> FMedidor;
};

// Um destino que dá um canvas gravador por página e os guarda por ordem.
class TDestinoGravador final : public IDestinoPaginas {
public:
    explicit TDestinoGravador(std::shared_ptr<ICanvasPagina> medidor = nullptr) : FMedidor(std::move(medidor)) {}
    std::shared_ptr<ICanvasPagina> NovaPagina() override;
    std::vector<std::shared_ptr<TCanvasGravador>> Paginas;

private:
    std::shared_ptr<ICanvasPagina> FMedidor;
};

// Um canvas sobre o cairo que só mede (métricas reais da Liberation Sans a 300 por polegada).
std::shared_ptr<ICanvasPagina> MedidorReal();

} // namespace zelta::teste
