// O catálogo por resumos: os temas da pasta só se leem por inteiro quando um livro os usa, e dão então o
// mesmo que a carga completa.
#include "themes/Catalogo.hpp"

#include "tests/support/PastaTemporaria.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelta {
namespace {

const TTema& TemaChamado(const TCatalogo& c, std::u16string_view nome) {
    return *std::find_if(c.Temas.begin(), c.Temas.end(), [nome](const TTema& t) { return t.Nome == nome; });
}

TEST(Catalogo, ResumosSoCarregamOGrupoPedidoEDaoOMesmoQueACargaCompleta) {
    const teste::TPastaTemporaria pasta;
    pasta.Escrever("aves.txt", "# Tema: Aves\n# Grupo: Céu\nPARDAL\nGAIVOTA\nMELRO\n");
    pasta.Escrever("peixes.txt", "# Tema: Peixes\n# Grupo: Mar\nSARDINHA\nCARAPAU\n");

    TCatalogo resumos = CarregarCatalogo(pasta.Caminho(), TCargaCatalogo::ccResumos);
    EXPECT_TRUE(TemaChamado(resumos, u"Aves").Palavras.empty());
    EXPECT_EQ(PalavrasDoTema(resumos, TemaChamado(resumos, u"Aves")), 3);

    CompletarTemas(resumos, u"Mar", false);
    EXPECT_TRUE(TemaChamado(resumos, u"Aves").Palavras.empty());
    EXPECT_EQ(TemaChamado(resumos, u"Peixes").Palavras.size(), 2U);

    CompletarTemas(resumos, {}, true);
    EXPECT_TRUE(resumos.PorCarregar.empty());
    const TCatalogo completo = CarregarCatalogo(pasta.Caminho());
    EXPECT_EQ(resumos.Temas, completo.Temas);
    EXPECT_EQ(PalavrasDoTema(resumos, TemaChamado(resumos, u"Aves")), 3);
}

} // namespace
} // namespace zelta
