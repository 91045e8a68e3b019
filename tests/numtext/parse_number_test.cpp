#include "extended_bits.h"

#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

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
        {"", 0.0L},          {"abc", 0.0L},          {"12abc", 12.0L},
        {" 3.5", 3.5L},      {"\t3.5", 3.5L},        {"\n3.5", 3.5L},
        {" \t\n 4", 4.0L},   {"\r5", 0.0L},          {"   ", 0.0L},
        {"1,5", 1.0L},       {"12 34", 12.0L},       {"-2", -2.0L},
        {"+7", 7.0L},        {"+-2", 0.0L},          {"--2", -0.0L},
        {"- 2", -0.0L},      {"-", -0.0L},           {"+", 0.0L},
        {".5", 0.5L},        {"5.", 5.0L},           {".", 0.0L},
        {"-.", -0.0L},       {"1.2.3", 1.2L},        {"007", 7.0L},
        {"0.000", 0.0L},     {"-0.000", -0.0L},      {"000", 0.0L},
        {"0", 0.0L},         {"0e7", 0.0L},          {"-0e7", -0.0L},
        {"e5", 0.0L},        {"-&H10", -0.0L},       {"0.005", 0.005L},
        {"123.45", 123.45L}, {"00012.3400", 12.34L}, {"120", 120.0L},
        {"0.5", 0.5L},       {"12.345", 12.345L},    {"5", 5.0L},
    });
}

TEST(ParseNumber, ExponentLetters) {
    ExpectParses({
        {"1e2", 100.0L},     {"1E2", 100.0L},     {"1d2", 100.0L},    {"1D2", 100.0L},
        {"2.5e-3", 0.0025L}, {"1e", 1.0L},        {"1e+", 1.0L},      {"1ex", 1.0L},
        {"1e+2", 100.0L},    {"1e-2", 0.01L},     {"1e2.5", 100.0L},  {"1e+-2", 1.0L},
        {".5e1", 5.0L},      {"5.e1", 50.0L},     {"1f2", 1.0L},      {"1 e2", 1.0L},
        {"0.00012e4", 1.2L}, {"1e0003", 1000.0L}, {"-1.5E1", -15.0L},
    });
}

TEST(ParseNumber, DigitsPastTheEighteenthAreDroppedNotRounded) {
    ExpectParses({
        {"12345678901234567891", 12345678901234567800.0L},
        {"123456789012345678999", 123456789012345678000.0L},
        {"1.23456789012345678999", 1.23456789012345678L},
        {"0.000123456789012345678999", 0.000123456789012345678L},
        {"99999999999999999999e-20", 0.999999999999999999L},
    });
}

TEST(ParseNumber, ExponentRangeSaturates) {
    ExpectParses({
        {"1e99999", 0x1p127L},
        {"1e70000", 0x1p127L},
        {"-1e9999", -0x1p127L},
        {"1e4932", 0x1p127L},
        {"0.1e4933", 0x1p127L},
        {"1e-5000", 0.0L},
        {"-1e-5000", -0.0L},
        {"1e-4933", 0.0L},
        {"0.01e-4931", 0.0L},
    });
    EXPECT_EQ(static_cast<double>(ParseNumber("1e99999")), 1.7014118346046923E+38);

    const Extended big = ParseNumber("1e400");
    EXPECT_GT(big, std::numeric_limits<double>::max());
    EXPECT_EQ(static_cast<double>(big), std::numeric_limits<double>::infinity());
    // Just below the saturation exponent the largest texts still fit the extended range.
    EXPECT_TRUE(std::isfinite(ParseNumber("9.99999999999999999e4931")));
    EXPECT_GT(ParseNumber("1e4931"), 0.9e4931L);
    EXPECT_GT(ParseNumber("1e-4930"), 0.0L);
}

TEST(ParseNumber, ExtendedKeepsWhatDoubleLoses) {
    const Extended above = ParseNumber("145.000000000000001");
    EXPECT_GT(above, 145.0L);
    EXPECT_EQ(static_cast<double>(above), 145.0);
    EXPECT_TRUE(SameBits(above, 145000000000000001.0L / 1e15L)) << Hex(above);
    EXPECT_LT(ParseNumber("109.999999999999999"), 110.0L);
}

