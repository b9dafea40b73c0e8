// Leitura de um ficheiro de tema: bytes → texto (UTF-8, UTF-16 com marca ou Windows-1252), linhas, cabeçalhos
// e palavras validadas, com o relatório do que foi aceite, repetido e rejeitado.
#include "themes/LeituraTema.hpp"

#include "core/Texto.hpp"
#include "themes/Interno.hpp"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

using detalhe::TextoDoCaminho;

// Um tema real tem kilobytes; acima disto o ficheiro não é um tema e lê-lo esgotaria a memória.
constexpr std::uint64_t MaxBytesFicheiro = 256ULL * 1024 * 1024;

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

// As razões mais comuns em português; as outras na descrição do sistema.
std::u16string RazaoDoSistema(int erro) {
    switch (erro) {
    case ENOENT:
        return u"o ficheiro não existe";
    case EACCES:
    case EPERM:
        return u"sem permissão de leitura";
    case EISDIR:
        return u"é uma pasta";
    case ENOMEM:
        return u"memória insuficiente";
    case EIO:
        return u"erro de entrada/saída";
    default:
        return DeUtf8(std::strerror(erro));
    }
}

struct Descritor {
    int Fd;
    explicit Descritor(int fd) : Fd(fd) {}
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
    ~Descritor() { ::close(Fd); }
};

[[noreturn]] void FalhaDeLeitura(const std::filesystem::path& caminho, const std::u16string& razao) {
    throw EZelta(u"Não foi possível ler o ficheiro " + TextoDoCaminho(caminho) + u": " + razao + u".");
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

std::u16string BytesParaTexto(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return {};
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return Utf16(bytes.subspan(2), false);
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        return Utf16(bytes.subspan(2), true);
    }
    const std::size_t inicio = (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) ? 3 : 0;
    const auto resto = bytes.subspan(inicio);
    if (Utf8Valido(bytes, inicio)) {
        // Formas longas e substitutos codificados passam o teste; o ICU troca-os por U+FFFD.
        return DeUtf8(std::string_view(reinterpret_cast<const char*>(resto.data()), resto.size()));
    }
    return Windows1252(resto);
}

std::vector<std::u16string> CortarLinhas(std::u16string_view texto) {
    std::vector<std::u16string> linhas;
    detalhe::ParaCadaLinha(texto, [&linhas](std::u16string_view l) { linhas.emplace_back(l); });
    return linhas;
}

