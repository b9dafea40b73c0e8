// Liga o compositor ao documento PDF: configura o documento, compõe todas as páginas e grava; e a capa para
// impressão, numa página do seu tamanho.
#include "layout/Pdf.hpp"

#include "core/Ficheiros.hpp"
#include "core/Fios.hpp"
#include "core/Formato.hpp"
#include "core/Texto.hpp"
#include "layout/CanvasCairo.hpp"
#include "layout/Paginas.hpp"
#include "pdf/DocumentoPdf.hpp"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <memory>

namespace zelta {

namespace {

// Cada página nova é uma página do documento, desenhada por um TCanvasCairo a 300 por polegada.
class TDestinoPdf final : public IDestinoPaginas {
public:
    // Não é dono do documento, das fontes nem do pedido de paragem.
    TDestinoPdf(TDocumentoPdf& APdf, TFontesCairo& AFontes, const std::function<bool()>& ACancelado)
        : FPdf(APdf), FFontes(AFontes), FCancelado(ACancelado) {}

    std::shared_ptr<ICanvasPagina> NovaPagina() override {
        // Entre páginas: um pedido de paragem não espera pelo livro inteiro.
        if (FCancelado && FCancelado()) {
            throw ECancelado(u"Gravação cancelada.");
        }
        return std::make_shared<TCanvasCairo>(FPdf.AddPage(), TDocumentoPdf::ScreenLogPixels, FFontes);
    }

private:
    TDocumentoPdf& FPdf;
    TFontesCairo& FFontes;
    const std::function<bool()>& FCancelado;
};

// Custo relativo de compor e emitir cada página, em grelhas de letras: uma página de soluções leva até
// quatro grelhas com letras de duas fontes e os contornos, e o cairo paga-a como doze grelhas simples.
int CustoDaPagina(const TDescPagina& pagina) { return pagina.Tipo == TTipoPagina::pgSolucoes ? 12 : 1; }

// Abaixo disto um segundo documento custa mais (fontes repetidas no ficheiro, um fio) do que poupa.
constexpr int CustoMinimoParaDividir = 60;

// Onde o livro se parte em duas partes de custo igual; 0 quando não vale a pena partir.
std::size_t PontoDeDivisao(const std::vector<TDescPagina>& paginas) {
    int total = 0;
    for (const auto& p : paginas) {
        total += CustoDaPagina(p);
    }
    if (total < CustoMinimoParaDividir) {
        return 0;
    }
    int antes = 0;
    std::size_t j = 0;
    while (j < paginas.size() && 2 * (antes + CustoDaPagina(paginas[j])) <= total) {
        antes += CustoDaPagina(paginas[j++]);
    }
    return j;
}

// Um documento do livro: páginas deste tamanho, o título do livro (ZELTA sem ele) e o assunto. Cria-se no fio
// de quem chama: o cairo lê o fuso horário ao criar um documento, e a glibc guarda essa leitura com um trinco
// que o ThreadSanitizer não vê.
std::unique_ptr<TDocumentoPdf> DocumentoDoLivro(double larguraMm, double alturaMm, const TDadosLivro& livro,
                                                std::u16string_view assunto) {
    auto pdf = std::make_unique<TDocumentoPdf>(MilimetrosParaPt(larguraMm), MilimetrosParaPt(alturaMm));
    pdf->DefinirInfo(u"ZELTA", u"Orvalen");
    const auto titulo = Aparar(livro.Config.Titulo);
    pdf->DefinirMetadados(titulo.empty() ? std::u16string(u"ZELTA") : std::u16string(titulo), assunto);
    return pdf;
}

// As páginas [primeira, fim) do livro no documento, desenhadas com estas fontes.
void ComporParte(TDocumentoPdf& pdf, TFontesCairo& fontes, const TCompositorLivro& compositor, std::size_t primeira,
                 std::size_t fim, const std::function<bool()>& cancelado) {
    TDestinoPdf destino(pdf, fontes, cancelado);
    compositor.Compor(destino, primeira, fim);
}

// Compõe o livro a começar em primeiro (com fontes) e devolve as partes que vêm a seguir, já fechadas. Um livro
// grande parte-se em dois: a segunda parte compõe-se noutro fio, num documento e com fontes só dela, enquanto
// este compõe a primeira; fica pronto em pouco mais de metade do tempo, e o ficheiro é o mesmo em qualquer
// máquina, porque a divisão só depende do plano. Só este fio pergunta por cancelado (que pode não ser seguro
// noutro); o outro vê a resposta numa bandeira.
std::vector<std::vector<unsigned char>> ComporLivro(const TCompositorLivro& compositor, TDocumentoPdf& primeiro,
                                                    TFontesCairo& fontes,
                                                    const std::function<std::unique_ptr<TDocumentoPdf>()>& outro,
                                                    const std::function<bool()>& cancelado) {
    const std::size_t meio = PontoDeDivisao(compositor.Paginas());
    if (meio == 0) {
        ComporParte(primeiro, fontes, compositor, 0, SIZE_MAX, cancelado);
        return {};
    }
    const auto segundo = outro();
    std::atomic<bool> parar = false;
    const std::function<bool()> pararAqui = [&] {
        if (cancelado && cancelado()) {
            parar = true;
        }
        return parar.load();
    };
    const std::function<bool()> pararAli = [&] { return parar.load(); };
    auto segunda = NoutroNucleo([&] {
        try {
            // As fontes vivem até o documento fechar: é aí que o cairo escreve os subconjuntos.
            TFontesCairo fontesDaParte;
            ComporParte(*segundo, fontesDaParte, compositor, meio, SIZE_MAX, pararAli);
            return segundo->Fechar();
        } catch (...) {
            parar = true;
            throw;
        }
    });
    try {
        ComporParte(primeiro, fontes, compositor, 0, meio, pararAqui);
        while (segunda.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
            pararAqui();
        }
    } catch (...) {
        // O destrutor do futuro espera pelo outro fio, que para na página seguinte.
        parar = true;
        throw;
    }
    std::vector<std::vector<unsigned char>> seguintes;
    seguintes.push_back(segunda.get());
    return seguintes;
}

} // namespace

void PrepararLivroEmPdf() {
    try {
        ImagemDoRecurso(SeloDaLicenca);
    } catch (const std::exception&) {
        // LivroEmPdf volta a tentar e diz porque não consegue.
    }
}

TPdfDoLivro LivroEmPdf(const TDadosLivro& livro, const std::function<bool()>& cancelado, std::u16string_view assunto) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    const TCompositorLivro compositor(livro);
    const TFolha& folha = Folha(livro.Impressao.Formato);
    const auto documento = [&] { return DocumentoDoLivro(folha.Largura, folha.Altura, livro, assunto); };
    const auto pdf = documento();
    TFontesCairo fontes;
    const auto seguintes = ComporLivro(compositor, *pdf, fontes, documento, cancelado);
    TPdfDoLivro r;
    r.Paginas = compositor.NumPaginas();
    r.Bytes = pdf->Terminar(seguintes);
    return r;
}

