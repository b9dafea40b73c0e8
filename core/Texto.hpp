// O alfabeto da grelha, a normalização das palavras e as conversões de texto que todas as camadas usam.
// Texto é UTF-16 (uma unidade de código por carácter): é assim que os comprimentos se contam.
#pragma once

#include <string>
#include <string_view>

namespace zelta {

// Uma das 40 maiúsculas do alfabeto: A–Z e À Á Â Ã Ç È É Ê Í Ó Ô Õ Ú Ü.
bool LetraValida(char16_t c);

// A letra base de uma maiúscula acentuada do alfabeto; qualquer outra unidade fica igual.
char16_t LetraSemAcento(char16_t c);

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

// Número em decimal simples, para compor frases.
std::u16string Decimal(long long n);

} // namespace zelta
