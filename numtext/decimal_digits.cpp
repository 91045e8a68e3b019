#include "numtext/decimal_digits.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kSignificantDigits = 18;
constexpr std::uint64_t kTenTo17 = 100000000000000000ULL;
constexpr std::uint64_t kTenTo18 = 1000000000000000000ULL;
constexpr Extended kTenTo17Extended = 1e17L;
constexpr Extended kTenTo18Extended = 1e18L;
// Shown as the exponent of an infinite value: far beyond any finite one a double can hold.
constexpr int kInfinityExponent = 999;

// The 18 leading digits of a positive finite value as an integer, and its decimal exponent k
// (10^k <= value < 10^(k+1)).
struct Significand {
    std::uint64_t digits = 0; // between 10^17 and 10^18 - 1
    int decimalExponent = 0;  // k
};

// floor(log10(2^(binaryExponent - 1))): k itself, or one less.
int EstimateDecimalExponent(int binaryExponent) {
    // log10(2) in 32 fractional bits; exact enough over the whole extended range.
    constexpr std::int64_t kLog10Of2 = 1292913986;
    return static_cast<int>((static_cast<std::int64_t>(binaryExponent - 1) * kLog10Of2) >> 32);
}

Significand EighteenDigits(Extended magnitude) {
    int binaryExponent = 0;
    static_cast<void>(std::frexp(magnitude, &binaryExponent));
    int k = EstimateDecimalExponent(binaryExponent);
    Extended scaled = PowerOfTen(magnitude, kSignificantDigits - 1 - k);
    // Scale again from the magnitude rather than dividing the result, so it rounds only once.
    if (scaled >= kTenTo18Extended) {
        ++k;
        scaled = PowerOfTen(magnitude, kSignificantDigits - 1 - k);
    } else if (scaled < kTenTo17Extended) {
        --k;
        scaled = PowerOfTen(magnitude, kSignificantDigits - 1 - k);
    }
    auto digits = static_cast<std::uint64_t>(std::rint(scaled));
    if (digits >= kTenTo18) {
        digits = kTenTo17;
        ++k;
    }
    return {digits, k};
}

// Rounds digits to its first count characters on the next digit alone; a carry out of the
// first digit makes it "1" and raises the exponent.
void RoundOnNextDigit(DigitString& result, std::size_t count) {
    std::string& digits = result.digits;
    const char next = digits[count];
    const bool up = next > '5' || (next == '5' && ((digits[count - 1] - '0') % 2) == 1);
    digits.resize(count);
    if (!up)
        return;
    std::size_t i = count;
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i > 0) {
        ++digits[i - 1];
        return;
    }
    digits[0] = '1';
    ++result.exponent;
}

} // namespace

DigitString DecimalDigits(Extended value, int count) {
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    DigitString result;
    if (value == 0 || std::isnan(value)) {
        result.digits.assign(wanted, '0');
        return result;
    }
    result.negative = value < 0;
    if (std::isinf(value)) {
        result.digits.assign(wanted, '9');
        result.exponent = kInfinityExponent;
        return result;
    }
    const Significand significand = EighteenDigits(std::fabs(value));
    result.exponent = significand.decimalExponent + 1;
    result.digits.assign(wanted > kSignificantDigits ? wanted : kSignificantDigits, '0');
    std::uint64_t rest = significand.digits;
    for (std::size_t i = kSignificantDigits; i > 0; --i) {
        result.digits[i - 1] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    if (wanted < kSignificantDigits) {
        if (wanted == 0)
            result.digits.clear();
        else
            RoundOnNextDigit(result, wanted);
    }
    return result;
}
