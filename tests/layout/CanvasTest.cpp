#include "layout/Canvas.hpp"

#include <gtest/gtest.h>

namespace zelta {
namespace {

TEST(Canvas, ConversoesEntrePontosEMilimetros) {
    // Os valores redondos têm de sair exatos: multiplica-se antes de dividir.
    EXPECT_EQ(PtParaMm(72), 25.4);
    EXPECT_EQ(MmParaPt(25.4), 72);
    EXPECT_NEAR(MmParaPt(0.25), 0.7087, 1e-4);
    EXPECT_NEAR(PtParaMm(11), 3.8806, 1e-4);
    EXPECT_EQ(PontoMm(1.5, -2), (TPontoMm{1.5, -2}));
}

} // namespace
} // namespace zelta
