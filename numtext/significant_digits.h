// Internal to numtext: a value's 18 significant digits and one place more, in a fixed buffer,
// so the formatter can take them apart without allocating.
#pragma once

#include "numtext/numtext.h"

#include <string_view>

// The first 19 digits of 0.digits x 10^exponent: 18 from the value, then "0" (19 nines for
// infinity; zeros for zero and not-a-number).
struct SignificantDigits {
    char digits[19] = {};  // the digits, the first never "0" for a finite non-zero value
    int exponent = 1;      // X: where the decimal point goes, counted from the left of digits
    bool negative = false; // the value was below zero (never set for zero or not-a-number)
};

SignificantDigits NineteenDigits(Extended value);

inline std::string_view DigitsOf(const SignificantDigits& d) {
    return {d.digits, sizeof d.digits};
}
