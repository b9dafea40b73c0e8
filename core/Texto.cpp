// Normalização das linhas de palavras e conversões de texto sobre o ICU.
#include "core/Texto.hpp"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <algorithm>

namespace zelta {

namespace {

using detalhe::BaseDe;

bool EJuntor(char16_t c) { return c == u' ' || c == u'\'' || c == u'-'; }

char16_t Substituir(char16_t c) {
    switch (c) {
    case u'\t':
    case u'\u00A0':
        return u' ';
    case u'`':
    case u'\u00B4':
    case u'\u2018':
    case u'\u2019':
        return u'\'';
    case u'\u2010':
    case u'\u2011':
    case u'\u2012':
    case u'\u2013':
        return u'-';
    default:
        return c;
    }
}

TLinhaValidada Rejeitada(std::u16string motivo) {
    TLinhaValidada r;
    r.Motivo = std::move(motivo);
    return r;
}

// O símbolo tal como aparece no motivo; um par de substitutos fica inteiro, um substituto solto não.
std::u16string SimboloCitado(std::u16string_view s, std::size_t i) {
    const char16_t c = s[i];
    if (U16_IS_LEAD(c) && i + 1 < s.size() && U16_IS_TRAIL(s[i + 1])) {
        return std::u16string(s.substr(i, 2));
    }
    if (U16_IS_SURROGATE(c)) {
        return u"\uFFFD";
    }
    return std::u16string(1, c);
}

} // namespace

bool LetraValida(char16_t c) { return (c >= u'A' && c <= u'Z') || BaseDe(c) != 0; }

std::u16string SemAcentos(std::u16string_view s) {
    std::u16string r(s);
    for (char16_t& c : r) {
        c = LetraSemAcento(c);
    }
    return r;
}

std::u16string LetrasParaGrelha(std::u16string_view letras, bool acentos) {
    return acentos ? std::u16string(letras) : SemAcentos(letras);
}

std::u16string_view Aparar(std::u16string_view s) {
    std::size_t i = 0;
    std::size_t j = s.size();
    while (i < j && s[i] <= u' ') ++i;
    while (j > i && s[j - 1] <= u' ') --j;
    return s.substr(i, j - i);
}

char16_t MaiusculaSimples(char16_t c) {
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    }
    const UChar32 m = u_toupper(c);
    return m <= 0xFFFF ? static_cast<char16_t>(m) : c;
}

TLinhaValidada ValidarLinha(std::u16string_view linha) {
    std::u16string t(linha);
    for (char16_t& c : t) {
        c = Substituir(c);
    }
    t = std::u16string(Aparar(t));
    for (char16_t& c : t) {
        c = MaiusculaSimples(c);
    }
    // Qualquer sequência de espaços fica num só.
    std::u16string texto;
    texto.reserve(t.size());
    for (const char16_t c : t) {
        if (!(c == u' ' && !texto.empty() && texto.back() == u' ')) {
            texto.push_back(c);
        }
    }
    if (texto.empty()) {
        return Rejeitada(u"linha vazia");
    }
    std::u16string letras;
    letras.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char16_t c = texto[i];
        if (LetraValida(c)) {
            letras.push_back(c);
        } else if (EJuntor(c)) {
            continue;
        } else if (c >= u'0' && c <= u'9') {
            return Rejeitada(u"tem algarismos");
        } else {
            return Rejeitada(u"tem o símbolo «" + SimboloCitado(texto, i) + u"»");
        }
    }
    if (letras.empty()) {
        return Rejeitada(u"não tem letras");
    }
    const auto juntorDaPonta = [](char16_t c) { return c == u'\'' || c == u'-'; };
    if (juntorDaPonta(texto.front()) || juntorDaPonta(texto.back())) {
        return Rejeitada(u"começa ou acaba em hífen ou apóstrofo");
    }
    return TLinhaValidada{true, std::move(texto), std::move(letras), {}};
}

std::u16string MaiusculasCompletas(std::u16string_view s) {
    if (s.empty()) {
        return {};
    }
    std::u16string r(s.size() * 2 + 4, u'\0');
    UErrorCode erro = U_ZERO_ERROR;
    int32_t n =
        u_strToUpper(r.data(), static_cast<int32_t>(r.size()), s.data(), static_cast<int32_t>(s.size()), "", &erro);
    if (erro == U_BUFFER_OVERFLOW_ERROR) {
        r.assign(static_cast<std::size_t>(n), u'\0');
        erro = U_ZERO_ERROR;
        n = u_strToUpper(r.data(), n, s.data(), static_cast<int32_t>(s.size()), "", &erro);
    }
    if (U_FAILURE(erro)) {
        return std::u16string(s);
    }
    r.resize(static_cast<std::size_t>(n));
    return r;
}

