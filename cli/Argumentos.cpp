// Os argumentos do zelta-livro. O CLI11 só separa as opções; cada valor é convertido aqui para que os
// erros saiam numa frase portuguesa, como os da janela.
#include "cli/Argumentos.hpp"

#include "Versao.hpp"
#include "book/Opcoes.hpp"
#include "core/Formato.hpp"
#include "core/Texto.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>

namespace zelta::cli {

namespace {

constexpr int EstadoLinhaDeComando = 1;
constexpr int EstadoOpcoes = 2;

std::string_view SemEspacos(std::string_view s) {
    const auto inicio = s.find_first_not_of(" \t");
    if (inicio == std::string_view::npos) {
        return {};
    }
    return s.substr(inicio, s.find_last_not_of(" \t") - inicio + 1);
}

// Um inteiro do tipo T, o texto todo (com espaços à volta); sem valor quando não é um número inteiro ou não
// cabe no tipo, com fora a dizer qual das duas.
template <class T> std::optional<T> Inteiro(std::string_view texto, bool* fora = nullptr) {
    texto = SemEspacos(texto);
    T valor{};
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (texto.empty() || erro != std::errc{} || fim != texto.data() + texto.size()) {
        if (fora != nullptr) {
            *fora = !texto.empty() && erro == std::errc::result_out_of_range && fim == texto.data() + texto.size();
        }
        return std::nullopt;
    }
    return valor;
}

// As frases da janela quando um campo numérico não tem um número, mais o que foi recebido. Um valor que
// não se lê é um erro da linha de comando, como uma opção desconhecida.
std::int32_t LerNumero(const std::string& texto, const char* pedido) {
    bool fora = false;
    const auto valor = Inteiro<std::int32_t>(texto, &fora);
    if (!valor) {
        std::string m = pedido;
        m += ": «";
        m += texto;
        m += fora ? "» está fora do intervalo dos números aceites." : "» não é um número inteiro.";
        throw EArgumentos(m, EstadoLinhaDeComando);
    }
    return *valor;
}

TModoDirecoes LerModo(const std::string& texto) {
    const std::u16string t = DeUtf8(SemEspacos(texto));
    if (IguaisSemCaixaAscii(t, u"simples")) {
        return TModoDirecoes::mdSimples;
    }
    if (IguaisSemCaixaAscii(t, u"diagonais")) {
        return TModoDirecoes::mdDiagonais;
    }
    if (IguaisSemCaixaAscii(t, u"todas")) {
        return TModoDirecoes::mdTodas;
    }
    std::string m = "As direções são simples, diagonais ou todas, não «";
    m += texto;
    m += "».";
    throw EArgumentos(m, EstadoLinhaDeComando);
}

std::string NomeDaOpcao(const std::string& mensagem) {
    // O CLI11 começa as suas mensagens de falta de valor pelo nome da opção e dois pontos.
    const auto doisPontos = mensagem.find(':');
    if (mensagem.starts_with("--") && doisPontos != std::string::npos) {
        return mensagem.substr(0, doisPontos);
    }
    return {};
}

} // namespace

TArgumentos LerArgumentos(const std::vector<std::string>& args) {
    CLI::App app{"Faz um livro de Sopa de Letras em PDF, sem janela, pelo mesmo caminho do botão «Gerar».",
                 "zelta-livro"};
    app.option_defaults()->group("Opções");
    app.set_help_flag("-h,--ajuda", "Mostra esta ajuda e sai.");
    app.set_version_flag("--versao,--version", std::string("zelta-livro ") + Versao, "Mostra a versão e sai.");
    app.allow_extras();
    app.get_formatter()->label("Usage", "Utilização");
    app.get_formatter()->label("OPTIONS", "OPÇÕES");
    app.get_formatter()->label("Options", "Opções");
    app.get_formatter()->column_width(28);

    std::string tamanho, direcoes, minLetras, maxLetras, palavras, puzzles, livro, titulo, semente;
    std::string saida, json, temas, importar, formato, reimprimir, capa, papel;
    bool acentos = false, estrito = false, listar = false, substituir = false, encadernar = false, letraGrande = false;

    const auto opcao = [&app](const char* nome, std::string& destino, const char* tipo, const std::string& ajuda) {
        return app.add_option(nome, destino, ajuda)
            ->type_name(tipo)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    };
    const TConfigLivro omissao = ConfigPorOmissao();
    const auto n = [](std::int32_t v) { return std::to_string(v); };
    CLI::Option* oTamanho =
        opcao("--tamanho", tamanho, "N", "Lado da grelha: 10, 12, 15 ou 20 (" + n(omissao.Lado) + ").");
    CLI::Option* oDirecoes = opcao("--direcoes", direcoes, "MODO", "simples, diagonais ou todas (todas).");
    CLI::Option* oMin = opcao("--min-letras", minLetras, "N",
                              "Mínimo de letras de cada palavra, " + n(MinimoDeLetras) + " a " +
                                  n(MaximoDoMinimoDeLetras) + " (" + n(omissao.MinLetras) + ").");
    CLI::Option* oMax =
        opcao("--max-letras", maxLetras, "N", "Máximo de letras de cada palavra (" + n(omissao.MaxLetras) + ").");
    CLI::Option* oPalavras =
        opcao("--palavras", palavras, "N", "Máximo de palavras por puzzle (" + n(omissao.NumPalavras) + ").");
    CLI::Option* oPuzzles = opcao("--puzzles", puzzles, "N",
                                  "Número de puzzles, 1 a " + n(MaximoDePuzzles) + " (" + n(omissao.NumPuzzles) + ").");
    CLI::Option* oLivro =
        opcao("--livro", livro, "NOME", "Um grupo de temas, «Mix de Temas» ou «Dicionário» (o primeiro grupo).");
    CLI::Option* oTitulo =
        opcao("--titulo", titulo, "TEXTO", "Título do livro, até " + n(MaximoDoTitulo) + " caracteres.");
    CLI::Option* oAcentos = app.add_flag("--acentos", acentos, "A grelha leva as letras acentuadas.");
    CLI::Option* oFormato = opcao("--formato", formato, "NOME", "Tamanho da página: a4, a5, carta, 8x10 ou 6x9 (a4).");
    CLI::Option* oEncadernar = app.add_flag("--encadernar", encadernar,
                                            "Margens espelhadas com medianiz e números de página do lado de fora.");
    CLI::Option* oLetraGrande =
        app.add_flag("--letra-grande", letraGrande, "Letra grande em tudo; soluções duas por página.");
    CLI::Option* oCapa = opcao("--capa", capa, "FICHEIRO.pdf",
                               "Grava também a capa para impressão (verso, lombada e frente, com sangria).");
    CLI::Option* oPapel =
        opcao("--papel", papel, "PAPEL", "O papel do miolo, que dá a largura da lombada: branco ou creme (branco).");
    CLI::Option* oSemente = opcao("--semente", semente, "N", "Semente do livro; por omissão, uma nova.");
    CLI::Option* oSaida = opcao("--saida", saida, "FICHEIRO.pdf", "O PDF a gravar (nome por omissão na pasta atual).");
    CLI::Option* oJson = opcao("--json", json, "FICHEIRO", "Grava também o livro em JSON.");
    CLI::Option* oEstrito =
        app.add_flag("--estrito", estrito, "Para, sem gravar, quando a estimativa diz que faltam palavras.");
    CLI::Option* oTemas = opcao("--temas", temas, "PASTA", "A pasta dos temas do utilizador.");
    app.add_flag("--listar", listar, "Lista os grupos e os seus temas, com o número de palavras.");
    CLI::Option* oImportar = opcao("--importar", importar, "FICHEIRO", "Importa um tema para a pasta dos temas.");
    app.add_flag("--substituir", substituir, "Com --importar: substitui um tema com o mesmo ficheiro.");
    CLI::Option* oReimprimir =
        opcao("--reimprimir", reimprimir, "LIVRO.json",
              "Imprime outra vez um livro gravado em JSON, noutro formato ou com outro título, sem gerar nada.");

    // O CLI11 espera o nome do programa à cabeça, como no argv.
    std::vector<const char*> argv{"zelta-livro"};
    for (const auto& a : args) {
        argv.push_back(a.c_str());
    }
    TArgumentos r;
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp&) {
        r.Ajuda = true;
        r.TextoAjuda = app.help();
        return r;
    } catch (const CLI::CallForVersion& e) {
        // A versão sai pelo caminho da ajuda: um texto no stdout e estado 0.
        r.Ajuda = true;
        r.TextoAjuda = std::string(e.what()) + '\n';
        return r;
    } catch (const CLI::ParseError& e) {
        const std::string opcaoEmFalta = NomeDaOpcao(e.what());
        if (!opcaoEmFalta.empty()) {
            throw EArgumentos("Falta o valor da opção " + opcaoEmFalta + ".", EstadoLinhaDeComando);
        }
        throw EArgumentos("Argumentos inválidos; veja zelta-livro --ajuda.", EstadoLinhaDeComando);
    }
    if (const auto resto = app.remaining(); !resto.empty()) {
        std::string m = "Argumento desconhecido: «";
        m += resto.front();
        m += "»; veja zelta-livro --ajuda.";
        throw EArgumentos(m, EstadoLinhaDeComando);
    }

