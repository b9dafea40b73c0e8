// Leitura de um ficheiro de tema: bytes → texto (UTF-8, UTF-16 com marca ou Windows-1252), linhas, cabeçalhos
// e palavras validadas, com o relatório do que foi aceite, repetido e rejeitado.
#include "themes/LeituraTema.hpp"

#include "core/Ficheiros.hpp"
#include "core/Texto.hpp"
#include "themes/Interno.hpp"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

using detalhe::TextoDoCaminho;

std::u16string Utf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::u16string t;
    t.reserve(bytes.size() / 2 + 1);
    const std::size_t pares = bytes.size() / 2;
    for (std::size_t i = 0; i < pares; ++i) {
        const std::uint8_t a = bytes[2 * i];
        const std::uint8_t b = bytes[2 * i + 1];
        t.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
    }
    // Substitutos órfãos não são caracteres: ficam U+FFFD, como nas sequências UTF-8 malformadas.
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (U16_IS_LEAD(t[i]) && i + 1 < t.size() && U16_IS_TRAIL(t[i + 1])) {
            ++i;
        } else if (U16_IS_SURROGATE(t[i])) {
            t[i] = u'\uFFFD';
        }
    }
    // Um byte final sem par é um carácter cortado.
    if (bytes.size() % 2 != 0) {
        t.push_back(u'\uFFFD');
    }
    return t;
}

// Sem marca só se aceita UTF-16 que se descodifica sem falhas: tamanho par, substitutos aos pares, sem NUL.
bool Utf16SemFalhas(std::span<const std::uint8_t> bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        return false;
    }
    bool esperaSegundo = false;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto c =
            static_cast<char16_t>(bigEndian ? (bytes[i] << 8 | bytes[i + 1]) : (bytes[i + 1] << 8 | bytes[i]));
        if (esperaSegundo != U16_IS_TRAIL(c) || c == 0) {
            return false;
        }
        esperaSegundo = U16_IS_LEAD(c);
    }
    return !esperaSegundo;
}

// 0 = não parece UTF-16; 1 = little endian; 2 = big endian. O texto latino em UTF-16 tem o byte alto a zero
// em quase todos os caracteres; chega olhar para o primeiro mebibyte.
int Utf16SemMarca(std::span<const std::uint8_t> bytes) {
    const std::size_t pares = std::min<std::size_t>(bytes.size(), 1U << 20) / 2;
    if (pares < 2) {
        return 0;
    }
    std::size_t zerosPares = 0;
    std::size_t zerosImpares = 0;
    for (std::size_t i = 0; i < pares; ++i) {
        zerosPares += bytes[2 * i] == 0 ? 1U : 0U;
        zerosImpares += bytes[2 * i + 1] == 0 ? 1U : 0U;
    }
    if (zerosImpares * 10 >= pares * 6 && zerosPares * 4 <= zerosImpares) {
        return 1;
    }
    if (zerosPares * 10 >= pares * 6 && zerosImpares * 4 <= zerosPares) {
        return 2;
    }
    return 0;
}

std::u16string Windows1252(std::span<const std::uint8_t> bytes) {
    UErrorCode erro = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> conv(ucnv_open("windows-1252", &erro), &ucnv_close);
    if (U_FAILURE(erro)) {
        throw EZelta(u"BytesParaTexto: conversor windows-1252 indisponível");
    }
    // Um byte dá sempre uma unidade de código.
    std::u16string t(bytes.size(), u'\0');
    const auto n =
        ucnv_toUChars(conv.get(), t.data(), static_cast<int32_t>(t.size()), reinterpret_cast<const char*>(bytes.data()),
                      static_cast<int32_t>(bytes.size()), &erro);
    if (U_FAILURE(erro)) {
        throw EZelta(u"BytesParaTexto: falha na conversão de windows-1252");
    }
    t.resize(static_cast<std::size_t>(n));
    return t;
}

