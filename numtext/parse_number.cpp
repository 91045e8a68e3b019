#include "numtext/numtext.h"
#include "numtext/radix_number.h"
#include "numtext/significant_digits.h"

#include <algorithm>
#include <cstdint>

namespace numtext {

namespace {

// Digits past the significant ones are dropped, not rounded: they no longer fit the 64-bit
// accumulator exactly, and an answer never needs them.
constexpr int kKeptDigits = detail::kSignificantDigits;
// The exponent field stops growing here, well past both ends of the extended range.
constexpr std::int64_t kExponentClamp = 9999;
// Decimal exponents from which the value saturates (2^127) or vanishes (zero).
constexpr std::int64_t kSaturationExponent = 4933;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// What the mantissa scan found: the kept digits, where the point sits and where it stopped.
struct DecimalMantissa {
    std::uint64_t kept = 0;         // the first (at most 18) significant digits, as an integer
    std::int64_t significant = 0;   // significant digits seen, dropped ones included (S)
    std::int64_t pointExponent = 0; // P: the mantissa is 0.d1 d2 ... x 10^P
    std::size_t end = 0;            // index of the first character after the mantissa
};

DecimalMantissa ScanMantissa(std::string_view text, std::size_t start) {
    DecimalMantissa m;
    bool pointSeen = false;
    std::int64_t beforePoint = 0; // significant digits before the point
    std::int64_t zerosAfterPoint = 0;
    std::size_t i = start;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        if (c == '0' && m.significant == 0) {
            if (pointSeen)
                ++zerosAfterPoint;
            continue;
        }
        if (m.significant < kKeptDigits)
            m.kept = m.kept * 10 + static_cast<std::uint64_t>(c - '0');
        ++m.significant;
        if (!pointSeen)
            ++beforePoint;
    }
    m.end = i;
    if (!pointSeen)
        m.pointExponent = m.significant;
    else
        m.pointExponent = beforePoint > 0 ? beforePoint : -zerosAfterPoint;
    return m;
}

// The exponent after E, e, D or d (already consumed) at text[i], clamped to +-9999.
std::int64_t ScanExponent(std::string_view text, std::size_t i) {
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentClamp);
    return negative ? -exponent : exponent;
}

bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

Extended ParseDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const DecimalMantissa m = ScanMantissa(text, i);
    const Extended signedZero = negative ? -0.0 : 0.0;
    // No digit, or only zeros: no exponent can make it anything but zero.
    if (m.significant == 0)
        return signedZero;

    std::int64_t exponent = 0;
    if (m.end < text.size() && IsExponentLetter(text[m.end]))
        exponent = ScanExponent(text, m.end + 1);

    const std::int64_t total = m.pointExponent + exponent;
    if (total >= kSaturationExponent)
        return negative ? -0x1p127 : 0x1p127;
    if (total <= -kSaturationExponent)
        return signedZero;

    const std::int64_t scale = total - std::min<std::int64_t>(m.significant, kKeptDigits);
    Extended value = m.kept;
    if (scale > 0)
        value = value * PowerOfTen(1, static_cast<int>(scale));
    else if (scale < 0)
        value = value / PowerOfTen(1, static_cast<int>(-scale));
    return negative ? -value : value;
}

} // namespace

Extended ParseNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() &&
           (text[start] == ' ' || text[start] == '\t' || text[start] == '\n'))
        ++start;
    text.remove_prefix(start);
    if (text.empty())
        return 0;
    if (text.front() == '&')
        return detail::ParseRadixNumber(text.substr(1));
    return ParseDecimalNumber(text);
}

} // namespace numtext
