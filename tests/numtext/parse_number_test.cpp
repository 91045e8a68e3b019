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
        {"", 0.0_ext},          {"abc", 0.0_ext},          {"12abc", 12.0_ext},
        {" 3.5", 3.5_ext},      {"\t3.5", 3.5_ext},        {"\n3.5", 3.5_ext},
        {" \t\n 4", 4.0_ext},   {"\r5", 0.0_ext},          {"   ", 0.0_ext},
        {"1,5", 1.0_ext},       {"12 34", 12.0_ext},       {"-2", -2.0_ext},
        {"+7", 7.0_ext},        {"+-2", 0.0_ext},          {"--2", -0.0_ext},
        {"- 2", -0.0_ext},      {"-", -0.0_ext},           {"+", 0.0_ext},
        {".5", 0.5_ext},        {"5.", 5.0_ext},           {".", 0.0_ext},
        {"-.", -0.0_ext},       {"1.2.3", 1.2_ext},        {"007", 7.0_ext},
        {"0.000", 0.0_ext},     {"-0.000", -0.0_ext},      {"000", 0.0_ext},
        {"0", 0.0_ext},         {"0e7", 0.0_ext},          {"-0e7", -0.0_ext},
        {"e5", 0.0_ext},        {"-&H10", -0.0_ext},       {"0.005", 0.005_ext},
        {"123.45", 123.45_ext}, {"00012.3400", 12.34_ext}, {"120", 120.0_ext},
        {"0.5", 0.5_ext},       {"12.345", 12.345_ext},    {"5", 5.0_ext},
    });
}

TEST(ParseNumber, ExponentLetters) {
    ExpectParses({
        {"1e2", 100.0_ext},     {"1E2", 100.0_ext},     {"1d2", 100.0_ext},    {"1D2", 100.0_ext},
        {"2.5e-3", 0.0025_ext}, {"1e", 1.0_ext},        {"1e+", 1.0_ext},      {"1ex", 1.0_ext},
        {"1e+2", 100.0_ext},    {"1e-2", 0.01_ext},     {"1e2.5", 100.0_ext},  {"1e+-2", 1.0_ext},
        {".5e1", 5.0_ext},      {"5.e1", 50.0_ext},     {"1f2", 1.0_ext},      {"1 e2", 1.0_ext},
        {"0.00012e4", 1.2_ext}, {"1e0003", 1000.0_ext}, {"-1.5E1", -15.0_ext},
    });
}

TEST(ParseNumber, DigitsPastTheEighteenthAreDroppedNotRounded) {
    ExpectParses({
        {"12345678901234567891", 12345678901234567800.0_ext},
        {"123456789012345678999", 123456789012345678000.0_ext},
        {"1.23456789012345678999", 1.23456789012345678_ext},
        {"0.000123456789012345678999", 0.000123456789012345678_ext},
        {"99999999999999999999e-20", 0.999999999999999999_ext},
    });
}

TEST(ParseNumber, ExponentRangeSaturates) {
    ExpectParses({
        {"1e99999", 0x1p127_ext},
        {"1e70000", 0x1p127_ext},
        {"-1e9999", -0x1p127_ext},
        {"1e4932", 0x1p127_ext},
        {"0.1e4933", 0x1p127_ext},
        {"1e-5000", 0.0_ext},
        {"-1e-5000", -0.0_ext},
        {"1e-4933", 0.0_ext},
        {"0.01e-4931", 0.0_ext},
    });
    EXPECT_EQ(static_cast<double>(ParseNumber("1e99999")), 1.7014118346046923E+38);

    const Extended big = ParseNumber("1e400");
    EXPECT_GT(big, std::numeric_limits<double>::max());
    EXPECT_EQ(static_cast<double>(big), std::numeric_limits<double>::infinity());
    // Just below the saturation exponent the largest texts still fit the extended range.
    EXPECT_FALSE(IsInfinite(ParseNumber("9.99999999999999999e4931")));
    EXPECT_GT(ParseNumber("1e4931"), 0.9e4931_ext);
    EXPECT_GT(ParseNumber("1e-4930"), 0.0_ext);
}

TEST(ParseNumber, ExtendedKeepsWhatDoubleLoses) {
    const Extended above = ParseNumber("145.000000000000001");
    EXPECT_GT(above, 145.0_ext);
    EXPECT_EQ(static_cast<double>(above), 145.0);
    EXPECT_TRUE(SameBits(above, 145000000000000001.0_ext / 1e15_ext)) << Hex(above);
    EXPECT_LT(ParseNumber("109.999999999999999"), 110.0_ext);
}

