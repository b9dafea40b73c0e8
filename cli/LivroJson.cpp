// O livro em JSON com o nlohmann/json. A escrita guarda as chaves pela ordem em que se escrevem; a leitura
// confere a forma de cada campo e deixa a verificação dos puzzles a book/Verificacao, a mesma da janela.
#include "cli/LivroJson.hpp"

#include "book/Opcoes.hpp"
#include "book/Verificacao.hpp"
#include "core/Ficheiros.hpp"
#include "core/Texto.hpp"
#include "themes/LeituraTema.hpp"

#include <nlohmann/json.hpp>

#include <cmath>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace zelta::cli {

namespace {

using TJson = nlohmann::ordered_json;
using TLido = nlohmann::json;

constexpr std::array<std::pair<TModoDirecoes, std::string_view>, 3> NomesDosModos{{
    {TModoDirecoes::mdSimples, "simples"},
    {TModoDirecoes::mdDiagonais, "diagonais"},
    {TModoDirecoes::mdTodas, "todas"},
}};

constexpr std::array<std::pair<TFormatoPagina, std::string_view>, 5> NomesDosFormatos{{
    {TFormatoPagina::fpA4, "a4"},
    {TFormatoPagina::fpA5, "a5"},
    {TFormatoPagina::fpCarta, "carta"},
    {TFormatoPagina::fp8x10, "8x10"},
    {TFormatoPagina::fp6x9, "6x9"},
}};

template <typename T, std::size_t N>
std::string NomeDe(const std::array<std::pair<T, std::string_view>, N>& nomes, T valor) {
    for (const auto& [v, nome] : nomes) {
        if (v == valor) {
            return std::string(nome);
        }
    }
    return std::string(nomes.front().second);
}

TJson PuzzleEmJson(std::size_t numero, const TPuzzle& p) {
    TJson linhas = TJson::array();
    const auto lado = static_cast<std::size_t>(p.Lado);
    for (std::size_t l = 0; l < lado && (l + 1) * lado <= p.Grelha.size(); ++l) {
        linhas.push_back(ParaUtf8(std::u16string_view(p.Grelha).substr(l * lado, lado)));
    }
    TJson palavras = TJson::array();
    for (const auto& w : p.Palavras) {
        palavras.push_back({{"texto", ParaUtf8(w.Texto)},
                            {"letras", ParaUtf8(w.Palavra)},
                            {"linha", w.Linha},
                            {"coluna", w.Coluna},
                            {"direcao", w.Direcao}});
    }
    return {{"numero", numero},
            {"tema", ParaUtf8(p.Tema)},
            {"lado", p.Lado},
            {"grelha", std::move(linhas)},
            {"palavras", std::move(palavras)}};
}

// A leitura.

// Um livro tem 5 níveis (livro, puzzles, puzzle, palavras, palavra); isto só trava listas encaixadas sem fim.
constexpr int MaxProfundidade = 32;

// Onde está o que se lê, para a frase: no livro (Puzzle 0), num puzzle, numa palavra de um puzzle.
struct TLugar {
    std::size_t Puzzle = 0;
    std::size_t Palavra = 0;
    std::string_view Prefixo; // «opcoes.» para os campos das opções
};

std::u16string Numero(std::size_t n) { return Decimal(static_cast<long long>(n)); }

// frase começa em minúscula e não tem ponto: fora dos puzzles ganha a maiúscula, dentro o número do puzzle.
[[noreturn]] void Falha(const TLugar& lugar, std::u16string frase) {
    if (lugar.Puzzle == 0) {
        frase[0] = MaiusculaSimples(frase[0]);
        throw EZelta(frase + u".");
    }
    throw EZelta(u"No puzzle " + Numero(lugar.Puzzle) + u", " + frase + u".");
}

std::u16string Campo(const TLugar& lugar, std::string_view nome) {
    std::u16string r = u"o campo «" + DeUtf8(lugar.Prefixo) + DeUtf8(nome) + u"»";
    if (lugar.Palavra > 0) {
        r += u" da palavra " + Numero(lugar.Palavra);
    }
    return r;
}

[[noreturn]] void TipoErrado(const TLugar& lugar, std::string_view nome, std::u16string_view esperado) {
    Falha(lugar, Campo(lugar, nome) + u" devia ser " + std::u16string(esperado));
}

const TLido& Membro(const TLido& objeto, std::string_view nome, const TLugar& lugar) {
    const auto i = objeto.find(std::string(nome));
    if (i == objeto.end()) {
        Falha(lugar, u"falta " + Campo(lugar, nome));
    }
    return *i;
}

template <typename T> T Inteiro(const TLido& objeto, std::string_view nome, const TLugar& lugar) {
    const TLido& v = Membro(objeto, nome, lugar);
    if (!v.is_number_integer()) {
        TipoErrado(lugar, nome, u"um número inteiro");
    }
    constexpr auto Min = static_cast<std::int64_t>(std::numeric_limits<T>::min());
    constexpr auto Max = static_cast<std::int64_t>(std::numeric_limits<T>::max());
    // Os inteiros sem sinal vêm como uint64; os com sinal como int64.
    const bool cabe = v.is_number_unsigned() ? v.get<std::uint64_t>() <= static_cast<std::uint64_t>(Max)
                                             : v.get<std::int64_t>() >= Min && v.get<std::int64_t>() <= Max;
    if (!cabe) {
        TipoErrado(lugar, nome, u"um número inteiro de " + Decimal(Min) + u" a " + Decimal(Max));
    }
    return v.is_number_unsigned() ? static_cast<T>(v.get<std::uint64_t>()) : static_cast<T>(v.get<std::int64_t>());
}

std::u16string Texto(const TLido& objeto, std::string_view nome, const TLugar& lugar) {
    const TLido& v = Membro(objeto, nome, lugar);
    if (!v.is_string()) {
        TipoErrado(lugar, nome, u"texto");
    }
    return NormalizarNfc(DeUtf8(v.get_ref<const std::string&>()));
}

bool Booleano(const TLido& objeto, std::string_view nome, const TLugar& lugar) {
    const TLido& v = Membro(objeto, nome, lugar);
    if (!v.is_boolean()) {
        TipoErrado(lugar, nome, u"true ou false");
    }
    return v.get<bool>();
}

const TLido& Lista(const TLido& objeto, std::string_view nome, const TLugar& lugar) {
    const TLido& v = Membro(objeto, nome, lugar);
    if (!v.is_array()) {
        TipoErrado(lugar, nome, u"uma lista");
    }
    return v;
}

template <typename T, std::size_t N>
T Escolha(const TLido& objeto, std::string_view nome, const TLugar& lugar,
          const std::array<std::pair<T, std::string_view>, N>& nomes) {
    const TLido& v = Membro(objeto, nome, lugar);
    if (v.is_string()) {
        for (const auto& [valor, n] : nomes) {
            if (v.get_ref<const std::string&>() == n) {
                return valor;
            }
        }
    }
    std::u16string lista;
    for (std::size_t i = 0; i < N; ++i) {
        lista += (i == 0 ? u"" : i + 1 == N ? u" ou " : u", ") + (u"«" + DeUtf8(nomes[i].second) + u"»");
    }
    TipoErrado(lugar, nome, lista);
}

TPalavraColocada LerPalavra(const TLido& j, const TLugar& lugar) {
    if (!j.is_object()) {
        Falha({lugar.Puzzle, 0, {}}, u"a palavra " + Numero(lugar.Palavra) + u" devia ser um objeto");
    }
    TPalavraColocada w;
    w.Texto = Texto(j, "texto", lugar);
    w.Palavra = Texto(j, "letras", lugar);
    w.Linha = Inteiro<std::int32_t>(j, "linha", lugar);
    w.Coluna = Inteiro<std::int32_t>(j, "coluna", lugar);
    w.Direcao = Inteiro<std::int32_t>(j, "direcao", lugar);
    return w;
}

TPuzzle LerPuzzle(const TLido& j, std::size_t numero) {
    const TLugar lugar{numero, 0, {}};
    if (!j.is_object()) {
        throw EZelta(u"O puzzle " + Numero(numero) + u" devia ser um objeto.");
    }
    TPuzzle p;
    p.Tema = Texto(j, "tema", lugar);
    p.Lado = Inteiro<std::int32_t>(j, "lado", lugar);
    // As linhas só se conferem contra um lado possível; um lado impossível diz-se na verificação.
    const bool conferir = TamanhoValido(p.Lado);
    const auto lado = static_cast<std::size_t>(p.Lado);
    const TLido& linhas = Lista(j, "grelha", lugar);
    if (conferir && linhas.size() != lado) {
        Falha(lugar, u"a grelha tem " + Numero(linhas.size()) + u" linhas em vez de " + Numero(lado));
    }
    for (std::size_t l = 0; l < linhas.size(); ++l) {
        if (!linhas[l].is_string()) {
            Falha(lugar, u"a linha " + Numero(l + 1) + u" da grelha devia ser texto");
        }
        const std::u16string linha = NormalizarNfc(DeUtf8(linhas[l].get_ref<const std::string&>()));
        if (conferir && linha.size() != lado) {
            Falha(lugar, u"a linha " + Numero(l + 1) + u" da grelha tem " + Numero(linha.size()) +
                             u" letras em vez de " + Numero(lado));
        }
        p.Grelha += linha;
    }
    const TLido& palavras = Lista(j, "palavras", lugar);
    for (std::size_t k = 0; k < palavras.size(); ++k) {
        p.Palavras.push_back(LerPalavra(palavras[k], {numero, k + 1, {}}));
    }
    return p;
}

// A linha e a coluna (em caracteres) do byte em que o nlohmann parou; posicao conta a partir de 1.
std::pair<std::size_t, std::size_t> LinhaEColuna(std::string_view bytes, std::size_t posicao) {
    const std::size_t fim = std::min(posicao > 0 ? posicao - 1 : 0, bytes.size());
    std::size_t linha = 1;
    std::size_t coluna = 1;
    for (std::size_t i = 0; i < fim; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\n') {
            ++linha;
            coluna = 1;
        } else if ((b & 0xC0) != 0x80) {
            ++coluna;
        }
    }
    return {linha, coluna};
}

