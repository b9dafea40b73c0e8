// A página sobre um cairo_t cuja unidade é um ponto do dispositivo (1/300 de polegada num PDF):
// milímetros convertidos com arredondamento, cinzentos, canetas, letra Liberation Sans e imagens embutidas,
// com as letras e os traços juntados em poucas operações.
#pragma once

#include "layout/Canvas.hpp"

#include <cairo.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zelta {

// Um glifo já procurado: o índice na fonte e o avanço sem arredondar, em unidades do dispositivo.
struct TGlifo {
    unsigned long Indice = 0;
    double Avanco = 0;
    bool Conhecido = false;
};

// Uma letra num tamanho: a fonte já escalada, a caixa da linha em unidades inteiras e os glifos já pedidos,
// para que uma grelha de letras soltas não pergunte ao cairo pela mesma letra centenas de vezes.
struct TFonteMedida {
    cairo_scaled_font_t* Fonte = nullptr;
    std::int32_t Ascendente = 0;
    std::int32_t Descendente = 0;

    // O glifo da unidade c, que não pode ser metade de um par substituto; o mesmo que o cairo daria.
    const TGlifo& Glifo(char16_t c);

private:
    std::array<TGlifo, 256> FLatinos{};
    std::unordered_map<char16_t, TGlifo> FOutros;
};

struct TLibertarSuperficie {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using TSuperficie = std::unique_ptr<cairo_surface_t, TLibertarSuperficie>;

// Descodifica um PNG e assenta-o sobre branco: o transparente fica branco, nunca o que está por baixo.
// Levanta std::runtime_error quando os bytes não são um PNG.
TSuperficie ImagemSobreBranco(std::span<const std::uint8_t> png);

// A imagem embutida nome, já descodificada e assente sobre branco, guardada para todo o processo: descodificar
// o selo custa mais do que compor a página em que está. Segura entre fios; a superfície devolvida vive até ao
// fim do processo e só se lê (nunca se desenha a partir dela: o cairo mexe nas superfícies de onde desenha). Levanta
// std::runtime_error quando o recurso falta ou não é um PNG.
cairo_surface_t* ImagemDoRecurso(std::u16string_view nome);

// O que um documento lê uma vez: as duas Liberation Sans embutidas, com as fontes escaladas guardadas para
// que medir e desenhar usem exatamente a mesma, e as imagens já reduzidas à resolução do dispositivo.
class TFontesCairo {
public:
    TFontesCairo();
    ~TFontesCairo();
    TFontesCairo(const TFontesCairo&) = delete;
    TFontesCairo& operator=(const TFontesCairo&) = delete;

    TFonteMedida& Fonte(bool negrito, std::int32_t emPx);
    // A imagem embutida nome, assente sobre branco e reduzida a largura × altura unidades; nullptr quando
    // a medida não é positiva. Levanta std::runtime_error quando o recurso falta ou não é um PNG.
    cairo_surface_t* Imagem(std::u16string_view nome, std::int32_t largura, std::int32_t altura);

private:
    cairo_font_face_t* FFaces[2] = {nullptr, nullptr};
    cairo_font_options_t* FOpcoes = nullptr;
    std::map<std::pair<bool, std::int32_t>, TFonteMedida> FEscaladas;
    std::map<std::tuple<std::u16string, std::int32_t, std::int32_t>, TSuperficie> FImagens;
};

// No PDF paga-se por operação: as letras esperam e saem numa só corrida por fonte e cinzento, e os traços
// seguidos com a mesma caneta saem num só caminho. O que espera sai antes de qualquer outra pintura, por
// isso o que ficava por cima continua por cima; só letras de corridas diferentes trocam de ordem entre si,
// e nas páginas do livro as letras não se sobrepõem.
class TCanvasCairo final : public ICanvasPagina {
public:
    // Não é dono do contexto nem das fontes; guarda uma referência ao contexto enquanto vive.
    // Destruí-lo (ou chamar Descarregar) põe na página o que ainda espera: tem de ser antes de a fechar.
    TCanvasCairo(cairo_t* ACanvas, std::int32_t ADpi, TFontesCairo& AFontes);
    ~TCanvasCairo() override;
    TCanvasCairo(const TCanvasCairo&) = delete;
    TCanvasCairo& operator=(const TCanvasCairo&) = delete;

    void Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) override;
    void Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                    int APreenchimento) override;
    void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno, int APreenchimento) override;
    void Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
               TAlinhamento AAlinhamento) override;
    // Sai logo, fora das corridas: a letra rodada é outra fonte escalada.
    void TextoVertical(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
                       TAlinhamento AAlinhamento) override;
    double LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) override;
    double AlturaTexto(double ATamanhoPt) override;
    void Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) override;
    // Dois arcos e dois lados retos, em vez de um polígono.
    void ContornoCapsula(double x1, double y1, double x2, double y2, double ARaio, double AEspessuraPt,
                         int ACinza) override;

    // Desenha as letras e os traços que ainda esperam.
    void Descarregar();

private:
    struct TCorridaGlifos {
        cairo_scaled_font_t* Fonte = nullptr;
        int Cinza = 0;
        std::vector<cairo_glyph_t> Glifos;
        // Onde começa cada troço: textos seguidos da mesma corrida, sem outra corrida pelo meio.
        std::vector<std::size_t> Trocos;
    };
    struct TCaneta {
        std::int32_t LarguraPx = 1;
        int Cinza = 0;
        cairo_line_cap_t Ponta = CAIRO_LINE_CAP_BUTT;
        cairo_line_join_t Juncao = CAIRO_LINE_JOIN_MITER;
        friend bool operator==(const TCaneta&, const TCaneta&) = default;
    };

    std::int32_t Px(double mm) const { return MmParaPx(mm, FDpi); }
    double PxParaMm(double px) const { return px / FDpi * 25.4; }
    void DefinirCinza(int cinza);
    // Traça o caminho corrente: preenche e contorna conforme os cinzentos, e limpa-o.
    void Pintar(double espessuraPt, int contorno, int preenchimento);
    // Os glifos do texto em FGlifos, a partir de X 0 na linha de base; devolve o avanço total sem arredondar,
    // o mesmo que o cairo mede, ou −1 quando o texto não se deixa converter.
    double Glifos(TFonteMedida& f, std::u16string_view texto);
    // A letra de uma linha com os glifos já em FGlifos e a largura em unidades inteiras; nulo quando não há
    // nada a desenhar (texto vazio, sem cor, ou que não se converte em glifos).
    TFonteMedida* PrepararTexto(std::u16string_view texto, double tamanhoPt, bool negrito, int cinza,
                                std::int32_t& largura);
    // Prepara o caminho para mais um traço com esta caneta: antes saem as letras e os traços de outra caneta.
    void Tracar(const TCaneta& caneta);
    void DescarregarTexto();
    // Os glifos da corrida pela ordem de saída: cada troço inteiro, e cada troço numa linha diferente da do
    // troço anterior sempre que possível.
    void OrdenarTrocos(const TCorridaGlifos& c);
    void DescarregarTracos();

    cairo_t* FCanvas;
    double FDpi;
    TFontesCairo& FFontes;
    std::vector<TCorridaGlifos> FCorridas;
    std::size_t FUltimaCorrida = 0; // a corrida do último texto; FCorridas.size() quando não há
    std::optional<TCaneta> FTracos; // a caneta do caminho pendente, quando há um
    std::vector<cairo_glyph_t> FGlifos;
    std::vector<cairo_glyph_t> FSaida;
};

} // namespace zelta
