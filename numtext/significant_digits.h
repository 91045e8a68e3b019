// Internal to numtext: a value's 18 significant digits and one place more, in a fixed buffer,
// so the formatter can take them apart without allocating; and what parsing and every decimal
// rounding share.
#pragma once

#include "numtext/numtext.h"

#include <string>
#include <string_view>

#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft::detail {
#else
namespace numtext::inline x87::detail {
#endif

// Significant decimal digits read from or shown for a value: as many as a 64-bit integer
// holds whatever they are (10^18 < 2^63), and about what 64 bits of significand resolve.
constexpr int kSignificantDigits = 18;

// 10^27 = 2^27 x 5^27 with 5^27 < 2^64: the largest power of ten an extended value holds
// exactly.
constexpr int kLargestExactPower = 27;

// The first 19 digits of 0.digits x 10^exponent: 18 from the value, then "0" (19 nines for
// infinity; zeros for zero and not-a-number).
struct SignificantDigits {
    char digits[kSignificantDigits + 1] = {}; // the first never "0" for a finite non-zero value
    int exponent = 1;      // X: where the decimal point goes, counted from the left of digits
    bool negative = false; // the value was below zero (never set for zero or not-a-number)
};

SignificantDigits NineteenDigits(Extended value);

inline std::string_view DigitsOf(const SignificantDigits& d) {
    return {d.digits, sizeof d.digits};
}

// Adds one to the last digit; returns whether a carry left the first digit (which leaves
// every digit "0").
inline bool AddOneAtEnd(std::string& digits) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0)
        return true;
    ++digits[i - 1];
    return false;
}

} // namespace numtext::detail