// Uma passagem sem construir nada: trava as listas encaixadas sem fim antes de gastarem memória e guarda onde
// a leitura parou, que a construção da árvore não diz (num número grande de mais, nem a posição).
class TValidador final : public nlohmann::json_sax<TLido> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool key(string_t&) override { return true; }
    bool start_object(std::size_t) override { return Entrar(); }
    bool end_object() override { return Sair(); }
    bool start_array(std::size_t) override { return Entrar(); }
    bool end_array() override { return Sair(); }
    bool parse_error(std::size_t posicao, const std::string&, const TLido::exception& e) override {
        FPosicao = posicao;
        FNumeroGrande = e.id == 406;
        return false;
    }

    // A frase da falta, depois de sax_parse devolver falso.
    std::u16string Frase(std::string_view bytes) const {
        if (FFundo) {
            return u"O livro não é JSON de um livro: tem mais de " + Decimal(MaxProfundidade) +
                   u" listas e objetos uns dentro dos outros.";
        }
        const auto [linha, coluna] = LinhaEColuna(bytes, FPosicao);
        return (FNumeroGrande ? u"O livro tem um número grande de mais (linha "
                              : u"O livro não é JSON válido (linha ") +
               Numero(linha) + u", coluna " + Numero(coluna) + u").";
    }

