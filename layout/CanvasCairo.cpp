// Tradução das operações em milímetros para o cairo, em unidades inteiras do dispositivo.
#include "layout/CanvasCairo.hpp"

#include "core/Recursos.hpp"
#include "core/Texto.hpp"
#include "core/Tipos.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelta {

namespace {

// std::nearbyint segue o modo corrente, que é o mais próximo com empates para o par.
std::int32_t Arredondar(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }

// A biblioteca FreeType tem de sobreviver a todas as faces; o cairo pode guardá-las em cache
// depois de o documento acabar, por isso cada face leva consigo uma referência à biblioteca.
struct TBibliotecaFt {
    FT_Library Lib = nullptr;
    TBibliotecaFt() {
        if (FT_Init_FreeType(&Lib) != 0) {
            throw EZelta(u"TFontesCairo: não foi possível iniciar o FreeType");
        }
    }
    ~TBibliotecaFt() { FT_Done_FreeType(Lib); }
    TBibliotecaFt(const TBibliotecaFt&) = delete;
    TBibliotecaFt& operator=(const TBibliotecaFt&) = delete;
};

struct TFaceFt {
    std::shared_ptr<TBibliotecaFt> Biblioteca;
    FT_Face Face = nullptr;
};

const cairo_user_data_key_t ChaveFace{};

void LibertarFace(void* p) {
    auto* f = static_cast<TFaceFt*>(p);
    FT_Done_Face(f->Face);
    delete f;
}

cairo_font_face_t* CriarFace(const std::shared_ptr<TBibliotecaFt>& biblioteca, std::u16string_view nome) {
    const auto bytes = VerRecurso(nome);
    if (!bytes) {
        throw EZelta(u"TFontesCairo: falta a fonte " + std::u16string(nome));
    }
    auto* f = new TFaceFt{biblioteca, nullptr};
    if (FT_New_Memory_Face(biblioteca->Lib, bytes->data(), static_cast<FT_Long>(bytes->size()), 0, &f->Face) != 0) {
        delete f;
        throw EZelta(u"TFontesCairo: a fonte " + std::u16string(nome) + u" não se deixa ler");
    }
    cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(f->Face, 0);
    if (cairo_font_face_set_user_data(face, &ChaveFace, f, LibertarFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        LibertarFace(f);
        throw EZelta(u"TFontesCairo: a fonte " + std::u16string(nome) + u" não se deixa ler");
    }
    return face;
}

struct TLeituraPng {
    std::span<const std::uint8_t> Bytes;
    std::size_t Posicao = 0;
};

cairo_status_t LerPng(void* fecho, unsigned char* dados, unsigned int n) {
    auto* l = static_cast<TLeituraPng*>(fecho);
    if (l->Bytes.size() - l->Posicao < n) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(dados, l->Bytes.data() + l->Posicao, n);
    l->Posicao += n;
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

TFontesCairo::TFontesCairo() {
    auto biblioteca = std::make_shared<TBibliotecaFt>();
    FFaces[0] = CriarFace(biblioteca, u"LiberationSans-Regular");
    try {
        FFaces[1] = CriarFace(biblioteca, u"LiberationSans-Bold");
    } catch (...) {
        cairo_font_face_destroy(FFaces[0]);
        throw;
    }
    // Métricas sem hinting: as larguras escalam com o tamanho, tal como o PDF as mostra.
    FOpcoes = cairo_font_options_create();
    cairo_font_options_set_hint_style(FOpcoes, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(FOpcoes, CAIRO_HINT_METRICS_OFF);
}

TFontesCairo::~TFontesCairo() {
    for (auto& [chave, f] : FEscaladas) {
        cairo_scaled_font_destroy(f.Fonte);
    }
    cairo_font_options_destroy(FOpcoes);
    cairo_font_face_destroy(FFaces[0]);
    cairo_font_face_destroy(FFaces[1]);
}

const TFonteMedida& TFontesCairo::Fonte(bool negrito, std::int32_t emPx) {
    const auto chave = std::make_pair(negrito, emPx);
    if (auto it = FEscaladas.find(chave); it != FEscaladas.end()) {
        return it->second;
    }
    cairo_matrix_t matriz;
    cairo_matrix_t identidade;
    cairo_matrix_init_scale(&matriz, emPx, emPx);
    cairo_matrix_init_identity(&identidade);
    TFonteMedida f;
    f.Fonte = cairo_scaled_font_create(FFaces[negrito ? 1 : 0], &matriz, &identidade, FOpcoes);
    cairo_font_extents_t e;
    cairo_scaled_font_extents(f.Fonte, &e);
    f.Ascendente = Arredondar(e.ascent);
    f.Descendente = Arredondar(e.descent);
    return FEscaladas.emplace(chave, f).first->second;
}

TSuperficie ImagemSobreBranco(std::span<const std::uint8_t> png) {
    TLeituraPng leitura{png, 0};
    TSuperficie original(cairo_image_surface_create_from_png_stream(LerPng, &leitura));
    if (cairo_surface_status(original.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("Imagem: os dados não são uma imagem PNG válida");
    }
    const int w = cairo_image_surface_get_width(original.get());
    const int h = cairo_image_surface_get_height(original.get());
    TSuperficie plana(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
    cairo_t* cr = cairo_create(plana.get());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, original.get(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(plana.get());
    return plana;
}

TCanvasCairo::TCanvasCairo(cairo_t* ACanvas, std::int32_t ADpi, TFontesCairo& AFontes)
    : FCanvas(cairo_reference(ACanvas)), FDpi(ADpi), FFontes(AFontes) {}

TCanvasCairo::~TCanvasCairo() { cairo_destroy(FCanvas); }

void TCanvasCairo::DefinirCinza(int cinza) {
    const double v = cinza / 255.0;
    cairo_set_source_rgb(FCanvas, v, v, v);
}

void TCanvasCairo::Pintar(double espessuraPt, int contorno, int preenchimento) {
    if (preenchimento != -1) {
        DefinirCinza(preenchimento);
        cairo_fill_preserve(FCanvas);
    }
    if (contorno != -1) {
        DefinirCinza(contorno);
        cairo_set_line_width(FCanvas, CanetaPx(espessuraPt, FDpi));
        cairo_stroke_preserve(FCanvas);
    }
    cairo_new_path(FCanvas);
}

void TCanvasCairo::Linha(double x1, double y1, double x2, double y2, double AEspessuraPt, int ACinza) {
    if (ACinza == -1) {
        return;
    }
    cairo_new_path(FCanvas);
    cairo_move_to(FCanvas, Px(x1), Px(y1));
    cairo_line_to(FCanvas, Px(x2), Px(y2));
    cairo_set_line_cap(FCanvas, CAIRO_LINE_CAP_BUTT);
    Pintar(AEspessuraPt, ACinza, -1);
}

void TCanvasCairo::Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                              int APreenchimento) {
    // O canto oposto arredonda-se a partir da soma, não da largura.
    const std::int32_t x1 = Px(x);
    const std::int32_t y1 = Px(y);
    const std::int32_t x2 = Px(x + ALargura);
    const std::int32_t y2 = Px(y + AAltura);
    cairo_new_path(FCanvas);
    if (AContorno == -1 && APreenchimento != -1) {
        // Sem contorno, a última coluna e a última linha também se pintam: barras finas não desaparecem.
        cairo_rectangle(FCanvas, x1, y1, x2 + 1 - x1, y2 + 1 - y1);
        Pintar(0, -1, APreenchimento);
        return;
    }
    cairo_rectangle(FCanvas, x1, y1, x2 - x1, y2 - y1);
    cairo_set_line_join(FCanvas, CAIRO_LINE_JOIN_MITER);
    Pintar(AEspessuraPt, AContorno, APreenchimento);
}

void TCanvasCairo::Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, int AContorno, int APreenchimento) {
    cairo_new_path(FCanvas);
    if (APontos.empty()) {
        return;
    }
    for (const auto& p : APontos) {
        cairo_line_to(FCanvas, Px(p.X), Px(p.Y));
    }
    cairo_close_path(FCanvas);
    cairo_set_fill_rule(FCanvas, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_line_join(FCanvas, CAIRO_LINE_JOIN_ROUND);
    Pintar(AEspessuraPt, AContorno, APreenchimento);
}

void TCanvasCairo::Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
                         TAlinhamento AAlinhamento) {
    if (ATexto.empty() || ACinza == -1) {
        return;
    }
    const auto& f = FFontes.Fonte(ANegrito, EmPx(ATamanhoPt, FDpi));
    const std::string utf8 = ParaUtf8(ATexto);
    cairo_glyph_t* glifos = nullptr;
    int n = 0;
    if (cairo_scaled_font_text_to_glyphs(f.Fonte, 0, 0, utf8.data(), static_cast<int>(utf8.size()), &glifos, &n,
                                         nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS) {
        return;
    }
    cairo_text_extents_t e;
    cairo_scaled_font_glyph_extents(f.Fonte, glifos, n, &e);
    // A largura em unidades inteiras, a mesma que LarguraTexto devolve.
    const std::int32_t w = Arredondar(e.x_advance);
    std::int32_t x0 = Px(x);
    if (AAlinhamento == TAlinhamento::alCentro) {
        x0 -= w / 2;
    } else if (AAlinhamento == TAlinhamento::alDireita) {
        x0 -= w;
    }
    const double base = Px(y) + f.Ascendente;
    for (int i = 0; i < n; ++i) {
        glifos[i].x += x0;
        glifos[i].y += base;
    }
    cairo_new_path(FCanvas);
    cairo_set_scaled_font(FCanvas, f.Fonte);
    DefinirCinza(ACinza);
    cairo_show_glyphs(FCanvas, glifos, n);
    cairo_glyph_free(glifos);
}

double TCanvasCairo::LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) {
    if (ATexto.empty()) {
        return 0;
    }
    const auto& f = FFontes.Fonte(ANegrito, EmPx(ATamanhoPt, FDpi));
    const std::string utf8 = ParaUtf8(ATexto);
    cairo_text_extents_t e;
    cairo_scaled_font_text_extents(f.Fonte, utf8.c_str(), &e);
    return PxParaMm(Arredondar(e.x_advance));
}

double TCanvasCairo::AlturaTexto(double ATamanhoPt) {
    const auto& f = FFontes.Fonte(false, EmPx(ATamanhoPt, FDpi));
    return PxParaMm(f.Ascendente + f.Descendente);
}

void TCanvasCairo::Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) {
    const auto bytes = VerRecurso(ANome);
    if (!bytes) {
        throw std::runtime_error("Imagem: o recurso " + ParaUtf8(ANome) + " não existe no executável");
    }
    const auto img = ImagemSobreBranco(*bytes);
    const std::int32_t x1 = Px(x);
    const std::int32_t y1 = Px(y);
    const std::int32_t x2 = Px(x + ALargura);
    const std::int32_t y2 = Px(y + AAltura);
    const int w = cairo_image_surface_get_width(img.get());
    const int h = cairo_image_surface_get_height(img.get());
    if (w <= 0 || h <= 0 || x2 == x1 || y2 == y1) {
        return;
    }
    cairo_save(FCanvas);
    cairo_new_path(FCanvas);
    cairo_translate(FCanvas, x1, y1);
    cairo_scale(FCanvas, static_cast<double>(x2 - x1) / w, static_cast<double>(y2 - y1) / h);
    cairo_set_source_surface(FCanvas, img.get(), 0, 0);
    // Redução suave, como o esticar em meio-tom.
    cairo_pattern_set_filter(cairo_get_source(FCanvas), CAIRO_FILTER_GOOD);
    cairo_rectangle(FCanvas, 0, 0, w, h);
    cairo_fill(FCanvas);
    cairo_restore(FCanvas);
}

} // namespace zelta
