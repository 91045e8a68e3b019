// Number text: answer text to number, and number to text through a display mask.
// Pure functions: no I/O, no state, no failure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Extended: the x87 80-bit format on every machine, with its arithmetic, and
//   ExtendedBits BitsOf(Extended value);   the x87 encoding of a value
//   Extended FromBits(ExtendedBits bits);  the value of an x87 encoding
// which give and take the same bits everywhere.
#include "numtext/extended.h"

namespace numtext {

// The longest numeric prefix of text as an extended value; no number gives 0.
// "12abc" gives 12, "1e2" gives 100, "&H1F" gives 31, "abc" gives 0.
Extended ParseNumber(std::string_view text);

// value times 10 to the power count, in extended precision.
Extended PowerOfTen(Extended value, int count);

// value laid out by a display mask. FormatMask(0.125, "0.00") gives "0.12".
std::string FormatMask(double value, std::string_view mask);

} // namespace numtext