    if (oTamanho->count() > 0) {
        r.Lado = LerNumero(tamanho, "Indique o tamanho da grelha");
        if (!TamanhoValido(*r.Lado)) {
            throw EArgumentos("O tamanho da grelha tem de ser 10, 12, 15 ou 20.", EstadoOpcoes);
        }
    }
    if (oDirecoes->count() > 0) {
        r.Modo = LerModo(direcoes);
    }
    if (oMin->count() > 0) {
        r.MinLetras = LerNumero(minLetras, "Indique o mínimo de letras");
    }
    if (oMax->count() > 0) {
        r.MaxLetras = LerNumero(maxLetras, "Indique o máximo de letras");
    }
    if (oPalavras->count() > 0) {
        r.NumPalavras = LerNumero(palavras, "Indique o número de palavras");
    }
    if (oPuzzles->count() > 0) {
        r.NumPuzzles = LerNumero(puzzles, "Indique o número de puzzles");
    }
    if (oLivro->count() > 0) {
        // Um terminal de Mac escreve os acentos decompostos: compara-se na forma composta.
        r.Livro = NormalizarNfc(DeUtf8(livro));
    }
    // Como o campo da janela: aparado e com MaximoDoTitulo caracteres no máximo.
    r.Titulo = std::u16string(Aparar(NormalizarNfc(DeUtf8(titulo))));
    // O campo da janela não deixa escrever quebras de linha nem caracteres de controlo.
    if (std::any_of(r.Titulo.begin(), r.Titulo.end(), CaracterDeControlo)) {
        throw EArgumentos("O título não pode ter quebras de linha nem caracteres de controlo.", EstadoOpcoes);
    }
    if (r.Titulo.size() > static_cast<std::size_t>(MaximoDoTitulo)) {
        throw EArgumentos("O título tem no máximo " + n(MaximoDoTitulo) + " caracteres.", EstadoOpcoes);
    }
    r.Acentos = acentos;
    if (oFormato->count() > 0) {
        const auto f = FormatoDoNome(DeUtf8(SemEspacos(formato)));
        if (!f) {
            throw EArgumentos("O formato é a4, a5, carta, 8x10 ou 6x9, não «" + formato + "».", EstadoLinhaDeComando);
        }
        r.Impressao.Formato = *f;
    }
    r.Impressao.Encadernar = encadernar;
    r.Impressao.LetraGrande = letraGrande;
    if (oCapa->count() > 0) {
        r.Capa = std::filesystem::path(capa);
    }
    if (oPapel->count() > 0) {
        const std::u16string p = DeUtf8(SemEspacos(papel));
        if (IguaisSemCaixaAscii(p, u"creme")) {
            r.Papel = TPapel::ppCreme;
        } else if (!IguaisSemCaixaAscii(p, u"branco")) {
            throw EArgumentos("O papel é branco ou creme, não «" + papel + "».", EstadoLinhaDeComando);
        }
    }
    if (oSemente->count() > 0) {
        r.Semente = Inteiro<std::uint32_t>(semente);
        if (!r.Semente) {
            throw EArgumentos("A semente tem de ser um número inteiro de 0 a 4294967295.", EstadoLinhaDeComando);
        }
    }
    if (oSaida->count() > 0) {
        r.Saida = std::filesystem::path(saida);
    }
    if (oJson->count() > 0) {
        r.Json = std::filesystem::path(json);
    }
    r.Estrito = estrito;
    if (oTemas->count() > 0) {
        r.PastaTemas = std::filesystem::path(temas);
    }
    r.Listar = listar;
    if (oImportar->count() > 0) {
        r.Importar = std::filesystem::path(importar);
    }
    r.Substituir = substituir;
    r.TituloDado = oTitulo->count() > 0;
    r.ImpressaoDada = oFormato->count() + oEncadernar->count() + oLetraGrande->count() > 0;
    if (oReimprimir->count() > 0) {
        r.Reimprimir = std::filesystem::path(reimprimir);
        for (const CLI::Option* o :
             {oTamanho, oDirecoes, oMin, oMax, oPalavras, oPuzzles, oLivro, oAcentos, oSemente, oEstrito, oImportar}) {
            if (o->count() > 0 || r.Listar) {
                throw EArgumentos("--reimprimir imprime um livro já feito: só se junta a --formato, --encadernar, "
                                  "--letra-grande, --titulo, --saida e --json.",
                                  EstadoLinhaDeComando);
            }
        }
    }

