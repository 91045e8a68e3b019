#include "numtext/decimal_digits.h"
#include "numtext/significant_digits.h"

namespace numtext {

using namespace detail;

namespace {

// Rounds digits to its first count characters on the next digit alone; a carry out of the
// first digit makes it "1" and raises the exponent.
void RoundOnNextDigit(DigitString& result, std::size_t count) {
    std::string& digits = result.digits;
    const char next = digits[count];
    const bool up = next > '5' || (next == '5' && ((digits[count - 1] - '0') % 2) == 1);
    digits.resize(count);
    if (up && AddOneAtEnd(digits)) {
        digits[0] = '1';
        ++result.exponent;
    }
}

} // namespace

DigitString DecimalDigits(Extended value, int count) {
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    const SignificantDigits nineteen = NineteenDigits(value);
    DigitString result;
    result.exponent = nineteen.exponent;
    result.negative = nineteen.negative;
    if (IsInfinite(value)) {
        result.digits.assign(wanted, '9');
        return result;
    }
    result.digits.assign(DigitsOf(nineteen));
    if (wanted > 0 && wanted < kSignificantDigits)
        RoundOnNextDigit(result, wanted);
    else
        result.digits.resize(wanted, '0');
    return result;
}

} // namespace numtext