constexpr std::size_t MaxDetalhe = 30;

bool ComecaPorSemCaixa(std::u16string_view s, std::u16string_view chave) {
    return s.size() >= chave.size() && IguaisSemCaixaAscii(s.substr(0, chave.size()), chave);
}

struct Descritor {
    int Fd;
    explicit Descritor(int fd) : Fd(fd) {}
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
    ~Descritor() { ::close(Fd); }
};

[[noreturn]] void FalhaDeLeitura(const std::filesystem::path& caminho, std::u16string_view razao) {
    throw EZelta(FraseFalhaLer(caminho, razao));
}

[[noreturn]] void FalhaDeLeitura(const std::filesystem::path& caminho, int erro) {
    throw EZelta(FraseFalhaLer(caminho, erro));
}

void VerCancelar(const std::atomic<bool>* cancelar) {
    if (cancelar != nullptr && cancelar->load(std::memory_order_relaxed)) {
        throw ELeituraCancelada();
    }
}

// Bytes de uma palavra aceite escrita em UTF-8 com CR LF: as letras do alfabeto têm dois bytes no máximo.
std::size_t BytesEscritos(std::u16string_view texto) {
    std::size_t n = 2;
    for (const char16_t c : texto) {
        n += c < 0x80 ? 1 : 2;
    }
    return n;
}

// Palavras prováveis: as linhas com alguma coisa que não começam por #. Conta-se antes de ler para reservar de
// uma vez, sem as cópias do crescimento do vetor, que num tema enorme pesam mais do que as palavras.
std::size_t LinhasDePalavras(std::u16string_view texto) {
    std::size_t n = 0;
    detalhe::ParaCadaLinha(texto, [&n](std::u16string_view l) {
        l = Aparar(l);
        n += (!l.empty() && l.front() != u'#') ? 1U : 0U;
    });
    return n;
}

} // namespace

bool Utf8Valido(std::span<const std::uint8_t> bytes, std::size_t inicio) {
    std::size_t i = inicio;
    while (i < bytes.size()) {
        const std::uint8_t b = bytes[i];
        std::size_t seguintes = 0;
        if (b <= 0x7F) {
            seguintes = 0;
        } else if (b >= 0xC2 && b <= 0xDF) {
            seguintes = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            seguintes = 2;
        } else if (b >= 0xF0 && b <= 0xF4) {
            seguintes = 3;
        } else {
            return false;
        }
        if (bytes.size() - i - 1 < seguintes) {
            return false;
        }
        for (std::size_t k = 1; k <= seguintes; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) {
                return false;
            }
        }
        i += seguintes + 1;
    }
    return true;
}

ELeituraCancelada::ELeituraCancelada() : EZelta(u"A leitura dos temas foi interrompida.") {}

bool PareceUtf16SemMarca(std::span<const std::uint8_t> bytes) { return Utf16SemMarca(bytes) != 0; }

std::u16string BytesParaTexto(std::span<const std::uint8_t> bytes) {
    std::u16string t;
    const std::size_t inicio = (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) ? 3 : 0;
    const auto resto = bytes.subspan(inicio);
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        t = Utf16(bytes.subspan(2), false);
    } else if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        t = Utf16(bytes.subspan(2), true);
    } else if (const int sem = inicio == 0 ? Utf16SemMarca(bytes) : 0; sem != 0 && Utf16SemFalhas(bytes, sem == 2)) {
        t = Utf16(bytes, sem == 2);
    } else if (Utf8Valido(bytes, inicio)) {
        // Formas longas e substitutos codificados passam o teste; o ICU troca-os por U+FFFD.
        t = DeUtf8(std::string_view(reinterpret_cast<const char*>(resto.data()), resto.size()));
    } else {
        t = Windows1252(resto);
    }
    NormalizarNfcNoLugar(t);
    return t;
}