namespace detalhe {

TLeitorTema::TLeitorTema(std::u16string_view nomePorOmissao) {
    FLido.Tema.Nome = std::u16string(nomePorOmissao);
    FLido.Tema.Grupo = u"Os meus temas";
    FLido.Tema.Origem = TOrigemTema::otPasta;
}

void TLeitorTema::Reservar(std::size_t linhas) {
    // Num ficheiro enorme a maioria das linhas pode ser lixo: a reserva tem teto. Só antes da primeira linha.
    const std::size_t n = std::min<std::size_t>(linhas, 1U << 16);
    FLido.Tema.Palavras.reserve(n);
    FVistas.Reiniciar(n);
}

bool TLeitorTema::Nova() {
    const auto& palavras = FLido.Tema.Palavras;
    return FVistas.Inserir(palavras.back().Letras, static_cast<std::uint32_t>(palavras.size() - 1),
                           [&palavras](std::uint32_t i) -> std::u16string_view { return palavras[i].Letras; });
}

void TLeitorTema::Linha(std::u16string_view linha) {
    ++FNumero;
    TTema& tema = FLido.Tema;
    TRelatorioTema& rel = FLido.Relatorio;
    if (FNumero == 1 && !linha.empty() && linha.front() == u'\uFEFF') {
        linha.remove_prefix(1);
    }
    linha = Aparar(linha);
    if (linha.empty()) {
        return;
    }
    if (linha.front() == u'#') {
        const std::u16string_view resto = Aparar(linha.substr(1));
        if (ComecaPorSemCaixa(resto, u"Tema:")) {
            if (const auto valor = Aparar(resto.substr(5)); !valor.empty()) {
                tema.Nome = std::u16string(valor);
                rel.TemNome = true;
            }
        } else if (ComecaPorSemCaixa(resto, u"Grupo:")) {
            if (const auto valor = Aparar(resto.substr(6)); !valor.empty()) {
                tema.Grupo = std::u16string(valor);
                rel.TemGrupo = true;
            }
        }
        return;
    }
    TPalavraTema palavra;
    if (!JaLimpa(linha, palavra)) {
        TLinhaValidada v = ValidarLinha(linha);
        if (!v.Aceite) {
            ++rel.Rejeitadas;
            if (rel.Detalhe.size() < MaxDetalhe) {
                rel.Detalhe.push_back(u"linha " + Decimal(static_cast<long long>(FNumero)) + u": «" +
                                      std::u16string(linha) + u"» - " + v.Motivo);
            }
            return;
        }
        palavra = TPalavraTema{std::move(v.Texto), std::move(v.Letras)};
    }
    // O conjunto das vistas guarda índices das palavras aceites, sem copiar as letras: a candidata entra
    // no vetor e sai se já lá estava.
    auto& palavras = tema.Palavras;
    palavras.push_back(std::move(palavra));
    if (Nova()) {
        ++rel.Aceites;
    } else {
        palavras.pop_back();
        ++rel.Repetidas;
    }
}

// Uma linha aparada que já está na forma final (maiúsculas do alfabeto, juntores só por dentro, sem espaços
// duplos) sai da validação igual a si mesma; assim poupam-se as cópias da validação completa, que é o que
// pesa no dicionário.
bool TLeitorTema::JaLimpa(std::u16string_view linha, TPalavraTema& palavra) {
    if (!LetraValida(linha.front()) || !LetraValida(linha.back())) {
        return false;
    }
    std::size_t letras = 0;
    for (std::size_t i = 0; i < linha.size(); ++i) {
        const char16_t c = linha[i];
        if (LetraValida(c)) {
            ++letras;
        } else if (c == u' ') {
            if (linha[i - 1] == u' ') {
                return false;
            }
        } else if (c != u'-' && c != u'\'') {
            return false;
        }
    }
    palavra.Texto.assign(linha);
    palavra.Letras.reserve(letras);
    for (const char16_t c : linha) {
        if (LetraValida(c)) {
            palavra.Letras.push_back(c);
        }
    }
    return true;
}

TTemaLido TLeitorTema::Fim() { return std::move(FLido); }

TTemaLido LerTemaDoTexto(std::u16string_view texto, std::u16string_view nomePorOmissao) {
    TLeitorTema leitor(nomePorOmissao);
    // Uma estimativa barata do número de linhas: as palavras de um tema são curtas.
    leitor.Reservar(texto.size() / 8);
    ParaCadaLinha(texto, [&leitor](std::u16string_view l) { leitor.Linha(l); });
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

std::vector<std::uint8_t> LerFicheiro(const std::filesystem::path& caminho) {
    // Sem bloqueio: abrir um FIFO sem escritor não pode pendurar o programa.
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        FalhaDeLeitura(caminho, RazaoDoSistema(errno));
    }
    const Descritor fecho{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        FalhaDeLeitura(caminho, RazaoDoSistema(errno));
    }
    if (S_ISDIR(st.st_mode)) {
        FalhaDeLeitura(caminho, RazaoDoSistema(EISDIR));
    }
    // Dispositivos e FIFOs podem não acabar nunca: só ficheiros comuns.
    if (!S_ISREG(st.st_mode)) {
        FalhaDeLeitura(caminho, u"não é um ficheiro comum");
    }
    if (static_cast<std::uint64_t>(st.st_size) > MaxBytesFicheiro) {
        FalhaDeLeitura(caminho, u"é demasiado grande");
    }
    std::vector<std::uint8_t> bytes;
    // Mais um byte para dar pelo fim sem uma segunda volta quando o tamanho não mudou.
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t lidos = 0;
    for (;;) {
        if (lidos == bytes.size()) {
            if (bytes.size() > MaxBytesFicheiro) {
                FalhaDeLeitura(caminho, u"é demasiado grande");
            }
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n = ::read(fd, bytes.data() + lidos, bytes.size() - lidos);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            FalhaDeLeitura(caminho, RazaoDoSistema(errno));
        }
        if (n == 0) {
            break;
        }
        lidos += static_cast<std::size_t>(n);
    }
    bytes.resize(lidos);
    return bytes;
}

TTemaLido LerTemaDeFicheiro(const std::filesystem::path& caminho) {
    const std::vector<std::uint8_t> bytes = LerFicheiro(caminho);
    const std::u16string nome = TextoDoCaminho(caminho.filename());
    return detalhe::LerTemaDoTexto(BytesParaTexto(bytes), detalhe::SemUltimaExtensao(nome));
}

} // namespace zelta
