#include "extended_bits.h"

#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <limits>
#include <string>

using numtext::Extended;
using numtext::IsNaN;
using numtext::PowerOfTen;

namespace {

Extended LibraryPower(int count) {
    const std::string text = "1e" + std::to_string(count);
    return LibraryParse(text);
}

// Up to 10^27 the power is exact, so scaling rounds once, like the C library's conversion.
TEST(PowerOfTen, ExactUpToTenToTheTwentySeventh) {
    for (int m = 0; m <= 27; ++m) {
        EXPECT_TRUE(SameBits(PowerOfTen(1.0_ext, m), LibraryPower(m))) << m;
        EXPECT_TRUE(SameBits(PowerOfTen(1.0_ext, -m), LibraryPower(-m))) << m;
        EXPECT_TRUE(SameBits(PowerOfTen(3.0_ext, m), 3.0_ext * LibraryPower(m))) << m;
        EXPECT_TRUE(SameBits(PowerOfTen(7.0_ext, -m), 7.0_ext / LibraryPower(m))) << m;
    }
}

// Each constant is the extended value nearest its power, as the C library rounds it.
TEST(PowerOfTen, ConstantsAreNearestExtended) {
    for (int m = 8; m <= 4096; m *= 2)
        EXPECT_TRUE(SameBits(PowerOfTen(1.0_ext, m), LibraryPower(m)))
            << m << ": " << Hex(PowerOfTen(1.0_ext, m)) << " vs " << Hex(LibraryPower(m));
}

TEST(PowerOfTen, CombinedPowersStayClose) {
    for (int m = 28; m <= 4931; m += 7) {
        EXPECT_LE(UlpDistance(PowerOfTen(1.0_ext, m), LibraryPower(m)), 4.0) << m;
        EXPECT_LE(UlpDistance(PowerOfTen(1.0_ext, -m), LibraryPower(-m)), 4.0) << m;
    }
}

TEST(PowerOfTen, SaturatesAndKeepsSpecialValues) {
    const Extended inf = ExtendedInfinity();
    EXPECT_EQ(PowerOfTen(1.0_ext, 5000), inf);
    EXPECT_EQ(PowerOfTen(-1.0_ext, 5000), -inf);
    EXPECT_TRUE(SameBits(PowerOfTen(1.0_ext, -5000), 0.0_ext));
    EXPECT_EQ(PowerOfTen(1.0_ext, INT_MAX), inf);
    EXPECT_TRUE(SameBits(PowerOfTen(1.0_ext, INT_MIN), 0.0_ext));
    EXPECT_EQ(PowerOfTen(ExtendedDenormMin(), 12000), inf);
    EXPECT_EQ(PowerOfTen(ExtendedMax(), -12000), 0.0_ext);
    // 1e4096 x 1e4096 overflows but the value is zero: still zero, of the same sign.
    EXPECT_TRUE(SameBits(PowerOfTen(0.0_ext, 9000), 0.0_ext));
    EXPECT_TRUE(SameBits(PowerOfTen(-0.0_ext, -9000), -0.0_ext));
    EXPECT_EQ(PowerOfTen(inf, -9000), inf);
    EXPECT_TRUE(IsNaN(PowerOfTen(ExtendedNaN(), 3)));
    EXPECT_EQ(PowerOfTen(5.0_ext, 0), 5.0_ext);
}

} // namespace
