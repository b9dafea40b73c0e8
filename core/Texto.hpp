// O alfabeto da grelha, a normalização das palavras e as conversões de texto que todas as camadas usam.
// Texto é UTF-16 (uma unidade de código por carácter): é assim que os comprimentos se contam.
#pragma once

#include <string>
#include <string_view>

namespace zelta {

// Uma das 40 maiúsculas do alfabeto: A–Z e À Á Â Ã Ç È É Ê Í Ó Ô Õ Ú Ü.
bool LetraValida(char16_t c);

namespace detalhe {
// Letra base de cada maiúscula acentuada do alfabeto (0 = não pertence ao alfabeto), de U+00C0 a U+00DC.
inline constexpr char16_t PrimeiraAcentuada = u'\u00C0';
inline constexpr char16_t UltimaAcentuada = u'\u00DC';
inline constexpr char16_t BaseAcentuada[UltimaAcentuada - PrimeiraAcentuada + 1] = {
    u'A', u'A', u'A', u'A', 0,    0,    0, u'C', // À Á Â Ã Ä Å Æ Ç
    u'E', u'E', u'E', 0,    0,    u'I', 0, 0,    // È É Ê Ë Ì Í Î Ï
    0,    0,    0,    u'O', u'O', u'O', 0, 0,    // Ð Ñ Ò Ó Ô Õ Ö ×
    0,    0,    u'U', 0,    u'U',                // Ø Ù Ú Û Ü
};
inline char16_t BaseDe(char16_t c) {
    return (c < PrimeiraAcentuada || c > UltimaAcentuada) ? char16_t{0} : BaseAcentuada[c - PrimeiraAcentuada];
}
} // namespace detalhe

// A letra base de uma maiúscula acentuada do alfabeto; qualquer outra unidade fica igual.
inline char16_t LetraSemAcento(char16_t c) {
    const char16_t base = detalhe::BaseDe(c);
    return base != 0 ? base : c;
}

// Troca cada maiúscula acentuada do alfabeto pela letra base; o comprimento não muda.
std::u16string SemAcentos(std::u16string_view s);

std::u16string LetrasParaGrelha(std::u16string_view letras, bool acentos);

struct TLinhaValidada {
    bool Aceite = false;
    std::u16string Texto;  // forma de exibição: maiúsculas, espaços simples, hífenes e apóstrofos
    std::u16string Letras; // só as letras, com acentos
    std::u16string Motivo; // porque foi rejeitada; vazio quando aceite
};

TLinhaValidada ValidarLinha(std::u16string_view linha);

// Tira das pontas as unidades de código até U+0020, inclusive.
std::u16string_view Aparar(std::u16string_view s);

// Maiúscula simples e independente da língua, uma unidade por outra.
char16_t MaiusculaSimples(char16_t c);

// Maiúsculas pelo mapeamento completo (pode mudar o comprimento, ß → SS).
std::u16string MaiusculasCompletas(std::u16string_view s);

// Comparação que só iguala a–z a A–Z; à primeira diferença ganha a unidade menor, e o prefixo vem antes.
int CompararSemCaixaAscii(std::u16string_view a, std::u16string_view b);
bool IguaisSemCaixaAscii(std::u16string_view a, std::u16string_view b);

// Conversões; sequências inválidas dão U+FFFD.
std::string ParaUtf8(std::u16string_view s);
std::u16string DeUtf8(std::string_view s);

// A forma composta (NFC) do Unicode: um texto gravado num Mac (CAMAR + U+0303 + O) fica com as letras
// acentuadas do alfabeto (CAMARÃO). Todo o texto que se lê passa por aqui antes de ser validado.
std::u16string NormalizarNfc(std::u16string_view s);
// O mesmo no lugar; um texto que já está em NFC (o caso normal) não se copia.
void NormalizarNfcNoLugar(std::u16string& s);

// Carácter de controlo: C0 (também TAB, CR e LF), DEL, C1, e os separadores de linha e de parágrafo.
bool CaracterDeControlo(char16_t c);
// Cada carácter de controlo passa a um espaço: para nomes e grupos que se gravam num cabeçalho ou se mostram.
std::u16string ControlosParaEspacos(std::u16string_view s);
// O texto pronto para um terminal: C0 (menos TAB), DEL e C1 escritos como \xHH, os separadores de linha e de
// parágrafo como \u2028 e \u2029, um substituto solto como U+FFFD. Nada do que se mostra pode mudar o título do
// terminal nem limpar o ecrã.
std::u16string TextoParaTerminal(std::u16string_view s);

// Número em decimal simples, para compor frases.
std::u16string Decimal(long long n);

} // namespace zelta
