#include "extended_bits.h"

#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

using numtext::Extended;
using numtext::IsInfinite;
using numtext::ParseNumber;

namespace {

struct ParseCase {
    std::string text;  // what the user typed
    Extended expected; // every bit of the result, sign of zero included
};

void ExpectParses(const std::vector<ParseCase>& cases) {
    for (const ParseCase& c : cases) {
        const Extended got = ParseNumber(c.text);
        EXPECT_TRUE(SameBits(got, c.expected))
            << "text '" << c.text << "' gave " << Hex(got) << ", expected " << Hex(c.expected);
    }
}

TEST(ParseNumber, DecimalPrefixesAndBlanks) {
    ExpectParses({
        {"", Ext(0.0L)},          {"abc", Ext(0.0L)},          {"12abc", Ext(12.0L)},
        {" 3.5", Ext(3.5L)},      {"\t3.5", Ext(3.5L)},        {"\n3.5", Ext(3.5L)},
        {" \t\n 4", Ext(4.0L)},   {"\r5", Ext(0.0L)},          {"   ", Ext(0.0L)},
        {"1,5", Ext(1.0L)},       {"12 34", Ext(12.0L)},       {"-2", -Ext(2.0L)},
        {"+7", Ext(7.0L)},        {"+-2", Ext(0.0L)},          {"--2", -Ext(0.0L)},
        {"- 2", -Ext(0.0L)},      {"-", -Ext(0.0L)},           {"+", Ext(0.0L)},
        {".5", Ext(0.5L)},        {"5.", Ext(5.0L)},           {".", Ext(0.0L)},
        {"-.", -Ext(0.0L)},       {"1.2.3", Ext(1.2L)},        {"007", Ext(7.0L)},
        {"0.000", Ext(0.0L)},     {"-0.000", -Ext(0.0L)},      {"000", Ext(0.0L)},
        {"0", Ext(0.0L)},         {"0e7", Ext(0.0L)},          {"-0e7", -Ext(0.0L)},
        {"e5", Ext(0.0L)},        {"-&H10", -Ext(0.0L)},       {"0.005", Ext(0.005L)},
        {"123.45", Ext(123.45L)}, {"00012.3400", Ext(12.34L)}, {"120", Ext(120.0L)},
        {"0.5", Ext(0.5L)},       {"12.345", Ext(12.345L)},    {"5", Ext(5.0L)},
    });
}

TEST(ParseNumber, ExponentLetters) {
    ExpectParses({
        {"1e2", Ext(100.0L)},    {"1E2", Ext(100.0L)},     {"1d2", Ext(100.0L)},
        {"1D2", Ext(100.0L)},    {"2.5e-3", Ext(0.0025L)}, {"1e", Ext(1.0L)},
        {"1e+", Ext(1.0L)},      {"1ex", Ext(1.0L)},       {"1e+2", Ext(100.0L)},
        {"1e-2", Ext(0.01L)},    {"1e2.5", Ext(100.0L)},   {"1e+-2", Ext(1.0L)},
        {".5e1", Ext(5.0L)},     {"5.e1", Ext(50.0L)},     {"1f2", Ext(1.0L)},
        {"1 e2", Ext(1.0L)},     {"0.00012e4", Ext(1.2L)}, {"1e0003", Ext(1000.0L)},
        {"-1.5E1", -Ext(15.0L)},
    });
}

TEST(ParseNumber, DigitsPastTheEighteenthAreDroppedNotRounded) {
    ExpectParses({
        {"12345678901234567891", Ext(12345678901234567800.0L)},
        {"123456789012345678999", Ext(123456789012345678000.0L)},
        {"1.23456789012345678999", Ext(1.23456789012345678L)},
        {"0.000123456789012345678999", Ext(0.000123456789012345678L)},
        {"99999999999999999999e-20", Ext(0.999999999999999999L)},
    });
}

TEST(ParseNumber, ExponentRangeSaturates) {
    ExpectParses({
        {"1e99999", Ext(0x1p127L)},
        {"1e70000", Ext(0x1p127L)},
        {"-1e9999", -Ext(0x1p127L)},
        {"1e4932", Ext(0x1p127L)},
        {"0.1e4933", Ext(0x1p127L)},
        {"1e-5000", Ext(0.0L)},
        {"-1e-5000", -Ext(0.0L)},
        {"1e-4933", Ext(0.0L)},
        {"0.01e-4931", Ext(0.0L)},
    });
    EXPECT_EQ(static_cast<double>(ParseNumber("1e99999")), 1.7014118346046923E+38);

    const Extended big = ParseNumber("1e400");
    EXPECT_GT(big, std::numeric_limits<double>::max());
    EXPECT_EQ(static_cast<double>(big), std::numeric_limits<double>::infinity());
    // Just below the saturation exponent the largest texts still fit the extended range.
    EXPECT_FALSE(IsInfinite(ParseNumber("9.99999999999999999e4931")));
    EXPECT_GT(ParseNumber("1e4931"), Ext(0.9e4931L));
    EXPECT_GT(ParseNumber("1e-4930"), Ext(0.0L));
}

TEST(ParseNumber, ExtendedKeepsWhatDoubleLoses) {
    const Extended above = ParseNumber("145.000000000000001");
    EXPECT_GT(above, Ext(145.0L));
    EXPECT_EQ(static_cast<double>(above), 145.0);
    EXPECT_TRUE(SameBits(above, Ext(145000000000000001.0L) / Ext(1e15L))) << Hex(above);
    EXPECT_LT(ParseNumber("109.999999999999999"), Ext(110.0L));
}

TEST(ParseNumber, RadixForms) {
    ExpectParses({
        {"&H1F", Ext(31.0L)},  {"&hff", Ext(255.0L)},  {"&B101", Ext(5.0L)},
        {"&b101", Ext(5.0L)},  {"&O17", Ext(15.0L)},   {"&o17", Ext(15.0L)},
        {"&Q17", Ext(15.0L)},  {"&q17", Ext(15.0L)},   {"&17", Ext(15.0L)},
        {"&H", Ext(0.0L)},     {"&HG", Ext(0.0L)},     {"&", Ext(0.0L)},
        {"&18", Ext(1.0L)},    {"&B102", Ext(2.0L)},   {"&H1Fxyz", Ext(31.0L)},
        {" &H10", Ext(16.0L)}, {"&Hff%", Ext(255.0L)}, {"&H7FFF", Ext(32767.0L)},
        {"&o", Ext(0.0L)},     {"&Z1", Ext(0.0L)},
    });
}

TEST(ParseNumber, RadixSignTable) {
    ExpectParses({
        {"&HFFFF", -Ext(1.0L)},
        {"&H0FFFF", Ext(65535.0L)},
        {"&HFFFF&", Ext(65535.0L)},
        {"&HFFFF&&", Ext(65535.0L)},
        {"&HFFFF%", -Ext(1.0L)},
        {"&HFFFF?", Ext(65535.0L)},
        {"&H8000", -Ext(32768.0L)},
        {"&H10000", Ext(65536.0L)},
        {"&HFFFFFFFF", -Ext(1.0L)},
        {"&HFFFFFFFF&", -Ext(1.0L)},
        {"&HFFFFFFFF&&", Ext(4294967295.0L)},
        {"&HFFFFFFFF??", Ext(4294967295.0L)},
        {"&H0FFFFFFFF", Ext(4294967295.0L)},
        {"&H80000000", -Ext(2147483648.0L)},
        {"&H100000000", Ext(4294967296.0L)},
        {"&HFFFFFFFFFFFFFFFF", -Ext(1.0L)},
        {"&HFFFFFFFFFFFFFFFF???", Ext(0.0L)},
        {"&H7FFFFFFFFFFFFFFF?", Ext(9223372036854775807.0L)},
        {"&H8000000000000000", -Ext(9223372036854775808.0L)},
        {"&H0FFFFFFFFFFFFFFFF", -Ext(1.0L)},
        {"&H11111111111111111", Ext(0.0L)},
        {"&H00000000000000000001", Ext(1.0L)},
        {"&O1777777777777777777777", -Ext(1.0L)},
        {"&O2000000000000000000000", Ext(0.0L)},
        {"&B" + std::string(64, '1'), -Ext(1.0L)},
        {"&B1" + std::string(64, '0'), Ext(0.0L)},
        {"&O177777", -Ext(1.0L)},
    });
}

// Every byte, in front of a number and between two digits, is either part of the number
// or ends it; nothing else happens.
TEST(ParseNumber, EveryByteEitherBelongsOrEnds) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string between = std::string("1") + c + "5";
        Extended expected = Ext(1.0L);
        if (c >= '0' && c <= '9')
            expected = Ext(100.0L) + (b - '0') * 10 + 5;
        else if (c == '.')
            expected = Ext(1.5L);
        else if (c == 'e' || c == 'E' || c == 'd' || c == 'D')
            expected = Ext(100000.0L);
        EXPECT_TRUE(SameBits(ParseNumber(between), expected)) << "byte " << b;

        const std::string before = std::string(1, c) + "7";
        expected = Ext(0.0L);
        if (c == ' ' || c == '\t' || c == '\n' || c == '+' || c == '&')
            expected = Ext(7.0L);
        else if (c >= '0' && c <= '9')
            expected = (b - '0') * 10 + 7;
        else if (c == '-')
            expected = -Ext(7.0L);
        else if (c == '.')
            expected = Ext(0.7L);
        EXPECT_TRUE(SameBits(ParseNumber(before), expected)) << "byte " << b;
    }
}

TEST(ParseNumber, LongTextsStayLinearAndExact) {
    EXPECT_EQ(ParseNumber(std::string(100000, '9')), Ext(0x1p127L));
    EXPECT_TRUE(SameBits(ParseNumber("0." + std::string(100000, '0') + "1"), Ext(0.0L)));
    EXPECT_TRUE(SameBits(ParseNumber(std::string(100000, '0') + "42"), Ext(42.0L)));
    EXPECT_TRUE(SameBits(ParseNumber("1" + std::string(4000, '0')), Ext(1e4000L)) ||
                UlpDistance(ParseNumber("1" + std::string(4000, '0')), Ext(1e4000L)) <= 4);
}

} // namespace