private:
    bool Entrar() {
        FFundo = ++FProfundidade > MaxProfundidade;
        return !FFundo;
    }
    bool Sair() {
        --FProfundidade;
        return true;
    }

    int FProfundidade = 0;
    bool FFundo = false;
    bool FNumeroGrande = false;
    std::size_t FPosicao = 0;
};

// A maior profundidade de listas e objetos, contada fora das cadeias sem construir nada: basta para saber que
// a árvore não vai gastar memória sem fim.
int Profundidade(std::string_view bytes) {
    int atual = 0;
    int maior = 0;
    bool emCadeia = false;
    bool escapado = false;
    for (const char c : bytes) {
        if (escapado) {
            escapado = false;
        } else if (emCadeia) {
            escapado = c == '\\';
            emCadeia = c != '"';
        } else if (c == '"') {
            emCadeia = true;
        } else if (c == '[' || c == '{') {
            maior = std::max(maior, ++atual);
        } else if (c == ']' || c == '}') {
            --atual;
        }
    }
    return maior;
}

TLido Analisar(std::string_view bytes) {
    // Um livro bem formado lê-se numa passagem; o validador só volta ao princípio para dizer onde está a falta.
    if (Profundidade(bytes) <= MaxProfundidade) {
        TLido raiz = TLido::parse(bytes.begin(), bytes.end(), nullptr, false);
        if (!raiz.is_discarded()) {
            return raiz;
        }
    }
    TValidador validador;
    if (!TLido::sax_parse(bytes.begin(), bytes.end(), &validador)) {
        throw EZelta(validador.Frase(bytes));
    }
    return TLido::parse(bytes.begin(), bytes.end());
}

