#include "numtext/mask.h"

#include <cstdint>

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

// Adds one to the last digit; returns whether a carry left the first digit.
bool AddOneAtEnd(std::string& digits) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0)
        return true;
    ++digits[i - 1];
    return false;
}

// Appends digits first to first + count - 1 of the digit string.
void AppendDigitRun(std::string& out, std::string_view digits, std::int64_t first,
                    std::size_t count) {
    for (std::size_t j = 0; j < count; ++j)
        out += DigitAt(digits, first + static_cast<std::int64_t>(j));
}

// Integer digits then exactly fraction digits; "0" when there is no integer digit.
std::string FixedPointDigits(std::string_view value, int exponent, std::size_t fraction) {
    const std::size_t integer = exponent > 0 ? static_cast<std::size_t>(exponent) : 0;
    std::string digits;
    digits.reserve(integer + fraction + 1);
    AppendDigitRun(digits, value, 0, integer);
    AppendDigitRun(digits, value, exponent, fraction);
    const auto cut = static_cast<std::int64_t>(exponent) + static_cast<std::int64_t>(fraction);
    const bool haveKeptDigit = fraction > 0 || integer > 0;
    if (RoundsUp(value, cut, haveKeptDigit) && AddOneAtEnd(digits))
        digits.insert(digits.begin(), '1');
    else if (integer == 0)
        digits.insert(digits.begin(), '0');
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
        AppendDigitRun(shown.digits, digits, 0, kept);
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
