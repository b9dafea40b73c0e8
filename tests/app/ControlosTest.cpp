#include "Apoio.hpp"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zelta {
namespace {

TEST(LerInteiro, SoInteirosDe32BitsEmDecimal) {
    const struct {
        const char* Texto;
        std::optional<std::int32_t> Esperado;
    } casos[] = {
        {"12", 12},
        {"  7 ", 7},
        {"-3", -3},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"1.5", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(LerInteiroDeTexto(QString::fromLatin1(c.Texto)), c.Esperado) << c.Texto;
    }
}

TEST(CampoNumero, GuardaOQueSeEscreveEAsSetasFicamNoIntervalo) {
    teste::GarantirAplicacao();
    QWidget pai;
    TCampoNumero campo(&pai);
    campo.DefinirMinimo(3);
    campo.DefinirMaximo(6);
    pai.show();

    campo.setFocus();
    QTest::keyClicks(&campo, QStringLiteral("2"));
    EXPECT_EQ(campo.text(), QStringLiteral("2")); // abaixo do mínimo e fica
    QTest::mouseClick(campo.Setas()->Cima(), Qt::LeftButton);
    EXPECT_EQ(campo.text(), QStringLiteral("3"));

    campo.DefinirValor(6);
    QTest::mouseClick(campo.Setas()->Cima(), Qt::LeftButton);
    EXPECT_EQ(campo.text(), QStringLiteral("6"));
    QTest::keyClick(&campo, Qt::Key_Down);
    EXPECT_EQ(campo.text(), QStringLiteral("5"));

    campo.clear();
    QTest::mouseClick(campo.Setas()->Baixo(), Qt::LeftButton);
    EXPECT_EQ(campo.text(), QStringLiteral("3")); // sem número, as setas partem do mínimo
}

} // namespace
} // namespace zelta
