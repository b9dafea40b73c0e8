#include "core/PalavrasTema.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zelta {
namespace {

TEST(PalavrasTema, GuardaCopiasPelaOrdemETiraAUltima) {
    TPalavrasTema palavras;
    {
        // As palavras guardam-se por cópia: o texto de onde vieram pode desaparecer.
        const std::u16string texto = u"CASTELO BRANCO";
        const std::u16string letras = u"CASTELOBRANCO";
        palavras.push_back({u"PÊRA", u"PÊRA"});
        palavras.push_back({texto, letras});
    }
    ASSERT_EQ(palavras.size(), 2U);
    EXPECT_EQ(palavras[0], (TPalavraTema{u"PÊRA", u"PÊRA"}));
    EXPECT_EQ(palavras.back(), (TPalavraTema{u"CASTELO BRANCO", u"CASTELOBRANCO"}));

    palavras.pop_back();
    palavras.push_back({u"GATO", u"GATO"});
    EXPECT_EQ(palavras, (TPalavrasTema{{u"PÊRA", u"PÊRA"}, {u"GATO", u"GATO"}}));
    EXPECT_NE(palavras, (TPalavrasTema{{u"PÊRA", u"PERA"}, {u"GATO", u"GATO"}}));
}

TEST(PalavrasTema, UmaPalavraDasMesmasPalavrasSobreviveAoBlocoCrescer) {
    TPalavrasTema palavras{{u"ELEFANTE AFRICANO", u"ELEFANTEAFRICANO"}};
    for (int i = 0; i < 100; ++i) {
        palavras.push_back(palavras[0]);
    }
    for (const TPalavraTema& p : palavras) {
        EXPECT_EQ(p, (TPalavraTema{u"ELEFANTE AFRICANO", u"ELEFANTEAFRICANO"}));
    }
}

} // namespace
} // namespace zelta
