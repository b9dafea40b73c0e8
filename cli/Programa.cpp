// O caminho de um livro sem janela, pela ordem do botão «Gerar»: análise, estimativa, geração, PDF.
// Tudo o que a janela mostra na linha de estado vai para o terminal; os erros, uma linha em stderr.
#include "cli/Programa.hpp"

#include "book/Opcoes.hpp"
#include "book/Producao.hpp"
#include "cli/Argumentos.hpp"
#include "cli/GravacaoLivro.hpp"
#include "cli/Listagem.hpp"
#include "cli/LivroJson.hpp"
#include "core/Ficheiros.hpp"
#include "core/Fios.hpp"
#include "core/Random.hpp"
#include "core/Texto.hpp"
#include "layout/Pdf.hpp"
#include "themes/Biblioteca.hpp"
#include "themes/Dicionario.hpp"
#include "themes/Importacao.hpp"
#include "themes/LeituraTema.hpp"

#include <algorithm>
#include <new>
#include <optional>

namespace zelta::cli {

namespace {

constexpr std::int32_t LarguraDaBarra = 30;

// Tudo o que vai para o terminal passa por aqui: nomes de temas, de ficheiros e linhas lidas podem trazer
// caracteres de controlo, que nunca chegam crus (mudariam o título do terminal, limpariam o ecrã).
// O pedido de paragem do ambiente como pergunta, para quem pergunta entre passos.
std::function<bool()> Pedido(const TAmbiente& amb) {
    if (amb.Interrompido == nullptr) {
        return {};
    }
    return [flag = amb.Interrompido] { return flag->load(); };
}

void Escrever(std::ostream& o, std::u16string_view linha) { o << ParaUtf8(TextoParaTerminal(linha)) << '\n'; }

std::u16string CaminhoParaMostrar(const std::filesystem::path& p) {
    std::error_code ec;
    const auto absoluto = std::filesystem::absolute(p, ec);
    return DeUtf8((ec ? p : absoluto).lexically_normal().string());
}

// Uma falha que acaba o programa com um estado e uma linha em stderr.
struct TFim {
    int Estado;
    std::u16string Mensagem;
};

// As opções do livro como a janela as teria: o que não foi dado parte dos valores iniciais e encolhe
// ao que o lado e os temas permitem, como a janela faz ao escolher o livro; o que foi dado segue tal
// qual para a análise, que diz o que não serve.
// Só os temas de onde sai o livro se leem por inteiro: um tema enorme noutro grupo não atrasa nada.
TConfigLivro ConfigDoLivro(const TArgumentos& a, TCatalogo& catalogo, const TAmbiente& amb, std::u16string& entrada) {
    const std::vector<std::u16string> entradas = EntradasDoLivro(catalogo);
    if (a.Livro) {
        const auto escolhida = EscolherEntrada(entradas, *a.Livro);
        if (!escolhida) {
            std::u16string m = u"Não há nenhum livro «" + *a.Livro + u"»; escolha um destes: ";
            for (std::size_t i = 0; i < entradas.size(); ++i) {
                m += (i == 0 ? u"" : u", ") + entradas[i];
            }
            m += u".";
            throw TFim{SaidaRecusado, m};
        }
        entrada = *escolhida;
    } else {
        entrada = entradas.front();
    }

    TConfigLivro c = ConfigPorOmissao();
    DefinirEntrada(c, entrada);
    CompletarTemas(catalogo, c.Grupo, c.Mix, amb.Interrompido);
    c.Lado = a.Lado.value_or(c.Lado);
    c.Modo = a.Modo.value_or(c.Modo);
    c = AjustarAosIntervalos(c, IntervalosDoLivro(c, TemasComDicionario(catalogo)));
    c.MaxLetras = a.MaxLetras.value_or(c.MaxLetras);
    c.MinLetras = a.MinLetras.value_or(c.MinLetras);
    c.NumPalavras = a.NumPalavras.value_or(c.NumPalavras);
    c.NumPuzzles = a.NumPuzzles.value_or(c.NumPuzzles);
    c.Acentos = a.Acentos;
    c.Titulo = a.Titulo;
    c.Semente = a.Semente ? *a.Semente : NovaSemente();
    return c;
}

// A barra de progresso em stderr, só quando é um terminal.
class TBarra {
public:
    TBarra(std::ostream& erros, bool ativa) : FErros(erros), FAtiva(ativa) {}
    ~TBarra() { Limpar(); }

