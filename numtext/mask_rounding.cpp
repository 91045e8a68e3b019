#include "numtext/mask.h"

#include <algorithm>
#include <cstdint>

namespace numtext::detail {

namespace {

// Digit i of the value's digit string, counted from its first digit; "0" outside it, so
// the string reads as if padded with zeros on both sides.
char DigitAt(std::string_view digits, std::int64_t i) {
    if (i < 0 || i >= static_cast<std::int64_t>(digits.size()))
        return '0';
    return digits[static_cast<std::size_t>(i)];
}

// Whether keeping the digits before index cut means rounding up: above half, or exactly
// half with an odd last kept digit. Decided on the decimal digits alone, never the binary
// value, so 0.125 keeps "0.12" and 0.375 becomes "0.38".
bool RoundsUp(std::string_view digits, std::int64_t cut, bool haveKeptDigit) {
    const char first = DigitAt(digits, cut);
    if (first != '5')
        return first > '5';
    for (std::int64_t i = cut + 1; i < static_cast<std::int64_t>(digits.size()); ++i) {
        if (DigitAt(digits, i) != '0')
            return true;
    }
    return haveKeptDigit && (DigitAt(digits, cut - 1) - '0') % 2 == 1;
}

// Copies digits first to first + count - 1 of the digit string to out; out holds "0" already,
// and only the part inside the digit string needs copying.
void CopyDigitRun(char* out, std::string_view digits, std::int64_t first, std::size_t count) {
    const std::int64_t from = first < 0 ? 0 : first;
    const std::int64_t to = std::min<std::int64_t>(first + static_cast<std::int64_t>(count),
                                                   static_cast<std::int64_t>(digits.size()));
    for (std::int64_t i = from; i < to; ++i)
        out[i - first] = digits[static_cast<std::size_t>(i)];
}

// Integer digits then exactly fraction digits; "0" when there is no integer digit.
std::string FixedPointDigits(std::string_view value, int exponent, std::size_t fraction) {
    const std::size_t integer = exponent > 0 ? static_cast<std::size_t>(exponent) : 0;
    // One place in front for a carry, or for the "0" of an empty integer part.
    std::string digits(1 + integer + fraction, '0');
    CopyDigitRun(digits.data() + 1, value, 0, integer);
    CopyDigitRun(digits.data() + 1 + integer, value, exponent, fraction);
    const auto cut = static_cast<std::int64_t>(exponent) + static_cast<std::int64_t>(fraction);
    const bool haveKeptDigit = fraction > 0 || integer > 0;
    if (RoundsUp(value, cut, haveKeptDigit))
        AddOneAtEnd(digits); // the spare place takes any carry: "0999" becomes "1000"
    if (digits[0] == '0' && integer > 0)
        digits.erase(0, 1);
    return digits;
}

} // namespace

MaskDigits RoundForMask(const SignificantDigits& value, const CompiledMask& mask) {
    const std::string_view digits = DigitsOf(value);
    MaskDigits shown;
    shown.negative = value.negative;
    int exponent = value.exponent;
    // Zero and not-a-number have only zero digits; there is nothing to scale.
    if (mask.percent && digits[0] != '0')
        exponent += 2;

    if (mask.exponentMode == 0) {
        shown.digits = FixedPointDigits(digits, exponent, mask.fractionPositions);
    } else {
        const std::size_t kept = mask.integerPositions + mask.fractionPositions;
        shown.digits.assign(kept, '0');
        CopyDigitRun(shown.digits.data(), digits, 0, kept);
        shown.exponent = exponent - static_cast<int>(mask.integerPositions);
        if (kept > 0 && RoundsUp(digits, static_cast<std::int64_t>(kept), true) &&
            AddOneAtEnd(shown.digits)) {
            shown.digits[0] = '1';
            ++shown.exponent;
        }
    }
    if (shown.digits == "0")
        shown.negative = false;
    return shown;
}

} // namespace numtext::detail