    for (const CLI::Option* o :
         {oTamanho, oDirecoes, oMin, oMax, oPalavras, oPuzzles, oLivro, oTitulo, oAcentos, oSemente, oSaida, oJson,
          oEstrito, oFormato, oEncadernar, oLetraGrande, oCapa, oPapel}) {
        r.TemOpcoesDoLivro = r.TemOpcoesDoLivro || o->count() > 0;
    }
    if (r.Substituir && !r.Importar) {
        throw EArgumentos("A opção --substituir só serve com --importar.", EstadoLinhaDeComando);
    }
    if ((r.Listar || r.Importar) && r.TemOpcoesDoLivro) {
        throw EArgumentos("--listar e --importar não fazem livro: não se juntam às opções do livro.",
                          EstadoLinhaDeComando);
    }
    if (r.Saida && r.Saida->filename().empty()) {
        throw EArgumentos("Indique um ficheiro em --saida, não uma pasta.", EstadoLinhaDeComando);
    }
    if (r.Json && r.Json->filename().empty()) {
        throw EArgumentos("Indique um ficheiro em --json, não uma pasta.", EstadoLinhaDeComando);
    }
    if (r.Capa && r.Capa->filename().empty()) {
        throw EArgumentos("Indique um ficheiro em --capa, não uma pasta.", EstadoLinhaDeComando);
    }
    return r;
}

} // namespace zelta::cli