    void Estado(std::u16string_view texto) {
        if (FAtiva) {
            Limpar();
            FErros << ParaUtf8(texto) << std::flush;
            FLargura = static_cast<std::int32_t>(texto.size());
        }
    }

    void Puzzle(std::int32_t indice, std::int32_t total) {
        // A corrida chama de cinco em cinco tentativas com o mesmo índice; só se redesenha quando muda.
        if (!FAtiva || total <= 0 || indice == FUltimo) {
            return;
        }
        FUltimo = indice;
        const std::int32_t atual = std::min(indice + 1, total);
        const std::int32_t cheio = LarguraDaBarra * std::min(indice, total) / total;
        std::string linha = "\r[";
        linha.append(static_cast<std::size_t>(cheio), '#');
        linha.append(static_cast<std::size_t>(LarguraDaBarra - cheio), ' ');
        linha += "] puzzle " + std::to_string(atual) + " de " + std::to_string(total);
        FErros << linha << std::flush;
        FLargura = static_cast<std::int32_t>(linha.size());
    }

    void Limpar() {
        if (FAtiva && FLargura > 0) {
            FErros << '\r' << std::string(static_cast<std::size_t>(FLargura), ' ') << '\r' << std::flush;
            FLargura = 0;
        }
        FUltimo = -1;
    }

private:
    std::ostream& FErros;
    bool FAtiva;
    std::int32_t FUltimo = -1;
    std::int32_t FLargura = 0;
};

bool MesmoFicheiro(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1, ec2;
    // Absolutos primeiro: o weakly_canonical de um relativo que ainda não existe fica relativo.
    const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ec1), ec1);
    const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ec2), ec2);
    return !ec1 && !ec2 && ca == cb;
}

// O fim da produção em texto e num estado de saída.
int Relatar(const TResultadoLivro& r, const TArgumentos& a, const TAmbiente& amb) {
    switch (r.Fim) {
    case TFimLivro::fmGravado:
        break;
    case TFimLivro::fmCancelado:
        Escrever(amb.Erros, r.Mensagem);
        return SaidaInterrompido;
    case TFimLivro::fmSemPuzzles:
        for (const auto& f : r.Relatorio.Falhas) {
            Escrever(amb.Erros, f);
        }
        [[fallthrough]];
    default:
        Escrever(amb.Erros, r.Mensagem);
        return SaidaRecusado;
    }
    Escrever(amb.Saida, r.Mensagem);
    for (const auto& f : r.Relatorio.Falhas) {
        Escrever(amb.Saida, u"  " + f);
    }
    Escrever(amb.Saida, u"PDF: " + CaminhoParaMostrar(r.Destino));
    if (a.Json) {
        Escrever(amb.Saida, u"JSON: " + CaminhoParaMostrar(*a.Json));
    }
    if (a.Capa) {
        Escrever(amb.Saida, u"Capa: " + CaminhoParaMostrar(*a.Capa));
    }
    amb.Saida << "Semente: " << r.Livro.Config.Semente << '\n';
    return r.Relatorio.Falhas.empty() ? SaidaOk : SaidaFaltamPuzzles;
}

// Um destino que não se pode escrever diz-se antes de gerar, não no fim.
void VerificarDestinos(std::initializer_list<std::filesystem::path> destinos) {
    for (const auto& destino : destinos) {
        if (const int erro = VerificarDestino(destino); erro != 0) {
            throw TFim{SaidaErro, u"Erro: " + FraseFalhaGravar(destino, erro)};
        }
    }
}

// O PDF do livro e, com --json, o JSON e, com --capa, a capa, numa só gravação: ficam todos no lugar ou nenhum.
std::int32_t GravarLivro(const TArgumentos& a, const TAmbiente& amb, const std::u16string& entrada,
                         const std::filesystem::path& pdf, const TDadosLivro& livro, const TRelatorioLivro& relatorio,
                         const std::u16string& resumo) {
    const std::int32_t paginas =
        GravarFicheirosDoLivro({pdf, a.Json, a.Capa, a.Papel, entrada, resumo}, livro, relatorio, Pedido(amb));
    if (const std::u16string aviso = AvisoDaCapa(paginas); a.Capa && !aviso.empty()) {
        Escrever(amb.Erros, u"Aviso: " + aviso);
    }
    return paginas;
}

