// A sequência de "Gerar", uma só para a janela e para o zelta-livro.
#include "book/Producao.hpp"

#include <utility>

namespace zelta {

namespace {

void AvisarFase(const TPassosLivro& passos, TFaseLivro fase, const std::u16string& frase) {
    if (passos.Fase) {
        passos.Fase(fase, frase);
    }
}

void Acabar(TResultadoLivro& r, TFimLivro fim, std::u16string mensagem) {
    r.Fim = fim;
    r.Mensagem = std::move(mensagem);
}

} // namespace

TResultadoLivro ProduzirLivro(const TConfigLivro& config, const TCatalogo& catalogo, const TPassosLivro& passos,
                              const TOpcoesImpressao& impressao) {
    TResultadoLivro r;
    r.Livro.Config = config;
    r.Livro.Impressao = impressao;
    const TRefsTemas temas = TemasComDicionario(catalogo);

    // A análise e os pools percorrem as mesmas palavras; a memória de uma serve a outra.
    TTrabalhoDoPool trabalho;
    r.Analise = AnalisarOpcoes(config, temas, trabalho, impressao);
    if (!r.Analise.PodeGerar) {
        Acabar(r, TFimLivro::fmRecusado, r.Analise.Motivo);
        return r;
    }
    if (passos.Aceite) {
        passos.Aceite(r.Analise);
    }

    AvisarFase(passos, TFaseLivro::flVerificar, FraseAVerificar());
    // Os mesmos pools para a estimativa e para a corrida.
    const TPoolsDoLivro pools(config, temas, trabalho);
    const std::int32_t estimados = EstimarPuzzles(pools);
    if (passos.Cancelado && passos.Cancelado()) {
        Acabar(r, TFimLivro::fmCancelado, MensagemCancelada(0, config.NumPuzzles));
        return r;
    }
    if (estimados < config.NumPuzzles && passos.AceitarFalta && !passos.AceitarFalta(estimados, config.NumPuzzles)) {
        Acabar(r, TFimLivro::fmDesistiu, FraseEstimativa(estimados, config.NumPuzzles));
        return r;
    }

    const std::optional<std::filesystem::path> destino = passos.Destino(config);
    if (!destino) {
        Acabar(r, TFimLivro::fmSemDestino, {});
        return r;
    }
    r.Destino = *destino;

    AvisarFase(passos, TFaseLivro::flGerar, {});
    r.Livro.Puzzles = GerarPuzzles(pools, catalogo.ListaNegra, passos.Progresso, r.Relatorio);
    if (r.Relatorio.Cancelado) {
        Acabar(r, TFimLivro::fmCancelado, MensagemCancelada(r.Relatorio.Gerados, config.NumPuzzles));
        return r;
    }
    if (r.Livro.Puzzles.empty()) {
        Acabar(r, TFimLivro::fmSemPuzzles, MensagemSemPuzzles());
        return r;
    }

    AvisarFase(passos, TFaseLivro::flGravar, FraseAGravar());
    try {
        r.Paginas = passos.Gravar(r.Destino, r.Livro, r.Relatorio);
    } catch (const ECancelado&) {
        Acabar(r, TFimLivro::fmCancelado, MensagemGravacaoCancelada());
        return r;
    }
    const auto feitos = static_cast<std::int32_t>(r.Livro.Puzzles.size());
    const auto faltam = static_cast<std::int32_t>(r.Relatorio.Falhas.size());
    Acabar(r, TFimLivro::fmGravado, MensagemDoLivro(feitos, r.Paginas, faltam));
    return r;
}

} // namespace zelta
