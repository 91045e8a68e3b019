// The extended type's rounding and special values, as the x87 gives them: the same table holds
// for the hardware type and for the software one on every machine.
#include "extended_bits.h"

#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

using numtext::Extended;
using numtext::ExtendedBits;
using numtext::FromBits;
using numtext::RoundToUnsigned;
using numtext::SquareRoot;

namespace {

constexpr std::uint64_t kOne = 0x8000000000000000ULL;

enum class Op { Add, Subtract, Multiply, Divide, SquareRoot };

struct ArithmeticCase {
    std::string name;
    Op op;
    ExtendedBits a;
    ExtendedBits b;
    ExtendedBits expected;
};

Extended Apply(Op op, Extended a, Extended b) {
    switch (op) {
    case Op::Add:
        return a + b;
    case Op::Subtract:
        return a - b;
    case Op::Multiply:
        return a * b;
    case Op::Divide:
        return a / b;
    case Op::SquareRoot:
        return SquareRoot(a);
    }
    return a;
}

TEST(Extended, RoundsAndFailsAsTheX87) {
    const ExtendedBits one = {0x3FFF, kOne};
    const ExtendedBits indefinite = {0xFFFF, 0xC000000000000000ULL};
    const std::vector<ArithmeticCase> cases = {
        {"a tie goes to the even neighbour", Op::Add, one, {0x3FFF - 64, kOne}, one},
        {"a tie from an odd one goes up",
         Op::Add,
         {0x3FFF, kOne + 1},
         {0x3FFF - 64, kOne},
         {0x3FFF, kOne + 2}},
        {"just above a tie goes up", Op::Add, one, {0x3FFF - 64, kOne + 1}, {0x3FFF, kOne + 1}},
        {"x - x is +0", Op::Subtract, one, one, {0, 0}},
        {"-0 + -0 is -0", Op::Add, {0x8000, 0}, {0x8000, 0}, {0x8000, 0}},
        {"overflow gives infinity", Op::Add, {0x7FFE, ~0ULL}, {0x7FFE, ~0ULL}, {0x7FFF, kOne}},
        {"gradual underflow", Op::Divide, {1, kOne}, {0x4000, kOne}, {0, kOne >> 1}},
        {"a tie below the smallest subnormal rounds to even",
         Op::Divide,
         {0, 3},
         {0x4000, kOne},
         {0, 2}},
        {"half the smallest subnormal is 0", Op::Divide, {0, 1}, {0x4000, kOne}, {0, 0}},
        {"rounding up out of the subnormals",
         Op::Multiply,
         {0, ~0ULL >> 1},
         {0x3FFF, kOne + 1},
         {1, kOne}},
        {"x / 0 is infinity", Op::Divide, {0x8000 | 0x3FFF, kOne}, {0, 0}, {0xFFFF, kOne}},
        {"0 / 0 is invalid", Op::Divide, {0, 0}, {0, 0}, indefinite},
        {"infinity - infinity is invalid", Op::Add, {0x7FFF, kOne}, {0xFFFF, kOne}, indefinite},
        {"0 x infinity is invalid", Op::Multiply, {0, 0}, {0x7FFF, kOne}, indefinite},
        {"the root of a negative is invalid", Op::SquareRoot, {0xBFFF, kOne}, one, indefinite},
        {"the root of -0 is -0", Op::SquareRoot, {0x8000, 0}, one, {0x8000, 0}},
        {"the root of 2", Op::SquareRoot, {0x4000, kOne}, one, {0x3FFF, 0xB504F333F9DE6484ULL}},
        {"a signalling not-a-number becomes quiet",
         Op::Add,
         {0x7FFF, kOne | 5},
         one,
         {0x7FFF, 0xC000000000000005ULL}},
        {"of two quiet ones the larger significand",
         Op::Multiply,
         {0x7FFF, 0xC000000000000005ULL},
         {0xFFFF, 0xC000000000000007ULL},
         {0xFFFF, 0xC000000000000007ULL}},
        {"a quiet one beats a larger signalling one",
         Op::Add,
         {0x7FFF, 0xC000000000000001ULL},
         {0x7FFF, 0xBFFFFFFFFFFFFFFFULL},
         {0x7FFF, 0xC000000000000001ULL}},
        {"between equal significands the positive one",
         Op::Divide,
         {0xFFFF, 0xC000000000000009ULL},
         {0x7FFF, 0xC000000000000009ULL},
         {0x7FFF, 0xC000000000000009ULL}},
        {"an unnormal is refused", Op::Add, {0x3FFF, 0x4000000000000000ULL}, one, indefinite},
        {"a pseudo-subnormal is accepted", Op::Add, {0, kOne}, {0, 0}, {1, kOne}},
    };
    for (const ArithmeticCase& c : cases) {
        const Extended got = Apply(c.op, FromBits(c.a), FromBits(c.b));
        EXPECT_TRUE(SameBits(got, FromBits(c.expected)))
            << c.name << ": " << Hex(got) << " instead of " << Hex(FromBits(c.expected));
    }
}

TEST(Extended, ConvertsToAndFromDoubleAsTheX87) {
    const std::vector<std::pair<ExtendedBits, std::uint64_t>> toDouble = {
        {{0x3FFF, 0x8000000000000400ULL}, 0x3FF0000000000000ULL}, // tie, to even
        {{0x3FFF, 0x8000000000000C00ULL}, 0x3FF0000000000002ULL}, // tie, up to even
        {{0x3FFF, 0x8000000000000401ULL}, 0x3FF0000000000001ULL},
        {{0x7FFE, ~0ULL}, 0x7FF0000000000000ULL},       // overflow
        {{0x3FFF - 1074, kOne}, 0x0000000000000001ULL}, // smallest subnormal
        {{0x3FFF - 1075, kOne}, 0},                     // half of it, to even
        {{0x3FFF - 1075, kOne + 1}, 0x0000000000000001ULL},
        {{0x7FFF, 0x8000000000000800ULL}, 0x7FF8000000000001ULL}, // made quiet
        {{0xFFFF, 0xC000000000000000ULL}, 0xFFF8000000000000ULL},
        {{0x3FFF, 0x4000000000000000ULL}, 0xFFF8000000000000ULL}, // unnormal: invalid
    };
    for (const auto& [bits, expected] : toDouble) {
        const double got = static_cast<double>(FromBits(bits));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(got), expected) << Hex(FromBits(bits));
    }
    const std::vector<std::pair<std::uint64_t, ExtendedBits>> fromDouble = {
        {0x0000000000000001ULL, {0x3FFF - 1074, kOne}},
        {0x8000000000000000ULL, {0x8000, 0}},
        {0x7FF0000000000001ULL, {0x7FFF, 0xC000000000000800ULL}},
        {0xFFF0000000000000ULL, {0xFFFF, kOne}},
        {0x3FB999999999999AULL, {0x3FFB, 0xCCCCCCCCCCCCD000ULL}},
    };
    for (const auto& [bits, expected] : fromDouble) {
        const Extended got = Extended(std::bit_cast<double>(bits));
        EXPECT_TRUE(SameBits(got, FromBits(expected))) << std::hex << bits << ": " << Hex(got);
    }
}

TEST(Extended, ComparesAndConvertsIntegers) {
    const Extended nan = ExtendedNaN();
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
    EXPECT_FALSE(nan < Extended(1) || nan <= Extended(1) || nan > Extended(1) ||
                 nan >= Extended(1));
    EXPECT_TRUE(Extended(-0.0) == Extended(0));
    EXPECT_FALSE(Extended(-0.0) < Extended(0));
    EXPECT_TRUE(FromBits({0, 1}) > Extended(0));
    EXPECT_TRUE(-ExtendedInfinity() < -ExtendedMax());
    EXPECT_TRUE(SameBits(Extended(INT64_MIN), FromBits({0xC03E, kOne})));
    EXPECT_TRUE(SameBits(Extended(UINT64_MAX), FromBits({0x403E, ~0ULL})));
    EXPECT_TRUE(SameBits(Extended(-1), FromBits({0xBFFF, kOne})));
    EXPECT_EQ(RoundToUnsigned(Extended(2.5)), 2U);
    EXPECT_EQ(RoundToUnsigned(Extended(3.5)), 4U);
    EXPECT_EQ(RoundToUnsigned(Extended(UINT64_MAX)), UINT64_MAX);
}

} // namespace