// O PDF pedido (ou o nome por omissão), já conferido com o JSON: os destinos que não se podem escrever
// dizem-se antes de qualquer trabalho.
std::filesystem::path DestinoDoLivro(const TArgumentos& a, const TConfigLivro& config) {
    const std::filesystem::path saida =
        a.Saida.value_or(ParaUtf8(NomeFicheiroPdf(config.Grupo, config.Mix, config.Lado, config.NumPuzzles)));
    if (a.Json && MesmoFicheiro(*a.Json, saida)) {
        throw TFim{SaidaErro, u"O PDF e o JSON não podem ser o mesmo ficheiro."};
    }
    if (a.Capa && (MesmoFicheiro(*a.Capa, saida) || (a.Json && MesmoFicheiro(*a.Capa, *a.Json)))) {
        throw TFim{SaidaErro, u"A capa não pode ser o mesmo ficheiro que o PDF ou o JSON."};
    }
    VerificarDestinos({saida, a.Json.value_or(saida), a.Capa.value_or(saida)});
    return saida;
}

int FazerLivro(const TArgumentos& a, TCatalogo& catalogo, const TAmbiente& amb) {
    std::u16string entrada;
    const TConfigLivro config = ConfigDoLivro(a, catalogo, amb, entrada);
    const std::filesystem::path saida = DestinoDoLivro(a, config);

    TBarra barra(amb.Erros, amb.Progresso);
    TPassosLivro passos;
    std::u16string resumo;
    passos.Aceite = [&](const TAnalise& analise) {
        resumo = ResumoDasOpcoes(config, analise.NumTemas);
        Escrever(amb.Saida, resumo);
        if (!analise.Aviso.empty()) {
            Escrever(amb.Erros, analise.Aviso);
        }
    };
    passos.Fase = [&barra](TFaseLivro, const std::u16string& frase) {
        frase.empty() ? barra.Limpar() : barra.Estado(frase);
    };
    passos.AceitarFalta = [&](std::int32_t estimados, std::int32_t pedidos) {
        barra.Limpar();
        if (!a.Estrito) {
            Escrever(amb.Erros,
                     FraseEstimativa(estimados, pedidos) + u" Continua-se assim mesmo (com --estrito, pararia aqui).");
        }
        return !a.Estrito;
    };
    passos.Destino = [&saida](const TConfigLivro&) { return saida; };
    passos.Progresso = [&barra, &amb](std::int32_t indice, std::int32_t total, bool& cancelar) {
        barra.Puzzle(indice, total);
        cancelar = cancelar || (amb.Interrompido != nullptr && amb.Interrompido->load());
    };
    passos.Cancelado = Pedido(amb);
    passos.Gravar = [&](const std::filesystem::path& pdf, const TDadosLivro& livro, const TRelatorioLivro& relatorio) {
        return GravarLivro(a, amb, entrada, pdf, livro, relatorio, resumo);
    };
    const TResultadoLivro r = ProduzirLivro(config, catalogo, passos, a.Impressao);
    barra.Limpar();
    return Relatar(r, a, amb);
}

// Um livro gravado, impresso outra vez: os mesmos puzzles, pela ordem do ficheiro, nas opções de impressão
// dadas (senão nas dele) e com o título dado. Nada se gera; um livro com faltas não se imprime.
int Reimprimir(const TArgumentos& a, const TAmbiente& amb) {
    TLivroLido lido;
    try {
        lido = LerLivroJsonDeFicheiro(*a.Reimprimir, ListaNegraDoRecurso());
    } catch (const EZelta& e) {
        throw TFim{SaidaRecusado, e.Mensagem()};
    }
    TDadosLivro& livro = lido.Livro;
    if (a.TituloDado) {
        livro.Config.Titulo = a.Titulo;
    }
    if (a.ImpressaoDada) {
        livro.Impressao = a.Impressao;
    }
    if (const std::u16string recusa = RecusaDoFormatoParaLivro(livro); !recusa.empty()) {
        throw TFim{SaidaRecusado, recusa};
    }
    const std::filesystem::path saida = DestinoDoLivro(a, livro.Config);
    const std::u16string resumo = ResumoDasOpcoes(livro.Config, TemasDoLivro(livro));
    Escrever(amb.Saida, resumo);
    std::int32_t paginas = 0;
    try {
        paginas = GravarLivro(a, amb, lido.Entrada, saida, livro, {}, resumo);
    } catch (const ECancelado&) {
        throw TFim{SaidaInterrompido, MensagemGravacaoCancelada()};
    }
    Escrever(amb.Saida, MensagemLivroGerado(static_cast<std::int32_t>(livro.Puzzles.size()), paginas));
    Escrever(amb.Saida, u"PDF: " + CaminhoParaMostrar(saida));
    if (a.Json) {
        Escrever(amb.Saida, u"JSON: " + CaminhoParaMostrar(*a.Json));
    }
    return SaidaOk;
}

