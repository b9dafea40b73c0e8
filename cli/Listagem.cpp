// A escolha do livro pelo nome escrito num terminal e a listagem dos grupos e dos temas.
#include "cli/Listagem.hpp"

#include "book/Opcoes.hpp"
#include "core/Texto.hpp"
#include "themes/Biblioteca.hpp"

namespace zelta::cli {

namespace {

std::u16string Dobrado(std::u16string_view s) { return SemAcentos(MaiusculasCompletas(s)); }

} // namespace

std::optional<std::u16string> EscolherEntrada(const std::vector<std::u16string>& entradas, std::u16string_view pedido) {
    const std::u16string_view aparado = Aparar(pedido);
    for (const auto& e : entradas) {
        if (IguaisSemCaixaAscii(e, aparado)) {
            return e;
        }
    }
    const std::u16string chave = Dobrado(aparado);
    for (const auto& e : entradas) {
        if (Dobrado(e) == chave) {
            return e;
        }
    }
    return std::nullopt;
}

std::vector<std::u16string> LinhasDaListagem(const TCatalogo& catalogo) {
    const TRefsTemas todos = TemasComDicionario(catalogo);
    std::vector<std::u16string> grupos = GruposDosTemas(catalogo.Temas);
    if (!catalogo.Dicionario.Palavras.empty()) {
        grupos.push_back(catalogo.Dicionario.Grupo);
    }
    std::vector<std::u16string> linhas;
    for (const auto& grupo : grupos) {
        linhas.push_back(grupo);
        for (const TTema* tema : TemasDoGrupo(todos, grupo)) {
            std::u16string linha =
                u"  " + tema->Nome + u": " + Contagem(PalavrasDoTema(catalogo, *tema), u"palavra", u"palavras");
            if (tema->Origem == TOrigemTema::otPasta) {
                linha += u" (pasta dos temas)";
            }
            linhas.push_back(std::move(linha));
        }
    }
    return linhas;
}

} // namespace zelta::cli
