// INTERIM, until the correctly rounded sine and cosine are in: the C library's long double
// functions, whose last bit differs between libraries. Works where long double is the x87
// format itself, or the wider IEEE quadruple format rounded down to 64 bits.
#include "numtext/extended_trig.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kDigits = std::numeric_limits<long double>::digits;
static_assert(kDigits == 64 || kDigits == 113, "the interim sine needs an extended long double");

long double LongDoubleOf(ExtendedBits bits) {
    long double value = 0;
    if constexpr (kDigits == 64) {
        std::memcpy(&value, &bits.significand, 8);
        std::memcpy(reinterpret_cast<unsigned char*>(&value) + 8, &bits.signExponent, 2);
    } else {
        // Same sign and exponent fields; the 63 fraction bits move to the top of 112.
        Wide wide = static_cast<Wide>(bits.signExponent) << 112;
        wide |= static_cast<Wide>(bits.significand & ~(1ULL << 63)) << 49;
        if ((bits.signExponent & 0x7FFF) == 0 && bits.significand != 0) {
            // x87 subnormal: significand x 2^-16445 is a value the quadruple format holds.
            value = std::ldexp(static_cast<long double>(bits.significand), -16445);
            return (bits.signExponent & 0x8000) != 0 ? -value : value;
        }
        std::memcpy(&value, &wide, sizeof value);
    }
    return value;
}

ExtendedBits BitsOfLongDouble(long double value) {
    ExtendedBits bits{};
    if constexpr (kDigits == 64) {
        std::memcpy(&bits.significand, &value, 8);
        std::memcpy(&bits.signExponent, reinterpret_cast<const unsigned char*>(&value) + 8, 2);
    } else {
        // Sine and cosine stay within [-1, 1] and away from the subnormal range unless the
        // argument is itself tiny, where sin(x) = x: round the 112 fraction bits to 63.
        Wide wide = 0;
        std::memcpy(&wide, &value, sizeof value);
        auto signExponent = static_cast<std::uint16_t>(wide >> 112);
        const auto fraction = wide & ((static_cast<Wide>(1) << 112) - 1);
        std::uint64_t kept = static_cast<std::uint64_t>(fraction >> 49);
        const auto rest = static_cast<std::uint64_t>(fraction & ((1ULL << 49) - 1));
        const std::uint64_t half = 1ULL << 48;
        bool up = rest > half || (rest == half && (kept & 1) != 0);
        std::uint64_t significand = ((signExponent & 0x7FFF) != 0 ? (1ULL << 63) : 0) | kept;
        if (up) {
            ++significand;
            if (significand == 0) {
                significand = 1ULL << 63;
                ++signExponent;
            }
        }
        bits = {signExponent, significand};
    }
    return bits;
}

} // namespace

ExtendedBits SineBits(ExtendedBits x) {
    return BitsOfLongDouble(std::sin(LongDoubleOf(x)));
}

ExtendedBits CosineBits(ExtendedBits x) {
    return BitsOfLongDouble(std::cos(LongDoubleOf(x)));
}