void Importar(const TArgumentos& a, const std::filesystem::path& pasta, const TAmbiente& amb) {
    TTemaLido lido;
    try {
        lido = ImportarTema(*a.Importar, pasta, a.Substituir);
    } catch (const ETemaJaExiste& e) {
        throw TFim{SaidaErro, e.Mensagem() + u" Use --substituir para o substituir."};
    } catch (const EZelta& e) {
        throw TFim{SaidaErro, u"Não foi possível importar o tema: " + e.Mensagem()};
    }
    for (const auto& linha : LinhasDoRelatorioImportacao(lido)) {
        Escrever(amb.Saida, linha);
    }
}

void Listar(const TCatalogo& catalogo, const TAmbiente& amb) {
    Escrever(amb.Saida, u"Pasta dos temas: " + CaminhoParaMostrar(catalogo.Pasta));
    for (const auto& linha : LinhasDaListagem(catalogo)) {
        Escrever(amb.Saida, linha);
    }
}

int ExecutarPedido(const std::vector<std::string>& args, const TAmbiente& amb) {
    try {
        const TArgumentos a = LerArgumentos(args);
        if (a.Ajuda) {
            amb.Saida << a.TextoAjuda;
            return SaidaOk;
        }
        // Um livro vai ser composto: o que todas as composições desenham descodifica-se no outro núcleo enquanto
        // este lê os temas (ou o livro gravado) e gera os puzzles. Espera-se por ele à saída.
        const bool vaiCompor = a.Reimprimir || (!a.Importar && !a.Listar);
        std::optional<TNoutroNucleo<void>> preparacao;
        if (vaiCompor) {
            preparacao.emplace(PrepararLivroEmPdf);
        }
        if (a.Reimprimir) {
            return Reimprimir(a, amb);
        }
        const std::filesystem::path pasta = a.PastaTemas ? *a.PastaTemas : PastaDosTemas();
        if (a.Importar) {
            Importar(a, pasta, amb);
            if (!a.Listar) {
                return SaidaOk;
            }
        }
        TCatalogo catalogo = CarregarCatalogo(pasta, TCargaCatalogo::ccResumos, amb.Interrompido);
        for (const auto& m : catalogo.Avisos) {
            Escrever(amb.Erros, u"Aviso: " + m);
        }
        if (a.Listar) {
            Listar(catalogo, amb);
            return SaidaOk;
        }
        return FazerLivro(a, catalogo, amb);
    } catch (const EArgumentos& e) {
        Escrever(amb.Erros, DeUtf8(e.what()));
        return e.Estado();
    } catch (const TFim& f) {
        Escrever(amb.Erros, f.Mensagem);
        return f.Estado;
    } catch (const ELeituraCancelada&) {
        Escrever(amb.Erros, u"Cancelado durante a leitura dos temas. Nada foi gravado.");
        return SaidaInterrompido;
    } catch (const EZelta& e) {
        Escrever(amb.Erros, u"Erro: " + e.Mensagem());
        return SaidaErro;
    } catch (const std::bad_alloc&) {
        // Os temporários já se apagaram ao desfazer a pilha.
        Escrever(amb.Erros, u"Erro: " + std::u16string(MensagemSemMemoria));
        return SaidaErro;
    }
}

} // namespace

int Executar(const std::vector<std::string>& args, const TAmbiente& amb) {
    const int estado = ExecutarPedido(args, amb);
    // Uma saída que não se escreveu (disco cheio, tubo fechado) não pode passar por sucesso.
    amb.Saida.flush();
    if (!amb.Saida) {
        Escrever(amb.Erros, u"Erro: não foi possível escrever na saída padrão.");
        return estado == SaidaOk || estado == SaidaFaltamPuzzles ? SaidaErro : estado;
    }
    return estado;
}

} // namespace zelta::cli
