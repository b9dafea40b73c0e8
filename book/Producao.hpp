// A produção de um livro, a sequência por trás de "Gerar": análise, estimativa, confirmação, escolha do
// destino, geração e gravação. Sem toolkit: a janela e o zelta-livro só respondem aos passos.
#pragma once

#include "book/Livro.hpp"
#include "book/Opcoes.hpp"
#include "core/Tipos.hpp"
#include "themes/Catalogo.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zelta {

enum class TFaseLivro : std::uint8_t { flVerificar, flGerar, flGravar };

// O que a produção pede a quem a chama. Só Destino e Gravar são obrigatórios.
struct TPassosLivro {
    // A análise aceitou as opções.
    std::function<void(const TAnalise&)> Aceite;
    // Começa uma fase; a frase dela vem vazia na geração, que tem o progresso.
    std::function<void(TFaseLivro, const std::u16string& frase)> Fase;
    // A estimativa diz que vão faltar puzzles: true para gerar assim mesmo. Sem resposta, gera-se.
    std::function<bool(std::int32_t estimados, std::int32_t pedidos)> AceitarFalta;
    // Onde gravar o livro; nada para desistir sem gerar.
    std::function<std::optional<std::filesystem::path>(const TConfigLivro&)> Destino;
    TProgressoLivro Progresso;
    // Um pedido de paragem, perguntado entre passos; a geração pergunta pelo Progresso.
    std::function<bool()> Cancelado;
    // Grava o livro inteiro no destino ou nada (levanta EZelta; ECancelado quando parou a pedido); devolve o
    // número de páginas.
    std::function<std::int32_t(const std::filesystem::path&, const TDadosLivro&, const TRelatorioLivro&)> Gravar;
};

enum class TFimLivro : std::uint8_t {
    fmRecusado,   // a análise recusou as opções
    fmDesistiu,   // a estimativa não foi aceite
    fmSemDestino, // nenhum destino escolhido
    fmCancelado,  // cancelado durante a geração; nada gravado
    fmSemPuzzles, // nenhum puzzle saiu; nada gravado
    fmGravado,    // gravado, talvez com puzzles em falta (Relatorio.Falhas)
};

struct TResultadoLivro {
    TFimLivro Fim = TFimLivro::fmRecusado;
    std::u16string Mensagem; // a frase do fim, das de book/Opcoes
    TAnalise Analise;
    TDadosLivro Livro;
    TRelatorioLivro Relatorio;
    std::filesystem::path Destino;
    std::int32_t Paginas = 0;
};

// Faz o livro de config (com a semente já escolhida) a partir do catálogo. Os erros de leitura e de
// gravação saem como EZelta; tudo o resto acaba num TResultadoLivro.
TResultadoLivro ProduzirLivro(const TConfigLivro& config, const TCatalogo& catalogo, const TPassosLivro& passos);

} // namespace zelta