std::vector<std::u16string> CortarLinhas(std::u16string_view texto) {
    std::vector<std::u16string> linhas;
    detalhe::ParaCadaLinha(texto, [&linhas](std::u16string_view l) { linhas.emplace_back(l); });
    return linhas;
}

namespace detalhe {

TLeitorTema::TLeitorTema(std::u16string_view nomePorOmissao, bool soContar) : FSoContar(soContar) {
    FLido.Tema.Nome = std::u16string(nomePorOmissao);
    FLido.Tema.Grupo = u"Os meus temas";
    FLido.Tema.Origem = TOrigemTema::otPasta;
    if (FSoContar) {
        FInicio.push_back(0);
    }
}

void TLeitorTema::Reservar(std::size_t palavras, std::size_t letras) {
    // Num ficheiro de lixo (milhões de linhas repetidas) a contagem das linhas engana: a reserva tem teto, e
    // acima dele o vetor e o conjunto crescem como de costume. Só a contar, as casas são pequenas e o teto mais
    // alto poupa o pico do crescimento num tema enorme, que é o que o resumo tem de aguentar.
    palavras = std::min<std::size_t>(palavras, FSoContar ? 1U << 22 : 1U << 20);
    if (FSoContar) {
        FInicio.reserve(palavras + 1);
        FLetras.reserve(letras);
    } else {
        FLido.Tema.Palavras.reserve(palavras, letras);
    }
    FVistas.Reiniciar(palavras);
}

bool TLeitorTema::Nova() {
    if (FSoContar) {
        const auto forma = [this](std::uint32_t i) -> std::u16string_view {
            return std::u16string_view(FLetras).substr(FInicio[i], FInicio[i + 1] - FInicio[i]);
        };
        return FVistas.Inserir(forma(static_cast<std::uint32_t>(FInicio.size() - 2)),
                               static_cast<std::uint32_t>(FInicio.size() - 2), forma);
    }
    const auto& palavras = FLido.Tema.Palavras;
    return FVistas.Inserir(palavras.back().Letras, static_cast<std::uint32_t>(palavras.size() - 1),
                           [&palavras](std::uint32_t i) -> std::u16string_view { return palavras[i].Letras; });
}

void TLeitorTema::Escrita(std::size_t bytes) {
    FEscritos += bytes;
    if (FLimiteEscrita != 0 && FEscritos > FLimiteEscrita) {
        throw EZelta(u"O tema ficaria com mais de " + Decimal(static_cast<long long>(FLimiteEscrita >> 20)) +
                     u" MiB, o limite que a leitura dos temas aceita; divida a lista em vários ficheiros.");
    }
}

void TLeitorTema::Cabecalho(std::u16string_view resto) {
    TTema& tema = FLido.Tema;
    TRelatorioTema& rel = FLido.Relatorio;
    // Um nome ou grupo com caracteres de controlo mudaria o terminal de quem o lista, ou partiria o cabeçalho
    // que a importação escreve.
    const auto valor = [](std::u16string_view v) { return std::u16string(Aparar(ControlosParaEspacos(v))); };
    if (ComecaPorSemCaixa(resto, u"Tema:")) {
        if (auto v = valor(resto.substr(5)); !v.empty()) {
            tema.Nome = std::move(v);
            rel.TemNome = true;
        }
    } else if (ComecaPorSemCaixa(resto, u"Grupo:")) {
        if (auto v = valor(resto.substr(6)); !v.empty()) {
            tema.Grupo = std::move(v);
            rel.TemGrupo = true;
        }
    }
}

void TLeitorTema::Linha(std::u16string_view linha) {
    ++FNumero;
    if ((FNumero & 0x3FFF) == 0) {
        VerCancelar(FCancelar);
    }
    linha = Aparar(linha);
    if (linha.empty()) {
        return;
    }
    if (linha.front() == u'#') {
        Cabecalho(Aparar(linha.substr(1)));
    } else if (FSoContar) {
        Contar(linha);
    } else {
        Aceitar(linha);
    }
}

void TLeitorTema::Aceitar(std::u16string_view linha) {
    TRelatorioTema& rel = FLido.Relatorio;
    auto& palavras = FLido.Tema.Palavras;
    if (const std::size_t letras = JaLimpa(linha); letras != 0) {
        FLetrasDaLinha.clear();
        FLetrasDaLinha.reserve(letras);
        for (const char16_t c : linha) {
            if (LetraValida(c)) {
                FLetrasDaLinha.push_back(c);
            }
        }
        palavras.push_back({linha, FLetrasDaLinha});
    } else {
        const TLinhaValidada v = ValidarLinha(linha);
        if (!v.Aceite) {
            ++rel.Rejeitadas;
            if (rel.Detalhe.size() < MaxDetalhe) {
                // O que vem do ficheiro pode ter controlos: o detalhe chega a um terminal já seguro.
                rel.Detalhe.push_back(u"linha " + Decimal(static_cast<long long>(FNumero)) + u": «" +
                                      TextoParaTerminal(linha) + u"» - " + TextoParaTerminal(v.Motivo));
            }
            return;
        }
        palavras.push_back({v.Texto, v.Letras});
    }
    // O conjunto das vistas guarda índices das palavras aceites, sem copiar as letras: a candidata entra
    // nas palavras e sai se já lá estava.
    if (Nova()) {
        ++rel.Aceites;
        Escrita(BytesEscritos(palavras.back().Texto));
    } else {
        palavras.pop_back();
        ++rel.Repetidas;
    }
}

void TLeitorTema::Contar(std::u16string_view linha) {
    TRelatorioTema& rel = FLido.Relatorio;
    const std::size_t antes = FLetras.size();
    std::size_t escritos = 0;
    if (JaLimpa(linha) != 0) {
        for (const char16_t c : linha) {
            if (LetraValida(c)) {
                FLetras.push_back(c);
            }
        }
        escritos = BytesEscritos(linha);
    } else {
        const TLinhaValidada v = ValidarLinha(linha);
        if (!v.Aceite) {
            ++rel.Rejeitadas;
            return;
        }
        FLetras += v.Letras;
        escritos = BytesEscritos(v.Texto);
    }
    FInicio.push_back(static_cast<std::uint32_t>(FLetras.size()));
    if (Nova()) {
        ++rel.Aceites;
        FMaior = std::max(FMaior, static_cast<std::int32_t>(FLetras.size() - antes));
        Escrita(escritos);
    } else {
        FInicio.pop_back();
        FLetras.resize(antes);
        ++rel.Repetidas;
    }
}

// Assim poupam-se as cópias da validação completa, que é o que pesa no dicionário.
std::size_t TLeitorTema::JaLimpa(std::u16string_view linha) {
    if (!LetraValida(linha.front()) || !LetraValida(linha.back())) {
        return 0;
    }
    std::size_t letras = 0;
    for (std::size_t i = 0; i < linha.size(); ++i) {
        const char16_t c = linha[i];
        if (LetraValida(c)) {
            ++letras;
        } else if (c == u' ') {
            if (linha[i - 1] == u' ') {
                return 0;
            }
        } else if (c != u'-' && c != u'\'') {
            return 0;
        }
    }
    return letras;
}

TTemaLido TLeitorTema::Fim() {
    FLetras = {};
    FInicio = {};
    return std::move(FLido);
}

TTemaLido LerTemaDoTexto(std::u16string_view texto, std::u16string_view nomePorOmissao) {
    TLeitorTema leitor(nomePorOmissao);
    leitor.Reservar(LinhasDePalavras(texto));
    ParaCadaLinha(texto, [&leitor](std::u16string_view l) { leitor.Linha(l); });
    return leitor.Fim();
}

std::u16string NomeDoFicheiro(const std::filesystem::path& caminho) {
    // O nome do ficheiro pode ter quebras de linha, controlos ou brancos nas pontas, e vir decomposto de um
    // Mac; como nome de tema vai para cabeçalhos e listagens.
    const std::u16string nome = NormalizarNfc(ControlosParaEspacos(TextoDoCaminho(caminho.filename())));
    return std::u16string(Aparar(SemUltimaExtensao(nome)));
}

std::u16string TextoDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar) {
    std::u16string texto;
    {
        const std::vector<std::uint8_t> bytes = LerFicheiro(caminho, cancelar);
        if (const int sem = Utf16SemMarca(bytes); sem != 0 && !Utf16SemFalhas(bytes, sem == 2)) {
            FalhaDeLeitura(caminho, u"parece texto em UTF-16 sem a marca de ordem dos bytes, mas não se "
                                    u"descodifica assim; grave-o em UTF-8");
        }
        texto = BytesParaTexto(bytes);
    }
    VerCancelar(cancelar);
    return texto;
}

