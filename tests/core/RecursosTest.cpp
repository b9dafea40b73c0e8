#include "core/Recursos.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelta {
namespace {

TEST(Recursos, FontesEmbutidasPorNome) {
    const auto nomes = NomesDosRecursos();
    for (const char16_t* fonte : {u"LiberationSans-Regular", u"LiberationSans-Bold"}) {
        EXPECT_NE(std::find(nomes.begin(), nomes.end(), fonte), nomes.end());
        const auto bytes = LerRecurso(fonte);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_GT(bytes->size(), 100000U);
        // Cabeçalho de um ficheiro TrueType.
        EXPECT_EQ((*bytes)[0], 0x00);
        EXPECT_EQ((*bytes)[1], 0x01);
    }
    EXPECT_FALSE(LerRecurso(u"NAO_EXISTE").has_value());
    EXPECT_FALSE(VerRecurso(u"").has_value());
}

} // namespace
} // namespace zelta
