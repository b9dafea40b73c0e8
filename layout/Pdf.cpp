// Liga o compositor ao documento PDF: configura o documento, compõe todas as páginas e grava; e a capa para
// impressão, numa página do seu tamanho.
#include "layout/Pdf.hpp"

#include "core/Ficheiros.hpp"
#include "core/Formato.hpp"
#include "core/Texto.hpp"
#include "layout/CanvasCairo.hpp"
#include "layout/Paginas.hpp"
#include "pdf/DocumentoPdf.hpp"
#include "pdf/PosProcessamento.hpp"

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

// Um documento com páginas do tamanho da folha. Cria-se no fio de quem chama: o cairo lê o fuso horário ao criar
// um documento, e a glibc guarda essa leitura com um trinco que o ThreadSanitizer não vê.
std::unique_ptr<TDocumentoPdf> DocumentoDoLivro(const TFolha& folha) {
    auto pdf = std::make_unique<TDocumentoPdf>(folha.Largura * 72 / 25.4, folha.Altura * 72 / 25.4);
    pdf->DefinirInfo(u"ZELTA", u"Orvalen");
    return pdf;
}

// As páginas [primeira, fim) do livro num documento só delas, com as suas próprias fontes, para que as partes
// se componham ao mesmo tempo sem nada em comum; devolve o PDF por reescrever.
std::vector<unsigned char> ParteDoLivro(TDocumentoPdf& pdf, const TCompositorLivro& compositor, std::size_t primeira,
                                        std::size_t fim, const std::function<bool()>& cancelado) {
    TFontesCairo fontes;
    TDestinoPdf destino(pdf, fontes, cancelado);
    compositor.Compor(destino, primeira, fim);
    return pdf.Fechar();
}

// A segunda parte compõe-se noutro fio enquanto este compõe a primeira: o livro fica pronto em pouco mais de
// metade do tempo, e o ficheiro é o mesmo em qualquer máquina, porque a divisão só depende do plano. Só este
// fio pergunta por cancelado (que pode não ser seguro noutro); o outro vê a resposta numa bandeira.
std::vector<std::vector<unsigned char>> PartesDoLivro(const TCompositorLivro& compositor, const TFolha& folha,
                                                      const std::function<bool()>& cancelado) {
    const std::size_t meio = PontoDeDivisao(compositor.Paginas());
    const auto primeiro = DocumentoDoLivro(folha);
    if (meio == 0) {
        return {ParteDoLivro(*primeiro, compositor, 0, SIZE_MAX, cancelado)};
    }
    const auto segundo = DocumentoDoLivro(folha);
    std::atomic<bool> parar = false;
    const std::function<bool()> pararAqui = [&] {
        if (cancelado && cancelado()) {
            parar = true;
        }
        return parar.load();
    };
    const std::function<bool()> pararAli = [&] { return parar.load(); };
    auto segunda = std::async(std::launch::async, [&] {
        try {
            return ParteDoLivro(*segundo, compositor, meio, SIZE_MAX, pararAli);
        } catch (...) {
            parar = true;
            throw;
        }
    });
    std::vector<std::vector<unsigned char>> partes;
    try {
        partes.push_back(ParteDoLivro(*primeiro, compositor, 0, meio, pararAqui));
        while (segunda.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
            pararAqui();
        }
    } catch (...) {
        // O destrutor do futuro espera pelo outro fio, que para na página seguinte.
        parar = true;
        throw;
    }
    partes.push_back(segunda.get());
    return partes;
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
    const auto partes = PartesDoLivro(compositor, Folha(livro.Impressao.Formato), cancelado);
    const auto titulo = Aparar(livro.Config.Titulo);
    TMetadadosPdf metadados;
    metadados.Titulo = titulo.empty() ? std::u16string(u"ZELTA") : std::u16string(titulo);
    metadados.Assunto = assunto;
    const std::vector<std::span<const unsigned char>> vistas(partes.begin(), partes.end());
    TPdfDoLivro r;
    r.Paginas = compositor.NumPaginas();
    try {
        r.Bytes = PosProcessarPdf(vistas, metadados);
    } catch (const std::exception& e) {
        throw EZelta(u"O PDF não se deixou compor (" + DeUtf8(e.what()) + u").");
    }
    return r;
}

TPdfDoLivro CapaEmPdf(const TDadosLivro& livro, std::int32_t paginasDoLivro, TPapel papel) {
    if (livro.Puzzles.empty()) {
        throw EZelta(u"Não há puzzles para gravar.");
    }
    const TGeometriaCapa capa = GeometriaDaCapa(livro.Impressao.Formato, paginasDoLivro, papel);
    TDocumentoPdf pdf(MilimetrosParaPt(capa.Largura), MilimetrosParaPt(capa.Altura));
    pdf.DefinirInfo(u"ZELTA", u"Orvalen");
    const auto titulo = Aparar(livro.Config.Titulo);
    pdf.DefinirMetadados(titulo.empty() ? std::u16string(u"ZELTA") : std::u16string(titulo), u"Capa para impressão");
    pdf.DefinirSangria(MilimetrosParaPt(SangriaMm));
    TFontesCairo fontes;
    {
        TCanvasCairo canvas(pdf.AddPage(), TDocumentoPdf::ScreenLogPixels, fontes);
        DesenharCapaImpressao(canvas, capa, livro);
    }
    TPdfDoLivro r;
    r.Paginas = 1;
    r.Bytes = pdf.Terminar();
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
