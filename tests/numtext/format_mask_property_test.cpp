// FormatMask with the results screen's masks against references computed from the exact
// decimal expansion of each double, over many values near rounding boundaries.
#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using numtext::FormatMask;

namespace {

__extension__ typedef unsigned __int128 Wide; // exact products up to 2^128

// A decimal significand of 18 digits and where its point goes: value = 0.digits x 10^exponent.
struct Digits18 {
    std::uint64_t digits = 0; // 0, or between 10^17 and 10^18 - 1
    int exponent = 1;         // X
};

Wide TenTo(int n) {
    Wide power = 1;
    for (int i = 0; i < n; ++i)
        power *= 10;
    return power;
}

// All digits of |value| as the C library prints them exactly, without the point, and the
// number of digits before the point counted from the first non-zero digit (k + 1).
struct ExactDecimal {
    std::string significant; // from the first non-zero digit to the last printed one
    int exponent = 0;        // X of the whole expansion
};

ExactDecimal ExactExpansion(double value) {
    char text[512];
    std::snprintf(text, sizeof text, "%.120f", std::fabs(value));
    const std::string all = text;
    const std::size_t point = all.find('.');
    const std::string digits = all.substr(0, point) + all.substr(point + 1);
    const std::size_t first = digits.find_first_not_of('0');
    return {digits.substr(first), static_cast<int>(point) - static_cast<int>(first)};
}

// Reference 1: the exact expansion rounded once to 18 digits, ties to even.
Digits18 CorrectlyRounded(const ExactDecimal& exact) {
    std::string padded = exact.significant + std::string(40, '0');
    std::uint64_t digits = std::stoull(padded.substr(0, 18));
    const std::string rest = padded.substr(18);
    const bool above =
        rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool tie = rest[0] == '5' && !above;
    if (above || (tie && digits % 2 == 1))
        ++digits;
    if (digits == 1000000000000000000ULL)
        return {100000000000000000ULL, exact.exponent + 1};
    return {digits, exact.exponent};
}

// Reference 2: the exact expansion cut after 18 digits.
Digits18 Truncated(const ExactDecimal& exact) {
    std::string padded = exact.significant + std::string(18, '0');
    return {std::stoull(padded.substr(0, 18)), exact.exponent};
}

// Reference 3: the two steps the formatter takes, in exact integer arithmetic: the product
// value x 10^(17-k) rounded to a 64-bit significand, then to an integer, ties to even.
Digits18 TwoRoundings(double value, const ExactDecimal& exact) {
    const int k = exact.exponent - 1;
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int shift = binaryExponent - 53; // value = mantissa x 2^shift
    Wide product = Wide{mantissa} * TenTo(17 - k);
    int bits = 0;
    for (Wide p = product; p != 0; p >>= 1)
        ++bits;
    auto roundOff = [](Wide x, int dropped) {
        const Wide unit = Wide{1} << dropped;
        Wide kept = x >> dropped;
        const Wide rest = x & (unit - 1);
        if (rest > unit / 2 || (rest == unit / 2 && (kept & 1) != 0))
            ++kept;
        return kept;
    };
    if (bits > 64) {
        product = roundOff(product, bits - 64);
        shift += bits - 64;
    }
    const Wide integer = shift >= 0 ? product << shift : roundOff(product, -shift);
    if (integer >= TenTo(18))
        return {100000000000000000ULL, k + 2};
    return {static_cast<std::uint64_t>(integer), k + 1};
}

// The text "0.00" or "00.00" gives for 18 digits, rounded half to even on those digits.
std::string TwoPlaces(Digits18 d, bool negative, std::size_t integerWidth) {
    // value x 100 = digits x 10^(X - 16)
    Wide cents = 0;
    const int scale = d.exponent - 16;
    if (scale >= 0) {
        cents = Wide{d.digits} * TenTo(scale);
    } else if (scale > -38) {
        const Wide divisor = TenTo(-scale);
        cents = Wide{d.digits} / divisor;
        const Wide rest = Wide{d.digits} % divisor;
        if (rest * 2 > divisor || (rest * 2 == divisor && cents % 2 == 1))
            ++cents;
    }
    const auto whole = static_cast<std::uint64_t>(cents / 100);
    const auto part = static_cast<unsigned>(cents % 100);
    std::string integer = std::to_string(whole);
    if (integer.size() < integerWidth)
        integer.insert(0, integerWidth - integer.size(), '0');
    char fraction[4];
    std::snprintf(fraction, sizeof fraction, "%02u", part);
    return (negative ? "-" : "") + integer + "." + fraction;
}

// Values of the results screen: uniform ones, and ones at and next to every half cent.
std::vector<double> SampleValues() {
    std::vector<double> values;
    std::mt19937_64 random(240);
    std::uniform_real_distribution<double> uniform(0.0, 30.0);
    for (int i = 0; i < 100000; ++i)
        values.push_back(uniform(random));
    for (int halfCents = 1; halfCents <= 6000; ++halfCents) {
        double v = halfCents / 200.0;
        for (int step = 0; step < 3; ++step)
            v = std::nextafter(v, 0.0);
        for (int step = 0; step < 7; ++step) {
            values.push_back(v);
            v = std::nextafter(v, 100.0);
        }
    }
    for (int i = 1; i <= 30 * 1024; ++i)
        values.push_back(i / 1024.0); // short binary fractions: exact halves
    const std::size_t count = values.size();
    for (std::size_t i = 0; i < count; i += 5)
        if (values[i] < 5)
            values.push_back(-values[i]);
    return values;
}

TEST(FormatMaskProperty, TwoPlaceMasksMatchExactDecimalRounding) {
    int correctlyRoundedDiffers = 0;
    int truncatedDiffers = 0;
    const std::vector<double> values = SampleValues();
    for (const double value : values) {
        const ExactDecimal exact = ExactExpansion(value);
        const Digits18 twoRoundings = TwoRoundings(value, exact);
        const Digits18 correctlyRounded = CorrectlyRounded(exact);
        const Digits18 truncated = Truncated(exact);
        const bool negative = value < 0;
        for (const std::size_t width : {std::size_t{1}, std::size_t{2}}) {
            const std::string mask = width == 1 ? "0.00" : "00.00";
            const std::string shown = FormatMask(value, mask);
            ASSERT_EQ(shown, TwoPlaces(twoRoundings, negative, width))
                << std::hexfloat << value << " with " << mask;
            if (shown != TwoPlaces(correctlyRounded, negative, width))
                ++correctlyRoundedDiffers;
            if (shown != TwoPlaces(truncated, negative, width) && ++truncatedDiffers == 1)
                std::printf("first difference from cutting: %.17g shows %s, cut gives %s\n", value,
                            shown.c_str(), TwoPlaces(truncated, negative, width).c_str());
        }
    }
    std::printf("%zu values x 2 masks: %d differ from rounding the exact expansion once to 18 "
                "digits, %d from cutting it after 18 digits\n",
                values.size(), correctlyRoundedDiffers, truncatedDiffers);
}

} // namespace