TTemaLido LerTemaDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar, bool soContar,
                            std::uint64_t limiteEscrita, std::int32_t* maior) {
    const std::u16string texto = TextoDeFicheiro(caminho, cancelar);
    TLeitorTema leitor(NomeDoFicheiro(caminho), soContar);
    leitor.Cancelar(cancelar);
    leitor.LimitarEscrita(limiteEscrita);
    leitor.Reservar(LinhasDePalavras(texto), texto.size());
    ParaCadaLinha(texto, [&leitor](std::u16string_view l) { leitor.Linha(l); });
    if (maior != nullptr) {
        *maior = leitor.MaiorPalavra();
    }
    return leitor.Fim();
}

} // namespace detalhe

TTemaLido LerTema(const std::vector<std::u16string>& linhas, std::u16string_view nomePorOmissao) {
    detalhe::TLeitorTema leitor(nomePorOmissao);
    leitor.Reservar(linhas.size());
    for (const auto& l : linhas) {
        leitor.Linha(l);
    }
    return leitor.Fim();
}

std::vector<std::uint8_t> LerFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar) {
    // Sem bloqueio: abrir um FIFO sem escritor não pode pendurar o programa.
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        FalhaDeLeitura(caminho, errno);
    }
    const Descritor fecho{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        FalhaDeLeitura(caminho, errno);
    }
    if (S_ISDIR(st.st_mode)) {
        FalhaDeLeitura(caminho, EISDIR);
    }
    // Dispositivos e FIFOs podem não acabar nunca: só ficheiros comuns.
    if (!S_ISREG(st.st_mode)) {
        FalhaDeLeitura(caminho, ErroNaoFicheiroComum);
    }
    if (static_cast<std::uint64_t>(st.st_size) > MaxBytesTema) {
        FalhaDeLeitura(caminho, u"é demasiado grande");
    }
    std::vector<std::uint8_t> bytes;
    // Mais um byte para dar pelo fim sem uma segunda volta quando o tamanho não mudou.
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t lidos = 0;
    // Aos bocados, para um pedido de cancelar não esperar pelo ficheiro inteiro.
    constexpr std::size_t Bocado = 8U << 20;
    for (;;) {
        VerCancelar(cancelar);
        if (lidos == bytes.size()) {
            if (bytes.size() > MaxBytesTema) {
                FalhaDeLeitura(caminho, u"é demasiado grande");
            }
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n = ::read(fd, bytes.data() + lidos, std::min(Bocado, bytes.size() - lidos));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            FalhaDeLeitura(caminho, errno);
        }
        if (n == 0) {
            break;
        }
        lidos += static_cast<std::size_t>(n);
    }
    bytes.resize(lidos);
    return bytes;
}

TTemaLido LerTemaDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar) {
    return detalhe::LerTemaDeFicheiro(caminho, cancelar, false, 0, nullptr);
}

} // namespace zelta
