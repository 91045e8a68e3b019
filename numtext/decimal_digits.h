// The decimal digits of a value, the step under FormatMask and PlainNumberText that other
// code may want on its own.
#pragma once

#include "numtext/numtext.h"

#include <string>

namespace numtext {

// A value as 0.digits x 10^exponent, with its sign apart.
struct DigitString {
    std::string digits;    // the significant digits, the first never "0" unless the value is zero
    int exponent = 1;      // X: where the decimal point goes, counted from the left of digits
    bool negative = false; // the value was below zero (never set for zero or not-a-number)
};

// The first count significant digits of value. Up to 18 come from the value, rounded to
// nearest; later ones are "0". Fewer than 18 are rounded on the digit that follows them
// alone, a "5" going to the even digit. Zero and not-a-number give zeros with exponent 1,
// infinity gives nines with exponent 999.
// DecimalDigits(12.345, 4) gives "1234", exponent 2; DecimalDigits(0.0625, 2) gives "62",
// exponent -1.
DigitString DecimalDigits(Extended value, int count);

} // namespace numtext
