// Bytes quaisquer pelo caminho de um ficheiro de tema e da lista negra: descodificar, cortar, ler.
// Além de não rebentar, compara o leitor com uma versão de referência simples, confere o relatório, que as
// palavras aceites se releem iguais, que o texto sai em NFC, que nada do que se mostra tem controlos e que a
// contagem sem palavras dá o mesmo que a leitura completa.
#include "core/Texto.hpp"
#include "themes/Dicionario.hpp"
#include "themes/Interno.hpp"
#include "themes/LeituraTema.hpp"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <span>

namespace {

void Exigir(bool condicao) {
    if (!condicao) {
        std::abort();
    }
}

// O leitor escrito da maneira mais simples: validação completa em todas as linhas e um std::set.
zelta::TPalavrasTema PalavrasDeReferencia(const std::vector<std::u16string>& linhas) {
    zelta::TPalavrasTema r;
    std::set<std::u16string> vistas;
    for (const auto& linha : linhas) {
        const std::u16string_view l = zelta::Aparar(linha);
        if (l.empty() || l.front() == u'#') {
            continue;
        }
        auto v = zelta::ValidarLinha(l);
        if (v.Aceite && vistas.insert(v.Letras).second) {
            r.push_back({v.Texto, v.Letras});
        }
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    using namespace zelta;
    const std::span<const std::uint8_t> bytes(dados, tamanho);
    (void)Utf8Valido(bytes, tamanho / 2);

    (void)PareceUtf16SemMarca(bytes);
    const std::u16string texto = BytesParaTexto(bytes);
    Exigir(NormalizarNfc(texto) == texto);
    const auto linhas = CortarLinhas(texto);
    for (const auto& l : linhas) {
        Exigir(l.find_first_of(u"\r\n") == std::u16string::npos);
    }

    const TTemaLido lido = LerTema(linhas, u"Fuzz");
    const auto& rel = lido.Relatorio;
    Exigir(rel.Aceites == static_cast<std::int32_t>(lido.Tema.Palavras.size()));
    Exigir(lido.Tema.Palavras == PalavrasDeReferencia(linhas));
    // A leitura de ficheiros vai pelo texto inteiro, sem cortar em cadeias: tem de dar o mesmo.
    const TTemaLido doTexto = detalhe::LerTemaDoTexto(texto, u"Fuzz");
    Exigir(doTexto.Tema == lido.Tema && doTexto.Relatorio.Detalhe == rel.Detalhe &&
           doTexto.Relatorio.Repetidas == rel.Repetidas && doTexto.Relatorio.Rejeitadas == rel.Rejeitadas);
    Exigir(rel.Detalhe.size() == static_cast<std::size_t>(rel.Rejeitadas < 30 ? rel.Rejeitadas : 30));
    // O que chega a um terminal ou a um cabeçalho: sem controlos.
    const auto semControlos = [](std::u16string_view s, bool tab) {
        for (const char16_t c : s) {
            if (CaracterDeControlo(c) && !(tab && c == u'\t')) {
                return false;
            }
        }
        return true;
    };
    Exigir(semControlos(lido.Tema.Nome, false) && semControlos(lido.Tema.Grupo, false));
    for (const auto& d : rel.Detalhe) {
        Exigir(semControlos(d, true));
    }
    // Só a contar: as mesmas contagens, sem as palavras.
    detalhe::TLeitorTema contador(u"Fuzz", true);
    detalhe::ParaCadaLinha(texto, [&contador](std::u16string_view l) { contador.Linha(l); });
    std::size_t maior = 0;
    for (const auto& p : lido.Tema.Palavras) {
        maior = maior < p.Letras.size() ? p.Letras.size() : maior;
    }
    Exigir(static_cast<std::size_t>(contador.MaiorPalavra()) == maior);
    const TTemaLido contado = contador.Fim();
    Exigir(contado.Tema.Palavras.empty() && contado.Tema.Nome == lido.Tema.Nome &&
           contado.Tema.Grupo == lido.Tema.Grupo && contado.Relatorio.Aceites == rel.Aceites &&
           contado.Relatorio.Repetidas == rel.Repetidas && contado.Relatorio.Rejeitadas == rel.Rejeitadas);
    std::u16string copia;
    for (const auto& p : lido.Tema.Palavras) {
        Exigir(!p.Letras.empty());
        for (const char16_t c : p.Letras) {
            Exigir(LetraValida(c));
        }
        copia.append(p.Texto).append(u"\r\n");
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