TEST(ParseNumber, RadixForms) {
    ExpectParses({
        {"&H1F", 31.0_ext},   {"&hff", 255.0_ext},     {"&B101", 5.0_ext},    {"&b101", 5.0_ext},
        {"&O17", 15.0_ext},   {"&o17", 15.0_ext},      {"&Q17", 15.0_ext},    {"&q17", 15.0_ext},
        {"&17", 15.0_ext},    {"&H", 0.0_ext},         {"&HG", 0.0_ext},      {"&", 0.0_ext},
        {"&18", 1.0_ext},     {"&B102", 2.0_ext},      {"&H1Fxyz", 31.0_ext}, {" &H10", 16.0_ext},
        {"&Hff%", 255.0_ext}, {"&H7FFF", 32767.0_ext}, {"&o", 0.0_ext},       {"&Z1", 0.0_ext},
    });
}

TEST(ParseNumber, RadixSignTable) {
    ExpectParses({
        {"&HFFFF", -1.0_ext},
        {"&H0FFFF", 65535.0_ext},
        {"&HFFFF&", 65535.0_ext},
        {"&HFFFF&&", 65535.0_ext},
        {"&HFFFF%", -1.0_ext},
        {"&HFFFF?", 65535.0_ext},
        {"&H8000", -32768.0_ext},
        {"&H10000", 65536.0_ext},
        {"&HFFFFFFFF", -1.0_ext},
        {"&HFFFFFFFF&", -1.0_ext},
        {"&HFFFFFFFF&&", 4294967295.0_ext},
        {"&HFFFFFFFF??", 4294967295.0_ext},
        {"&H0FFFFFFFF", 4294967295.0_ext},
        {"&H80000000", -2147483648.0_ext},
        {"&H100000000", 4294967296.0_ext},
        {"&HFFFFFFFFFFFFFFFF", -1.0_ext},
        {"&HFFFFFFFFFFFFFFFF???", 0.0_ext},
        {"&H7FFFFFFFFFFFFFFF?", 9223372036854775807.0_ext},
        {"&H8000000000000000", -9223372036854775808.0_ext},
        {"&H0FFFFFFFFFFFFFFFF", -1.0_ext},
        {"&H11111111111111111", 0.0_ext},
        {"&H00000000000000000001", 1.0_ext},
        {"&O1777777777777777777777", -1.0_ext},
        {"&O2000000000000000000000", 0.0_ext},
        {"&B" + std::string(64, '1'), -1.0_ext},
        {"&B1" + std::string(64, '0'), 0.0_ext},
        {"&O177777", -1.0_ext},
    });
}

// Every byte, in front of a number and between two digits, is either part of the number
// or ends it; nothing else happens.
TEST(ParseNumber, EveryByteEitherBelongsOrEnds) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string between = std::string("1") + c + "5";
        Extended expected = 1.0_ext;
        if (c >= '0' && c <= '9')
            expected = 100.0_ext + (b - '0') * 10 + 5;
        else if (c == '.')
            expected = 1.5_ext;
        else if (c == 'e' || c == 'E' || c == 'd' || c == 'D')
            expected = 100000.0_ext;
        EXPECT_TRUE(SameBits(ParseNumber(between), expected)) << "byte " << b;

        const std::string before = std::string(1, c) + "7";
        expected = 0.0_ext;
        if (c == ' ' || c == '\t' || c == '\n' || c == '+' || c == '&')
            expected = 7.0_ext;
        else if (c >= '0' && c <= '9')
            expected = (b - '0') * 10 + 7;
        else if (c == '-')
            expected = -7.0_ext;
        else if (c == '.')
            expected = 0.7_ext;
        EXPECT_TRUE(SameBits(ParseNumber(before), expected)) << "byte " << b;
    }
}

TEST(ParseNumber, LongTextsStayLinearAndExact) {
    EXPECT_EQ(ParseNumber(std::string(100000, '9')), 0x1p127_ext);
    EXPECT_TRUE(SameBits(ParseNumber("0." + std::string(100000, '0') + "1"), 0.0_ext));
    EXPECT_TRUE(SameBits(ParseNumber(std::string(100000, '0') + "42"), 42.0_ext));
    EXPECT_TRUE(SameBits(ParseNumber("1" + std::string(4000, '0')), 1e4000_ext) ||
                UlpDistance(ParseNumber("1" + std::string(4000, '0')), 1e4000_ext) <= 4);
}

} // namespace
