// FormatMask on hostile masks: every byte, and very long masks.
#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <string>

using numtext::FormatMask;

namespace {

// Compares long texts without printing them whole.
void ExpectLongText(const std::string& shown, const std::string& expected, const char* what) {
    EXPECT_TRUE(shown == expected) << what << ": " << shown.size() << " characters, expected "
                                   << expected.size() << "; starts '" << shown.substr(0, 20) << "'";
}

bool HasMeaning(char c) {
    return std::string("0#.,%Ee*\"\\;").find(c) != std::string::npos;
}

bool IsLiteral(char c) {
    return std::string("-+()$ ").find(c) != std::string::npos;
}

// A byte with no meaning is dropped; a literal shows as if escaped.
TEST(FormatMaskInput, EveryByteIsDroppedOrShown) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (HasMeaning(c))
            continue;
        const std::string mask = std::string("0") + c + ".0" + c + "0" + c;
        const std::string escaped = std::string("0\\") + c + ".0\\" + c + "0\\" + c;
        for (const double value : {0.0, 1.5, -12.345}) {
            const std::string shown = FormatMask(value, mask);
            if (IsLiteral(c))
                EXPECT_EQ(shown, FormatMask(value, escaped)) << "byte " << b;
            else
                EXPECT_EQ(shown, FormatMask(value, "0.00")) << "byte " << b;
        }
    }
}

// Bytes with a meaning, at every place of a short mask, never break anything.
TEST(FormatMaskInput, MeaningfulBytesAnywhere) {
    const std::string meaningful = "0#.,%Ee*\"\\;+-";
    for (const char a : meaningful) {
        for (const char b : meaningful) {
            for (const double value : {0.0, -0.5, 1234.5678, 1e300, -1e-300}) {
                const std::string mask = std::string(1, a) + "0" + b + "#" + a;
                EXPECT_LE(FormatMask(value, mask).size(), 4 * mask.size() + 2100) << mask;
            }
        }
    }
}

TEST(FormatMaskInput, HundredThousandCharacterMasks) {
    const std::size_t n = 100000;
    ExpectLongText(FormatMask(1.5, std::string(n, '0')), std::string(n - 1, '0') + "2", "zeros");
    EXPECT_EQ(FormatMask(-1.5, std::string(n, '#')), "-2");
    ExpectLongText(FormatMask(0.25, "." + std::string(n, '0')), ".25" + std::string(n - 2, '0'),
                   "fraction zeros");
    EXPECT_EQ(FormatMask(0.25, "0." + std::string(n, '#')), "0.25");
    EXPECT_EQ(FormatMask(5, std::string(n, 'x')), "");
    EXPECT_EQ(FormatMask(5, std::string(n, ';')), "5");
    EXPECT_EQ(FormatMask(5, std::string(n, '"')), "");
    ExpectLongText(FormatMask(5, std::string(n, '\\')), std::string(n / 2, '\\'), "escapes");
    // Each "*" takes the next as its fill character: n fill positions.
    ExpectLongText(FormatMask(5, std::string(n, '*')), std::string(n - 1, '*') + "5", "fills");

    std::string grouped;
    for (std::size_t i = 0; i < n / 2; ++i)
        grouped += "0,";
    const std::string shown = FormatMask(1234, grouped);
    EXPECT_EQ(shown.size(), n / 2 + (n / 2 - 1) / 3);
    EXPECT_EQ(shown.substr(shown.size() - 5), "1,234");

    const std::string exponent = "0." + std::string(n, '0') + "E+0";
    ExpectLongText(FormatMask(5, exponent), "5." + std::string(n, '0') + "E+0", "exponent");
}

} // namespace
