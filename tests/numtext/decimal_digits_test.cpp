#include "extended_bits.h"

#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using numtext::DecimalDigits;
using numtext::DigitString;
using numtext::Extended;
using numtext::PlainNumberText;
using numtext::PowerOfTen;

namespace {

struct DigitsCase {
    Extended value;     // the value taken apart
    int count;          // how many digits are asked for
    std::string digits; // the digits expected
    int exponent;       // X expected
    bool negative;      // sign expected
};

TEST(DecimalDigits, DigitsExponentAndSign) {
    const Extended inf = ExtendedInfinity();
    const std::vector<DigitsCase> cases = {
        {0.0_ext, 4, "0000", 1, false},
        {-0.0_ext, 4, "0000", 1, false},
        {ExtendedNaN(), 3, "000", 1, false},
        {inf, 5, "99999", 999, false},
        {-inf, 2, "99", 999, true},
        {1.0_ext, 18, "100000000000000000", 1, false},
        {1.0_ext, 20, "10000000000000000000", 1, false},
        {0.0625_ext, 2, "62", -1, false},
        {0.0625_ext, 3, "625", -1, false},
        {0.0375_ext, 2, "38", -1, false},
        {12.345, 4, "1234", 2, false}, // 12.34500000000000064: only the 5th digit decides
        {12.345, 18, "123450000000000006", 2, false},
        {-9.96_ext, 2, "10", 2, true},
        {999.5_ext, 3, "100", 4, false},
        {1e-320, 3, "100", -319, false},
        {123456789012345678.0_ext, 18, "123456789012345678", 18, false},
        {999999999999999999.6_ext, 18, "100000000000000000", 19, false},
        {ExtendedMax(), 5, "11897", 4933, false},
        {ExtendedDenormMin(), 4, "3645", -4950, false},
        {5.0_ext, 0, "", 1, false},
    };
    for (const DigitsCase& c : cases) {
        const DigitString d = DecimalDigits(c.value, c.count);
        EXPECT_EQ(d.digits, c.digits) << static_cast<double>(c.value) << " count " << c.count;
        EXPECT_EQ(d.exponent, c.exponent) << static_cast<double>(c.value);
        EXPECT_EQ(d.negative, c.negative) << static_cast<double>(c.value);
    }
}

// The first digit is never "0", at every power of ten and next to it.
TEST(DecimalDigits, LeadingDigitNeverZero) {
    for (int k = -4900; k <= 4900; k += 7) {
        for (const Extended factor :
             {1.0_ext, 0.9999999999999999999_ext, 1.0000000000000000001_ext}) {
            const Extended value = PowerOfTen(factor, k);
            const DigitString d = DecimalDigits(value, 18);
            ASSERT_NE(d.digits[0], '0') << k;
            ASSERT_TRUE(d.exponent == k + 1 || d.exponent == k || d.exponent == k + 2) << k;
        }
    }
}

TEST(PlainNumberText, Forms) {
    const Extended inf = ExtendedInfinity();
    const std::vector<std::pair<Extended, std::string>> cases = {
        {0.05, ".05"},
        {1234.5, "1234.5"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {1.5e-5, ".000015"},
        {1e-16, "1E-16"},
        {-2.5, "-2.5"},
        {0, "0"},
        {-0.0_ext, "0"},
        {ExtendedNaN(), "0"},
        {1e14, "100000000000000"},
        {1.25e15, "1.25E+15"},
        {0.1, ".1"},
        {1.0 / 3, ".333333333333333"},
        {2.0 / 3, ".666666666666667"},
        {123456789.123456789, "123456789.123457"},
        {1.5e-15, "1.5E-15"},
        {1.5e-14, ".000000000000015"},
        {0.9999999999999999, "1"},
        {inf, "9.99999999999999E+998"},
        {-inf, "-9.99999999999999E+998"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(PlainNumberText(value), text) << static_cast<double>(value);
}

} // namespace
