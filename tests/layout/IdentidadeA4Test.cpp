// O livro A4 sem opções de impressão desenha-se chamada a chamada como antes dos formatos: o registo
// de um livro pequeno e fixo, com as métricas reais, fica guardado e não pode mudar.
#include "core/Texto.hpp"
#include "layout/Paginas.hpp"
#include "tests/support/CanvasGravador.hpp"
#include "tests/support/PuzzlesFabricados.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace zelta {
namespace {

using teste::TChamada;
using teste::TOperacao;

// Os números em hexadecimal: qualquer diferença, por pequena que seja, aparece.
std::string Num(double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%a", v);
    return b;
}

std::string Linha(const TChamada& c) {
    std::ostringstream s;
    s << static_cast<int>(c.Op) << ' ' << Num(c.X) << ' ' << Num(c.Y) << ' ' << Num(c.X2) << ' ' << Num(c.Y2) << ' '
      << Num(c.EspessuraPt) << ' ' << c.Contorno << ' ' << c.Preenchimento << ' ' << Num(c.TamanhoPt) << ' '
      << c.Negrito << ' ' << static_cast<int>(c.Alinhamento);
    for (const auto& p : c.Pontos) {
        s << ' ' << Num(p.X) << ',' << Num(p.Y);
    }
    s << " [" << ParaUtf8(c.Texto) << "]";
    return s.str();
}

// Um de cada: título, 10 × 10, 15 × 15 e 20 × 20 com 30 palavras, com acentos e separadores nas palavras.
TDadosLivro LivroFixo() {
    TDadosLivro l;
    l.Config = teste::ConfigDeTeste(6, 15, 12);
    l.Config.Titulo = u"Férias de Verão";
    l.Config.Acentos = true;
    l.Puzzles = teste::PuzzlesFabricados(3, 15, 12);
    l.Puzzles.push_back(teste::PuzzleFabricado(10, 10, 7, u"Rios"));
    l.Puzzles.push_back(teste::PuzzleFabricado(20, 30, 8, u"Cidades de Portugal"));
    l.Puzzles.push_back(teste::PuzzleFabricado(12, 15, 9, u"Fruta"));
    return l;
}

std::string Registo(const TDadosLivro& livro) {
    teste::TDestinoGravador destino(teste::MedidorReal());
    TCompositorLivro(livro).Compor(destino);
    std::string r;
    for (std::size_t p = 0; p < destino.Paginas.size(); ++p) {
        r += "pagina " + std::to_string(p + 1) + "\n";
        for (const auto& c : destino.Paginas[p]->Chamadas) {
            r += Linha(c) + "\n";
        }
    }
    return r;
}

TEST(IdentidadeA4, RegistoIgualAoGuardado) {
    const std::string nome = std::string(ZELTA_DADOS_TESTES) + "/livro_a4.txt";
    const std::string agora = Registo(LivroFixo());
    // ZELTA_REFAZER_DOURADO=1 volta a gravar o registo: só com o código de antes de uma mudança de paginação.
    if (std::getenv("ZELTA_REFAZER_DOURADO") != nullptr) {
        std::ofstream(nome, std::ios::binary) << agora;
    }
    std::ifstream f(nome, std::ios::binary);
    ASSERT_TRUE(f) << nome;
    std::stringstream guardado;
    guardado << f.rdbuf();
    // Linha a linha, para a primeira diferença se ver na mensagem.
    std::istringstream a(guardado.str());
    std::istringstream b(agora);
    std::string la;
    std::string lb;
    int n = 0;
    while (true) {
        const bool ha = static_cast<bool>(std::getline(a, la));
        const bool hb = static_cast<bool>(std::getline(b, lb));
        ++n;
        if (!ha && !hb) {
            break;
        }
        ASSERT_EQ(la, lb) << "linha " << n;
    }
}

} // namespace
} // namespace zelta
