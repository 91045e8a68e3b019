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
        EXPECT_TRUE(SameBits(PowerOfTen(Ext(1.0L), m), LibraryPower(m))) << m;
        EXPECT_TRUE(SameBits(PowerOfTen(Ext(1.0L), -m), LibraryPower(-m))) << m;
        EXPECT_TRUE(SameBits(PowerOfTen(Ext(3.0L), m), Ext(3.0L) * LibraryPower(m))) << m;
        EXPECT_TRUE(SameBits(PowerOfTen(Ext(7.0L), -m), Ext(7.0L) / LibraryPower(m))) << m;
    }
}

// Each constant is the extended value nearest its power, as the C library rounds it.
TEST(PowerOfTen, ConstantsAreNearestExtended) {
    for (int m = 8; m <= 4096; m *= 2)
        EXPECT_TRUE(SameBits(PowerOfTen(Ext(1.0L), m), LibraryPower(m)))
            << m << ": " << Hex(PowerOfTen(Ext(1.0L), m)) << " vs " << Hex(LibraryPower(m));
}

TEST(PowerOfTen, CombinedPowersStayClose) {
    for (int m = 28; m <= 4931; m += 7) {
        EXPECT_LE(UlpDistance(PowerOfTen(Ext(1.0L), m), LibraryPower(m)), 4.0) << m;
        EXPECT_LE(UlpDistance(PowerOfTen(Ext(1.0L), -m), LibraryPower(-m)), 4.0) << m;
    }
}

TEST(PowerOfTen, SaturatesAndKeepsSpecialValues) {
    const Extended inf = ExtendedInfinity();
    EXPECT_EQ(PowerOfTen(Ext(1.0L), 5000), inf);
    EXPECT_EQ(PowerOfTen(-Ext(1.0L), 5000), -inf);
    EXPECT_TRUE(SameBits(PowerOfTen(Ext(1.0L), -5000), Ext(0.0L)));
    EXPECT_EQ(PowerOfTen(Ext(1.0L), INT_MAX), inf);
    EXPECT_TRUE(SameBits(PowerOfTen(Ext(1.0L), INT_MIN), Ext(0.0L)));
    EXPECT_EQ(PowerOfTen(ExtendedDenormMin(), 12000), inf);
    EXPECT_EQ(PowerOfTen(ExtendedMax(), -12000), Ext(0.0L));
    // 1e4096 x 1e4096 overflows but the value is zero: still zero, of the same sign.
    EXPECT_TRUE(SameBits(PowerOfTen(Ext(0.0L), 9000), Ext(0.0L)));
    EXPECT_TRUE(SameBits(PowerOfTen(-Ext(0.0L), -9000), -Ext(0.0L)));
    EXPECT_EQ(PowerOfTen(inf, -9000), inf);
    EXPECT_TRUE(IsNaN(PowerOfTen(ExtendedNaN(), 3)));
    EXPECT_EQ(PowerOfTen(Ext(5.0L), 0), Ext(5.0L));
}

} // namespace
