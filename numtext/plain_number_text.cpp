#include "numtext/plain_number_text.h"
#include "numtext/decimal_digits.h"

#include <string>

namespace numtext {

namespace {

// Past this many places the digits are shown with an exponent instead.
constexpr int kPlainPlaces = 15;

// "1.25E+20": the first digit, the others after a point, then the exponent.
std::string ExponentForm(const std::string& digits, char sign, int exponent) {
    std::string text(1, digits[0]);
    if (digits.size() > 1)
        text += "." + digits.substr(1);
    text += 'E';
    text += sign;
    text += std::to_string(exponent);
    return text;
}

} // namespace

std::string PlainNumberText(Extended value) {
    DigitString d = DecimalDigits(value, kPlainPlaces);
    const std::size_t last = d.digits.find_last_not_of('0');
    if (last == std::string::npos)
        return "0";
    d.digits.resize(last + 1);
    const int significant = static_cast<int>(d.digits.size());
    const int x = d.exponent;

    std::string text = d.negative ? "-" : "";
    if (x >= significant) {
        if (x <= kPlainPlaces)
            text += d.digits + std::string(static_cast<std::size_t>(x - significant), '0');
        else
            text += ExponentForm(d.digits, '+', x - 1);
    } else if (significant - x > kPlainPlaces) {
        text += ExponentForm(d.digits, '-', 1 - x);
    } else if (x <= 0) {
        text += "." + std::string(static_cast<std::size_t>(-x), '0') + d.digits;
    } else {
        const auto split = static_cast<std::size_t>(x);
        text += d.digits.substr(0, split) + "." + d.digits.substr(split);
    }
    return text;
}

} // namespace numtext
