// Tradução das operações em milímetros para o cairo, em unidades inteiras do dispositivo; as letras e os
// traços juntam-se em poucas operações, porque o PDF analisa e escreve cada uma à parte.
#include "layout/CanvasCairo.hpp"

#include "core/Recursos.hpp"
#include "core/Texto.hpp"
#include "core/Tipos.hpp"
#include "layout/Medida.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <numbers>
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

// Os pesos de uma redução por médias de área num eixo, em 1/65536: cada ponto de destino cobre n / m pontos
// de origem, e os pesos de cada destino somam 65536.
struct TPeso {
    int Origem;
    int Destino;
    std::uint32_t Peso;
};

std::vector<TPeso> PesosDaReducao(int origem, int destino) {
    std::vector<TPeso> pesos;
    const double passo = static_cast<double>(origem) / destino;
    for (int d = 0; d < destino; ++d) {
        const double a = d * passo;
        const double b = (d + 1) * passo;
        const std::size_t primeiro = pesos.size();
        std::uint32_t soma = 0;
        for (int o = static_cast<int>(a); o < origem && o < b; ++o) {
            const double cobre = std::min<double>(o + 1, b) - std::max<double>(o, a);
            const auto peso = static_cast<std::uint32_t>(std::lround(cobre / passo * 65536));
            if (peso > 0) {
                pesos.push_back({o, d, peso});
                soma += peso;
            }
        }
        // O arredondamento de cada peso não pode clarear nem escurecer o ponto.
        if (pesos.size() > primeiro) {
            pesos.back().Peso += 65536U - soma;
        }
    }
    return pesos;
}

// Redução suave, como o esticar em meio-tom: cada ponto é a média da área da origem que cobre. A origem já vem
// assente sobre branco (RGB24). Numa ampliação (que o livro não faz) a média de área é a repetição do ponto
// mais próximo.
TSuperficie ReduzirImagem(cairo_surface_t* origem, int largura, int altura) {
    const int passoO = cairo_image_surface_get_stride(origem);
    const unsigned char* o = cairo_image_surface_get_data(origem);
    const auto horizontais = PesosDaReducao(cairo_image_surface_get_width(origem), largura);
    const auto verticais = PesosDaReducao(cairo_image_surface_get_height(origem), altura);
    const std::size_t linha = static_cast<std::size_t>(largura) * 3;
    // Uma linha da origem reduzida na horizontal, em pontos de três canais em 1/256.
    std::vector<std::uint32_t> reduzidaNaHorizontal(linha);
    const auto reduzirLinha = [&](int y) {
        const auto* px = reinterpret_cast<const std::uint32_t*>(o + static_cast<std::ptrdiff_t>(y) * passoO);
        std::uint32_t* l = reduzidaNaHorizontal.data();
        std::uint32_t soma[3] = {0, 0, 0};
        int destino = 0;
        for (const TPeso& p : horizontais) {
            if (p.Destino != destino) {
                for (int k = 0; k < 3; ++k) {
                    l[static_cast<std::size_t>(destino) * 3 + static_cast<std::size_t>(k)] = soma[k] >> 8U;
                    soma[k] = 0;
                }
                destino = p.Destino;
            }
            const std::uint32_t c = px[p.Origem];
            soma[0] += p.Peso * ((c >> 16U) & 0xFFU);
            soma[1] += p.Peso * ((c >> 8U) & 0xFFU);
            soma[2] += p.Peso * (c & 0xFFU);
        }
        for (int k = 0; k < 3; ++k) {
            l[static_cast<std::size_t>(destino) * 3 + static_cast<std::size_t>(k)] = soma[k] >> 8U;
        }
    };
    TSuperficie reduzida(cairo_image_surface_create(CAIRO_FORMAT_RGB24, largura, altura));
    cairo_surface_flush(reduzida.get());
    unsigned char* r = cairo_image_surface_get_data(reduzida.get());
    const int passoR = cairo_image_surface_get_stride(reduzida.get());
    // De 1/256 × 1/65536 para um tom inteiro, arredondado.
    const auto canal = [](std::uint64_t v) {
        return static_cast<std::uint32_t>(std::min<std::uint64_t>((v + (1ULL << 23U)) >> 24U, 255));
    };
    // A linha de destino que se está a somar, em 1/256 × 1/65536.
    std::vector<std::uint64_t> soma(linha, 0);
    const auto escreverLinha = [&](int y) {
        auto* px = reinterpret_cast<std::uint32_t*>(r + static_cast<std::ptrdiff_t>(y) * passoR);
        for (int x = 0; x < largura; ++x) {
            const auto k = static_cast<std::size_t>(x) * 3;
            px[x] = (canal(soma[k]) << 16U) | (canal(soma[k + 1]) << 8U) | canal(soma[k + 2]);
        }
        std::fill(soma.begin(), soma.end(), 0);
    };
    // Linha a linha, pela ordem dos pesos verticais: uma linha da origem que cai em dois destinos reduz-se uma
    // só vez, e a memória de trabalho são duas linhas em vez da imagem inteira.
    int linhaReduzida = -1;
    int destino = 0;
    for (const TPeso& p : verticais) {
        if (p.Destino != destino) {
            escreverLinha(destino);
            destino = p.Destino;
        }
        if (p.Origem != linhaReduzida) {
            reduzirLinha(p.Origem);
            linhaReduzida = p.Origem;
        }
        for (std::size_t k = 0; k < linha; ++k) {
            soma[k] += std::uint64_t{p.Peso} * reduzidaNaHorizontal[k];
        }
    }
    if (!verticais.empty()) {
        escreverLinha(destino);
    }
    cairo_surface_mark_dirty(reduzida.get());
    return reduzida;
}

} // namespace