TLivroLido LerLivro(const TLido& raiz) {
    if (!raiz.is_object()) {
        throw EZelta(u"O livro devia ser um objeto JSON.");
    }
    const TLugar noLivro;
    const auto versao = Inteiro<std::int32_t>(raiz, "versao", noLivro);
    if (versao != VersaoLivroJson) {
        throw EZelta(u"O livro é da versão " + Decimal(versao) +
                     u" do formato, que este programa não conhece; só lê a versão " + Decimal(VersaoLivroJson) + u".");
    }
    TLivroLido r;
    TConfigLivro& c = r.Livro.Config;
    const TLido& opcoes = Membro(raiz, "opcoes", noLivro);
    if (!opcoes.is_object()) {
        TipoErrado(noLivro, "opcoes", u"um objeto");
    }
    const TLugar nasOpcoes{0, 0, "opcoes."};
    r.Entrada = Texto(opcoes, "livro", nasOpcoes);
    DefinirEntrada(c, r.Entrada);
    c.Lado = Inteiro<std::int32_t>(opcoes, "tamanho", nasOpcoes);
    c.Modo = Escolha(opcoes, "direcoes", nasOpcoes, NomesDosModos);
    c.MinLetras = Inteiro<std::int32_t>(opcoes, "minLetras", nasOpcoes);
    c.MaxLetras = Inteiro<std::int32_t>(opcoes, "maxLetras", nasOpcoes);
    c.NumPalavras = Inteiro<std::int32_t>(opcoes, "palavras", nasOpcoes);
    c.Titulo = Texto(opcoes, "titulo", nasOpcoes);
    c.Acentos = Booleano(opcoes, "acentos", nasOpcoes);
    r.Livro.Impressao.Formato = Escolha(opcoes, "formato", nasOpcoes, NomesDosFormatos);
    r.Livro.Impressao.Encadernar = Booleano(opcoes, "encadernar", nasOpcoes);
    r.Livro.Impressao.LetraGrande = Booleano(opcoes, "letraGrande", nasOpcoes);
    c.Semente = Inteiro<std::uint32_t>(raiz, "semente", noLivro);
    const TLido& puzzles = Lista(raiz, "puzzles", noLivro);
    r.Livro.Puzzles.reserve(std::min<std::size_t>(puzzles.size(), MaximoDePuzzles + 1));
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        r.Livro.Puzzles.push_back(LerPuzzle(puzzles[i], i + 1));
    }
    // Um puzzle tirado à mão não é falta: o livro tem os que lá estão.
    c.NumPuzzles = static_cast<std::int32_t>(puzzles.size());
    return r;
}

} // namespace

