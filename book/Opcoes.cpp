// Limites e valores iniciais, análise das opções antes de uma corrida e as frases: resumo, nome do
// ficheiro, mensagens da corrida.
#include "book/Opcoes.hpp"

#include "book/Livro.hpp"
#include "core/Formato.hpp"
#include "core/Texto.hpp"
#include "themes/Biblioteca.hpp"

#include <algorithm>
#include <limits>

namespace zelta {

namespace {

// Quantas palavras tem cada fonte do livro, contadas até ate: o pool único do Mix, ou o de cada tema do grupo.
std::vector<std::int32_t> PalavrasPorFonte(const TConfigLivro& config, const TRefsTemas& escolhidos,
                                           TTrabalhoDoPool& trabalho, std::int32_t ate) {
    if (config.Mix) {
        return {TamanhoDoPool(escolhidos, config, trabalho, ate)};
    }
    std::vector<std::int32_t> contagens;
    for (const TTema* tema : escolhidos) {
        const TTema* so[] = {tema};
        contagens.push_back(TamanhoDoPool(so, config, trabalho, ate));
    }
    return contagens;
}

// Um majorante das páginas do livro, para a medianiz antes de se saber o plano: capa, verso, duas páginas
// de regras e duas de símbolo no pior caso, dois separadores, os puzzles e as soluções duas por página.
std::int32_t PaginasNoPiorCaso(std::int32_t numPuzzles) { return 7 + numPuzzles + (numPuzzles + 1) / 2; }

} // namespace

TConfigLivro ConfigPorOmissao() {
    TConfigLivro c;
    c.Lado = 15;
    c.Modo = TModoDirecoes::mdTodas;
    c.MinLetras = 4;
    c.MaxLetras = 12;
    c.NumPalavras = 20;
    c.NumPuzzles = 30;
    return c;
}

std::vector<std::u16string> EntradasDoLivro(const TCatalogo& catalogo) {
    std::vector<std::u16string> entradas = GruposDosTemas(catalogo.Temas);
    entradas.emplace_back(EntradaMix);
    if (!catalogo.Dicionario.Palavras.empty()) {
        entradas.push_back(catalogo.Dicionario.Nome);
    }
    return entradas;
}

void DefinirEntrada(TConfigLivro& config, std::u16string_view entrada) {
    config.Mix = entrada == EntradaMix;
    config.Grupo = config.Mix ? std::u16string() : std::u16string(entrada);
}

TIntervalos IntervalosDasOpcoes(std::int32_t lado, std::span<const TTema* const> escolha, bool mix) {
    const std::int32_t limite = LimiteMaxLetras(lado, escolha);
    const auto temas = static_cast<std::int32_t>(std::min<std::size_t>(escolha.size(), MaximoDePuzzles));
    TIntervalos r;
    r.MaxMinLetras = std::min(limite, MaximoDoMinimoDeLetras);
    r.MaxMaxLetras = limite;
    r.MaxPalavras = MaxPalavrasDoLado(lado);
    r.MinPuzzles = mix ? 1 : std::max(temas, 1);
    return r;
}

TIntervalos IntervalosDoLivro(const TConfigLivro& config, std::span<const TTema* const> temas) {
    return IntervalosDasOpcoes(config.Lado, TemasDaEscolha(temas, config.Grupo, config.Mix), config.Mix);
}

TConfigLivro AjustarAosIntervalos(TConfigLivro config, const TIntervalos& limites) {
    config.MinLetras = std::min(config.MinLetras, limites.MaxMinLetras);
    config.MaxLetras = std::min(config.MaxLetras, limites.MaxMaxLetras);
    config.NumPalavras = std::min(config.NumPalavras, limites.MaxPalavras);
    config.NumPuzzles = std::max(config.NumPuzzles, limites.MinPuzzles);
    return config;
}

TRefsTemas TemasDaEscolha(std::span<const TTema* const> temas, std::u16string_view grupo, bool mix) {
    return mix ? TemasSemDicionario(temas) : TemasDoGrupo(temas, grupo);
}

std::int32_t LimiteMaxLetras(std::int32_t lado, std::span<const TTema* const> temas) {
    // Uma palavra do comprimento do lado já decide: não é preciso procurar a maior de todas.
    const std::int32_t maior = MaiorPalavra(temas, lado);
    const std::int32_t limite = (maior != 0 && lado >= maior) ? maior : lado;
    return std::max(limite, MinimoDeLetras);
}

double MaiorLarguraDaLista(const TConfigLivro& config, std::span<const TTema* const> temas) {
    double maior = 0;
    for (const TTema* tema : temas) {
        for (const auto& p : tema->Palavras) {
            const auto letras = static_cast<std::int32_t>(p.Letras.size());
            if (letras >= config.MinLetras && letras <= config.MaxLetras) {
                maior = std::max(maior, LarguraEmDaLista(p.Texto));
            }
        }
    }
    return maior;
}

std::u16string RecusaDoFormatoParaLivro(const TDadosLivro& livro) {
    // As palavras do livro fazem de tema: a mesma conta que antes de gerar, agora sobre o que saiu.
    TTema palavras;
    TConfigLivro config = livro.Config;
    config.MinLetras = std::numeric_limits<std::int32_t>::max();
    config.MaxLetras = 0;
    config.NumPalavras = 0;
    for (const TPuzzle& pz : livro.Puzzles) {
        config.NumPalavras = std::max(config.NumPalavras, static_cast<std::int32_t>(pz.Palavras.size()));
        for (const TPalavraColocada& w : pz.Palavras) {
            const auto letras = static_cast<std::int32_t>(w.Palavra.size());
            config.MinLetras = std::min(config.MinLetras, letras);
            config.MaxLetras = std::max(config.MaxLetras, letras);
            palavras.Palavras.push_back({w.Texto, w.Palavra});
        }
    }
    const TTema* so[] = {&palavras};
    return RecusaDoFormato(config, livro.Impressao, so);
}

std::int32_t TemasDoLivro(const TDadosLivro& livro) {
    if (livro.Config.Mix) {
        return 1;
    }
    std::vector<std::u16string> nomes;
    for (const TPuzzle& pz : livro.Puzzles) {
        if (std::find(nomes.begin(), nomes.end(), pz.Tema) == nomes.end()) {
            nomes.push_back(pz.Tema);
        }
    }
    return static_cast<std::int32_t>(nomes.size());
}

bool LadoCabeNoFormato(const TConfigLivro& config, const TOpcoesImpressao& impressao, std::int32_t lado) {
    const double medianiz = impressao.Encadernar ? Medianiz(PaginasNoPiorCaso(config.NumPuzzles)) : 0;
    return GrelhaCabeNoFormato(impressao, medianiz, lado);
}

std::u16string RecusaDoFormato(const TConfigLivro& config, const TOpcoesImpressao& impressao,
                               std::span<const TTema* const> escolhidos) {
    const double medianiz = impressao.Encadernar ? Medianiz(PaginasNoPiorCaso(config.NumPuzzles)) : 0;
    // Num lado menor, as palavras também ficam mais curtas: a largura conta-se outra vez.
    const auto cabe = [&](std::int32_t lado) {
        TConfigLivro c = config;
        c.MaxLetras = std::min(config.MaxLetras, lado);
        return CabeNoFormato(impressao, medianiz, lado, std::min(config.NumPalavras, MaxPalavrasDoLado(lado)),
                             MaiorLarguraDaLista(c, escolhidos));
    };
    if (cabe(config.Lado)) {
        return {};
    }
    std::u16string onde = u"Em " + std::u16string(Folha(impressao.Formato).Nome);
    if (impressao.LetraGrande) {
        onde += u" em letra grande";
    }
    if (impressao.Encadernar) {
        onde += impressao.LetraGrande ? u" e para encadernar" : u" para encadernar";
    }
    for (auto it = Tamanhos.rbegin(); it != Tamanhos.rend(); ++it) {
        if (*it < config.Lado && cabe(*it)) {
            return onde + u", a maior grelha que cabe é " + RotuloTamanho(*it) + u".";
        }
    }
    return onde + u", nenhuma grelha cabe com " + Decimal(config.NumPalavras) + u" palavras de até " +
           Decimal(config.MaxLetras) + u" letras: peça menos palavras ou palavras mais curtas.";
}

TAnalise AnalisarOpcoes(const TConfigLivro& config, std::span<const TTema* const> temas,
                        const TOpcoesImpressao& impressao) {
    TTrabalhoDoPool trabalho;
    return AnalisarOpcoes(config, temas, trabalho, impressao);
}

TAnalise AnalisarOpcoes(const TConfigLivro& config, std::span<const TTema* const> temas, TTrabalhoDoPool& trabalho,
                        const TOpcoesImpressao& impressao) {
    TAnalise a;
    const TRefsTemas escolhidos = TemasDaEscolha(temas, config.Grupo, config.Mix);
    if (escolhidos.empty()) {
        a.Motivo = u"Não há temas neste grupo.";
        return a;
    }
    a.NumTemas = config.Mix ? 1 : static_cast<std::int32_t>(escolhidos.size());
    const auto recusar = [&a](std::u16string motivo) {
        a.Motivo = std::move(motivo);
        return a;
    };
    if (!TamanhoValido(config.Lado)) {
        return recusar(u"Escolha o tamanho da grelha.");
    }
    if (config.MinLetras < MinimoDeLetras || config.MinLetras > MaximoDoMinimoDeLetras) {
        return recusar(u"O mínimo de letras tem de estar entre " + Decimal(MinimoDeLetras) + u" e " +
                       Decimal(MaximoDoMinimoDeLetras) + u".");
    }
    if (config.MaxLetras < config.MinLetras) {
        return recusar(u"O máximo de letras não pode ser menor que o mínimo.");
    }
    const std::int32_t limite = LimiteMaxLetras(config.Lado, escolhidos);
    if (config.MaxLetras > limite) {
        return recusar(u"O máximo de letras não pode passar de " + Decimal(limite) +
                       u" (o lado da grelha ou a palavra mais comprida).");
    }
    const std::int32_t maxPalavras = MaxPalavrasDoLado(config.Lado);
    if (config.NumPalavras < MinimoDePalavras || config.NumPalavras > maxPalavras) {
        return recusar(u"O número de palavras tem de estar entre " + Decimal(MinimoDePalavras) + u" e " +
                       Decimal(maxPalavras) + u" para esta grelha.");
    }
    if (config.NumPuzzles < 1 || config.NumPuzzles > MaximoDePuzzles) {
        return recusar(u"Indique um número de puzzles entre " + Decimal(1) + u" e " + Decimal(MaximoDePuzzles) + u".");
    }
    if (config.NumPuzzles < a.NumTemas) {
        return recusar(u"O grupo " + config.Grupo + u" tem " + Decimal(a.NumTemas) + u" temas: peça pelo menos " +
                       Decimal(a.NumTemas) + u" puzzles.");
    }
    if (impressao != TOpcoesImpressao{}) {
        if (auto recusa = RecusaDoFormato(config, impressao, escolhidos); !recusa.empty()) {
            return recusar(std::move(recusa));
        }
    }
    // Só se pergunta se cada fonte tem as palavras de um puzzle e se há as do livro inteiro: contar além das
    // pedidas não muda nenhuma resposta, e num livro pequeno poupa percorrer o dicionário todo.
    const std::int64_t pedidas = std::int64_t{config.NumPuzzles} * config.NumPalavras;
    const auto ate =
        static_cast<std::int32_t>(std::min<std::int64_t>(pedidas, std::numeric_limits<std::int32_t>::max()));
    const std::vector<std::int32_t> porFonte = PalavrasPorFonte(config, escolhidos, trabalho, ate);
    for (std::size_t s = 0; s < porFonte.size(); ++s) {
        if (porFonte[s] >= config.NumPalavras) {
            continue;
        }
        const std::u16string letras = u" palavras com " + Decimal(config.MinLetras) + u" a " +
                                      Decimal(config.MaxLetras) + u" letras; peça menos palavras ou alargue as letras.";
        return recusar(config.Mix ? u"Só há " + Decimal(porFonte[s]) + letras
                                  : u"O tema " + escolhidos[s]->Nome + u" só tem " + Decimal(porFonte[s]) + letras);
    }
    // Um pool só (Mix, ou um grupo de um tema) já está contado; senão juntam-se os temas do grupo.
    const std::int32_t total = porFonte.size() == 1 ? porFonte[0] : TamanhoDoPool(escolhidos, config, trabalho, ate);
    if (pedidas > total) {
        a.Aviso = u"Aviso: o livro pede " + Decimal(pedidas) + u" palavras e só há " + Decimal(total) +
                  u" com estas letras; algumas repetem-se e pode faltar algum puzzle.";
    }
    a.PodeGerar = true;
    return a;
}

std::u16string Contagem(std::int64_t n, std::u16string_view singular, std::u16string_view plural) {
    return Decimal(n) + u" " + std::u16string(n == 1 ? singular : plural);
}

std::u16string FraseAVerificar() { return u"A verificar as palavras disponíveis\u2026"; }

std::u16string FraseAGravar() { return u"A gravar o PDF\u2026"; }

std::u16string FraseEstimativa(std::int32_t estimados, std::int32_t pedidos) {
    return estimados > 0
               ? u"Com estas opções, o livro só deve dar cerca de " + Contagem(estimados, u"puzzle", u"puzzles") +
                     u" dos " + Decimal(pedidos) + u" pedidos: faltam palavras novas nos temas."
               : u"Com estas opções não há palavras novas que cheguem para nenhum dos " + Decimal(pedidos) +
                     u" puzzles pedidos.";
}

std::u16string PerguntaEstimativa(std::int32_t estimados, std::int32_t pedidos) {
    return FraseEstimativa(estimados, pedidos) +
           u"\r\n\r\nPode pedir menos puzzles ou menos palavras por puzzle. Gerar mesmo assim?";
}

std::u16string NomeDoModo(TModoDirecoes modo) {
    switch (modo) {
    case TModoDirecoes::mdSimples:
        return u"Simples";
    case TModoDirecoes::mdDiagonais:
        return u"Com diagonais";
    case TModoDirecoes::mdTodas:
        return u"Todas";
    }
    return {};
}

std::u16string ResumoDasOpcoes(const TConfigLivro& config, std::int32_t numTemas) {
    const std::u16string separador = u" · ";
    const std::u16string livro =
        config.Mix ? u"Mix" : config.Grupo + u" (" + Contagem(numTemas, u"tema", u"temas") + u")";
    return Contagem(config.NumPuzzles, u"puzzle", u"puzzles") + separador + RotuloTamanho(config.Lado) + separador +
           livro + separador + NomeDoModo(config.Modo) + separador + u"até " +
           Contagem(config.NumPalavras, u"palavra", u"palavras") + u" de " + Decimal(config.MinLetras) + u" a " +
           Decimal(config.MaxLetras) + u" letras";
}

std::u16string NomeBreveDoLivro(std::u16string_view grupo, bool mix) {
    if (mix) {
        return u"Mix";
    }
    if (IguaisSemCaixaAscii(grupo, u"Cultura e Lazer")) {
        return u"CulturaLazer";
    }
    if (IguaisSemCaixaAscii(grupo, u"Os meus temas")) {
        return u"MeusTemas";
    }
    // Cada sequência de letras e algarismos vira uma palavra com maiúscula inicial, tudo junto.
    std::u16string nome;
    bool inicioDePalavra = true;
    for (const char16_t c : SemAcentos(MaiusculasCompletas(grupo))) {
        const bool algarismo = c >= u'0' && c <= u'9';
        const bool letra = c >= u'A' && c <= u'Z';
        if (!algarismo && !letra) {
            inicioDePalavra = true;
            continue;
        }
        nome.push_back(letra && !inicioDePalavra ? static_cast<char16_t>(c + 32) : c);
        inicioDePalavra = false;
    }
    return nome.empty() ? u"Livro" : nome;
}

std::u16string NomeFicheiroPdf(std::u16string_view grupo, bool mix, std::int32_t lado, std::int32_t numPuzzles) {
    return u"Zelta_" + NomeBreveDoLivro(grupo, mix) + u"_" + Decimal(lado) + u"x" + Decimal(lado) + u"_" +
           Decimal(numPuzzles) + u".pdf";
}

std::u16string MensagemLivroGerado(std::int32_t puzzles, std::int32_t paginas) {
    return u"Livro gerado: " + Contagem(puzzles, u"puzzle", u"puzzles") + u", " +
           Contagem(paginas, u"página", u"páginas") + u".";
}

std::u16string MensagemCancelada(std::int32_t gerados, std::int32_t pedidos) {
    return u"Geração cancelada aos " + Decimal(gerados) + u" de " + Decimal(pedidos) + u" puzzles. Nada foi gravado.";
}

std::u16string MensagemGravacaoCancelada() { return u"Livro cancelado durante a gravação. Nada foi gravado."; }

std::u16string MensagemSemPuzzles() { return u"Não foi possível gerar nenhum puzzle com estas opções."; }

std::u16string MensagemDoLivro(std::int32_t puzzles, std::int32_t paginas, std::int32_t faltam) {
    std::u16string texto = MensagemLivroGerado(puzzles, paginas);
    if (faltam > 0) {
        texto += u" Faltam " + Decimal(faltam) + u" puzzles que não foi possível gerar.";
    }
    return texto;
}

std::u16string PerguntaFecharAGerar() { return u"Está a ser gerado um livro. Cancelar e sair?"; }

} // namespace zelta
