// Number text: answer text to number, and number to text through a display mask.
// Pure functions: no I/O, no state, no failure.
#pragma once

#include <string>
#include <string_view>

// Extended: the x87 80-bit format on every machine, with its arithmetic, and
//   ExtendedBits BitsOf(Extended value);   the x87 encoding of a value
//   Extended FromBits(ExtendedBits bits);  the value of an x87 encoding
// which give and take the same bits everywhere.
#include "numtext/extended.h"

// In the namespace of the build's extended type (numtext/extended_encoding.h).
#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft {
#else
namespace numtext::inline x87 {
#endif

// The longest numeric prefix of text as an extended value; no number gives 0.
// "12abc" gives 12, "1e2" gives 100, "&H1F" gives 31, "abc" gives 0.
Extended ParseNumber(std::string_view text);

// value times 10 to the power count, in extended precision.
Extended PowerOfTen(Extended value, int count);

// value laid out by a display mask. FormatMask(0.125, "0.00") gives "0.12".
std::string FormatMask(double value, std::string_view mask);

// value's plain text, as a mask without sections of its own shows it: up to 15 significant
// digits, no blank and no sign for positive values, and an exponent only where the digits would
// run past 15 places. 0.05 gives ".05", 1234.5 gives "1234.5", 1e15 gives "1E+15", 1e-16 gives
// "1E-16".
std::string PlainNumberText(Extended value);

// A value as 0.digits x 10^exponent, with its sign apart.
struct DigitString {
    std::string digits;    // the significant digits, the first never "0" unless the value is zero
    int exponent = 1;      // X: where the decimal point goes, counted from the left of digits
    bool negative = false; // the value was below zero (never set for zero or not-a-number)
};

// The first count significant digits of value: the step under FormatMask and PlainNumberText,
// on its own. Up to 18 come from the value, rounded to nearest; later ones are "0". Fewer than
// 18 are rounded on the digit that follows them alone, a "5" going to the even digit. Zero and
// not-a-number give zeros with exponent 1, infinity gives nines with exponent 999.
// DecimalDigits(12.345, 4) gives "1234", exponent 2; DecimalDigits(0.0625, 2) gives "62",
// exponent -1.
DigitString DecimalDigits(Extended value, int count);

} // namespace numtext
