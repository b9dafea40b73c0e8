// Bytes quaisquer pela leitura de um livro gravado. Além de não rebentar: só sai EZelta, numa frase que se pode
// mostrar num terminal; um livro aceite tem as letras das grelhas, passa a verificação por força bruta dos testes
// em cada puzzle, e escrito de novo relê-se igual.
#include "VerificacaoBruta.hpp"
#include "cli/LivroJson.hpp"
#include "core/Texto.hpp"
#include "themes/Dicionario.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Exigir(bool condicao) {
    if (!condicao) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    using namespace zelta;
    static const std::vector<std::u16string> listaNegra = ListaNegraDoRecurso();
    const std::string_view bytes(reinterpret_cast<const char*>(dados), tamanho);

    cli::TLivroLido lido;
    try {
        lido = cli::LerLivroJson(bytes, listaNegra);
    } catch (const EZelta& e) {
        const std::u16string& frase = e.Mensagem();
        Exigir(!frase.empty() && frase.back() == u'.');
        Exigir(std::none_of(frase.begin(), frase.end(), CaracterDeControlo));
        return 0;
    }

    const TConfigLivro& config = lido.Livro.Config;
    Exigir(!lido.Livro.Puzzles.empty() && lido.Livro.Puzzles.size() <= 100);
    Exigir(config.NumPuzzles == static_cast<std::int32_t>(lido.Livro.Puzzles.size()));
    Exigir(Aparar(config.Titulo).size() == config.Titulo.size() && config.Titulo.size() <= 40);
    for (const TPuzzle& p : lido.Livro.Puzzles) {
        Exigir(p.Lado == config.Lado);
        for (const char16_t c : p.Grelha) {
            Exigir(config.Acentos ? LetraValida(c) : (c >= u'A' && c <= u'Z'));
        }
        Exigir(teste::ViolacaoDaGrelha(p, NumDirecoes(config.Modo), listaNegra, false).empty());
    }
    // O que se aceitou escreve-se e relê-se sem perdas.
    const std::string escrito = cli::LivroEmJson(lido.Livro, lido.Entrada, {});
    Exigir(cli::LerLivroJson(escrito, listaNegra) == lido);
    return 0;
}
