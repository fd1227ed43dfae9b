#include "platform/crt_rand.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The first values the Microsoft C runtime's rand gives an unseeded program.
const std::vector<int> kUnseededSequence = {41,    18467, 6334,  26500, 19169,
                                            15724, 11478, 29358, 26962, 24464};

TEST(CrtRand, AnUnseededSequenceMatchesTheCRuntimeRand) {
    platform::ResetCrtRand();
    for (int expected : kUnseededSequence) EXPECT_EQ(platform::CrtRand(), expected);
}

TEST(CrtRand, ResetStartsTheSequenceAgain) {
    platform::ResetCrtRand();
    platform::CrtRand();
    platform::CrtRand();
    platform::ResetCrtRand();
    EXPECT_EQ(platform::CrtRand(), kUnseededSequence[0]);
}

TEST(CrtRand, StateWrapsAroundIn32BitsAndValuesStayIn15Bits) {
    std::uint32_t state = 0xFFFFFFFFu;
    const int value = platform::CrtRandStep(state);
    EXPECT_EQ(state, static_cast<std::uint32_t>(0xFFFFFFFFull * 214013u + 2531011u));
    EXPECT_EQ(value, static_cast<int>((state >> 16) & 0x7FFF));
    for (int i = 0; i < 100000; ++i) {
        const int v = platform::CrtRandStep(state);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, platform::kCrtRandMax);
    }
}

}  // namespace
