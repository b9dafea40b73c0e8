#include "core/Fios.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace zelta {
namespace {

TEST(Fios, NoutroNucleoDevolveOResultadoOuAExcecaoEEsperaPeloFio) {
    EXPECT_EQ(NoutroNucleo([] { return 42; }).get(), 42);
    auto falha = NoutroNucleo([]() -> int { throw std::runtime_error("falhou"); });
    EXPECT_THROW(falha.get(), std::runtime_error);

    // Quem não pede o resultado também não sai antes do fio: o que ele usa ainda existe enquanto corre.
    std::atomic<bool> acabou = false;
    {
        const auto trabalho = NoutroNucleo([&acabou] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            acabou = true;
        });
    }
    EXPECT_TRUE(acabou);
}

} // namespace
} // namespace zelta