std::string LivroEmJson(const TDadosLivro& livro, std::u16string_view entrada, const TRelatorioLivro& relatorio,
                        const std::optional<TMedidasCapa>& capa) {
    const TConfigLivro& config = livro.Config;
    TJson j;
    j["versao"] = VersaoLivroJson;
    j["opcoes"] = {{"livro", ParaUtf8(entrada)},
                   {"tamanho", config.Lado},
                   {"direcoes", NomeDe(NomesDosModos, config.Modo)},
                   {"minLetras", config.MinLetras},
                   {"maxLetras", config.MaxLetras},
                   {"palavras", config.NumPalavras},
                   {"puzzles", config.NumPuzzles},
                   {"titulo", ParaUtf8(config.Titulo)},
                   {"acentos", config.Acentos},
                   {"formato", NomeDe(NomesDosFormatos, livro.Impressao.Formato)},
                   {"encadernar", livro.Impressao.Encadernar},
                   {"letraGrande", livro.Impressao.LetraGrande}};
    j["semente"] = config.Semente;
    TJson lista = TJson::array();
    for (std::size_t i = 0; i < livro.Puzzles.size(); ++i) {
        lista.push_back(PuzzleEmJson(i + 1, livro.Puzzles[i]));
    }
    j["puzzles"] = std::move(lista);
    TJson falhas = TJson::array();
    for (const auto& f : relatorio.Falhas) {
        falhas.push_back(ParaUtf8(f));
    }
    j["falhas"] = std::move(falhas);
    if (capa) {
        // Ao centésimo de mm: a gráfica não precisa de mais, e o texto não depende dos arredondamentos do double.
        const auto mm = [](double v) { return std::round(v * 100) / 100; };
        j["capa"] = {{"papel", capa->Papel},           {"paginas", capa->Paginas},
                     {"larguraMm", mm(capa->Largura)}, {"alturaMm", mm(capa->Altura)},
                     {"lombadaMm", mm(capa->Lombada)}, {"sangriaMm", mm(capa->Sangria)}};
    }
    return j.dump(2) + "\n";
}

TLivroLido LerLivroJson(std::string_view bytes, const std::vector<std::u16string>& listaNegra) {
    if (bytes.size() > MaxBytesLivroJson) {
        throw EZelta(u"O livro tem mais de " + Decimal(MaxBytesLivroJson / (1024 * 1024)) +
                     u" MiB; nenhum livro é tão grande.");
    }
    TLivroLido r = LerLivro(Analisar(bytes));
    if (const auto falta = FaltaNoLivro(r.Livro, listaNegra)) {
        throw EZelta(*falta);
    }
    // Como o campo da janela e o --titulo: aparado (as pontas já passaram pela verificação dos controlos).
    r.Livro.Config.Titulo = std::u16string(Aparar(r.Livro.Config.Titulo));
    return r;
}

std::string LerFicheiroLivroJson(const std::filesystem::path& caminho) {
    const auto demasiadoGrande = [&caminho] {
        return EZelta(FraseFalhaLer(caminho, u"tem mais de " + Decimal(MaxBytesLivroJson / (1024 * 1024)) +
                                                 u" MiB, mais do que qualquer livro"));
    };
    // Pelo tamanho antes de ler; o que não é ficheiro comum ou não se lê fica para a frase de LerFicheiro.
    std::error_code erro;
    if (const auto tamanho = std::filesystem::file_size(caminho, erro); !erro && tamanho > MaxBytesLivroJson) {
        throw demasiadoGrande();
    }
    const std::vector<std::uint8_t> bytes = LerFicheiro(caminho);
    if (bytes.size() > MaxBytesLivroJson) {
        throw demasiadoGrande();
    }
    return std::string(bytes.begin(), bytes.end());
}

TLivroLido LerLivroJsonDeFicheiro(const std::filesystem::path& caminho, const std::vector<std::u16string>& listaNegra) {
    return LerLivroJson(LerFicheiroLivroJson(caminho), listaNegra);
}

} // namespace zelta::cli