int CompararSemCaixaAscii(std::u16string_view a, std::u16string_view b) {
    const auto dobra = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t x = dobra(a[i]);
        const char16_t y = dobra(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool IguaisSemCaixaAscii(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && CompararSemCaixaAscii(a, b) == 0;
}

std::string ParaUtf8(std::u16string_view s) {
    if (s.empty()) {
        return {};
    }
    std::string r(s.size() * 3, '\0');
    int32_t n = 0;
    UErrorCode erro = U_ZERO_ERROR;
    u_strToUTF8WithSub(r.data(), static_cast<int32_t>(r.size()), &n, s.data(), static_cast<int32_t>(s.size()), 0xFFFD,
                       nullptr, &erro);
    r.resize(U_SUCCESS(erro) ? static_cast<std::size_t>(n) : 0);
    return r;
}

std::u16string DeUtf8(std::string_view s) {
    if (s.empty()) {
        return {};
    }
    std::u16string r(s.size(), u'\0');
    int32_t n = 0;
    UErrorCode erro = U_ZERO_ERROR;
    u_strFromUTF8WithSub(r.data(), static_cast<int32_t>(r.size()), &n, s.data(), static_cast<int32_t>(s.size()), 0xFFFD,
                         nullptr, &erro);
    r.resize(U_SUCCESS(erro) ? static_cast<std::size_t>(n) : 0);
    return r;
}

void NormalizarNfcNoLugar(std::u16string& s) {
    UErrorCode erro = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&erro);
    if (U_FAILURE(erro) || s.empty()) {
        return;
    }
    const auto n = static_cast<int32_t>(s.size());
    // O prefixo que já está normalizado acaba numa fronteira: o resto normaliza-se à parte e junta-se.
    const int32_t pronto = unorm2_spanQuickCheckYes(nfc, s.data(), n, &erro);
    if (U_FAILURE(erro) || pronto == n) {
        return;
    }
    const int32_t resto = n - pronto;
    // A NFC nunca passa de três vezes o comprimento; começa-se pelo mesmo e pede-se mais se for preciso.
    std::u16string r(static_cast<std::size_t>(resto), u'\0');
    int32_t feitos = unorm2_normalize(nfc, s.data() + pronto, resto, r.data(), resto, &erro);
    if (erro == U_BUFFER_OVERFLOW_ERROR) {
        erro = U_ZERO_ERROR;
        r.assign(static_cast<std::size_t>(feitos), u'\0');
        feitos = unorm2_normalize(nfc, s.data() + pronto, resto, r.data(), feitos, &erro);
    }
    if (U_FAILURE(erro)) {
        return;
    }
    s.resize(static_cast<std::size_t>(pronto));
    s.append(r.data(), static_cast<std::size_t>(feitos));
}

std::u16string NormalizarNfc(std::u16string_view s) {
    std::u16string r(s);
    NormalizarNfcNoLugar(r);
    return r;
}

bool CaracterDeControlo(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == u'\u2028' || c == u'\u2029'; }

std::u16string ControlosParaEspacos(std::u16string_view s) {
    std::u16string r(s);
    for (char16_t& c : r) {
        if (CaracterDeControlo(c)) {
            c = u' ';
        }
    }
    return r;
}

std::u16string TextoParaTerminal(std::u16string_view s) {
    static constexpr char16_t Hex[] = u"0123456789ABCDEF";
    std::u16string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F)) {
            r += u"\\x";
            r.push_back(Hex[c >> 4]);
            r.push_back(Hex[c & 0xF]);
        } else if (c == u'\u2028' || c == u'\u2029') {
            r += c == u'\u2028' ? u"\\u2028" : u"\\u2029";
        } else if (U16_IS_LEAD(c) && i + 1 < s.size() && U16_IS_TRAIL(s[i + 1])) {
            r.push_back(c);
            r.push_back(s[++i]);
        } else if (U16_IS_SURROGATE(c)) {
            r.push_back(u'\uFFFD');
        } else {
            r.push_back(c);
        }
    }
    return r;
}

std::u16string Decimal(long long n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

} // namespace zelta
