// Palavras escolhidas de uma lista fixa e colocadas em linhas, colunas e diagonais sem verificação.
#include "tests/support/PuzzlesFabricados.hpp"

#include "core/Random.hpp"
#include "core/Texto.hpp"

#include <array>

namespace zelta::teste {

namespace {

constexpr std::array<std::u16string_view, 40> Vocabulario{
    u"ABELHA", u"ÁGUIA",          u"BALEIA",   u"CAVALO",   u"CORUJA",    u"ÉGUA",    u"FOCA",    u"GATO",    u"GIRAFA",
    u"LEÃO",   u"LOBO",           u"MOCHO",    u"PATO",     u"PEIXE-BOI", u"POMBO",   u"RAPOSA",  u"SAPO",    u"TIGRE",
    u"URSO",   u"VACA",           u"ZEBRA",    u"CÃO",      u"COELHO",    u"ESQUILO", u"GAIVOTA", u"LINCE",   u"MELRO",
    u"OVELHA", u"PARDAL",         u"POLVO",    u"LULA",     u"BURRO",     u"CABRA",   u"CEGONHA", u"GALINHA", u"JAVALI",
    u"ORCA",   u"CAVALO-MARINHO", u"PICA PAU", u"ANDORINHA"};

std::u16string Letras(std::u16string_view texto) {
    std::u16string r;
    for (char16_t c : texto) {
        if (LetraValida(c)) {
            r += c;
        }
    }
    return SemAcentos(r);
}

} // namespace

TPuzzle PuzzleFabricado(std::int32_t lado, std::int32_t numPalavras, std::uint32_t semente, std::u16string tema) {
    TGeradorAleatorio g(semente);
    TPuzzle p;
    p.Lado = lado;
    p.Tema = std::move(tema);
    p.Grelha.assign(static_cast<std::size_t>(lado * lado), u'\0');
    for (std::int32_t i = 0; i < numPalavras; ++i) {
        TPalavraColocada w;
        // Só palavras que cabem na grelha.
        auto j = static_cast<std::size_t>(i) + semente;
        while (Letras(Vocabulario[j % Vocabulario.size()]).size() > static_cast<std::size_t>(lado)) {
            ++j;
        }
        w.Texto = Vocabulario[j % Vocabulario.size()];
        w.Palavra = Letras(w.Texto);
        const auto n = static_cast<std::int32_t>(w.Palavra.size());
        // Uma direção qualquer em que a palavra caiba inteira.
        for (std::int32_t tentativa = 0; tentativa < 1000; ++tentativa) {
            w.Direcao = g.Limite(8);
            w.Linha = g.Limite(lado);
            w.Coluna = g.Limite(lado);
            const auto& d = Direcoes[static_cast<std::size_t>(w.Direcao)];
            const std::int32_t l2 = w.Linha + (n - 1) * d.DLinha;
            const std::int32_t c2 = w.Coluna + (n - 1) * d.DColuna;
            if (n > lado || l2 < 0 || l2 >= lado || c2 < 0 || c2 >= lado) {
                continue;
            }
            // Cruzar outra palavra só numa letra igual.
            bool cabe = true;
            for (std::int32_t k = 0; k < n && cabe; ++k) {
                const char16_t atual =
                    p.Grelha[static_cast<std::size_t>((w.Linha + k * d.DLinha) * lado + w.Coluna + k * d.DColuna)];
                cabe = atual == u'\0' || atual == w.Palavra[static_cast<std::size_t>(k)];
            }
            if (cabe) {
                break;
            }
        }
        const auto& d = Direcoes[static_cast<std::size_t>(w.Direcao)];
        for (std::int32_t k = 0; k < n; ++k) {
            const std::int32_t l = w.Linha + k * d.DLinha;
            const std::int32_t c = w.Coluna + k * d.DColuna;
            if (l >= 0 && l < lado && c >= 0 && c < lado) {
                p.Grelha[static_cast<std::size_t>(l * lado + c)] = w.Palavra[static_cast<std::size_t>(k)];
            }
        }
        p.Palavras.push_back(std::move(w));
    }
    for (auto& c : p.Grelha) {
        if (c == u'\0') {
            c = static_cast<char16_t>(u'A' + g.Limite(26));
        }
    }
    return p;
}

std::vector<TPuzzle> PuzzlesFabricados(std::int32_t quantos, std::int32_t lado, std::int32_t numPalavras) {
    std::vector<TPuzzle> r;
    for (std::int32_t i = 0; i < quantos; ++i) {
        r.push_back(PuzzleFabricado(lado, numPalavras, static_cast<std::uint32_t>(i + 1)));
    }
    return r;
}

TConfigLivro ConfigDeTeste(std::int32_t numPuzzles, std::int32_t lado, std::int32_t numPalavras) {
    TConfigLivro c;
    c.NumPuzzles = numPuzzles;
    c.Lado = lado;
    c.Modo = TModoDirecoes::mdTodas;
    c.MinLetras = 3;
    c.MaxLetras = lado;
    c.NumPalavras = numPalavras;
    c.Acentos = false;
    c.Grupo = u"Natureza";
    c.Titulo = u"Animais de Portugal";
    return c;
}

} // namespace zelta::teste