TPdfDoLivro CapaEmPdf(const TDadosLivro& livro, std::int32_t paginasDoLivro, TPapel papel) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    const TGeometriaCapa capa = GeometriaDaCapa(livro.Impressao.Formato, paginasDoLivro, papel);
    const auto pdf = DocumentoDoLivro(capa.Largura, capa.Altura, livro, u"Capa para impressão");
    pdf->DefinirSangria(MilimetrosParaPt(SangriaMm));
    TFontesCairo fontes;
    {
        TCanvasCairo canvas(pdf->AddPage(), TDocumentoPdf::ScreenLogPixels, fontes);
        DesenharCapaImpressao(canvas, capa, livro);
    }
    TPdfDoLivro r;
    r.Paginas = 1;
    r.Bytes = pdf->Terminar();
    return r;
}

std::int32_t GravarLivroPdf(const std::filesystem::path& nome, const TDadosLivro& livro,
                            const std::function<bool()>& cancelado, std::u16string_view assunto) {
    const TPdfDoLivro pdf = LivroEmPdf(livro, cancelado, assunto);
    if (const int erro = GravarAtomicamente(nome, pdf.Bytes); erro != 0) {
        throw EZelta(FraseFalhaGravar(nome, erro));
    }
    return pdf.Paginas;
}

} // namespace zelta