TEST(ParseNumber, RadixForms) {
    ExpectParses({
        {"&H1F", 31.0L},   {"&hff", 255.0L},     {"&B101", 5.0L},    {"&b101", 5.0L},
        {"&O17", 15.0L},   {"&o17", 15.0L},      {"&Q17", 15.0L},    {"&q17", 15.0L},
        {"&17", 15.0L},    {"&H", 0.0L},         {"&HG", 0.0L},      {"&", 0.0L},
        {"&18", 1.0L},     {"&B102", 2.0L},      {"&H1Fxyz", 31.0L}, {" &H10", 16.0L},
        {"&Hff%", 255.0L}, {"&H7FFF", 32767.0L}, {"&o", 0.0L},       {"&Z1", 0.0L},
    });
}

TEST(ParseNumber, RadixSignTable) {
    ExpectParses({
        {"&HFFFF", -1.0L},
        {"&H0FFFF", 65535.0L},
        {"&HFFFF&", 65535.0L},
        {"&HFFFF&&", 65535.0L},
        {"&HFFFF%", -1.0L},
        {"&HFFFF?", 65535.0L},
        {"&H8000", -32768.0L},
        {"&H10000", 65536.0L},
        {"&HFFFFFFFF", -1.0L},
        {"&HFFFFFFFF&", -1.0L},
        {"&HFFFFFFFF&&", 4294967295.0L},
        {"&HFFFFFFFF??", 4294967295.0L},
        {"&H0FFFFFFFF", 4294967295.0L},
        {"&H80000000", -2147483648.0L},
        {"&H100000000", 4294967296.0L},
        {"&HFFFFFFFFFFFFFFFF", -1.0L},
        {"&HFFFFFFFFFFFFFFFF???", 0.0L},
        {"&H7FFFFFFFFFFFFFFF?", 9223372036854775807.0L},
        {"&H8000000000000000", -9223372036854775808.0L},
        {"&H0FFFFFFFFFFFFFFFF", -1.0L},
        {"&H11111111111111111", 0.0L},
        {"&H00000000000000000001", 1.0L},
        {"&O1777777777777777777777", -1.0L},
        {"&O2000000000000000000000", 0.0L},
        {"&B" + std::string(64, '1'), -1.0L},
        {"&B1" + std::string(64, '0'), 0.0L},
        {"&O177777", -1.0L},
    });
}

// Every byte, in front of a number and between two digits, is either part of the number
// or ends it; nothing else happens.
TEST(ParseNumber, EveryByteEitherBelongsOrEnds) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string between = std::string("1") + c + "5";
        Extended expected = 1.0L;
        if (c >= '0' && c <= '9')
            expected = 100.0L + (b - '0') * 10 + 5;
        else if (c == '.')
            expected = 1.5L;
        else if (c == 'e' || c == 'E' || c == 'd' || c == 'D')
            expected = 100000.0L;
        EXPECT_TRUE(SameBits(ParseNumber(between), expected)) << "byte " << b;

        const std::string before = std::string(1, c) + "7";
        expected = 0.0L;
        if (c == ' ' || c == '\t' || c == '\n' || c == '+' || c == '&')
            expected = 7.0L;
        else if (c >= '0' && c <= '9')
            expected = (b - '0') * 10 + 7;
        else if (c == '-')
            expected = -7.0L;
        else if (c == '.')
            expected = 0.7L;
        EXPECT_TRUE(SameBits(ParseNumber(before), expected)) << "byte " << b;
    }
}

TEST(ParseNumber, LongTextsStayLinearAndExact) {
    EXPECT_EQ(ParseNumber(std::string(100000, '9')), 0x1p127L);
    EXPECT_TRUE(SameBits(ParseNumber("0." + std::string(100000, '0') + "1"), 0.0L));
    EXPECT_TRUE(SameBits(ParseNumber(std::string(100000, '0') + "42"), 42.0L));
    EXPECT_TRUE(SameBits(ParseNumber("1" + std::string(4000, '0')), 1e4000L) ||
                UlpDistance(ParseNumber("1" + std::string(4000, '0')), 1e4000L) <= 4);
}

} // namespace