const TGlifo& TFonteMedida::Glifo(char16_t c) {
    TGlifo& g = c < FLatinos.size() ? FLatinos[c] : FOutros[c];
    if (!g.Conhecido) {
        // O mesmo caminho que o cairo segue para um texto inteiro, só que uma vez por letra e por tamanho.
        const std::string utf8 = ParaUtf8(std::u16string_view(&c, 1));
        cairo_glyph_t* glifos = nullptr;
        int n = 0;
        if (cairo_scaled_font_text_to_glyphs(Fonte, 0, 0, utf8.data(), static_cast<int>(utf8.size()), &glifos, &n,
                                             nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS &&
            n == 1) {
            cairo_text_extents_t e;
            cairo_scaled_font_glyph_extents(Fonte, glifos, 1, &e);
            g.Indice = glifos[0].index;
            g.Avanco = e.x_advance;
        }
        cairo_glyph_free(glifos);
        g.Conhecido = true;
    }
    return g;
}

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

TFonteMedida& TFontesCairo::Fonte(bool negrito, std::int32_t emPx) {
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

cairo_surface_t* TFontesCairo::Imagem(std::u16string_view nome, std::int32_t largura, std::int32_t altura) {
    auto chave = std::make_tuple(std::u16string(nome), largura, altura);
    if (auto it = FImagens.find(chave); it != FImagens.end()) {
        return it->second.get();
    }
    if (largura <= 0 || altura <= 0) {
        return nullptr;
    }
    // Reduzida uma vez aqui, o PDF leva só os pontos que a impressão usa em vez da imagem inteira.
    TSuperficie reduzida = ReduzirImagem(ImagemDoRecurso(nome), largura, altura);
    return FImagens.emplace(std::move(chave), std::move(reduzida)).first->second.get();
}

TSuperficie ImagemSobreBranco(std::span<const std::uint8_t> png) {
    TLeituraPng leitura{png, 0};
    TSuperficie original(cairo_image_surface_create_from_png_stream(LerPng, &leitura));
    if (cairo_surface_status(original.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("Imagem: os dados não são uma imagem PNG válida");
    }
    const cairo_format_t formato = cairo_image_surface_get_format(original.get());
    if (formato == CAIRO_FORMAT_RGB24) {
        return original;
    }
    if (formato != CAIRO_FORMAT_ARGB32) {
        throw std::runtime_error("Imagem: formato de pontos inesperado");
    }
    // Em ARGB pré-multiplicado, cada canal c de um ponto de opacidade a fica c + 255 − a sobre branco, tal e qual
    // como pintado por cima de branco. Assenta-se na própria memória da descodificação, que a superfície RGB24
    // partilha e guarda: a imagem do selo é grande, e uma segunda cópia dela custava mais do que as contas.
    const int w = cairo_image_surface_get_width(original.get());
    const int h = cairo_image_surface_get_height(original.get());
    const int passo = cairo_image_surface_get_stride(original.get());
    cairo_surface_flush(original.get());
    unsigned char* dados = cairo_image_surface_get_data(original.get());
    for (int y = 0; y < h; ++y) {
        auto* px = reinterpret_cast<std::uint32_t*>(dados + static_cast<std::ptrdiff_t>(y) * passo);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t transparencia = 255U - (px[x] >> 24U);
            px[x] += transparencia * 0x010101U;
        }
    }
    TSuperficie plana(cairo_image_surface_create_for_data(dados, CAIRO_FORMAT_RGB24, w, h, passo));
    static const cairo_user_data_key_t MemoriaDaOriginal{};
    cairo_surface_t* memoria = original.release();
    if (cairo_surface_set_user_data(plana.get(), &MemoriaDaOriginal, memoria, [](void* s) {
            cairo_surface_destroy(static_cast<cairo_surface_t*>(s));
        }) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(memoria);
        throw std::bad_alloc();
    }
    return plana;
}

cairo_surface_t* ImagemDoRecurso(std::u16string_view nome) {
    static std::mutex trinco;
    static std::map<std::u16string, TSuperficie, std::less<>> imagens;
    const std::lock_guard guarda(trinco);
    if (auto it = imagens.find(nome); it != imagens.end()) {
        return it->second.get();
    }
    const auto bytes = VerRecurso(nome);
    if (!bytes) {
        throw std::runtime_error("Imagem: o recurso " + ParaUtf8(nome) + " não existe no executável");
    }
    return imagens.emplace(std::u16string(nome), ImagemSobreBranco(*bytes)).first->second.get();
}

TCanvasCairo::TCanvasCairo(cairo_t* ACanvas, std::int32_t ADpi, TFontesCairo& AFontes)
    : FCanvas(cairo_reference(ACanvas)), FDpi(ADpi), FFontes(AFontes) {}

TCanvasCairo::~TCanvasCairo() {
    Descarregar();
    cairo_destroy(FCanvas);
}

void TCanvasCairo::Descarregar() {
    DescarregarTexto();
    DescarregarTracos();
}

// O PDF posiciona os glifos seguidos de uma linha por avanços relativos, que a largura inteira de cada glifo
// no PDF vai desviando; um glifo numa linha nova leva uma posição absoluta. Saindo cada troço a seguir a um
// troço de outra linha, cada um recomeça numa posição exata, como quando cada texto saía sozinho.
void TCanvasCairo::OrdenarTrocos(const TCorridaGlifos& c) {
    const std::size_t n = c.Trocos.size();
    const auto fim = [&](std::size_t t) { return t + 1 < n ? c.Trocos[t + 1] : c.Glifos.size(); };
    const auto primeiraY = [&](std::size_t t) { return c.Glifos[c.Trocos[t]].y; };
    const auto ultimaY = [&](std::size_t t) { return c.Glifos[fim(t) - 1].y; };
    // Cabe entre a e b (troços já postos; n = nenhum) sem partilhar a linha com nenhum deles.
    const auto cabe = [&](std::size_t a, std::size_t t, std::size_t b) {
        return (a == n || ultimaY(a) != primeiraY(t)) && (b == n || ultimaY(t) != primeiraY(b));
    };
    std::vector<std::size_t> ordem;
    ordem.reserve(n);
    std::vector<bool> posto(n, false);
    std::size_t primeiro = 0; // o primeiro troço que ainda não foi posto
    while (ordem.size() < n) {
        while (posto[primeiro]) {
            ++primeiro;
        }
        std::size_t t = primeiro;
        const std::size_t anterior = ordem.empty() ? n : ordem.back();
        while (t < n && (posto[t] || !cabe(anterior, t, n))) {
            ++t;
        }
        if (t < n) {
            posto[t] = true;
            ordem.push_back(t);
            continue;
        }
        // Só restam troços da linha do último: o primeiro vai para onde caiba entre outros dois.
        t = primeiro;
        posto[t] = true;
        std::size_t onde = 0;
        while (onde < ordem.size() && !cabe(onde == 0 ? n : ordem[onde - 1], t, ordem[onde])) {
            ++onde;
        }
        ordem.insert(ordem.begin() + static_cast<std::ptrdiff_t>(onde), t);
    }
    FSaida.clear();
    for (const std::size_t t : ordem) {
        FSaida.insert(FSaida.end(), c.Glifos.begin() + static_cast<std::ptrdiff_t>(c.Trocos[t]),
                      c.Glifos.begin() + static_cast<std::ptrdiff_t>(fim(t)));
    }
}

void TCanvasCairo::DescarregarTexto() {
    for (const TCorridaGlifos& c : FCorridas) {
        OrdenarTrocos(c);
        cairo_set_scaled_font(FCanvas, c.Fonte);
        DefinirCinza(c.Cinza);
        cairo_show_glyphs(FCanvas, FSaida.data(), static_cast<int>(FSaida.size()));
    }
    FCorridas.clear();
    FUltimaCorrida = 0;
}

void TCanvasCairo::DescarregarTracos() {
    if (!FTracos) {
        return;
    }
    DefinirCinza(FTracos->Cinza);
    cairo_set_line_width(FCanvas, FTracos->LarguraPx);
    cairo_set_line_cap(FCanvas, FTracos->Ponta);
    cairo_set_line_join(FCanvas, FTracos->Juncao);
    cairo_stroke(FCanvas);
    FTracos.reset();
}

void TCanvasCairo::Tracar(const TCaneta& caneta) {
    DescarregarTexto();
    if (FTracos && *FTracos == caneta) {
        return;
    }
    DescarregarTracos();
    cairo_new_path(FCanvas);
    FTracos = caneta;
}

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
    Tracar({CanetaPx(AEspessuraPt, FDpi), ACinza, CAIRO_LINE_CAP_BUTT, CAIRO_LINE_JOIN_MITER});
    cairo_move_to(FCanvas, Px(x1), Px(y1));
    cairo_line_to(FCanvas, Px(x2), Px(y2));
}

void TCanvasCairo::ContornoCapsula(double x1, double y1, double x2, double y2, double ARaio, double AEspessuraPt,
                                   int ACinza) {
    if (ACinza == -1) {
        return;
    }
    Tracar({CanetaPx(AEspessuraPt, FDpi), ACinza, CAIRO_LINE_CAP_BUTT, CAIRO_LINE_JOIN_ROUND});
    // Centros e raio sem arredondar: o polígono de antes arredondava cada vértice desta mesma circunferência.
    const double k = FDpi / 25.4;
    const double a = std::atan2(y2 - y1, x2 - x1);
    const double pi = std::numbers::pi;
    cairo_new_sub_path(FCanvas);
    cairo_arc(FCanvas, x2 * k, y2 * k, ARaio * k, a - pi / 2, a + pi / 2);
    cairo_arc(FCanvas, x1 * k, y1 * k, ARaio * k, a + pi / 2, a + 3 * pi / 2);
    cairo_close_path(FCanvas);
}

void TCanvasCairo::Rectangulo(double x, double y, double ALargura, double AAltura, double AEspessuraPt, int AContorno,
                              int APreenchimento) {
    const auto [x1, y1, x2, y2] = RectanguloPx(x, y, ALargura, AAltura, FDpi);
    Descarregar();
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
    Descarregar();
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

double TCanvasCairo::Glifos(TFonteMedida& f, std::u16string_view texto) {
    FGlifos.clear();
    const bool pares = std::any_of(texto.begin(), texto.end(), [](char16_t c) { return c >= 0xD800 && c < 0xE000; });
    if (!pares) {
        // As posições somam os avanços pela ordem, como o cairo faz: a mesma largura, até ao último bit.
        double x = 0;
        for (const char16_t c : texto) {
            const TGlifo& g = f.Glifo(c);
            FGlifos.push_back({g.Indice, x, 0});
            x += g.Avanco;
        }
        return x;
    }
    // Raro: letras fora do plano básico passam pelo cairo.
    const std::string utf8 = ParaUtf8(texto);
    cairo_glyph_t* glifos = nullptr;
    int n = 0;
    if (cairo_scaled_font_text_to_glyphs(f.Fonte, 0, 0, utf8.data(), static_cast<int>(utf8.size()), &glifos, &n,
                                         nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS) {
        return -1;
    }
    cairo_text_extents_t e;
    cairo_scaled_font_glyph_extents(f.Fonte, glifos, n, &e);
    FGlifos.assign(glifos, glifos + n);
    cairo_glyph_free(glifos);
    return e.x_advance;
}

TFonteMedida* TCanvasCairo::PrepararTexto(std::u16string_view texto, double tamanhoPt, bool negrito, int cinza,
                                          std::int32_t& largura) {
    if (texto.empty() || cinza == -1) {
        return nullptr;
    }
    auto& f = FFontes.Fonte(negrito, EmPx(tamanhoPt, FDpi));
    const double avanco = Glifos(f, texto);
    if (avanco < 0) {
        return nullptr;
    }
    // A largura em unidades inteiras, a mesma que LarguraTexto devolve.
    largura = Arredondar(avanco);
    return &f;
}

void TCanvasCairo::Texto(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito, int ACinza,
                         TAlinhamento AAlinhamento) {
    std::int32_t w = 0;
    TFonteMedida* medida = PrepararTexto(ATexto, ATamanhoPt, ANegrito, ACinza, w);
    if (medida == nullptr) {
        return;
    }
    const TFonteMedida& f = *medida;
    const std::int32_t x0 = InicioAlinhado(Px(x), w, AAlinhamento);
    const double base = Px(y) + f.Ascendente;
    DescarregarTracos();
    std::size_t i = 0;
    while (i < FCorridas.size() && (FCorridas[i].Fonte != f.Fonte || FCorridas[i].Cinza != ACinza)) {
        ++i;
    }
    if (i == FCorridas.size()) {
        FCorridas.push_back({f.Fonte, ACinza, {}, {}});
    }
    TCorridaGlifos* corrida = &FCorridas[i];
    if (i != FUltimaCorrida || corrida->Trocos.empty()) {
        corrida->Trocos.push_back(corrida->Glifos.size());
    }
    FUltimaCorrida = i;
    for (cairo_glyph_t g : FGlifos) {
        g.x += x0;
        g.y += base;
        corrida->Glifos.push_back(g);
    }
}

void TCanvasCairo::TextoVertical(double x, double y, std::u16string_view ATexto, double ATamanhoPt, bool ANegrito,
                                 int ACinza, TAlinhamento AAlinhamento) {
    // Os mesmos glifos e avanços do texto deitado; só a matriz da letra roda, e a linha de base fica ao meio da
    // caixa da linha menos metade da diferença entre o ascendente e o descendente.
    std::int32_t w = 0;
    TFonteMedida* medida = PrepararTexto(ATexto, ATamanhoPt, ANegrito, ACinza, w);
    if (medida == nullptr) {
        return;
    }
    const TFonteMedida& f = *medida;
    const std::int32_t y0 = InicioAlinhado(Px(y), w, AAlinhamento);
    const double base = Px(x) - (f.Ascendente - f.Descendente) / 2.0;
    Descarregar();
    cairo_save(FCanvas);
    cairo_set_font_face(FCanvas, cairo_scaled_font_get_font_face(f.Fonte));
    cairo_font_options_t* opcoes = cairo_font_options_create();
    cairo_scaled_font_get_font_options(f.Fonte, opcoes);
    cairo_set_font_options(FCanvas, opcoes);
    cairo_font_options_destroy(opcoes);
    cairo_matrix_t m;
    cairo_matrix_init_rotate(&m, std::numbers::pi / 2);
    const double em = EmPx(ATamanhoPt, FDpi);
    cairo_matrix_scale(&m, em, em);
    cairo_set_font_matrix(FCanvas, &m);
    for (cairo_glyph_t& g : FGlifos) {
        g.y = y0 + g.x;
        g.x = base;
    }
    DefinirCinza(ACinza);
    cairo_show_glyphs(FCanvas, FGlifos.data(), static_cast<int>(FGlifos.size()));
    cairo_restore(FCanvas);
}

double TCanvasCairo::LarguraTexto(std::u16string_view ATexto, double ATamanhoPt, bool ANegrito) {
    if (ATexto.empty()) {
        return 0;
    }
    const double avanco = Glifos(FFontes.Fonte(ANegrito, EmPx(ATamanhoPt, FDpi)), ATexto);
    return avanco < 0 ? 0 : PxParaMm(Arredondar(avanco));
}

double TCanvasCairo::AlturaTexto(double ATamanhoPt) {
    const auto& f = FFontes.Fonte(false, EmPx(ATamanhoPt, FDpi));
    return PxParaMm(f.Ascendente + f.Descendente);
}

void TCanvasCairo::Imagem(double x, double y, double ALargura, double AAltura, std::u16string_view ANome) {
    const auto [x1, y1, x2, y2] = RectanguloPx(x, y, ALargura, AAltura, FDpi);
    cairo_surface_t* img = FFontes.Imagem(ANome, x2 - x1, y2 - y1);
    if (img == nullptr) {
        return;
    }
    Descarregar();
    cairo_save(FCanvas);
    cairo_new_path(FCanvas);
    // Um ponto da imagem por unidade do dispositivo: nada a escalar aqui.
    cairo_set_source_surface(FCanvas, img, x1, y1);
    cairo_rectangle(FCanvas, x1, y1, x2 - x1, y2 - y1);
    cairo_fill(FCanvas);
    cairo_restore(FCanvas);
}

// O canvas de medida de layout/Medida.hpp: um TCanvasCairo sobre uma superfície de imagem mínima, com as
// suas próprias fontes.
namespace {

// A superfície, o contexto e as fontes vivem tanto como o canvas que os usa.
struct TMedidor {
    TSuperficie Superficie{cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)};
    cairo_t* Contexto = cairo_create(Superficie.get());
    TFontesCairo Fontes;
    TCanvasCairo Canvas{Contexto, 300, Fontes};

    TMedidor() = default;
    TMedidor(const TMedidor&) = delete;
    TMedidor& operator=(const TMedidor&) = delete;
    ~TMedidor() { cairo_destroy(Contexto); }
};

} // namespace

std::shared_ptr<ICanvasPagina> CanvasDeMedida() {
    auto medidor = std::make_shared<TMedidor>();
    return std::shared_ptr<ICanvasPagina>(medidor, &medidor->Canvas);
}

} // namespace zelta
