// A value's decimal digits: the 18 significant ones every formatter starts from, a chosen count
// of them, and the plain text of a value that a mask without sections of its own shows.
#include "numtext/numtext.h"
#include "numtext/significant_digits.h"

#include <cstdint>
#include <cstring>
#include <string>

#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft {
#else
namespace numtext::inline x87 {
#endif

namespace detail {

namespace {

constexpr std::uint64_t kTenTo17 = 100000000000000000ULL;
constexpr std::uint64_t kTenTo18 = 1000000000000000000ULL;
// Shown as the exponent of an infinite value: far beyond any finite one a double can hold.
constexpr int kInfinityExponent = 999;

// The 18 leading digits of a positive finite value as an integer, and its decimal exponent k
// (10^k <= value < 10^(k+1)).
struct Significand {
    std::uint64_t digits = 0; // between 10^17 and 10^18 - 1
    int decimalExponent = 0;  // k
};

// k or one less: floor(log10(2^(binaryExponent - 1))), with log10(2) in 32 fractional bits.
int EstimateDecimalExponent(int binaryExponent) {
    constexpr std::int64_t kLog10Of2 = 1292913986;
    return static_cast<int>((static_cast<std::int64_t>(binaryExponent - 1) * kLog10Of2) >> 32);
}

Significand EighteenDigits(Extended magnitude) {
    int k = EstimateDecimalExponent(BinaryExponent(BitsOf(magnitude)));
    // Where the powers of ten are exact a comparison settles k before any scaling.
    if (k + 1 >= 0 && k + 1 <= kLargestExactPower && magnitude >= PowerOfTen(1, k + 1))
        ++k;
    Extended scaled = PowerOfTen(magnitude, kSignificantDigits - 1 - k);
    // Scale again from the magnitude rather than dividing the result, so it rounds only once.
    if (scaled >= Extended(kTenTo18)) {
        ++k;
        scaled = PowerOfTen(magnitude, kSignificantDigits - 1 - k);
    } else if (scaled < Extended(kTenTo17)) {
        --k;
        scaled = PowerOfTen(magnitude, kSignificantDigits - 1 - k);
    }
    std::uint64_t digits = RoundToUnsigned(scaled);
    if (digits >= kTenTo18) {
        digits = kTenTo17;
        ++k;
    }
    return {digits, k};
}

// The nine decimal digits of value (below 10^9), leading zeros included.
void WriteNineDigits(char* out, std::uint32_t value) {
    for (int i = 8; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

SignificantDigits NineteenDigits(Extended value) {
    SignificantDigits result;
    std::memset(result.digits, '0', sizeof result.digits);
    if (value == 0 || IsNaN(value))
        return result;
    result.negative = value < 0;
    if (IsInfinite(value)) {
        std::memset(result.digits, '9', sizeof result.digits);
        result.exponent = kInfinityExponent;
        return result;
    }
    const Significand significand = EighteenDigits(Abs(value));
    result.exponent = significand.decimalExponent + 1;
    // Two halves of nine digits: short 32-bit chains the processor can run side by side.
    constexpr std::uint64_t kTenTo9 = 1000000000;
    WriteNineDigits(result.digits, static_cast<std::uint32_t>(significand.digits / kTenTo9));
    WriteNineDigits(result.digits + 9, static_cast<std::uint32_t>(significand.digits % kTenTo9));
    return result;
}

} // namespace detail

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
