// As procuras são as do verificador do gerador; aqui só se decide a ordem das perguntas e a frase de cada falta.
// O texto citado numa frase vem de fora: sem controlos e curto, para a frase se poder mostrar num terminal.
#include "book/Verificacao.hpp"

#include "book/Opcoes.hpp"
#include "core/Fios.hpp"
#include "core/Texto.hpp"
#include "generation/Verificador.hpp"

#include <algorithm>

namespace zelta {

namespace {

constexpr std::size_t MaxCitado = 40;

// U+0007: o código de um carácter que não se pode mostrar tal qual.
std::u16string Codigo(char16_t c) {
    static constexpr char16_t Hexa[] = u"0123456789ABCDEF";
    std::u16string r = u"U+";
    for (int d = 12; d >= 0; d -= 4) {
        r += Hexa[(c >> d) & 0xF];
    }
    return r;
}

// O texto com os controlos trocados por U+FFFD e cortado a MaxCitado unidades.
std::u16string Visivel(std::u16string_view s) {
    std::u16string r;
    for (std::size_t i = 0; i < s.size() && i < MaxCitado; ++i) {
        r += CaracterDeControlo(s[i]) ? u'\uFFFD' : s[i];
    }
    return s.size() > MaxCitado ? r + u"…" : r;
}

std::u16string Aspas(std::u16string_view s) {
    std::u16string r = u"«";
    r += Visivel(s);
    r += u"»";
    return r;
}

std::u16string Citar(char16_t c) {
    const bool visivel = !CaracterDeControlo(c) && !(c >= 0xD800 && c <= 0xDFFF);
    return visivel ? u"«" + std::u16string(1, c) + u"»" : Codigo(c);
}

const char16_t* PrimeiroControlo(std::u16string_view s) {
    const auto i = std::find_if(s.begin(), s.end(), CaracterDeControlo);
    return i == s.end() ? nullptr : &*i;
}

// As letras que o gerador pode pôr numa grelha: sem acentos, só A–Z.
bool LetraDaGrelha(char16_t c, bool acentos) { return acentos ? LetraValida(c) : (c >= u'A' && c <= u'Z'); }

std::u16string Posicao(std::int32_t linha, std::int32_t coluna) {
    return u"linha " + Decimal(linha + 1) + u", coluna " + Decimal(coluna + 1);
}

// A palavra está na grelha a partir da sua posição, na sua direção (já dentro do modo)?
bool LeSeNaPosicao(const TPuzzle& p, const TPalavraColocada& w) {
    const TDirecao d = Direcoes[static_cast<std::size_t>(w.Direcao)];
    for (std::size_t k = 0; k < w.Palavra.size(); ++k) {
        const auto passo = static_cast<std::int64_t>(k);
        const std::int64_t l = w.Linha + passo * d.DLinha;
        const std::int64_t c = w.Coluna + passo * d.DColuna;
        if (l < 0 || l >= p.Lado || c < 0 || c >= p.Lado ||
            p.Grelha[static_cast<std::size_t>(l * p.Lado + c)] != w.Palavra[k]) {
            return false;
        }
    }
    return true;
}

std::optional<std::u16string> FaltaNaPalavra(const TPuzzle& p, std::size_t i, std::int32_t numDirecoes, bool acentos,
                                             const TIndiceDeLetras& indice, std::vector<TOcorrencia>& achadas) {
    const TPalavraColocada& w = p.Palavras[i];
    const std::u16string nome = u"a palavra " + Aspas(w.Texto);
    // A forma escrita é a da leitura dos temas, e as letras da grelha saem dela.
    const TLinhaValidada v = ValidarLinha(w.Texto);
    if (!v.Aceite) {
        return nome + u" não é válida (" + Visivel(v.Motivo) + u")";
    }
    if (v.Texto != w.Texto) {
        return nome + u" devia estar escrita " + Aspas(v.Texto);
    }
    if (LetrasParaGrelha(v.Letras, acentos) != w.Palavra) {
        if (!acentos && v.Letras == w.Palavra) {
            return nome + u" tem as letras " + Aspas(w.Palavra) + u", com acentos, num livro sem acentos";
        }
        return u"as letras " + Aspas(w.Palavra) + u" não são as da palavra " + Aspas(w.Texto);
    }
    if (w.Direcao < 0 || w.Direcao >= numDirecoes) {
        return nome + u" tem a direção " + Decimal(w.Direcao) + u", mas as direções deste livro vão de 0 a " +
               Decimal(numDirecoes - 1);
    }
    // Como na escolha das candidatas: nenhuma palavra dentro de outra (nem ao contrário, com todas as direções).
    const bool comInversoes = numDirecoes == NumDirecoes(TModoDirecoes::mdTodas);
    for (std::size_t j = 0; j < i; ++j) {
        const TPalavraColocada& outra = p.Palavras[j];
        if (outra.Palavra == w.Palavra) {
            return outra.Texto == w.Texto ? nome + u" está repetida na lista"
                                          : nome + u" tem as mesmas letras que a palavra " + Aspas(outra.Texto);
        }
        if (!PalavrasCompativeis(outra.Palavra, w.Palavra, comInversoes)) {
            const bool dentro = w.Palavra.size() < outra.Palavra.size();
            return u"a palavra " + Aspas(dentro ? w.Texto : outra.Texto) + u" lê-se dentro da palavra " +
                   Aspas(dentro ? outra.Texto : w.Texto);
        }
    }
    if (!LeSeNaPosicao(p, w)) {
        return nome + u" não se lê na grelha na posição e na direção que o livro diz";
    }
    achadas.clear();
    ProcurarOcorrencias(indice, p.Grelha, p.Lado, w.Palavra, numDirecoes, achadas);
    if (achadas.size() > 1) {
        return nome + u" lê-se " + Decimal(static_cast<long long>(achadas.size())) + u" vezes na grelha";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::u16string> FaltaNoPuzzle(const TPuzzle& p, TModoDirecoes modo, bool acentos,
                                            const std::vector<std::u16string>& listaNegra) {
    const std::int32_t lado = p.Lado;
    if (!TamanhoValido(lado)) {
        return u"a grelha é de " + RotuloTamanho(lado) + u", que não é um dos tamanhos possíveis (10, 12, 15 ou 20)";
    }
    const auto celulas = static_cast<std::size_t>(lado * lado);
    if (p.Grelha.size() != celulas) {
        return u"a grelha tem " + Decimal(static_cast<long long>(p.Grelha.size())) + u" letras em vez de " +
               Decimal(static_cast<long long>(celulas));
    }
    if (const char16_t* c = PrimeiroControlo(p.Tema)) {
        return u"o nome do tema tem um carácter de controlo (" + Codigo(*c) + u")";
    }
    for (std::size_t i = 0; i < celulas; ++i) {
        if (!LetraDaGrelha(p.Grelha[i], acentos)) {
            const auto n = static_cast<std::int32_t>(i);
            return u"a grelha tem " + Citar(p.Grelha[i]) + u" na " + Posicao(n / lado, n % lado) +
                   u", que não é uma letra das grelhas" + (acentos ? u"" : u" sem acentos");
        }
    }
    const auto numPalavras = static_cast<long long>(p.Palavras.size());
    if (numPalavras == 0) {
        return u"não há palavras para encontrar";
    }
    if (numPalavras > MaxPalavrasDoLado(lado)) {
        return u"há " + Decimal(numPalavras) + u" palavras e uma grelha de " + RotuloTamanho(lado) +
               u" leva no máximo " + Decimal(MaxPalavrasDoLado(lado));
    }
    const std::int32_t numDirecoes = NumDirecoes(modo);
    TIndiceDeLetras indice;
    indice.Construir(p.Grelha, lado);
    std::vector<TOcorrencia> achadas;
    for (std::size_t i = 0; i < p.Palavras.size(); ++i) {
        if (auto falta = FaltaNaPalavra(p, i, numDirecoes, acentos, indice, achadas)) {
            return falta;
        }
    }
    // Só depois de as palavras estarem certas: as ocorrências dentro de uma palavra escondida não contam.
    achadas.clear();
    ProcurarListaNegra(p.Grelha, lado, listaNegra, p.Palavras, achadas);
    if (!achadas.empty()) {
        const TOcorrencia& o = achadas.front();
        std::u16string lida;
        for (std::int32_t k = 0; k < o.Comprimento; ++k) {
            const TCelula c = CelulaDaOcorrencia(o, k);
            lida += LetraSemAcento(p.Grelha[static_cast<std::size_t>(c.Linha * lado + c.Coluna)]);
        }
        return u"a palavra " + Aspas(lida) + u" da lista negra lê-se na grelha a partir da " +
               Posicao(o.Linha, o.Coluna) + u", fora das palavras escondidas";
    }
    return std::nullopt;
}

std::optional<std::u16string> FaltaNoLivro(const TDadosLivro& livro, const std::vector<std::u16string>& listaNegra) {
    const TConfigLivro& config = livro.Config;
    if (const char16_t* c = PrimeiroControlo(config.Titulo)) {
        return u"O título tem um carácter de controlo (" + Codigo(*c) + u").";
    }
    const std::u16string_view titulo = Aparar(config.Titulo);
    if (titulo.size() > static_cast<std::size_t>(MaximoDoTitulo)) {
        return u"O título tem " + Decimal(static_cast<long long>(titulo.size())) + u" caracteres; o máximo são " +
               Decimal(MaximoDoTitulo) + u".";
    }
    if (const char16_t* c = PrimeiroControlo(config.Grupo)) {
        return u"O nome do livro tem um carácter de controlo (" + Codigo(*c) + u").";
    }
    if (!TamanhoValido(config.Lado)) {
        return u"O livro é de " + RotuloTamanho(config.Lado) +
               u", que não é um dos tamanhos possíveis (10, 12, 15 ou 20).";
    }
    const auto numPuzzles = static_cast<long long>(livro.Puzzles.size());
    if (numPuzzles == 0) {
        return u"O livro não tem nenhum puzzle.";
    }
    if (numPuzzles > MaximoDePuzzles) {
        return u"O livro tem " + Decimal(numPuzzles) + u" puzzles; o máximo são " + Decimal(MaximoDePuzzles) + u".";
    }
    const auto faltaEntre = [&](std::size_t primeiro, std::size_t fim) -> std::optional<std::u16string> {
        for (std::size_t i = primeiro; i < fim; ++i) {
            const TPuzzle& p = livro.Puzzles[i];
            const std::u16string no = u"No puzzle " + Decimal(static_cast<long long>(i + 1)) + u", ";
            // A capa e as regras dizem um só tamanho para o livro inteiro.
            if (TamanhoValido(p.Lado) && p.Lado != config.Lado) {
                return no + u"a grelha é de " + RotuloTamanho(p.Lado) + u" e o livro é de " +
                       RotuloTamanho(config.Lado) + u".";
            }
            if (const auto falta = FaltaNoPuzzle(p, config.Modo, config.Acentos, listaNegra)) {
                return no + *falta + u".";
            }
        }
        return std::nullopt;
    };
    // Cada puzzle verifica-se sozinho: a segunda metade noutro fio, e a falta dita é a primeira pela ordem do
    // livro, como se fossem todos verificados um a um.
    const std::size_t meio = livro.Puzzles.size() / 2;
    auto segunda = NoutroNucleo([&] { return faltaEntre(meio, livro.Puzzles.size()); });
    if (auto falta = faltaEntre(0, meio)) {
        return falta;
    }
    return segunda.get();
}

} // namespace zelta
