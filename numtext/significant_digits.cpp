#include "numtext/significant_digits.h"

#include <cstdint>
#include <cstring>

namespace numtext::detail {

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
    int k = EstimateDecimalExponent(BinaryExponent(magnitude));
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

} // namespace numtext::detail
