// O dicionário geral e a lista negra, embutidos com recurso aos ficheiros da pasta dos temas, e as consultas
// que escolhem os temas de um livro.
#include "themes/Dicionario.hpp"

#include "core/Recursos.hpp"
#include "core/Texto.hpp"
#include "themes/Interno.hpp"
#include "themes/LeituraTema.hpp"

#include <algorithm>
#include <optional>
#include <system_error>
#include <unordered_set>

namespace zelta {

namespace {

// O ficheiro reservado da pasta: o nome exato, ou, num sistema que distingue maiúsculas, o primeiro que só
// difere nelas (a biblioteca também o trata como reservado, e não o pode deixar perdido).
std::optional<std::filesystem::path> FicheiroReservado(const std::filesystem::path& pasta, std::u16string_view nome) {
    std::error_code ec;
    const std::filesystem::path exato = pasta / std::filesystem::path(nome);
    if (std::filesystem::exists(exato, ec)) {
        return exato;
    }
    std::optional<std::filesystem::path> achado;
    std::filesystem::directory_iterator it(pasta, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (IguaisSemCaixaAscii(detalhe::TextoDoCaminho(it->path().filename()), nome) &&
            (!achado || it->path() < *achado)) {
            achado = it->path();
        }
    }
    return achado;
}

// O dicionário embutido sai já limpo do gerador (tools/gerar_dicionario.py): uma palavra por linha, em
// maiúsculas, só com letras e sem repetidas, por isso as letras são o próprio texto. Lê-se sem validar cada
// linha nem procurar repetidas, que era mais de metade da carga; um teste confere que dá o mesmo que a leitura
// de um tema qualquer.
TTema LerDicionarioLimpo(std::span<const std::uint8_t> bytes) {
    std::string_view texto(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (texto.starts_with("\xEF\xBB\xBF")) {
        texto.remove_prefix(3);
    }
    TTema tema;
    tema.Palavras.reserve(static_cast<std::size_t>(std::count(texto.begin(), texto.end(), '\n')), texto.size());
    std::u16string palavra;
    for (std::size_t inicio = 0; inicio < texto.size();) {
        const std::size_t fim = std::min(texto.find('\n', inicio), texto.size());
        std::string_view linha = texto.substr(inicio, fim - inicio);
        inicio = fim + 1;
        if (linha.ends_with('\r')) {
            linha.remove_suffix(1);
        }
        if (linha.empty() || linha.front() == '#') {
            continue;
        }
        // Converte-se linha a linha (o ficheiro tem BOM e fins de linha CRLF), sem uma cópia do dicionário
        // inteiro: as palavras só em ASCII, quase todas, alargam-se byte a byte, e só as outras passam pelo
        // conversor.
        if (std::all_of(linha.begin(), linha.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            palavra.assign(linha.begin(), linha.end());
        } else {
            palavra = DeUtf8(linha);
        }
        tema.Palavras.push_back({palavra, palavra});
    }
    return tema;
}

std::vector<std::u16string> ListaNegraDeBytes(std::span<const std::uint8_t> bytes) {
    return LerListaNegra(CortarLinhas(BytesParaTexto(bytes)));
}

} // namespace

TRefsTemas RefsDe(const std::vector<TTema>& temas) {
    TRefsTemas refs;
    refs.reserve(temas.size());
    for (const auto& t : temas) {
        refs.push_back(&t);
    }
    return refs;
}

TTema CarregarDicionario(const std::filesystem::path& pastaDosTemas) {
    TTema tema;
    if (const auto bytes = VerRecurso(u"DICIONARIO")) {
        tema = LerDicionarioLimpo(*bytes);
    } else if (const auto ficheiro = FicheiroReservado(pastaDosTemas, u"Dicionario.txt")) {
        tema = detalhe::LerTemaDoTexto(detalhe::TextoDeFicheiro(*ficheiro, nullptr), NomeDoDicionario).Tema;
    } else {
        return TTema{};
    }
    tema.Nome = NomeDoDicionario;
    tema.Grupo = NomeDoDicionario;
    tema.Origem = TOrigemTema::otRecurso;
    return tema;
}

std::vector<std::u16string> LerListaNegra(const std::vector<std::u16string>& linhas) {
    std::vector<std::u16string> lista;
    std::unordered_set<std::u16string> vistas;
    for (const std::u16string& l : linhas) {
        const std::u16string_view linha = Aparar(l);
        if (linha.empty() || linha.front() == u'#') {
            continue;
        }
        const TLinhaValidada v = ValidarLinha(linha);
        if (!v.Aceite) {
            continue;
        }
        std::u16string chave = SemAcentos(v.Letras);
        if (chave.size() > 2 && vistas.insert(chave).second) {
            lista.push_back(std::move(chave));
        }
    }
    return lista;
}

std::vector<std::u16string> ListaNegraDoRecurso() {
    const auto bytes = VerRecurso(u"LISTA_NEGRA");
    return bytes ? ListaNegraDeBytes(*bytes) : std::vector<std::u16string>{};
}

std::vector<std::u16string> ListaNegraDeFicheiro(const std::filesystem::path& caminho) {
    return ListaNegraDeBytes(LerFicheiro(caminho));
}

std::vector<std::u16string> CarregarListaNegra(const std::filesystem::path& pastaDosTemas) {
    std::vector<std::u16string> lista = ListaNegraDoRecurso();
    if (!lista.empty()) {
        return lista;
    }
    try {
        if (const auto ficheiro = FicheiroReservado(pastaDosTemas, u"ListaNegra.txt")) {
            return ListaNegraDeFicheiro(*ficheiro);
        }
    } catch (const std::exception&) {
        // Sem lista negra o programa continua a funcionar; a janela não tem onde mostrar isto.
    }
    return {};
}

TRefsTemas TemasDoGrupo(std::span<const TTema* const> temas, std::u16string_view grupo) {
    TRefsTemas r;
    for (const TTema* t : temas) {
        if (t != nullptr && IguaisSemCaixaAscii(t->Grupo, grupo)) {
            r.push_back(t);
        }
    }
    return r;
}

std::int32_t MaiorPalavra(std::span<const TTema* const> temas, std::int32_t ate) {
    const auto limite = static_cast<std::size_t>(std::max(0, ate));
    std::size_t maior = 0;
    for (const TTema* t : temas) {
        if (t == nullptr) {
            continue;
        }
        for (const auto& p : t->Palavras) {
            maior = std::max(maior, p.Letras.size());
            if (maior >= limite) {
                return ate;
            }
        }
    }
    return static_cast<std::int32_t>(maior);
}

} // namespace zelta
