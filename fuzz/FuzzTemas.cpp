// Bytes quaisquer pelo caminho de um ficheiro de tema e da lista negra: descodificar, cortar, ler.
// Além de não rebentar, confere as promessas do relatório e que as palavras aceites se releem iguais.
#include "core/Texto.hpp"
#include "themes/Dicionario.hpp"
#include "themes/LeituraTema.hpp"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void Exigir(bool condicao) {
    if (!condicao) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    using namespace zelta;
    const std::span<const std::uint8_t> bytes(dados, tamanho);
    (void)Utf8Valido(bytes, tamanho / 2);

    const std::u16string texto = BytesParaTexto(bytes);
    const auto linhas = CortarLinhas(texto);
    for (const auto& l : linhas) {
        Exigir(l.find_first_of(u"\r\n") == std::u16string::npos);
    }

    const TTemaLido lido = LerTema(linhas, u"Fuzz");
    const auto& rel = lido.Relatorio;
    Exigir(rel.Aceites == static_cast<std::int32_t>(lido.Tema.Palavras.size()));
    Exigir(rel.Detalhe.size() == static_cast<std::size_t>(rel.Rejeitadas < 30 ? rel.Rejeitadas : 30));
    std::u16string copia;
    for (const auto& p : lido.Tema.Palavras) {
        Exigir(!p.Letras.empty());
        for (const char16_t c : p.Letras) {
            Exigir(LetraValida(c));
        }
        copia += p.Texto + u"\r\n";
    }
    // O que se aceitou, escrito uma palavra por linha, relê-se igual e sem perdas.
    const TTemaLido relido = LerTema(CortarLinhas(copia), u"Fuzz");
    Exigir(relido.Tema.Palavras == lido.Tema.Palavras);
    Exigir(relido.Relatorio.Rejeitadas == 0 && relido.Relatorio.Repetidas == 0);

    for (const auto& palavra : LerListaNegra(linhas)) {
        Exigir(palavra.size() > 2);
        for (const char16_t c : palavra) {
            Exigir(c >= u'A' && c <= u'Z');
        }
    }
    return 0;
}
