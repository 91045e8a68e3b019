// Number text: answer text to number, and number to text through a display mask.
// Pure functions: no I/O, no state, no failure.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// Sign and 15-bit biased exponent, and the 64-bit significand with its explicit integer bit:
// the x87 encoding of an extended value, the same on every machine.
struct ExtendedBits {
    std::uint16_t signExponent;
    std::uint64_t significand;
};

using Extended = long double; // the x87 80-bit format
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the x87 80-bit format with a 64-bit significand");

// The longest numeric prefix of text as an extended value; no number gives 0.
// "12abc" gives 12, "1e2" gives 100, "&H1F" gives 31, "abc" gives 0.
Extended ParseNumber(std::string_view text);

// value times 10 to the power count, in extended precision.
Extended PowerOfTen(Extended value, int count);

// value laid out by a display mask. FormatMask(0.125, "0.00") gives "0.12".
std::string FormatMask(double value, std::string_view mask);
