// Helpers for comparing extended values on every bit, sign of zero included, and for writing
// values a double cannot hold.
#pragma once

#include "numtext/numtext.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using numtext::BitsOf;
using numtext::Extended;
using numtext::ExtendedBits;
using numtext::FromBits;

inline bool SameBits(ExtendedBits a, ExtendedBits b) {
    return a.signExponent == b.signExponent && a.significand == b.significand;
}
inline bool SameBits(Extended a, Extended b) {
    return SameBits(BitsOf(a), BitsOf(b));
}

// The encoding in hexadecimal, sign and exponent first, for failure messages.
inline std::string Hex(ExtendedBits bits) {
    char text[40];
    std::snprintf(text, sizeof text, "%04X:%016" PRIX64, bits.signExponent, bits.significand);
    return text;
}
inline std::string Hex(Extended value) {
    return Hex(BitsOf(value));
}

// How many units in the last place a lies from b (finite, of the same sign).
inline double UlpDistance(Extended a, Extended b) {
    // Counting the encodings of one sign in order: subnormals, then each binade.
    __extension__ typedef unsigned __int128 Wide;
    const auto index = [](Extended value) {
        const ExtendedBits bits = BitsOf(value);
        const Wide exponent = bits.signExponent & 0x7FFF;
        return exponent == 0 ? Wide{bits.significand}
                             : ((exponent - 1) << 63) + Wide{bits.significand};
    };
    const Wide x = index(a);
    const Wide y = index(b);
    return static_cast<double>(x > y ? x - y : y - x);
}

// Where long double holds every extended value (the x87 format, or the IEEE quadruple format
// of arm64 Linux, s390x and riscv64) a literal's or the C library's long double gives the
// reference; where it is only a double (Apple silicon) or a pair of doubles (ppc64le), MPFR does.
#if __LDBL_MANT_DIG__ == 64 || __LDBL_MANT_DIG__ == 113
#define ORVANE_LONG_DOUBLE_HOLDS_EXTENDED 1
#else
#define ORVANE_LONG_DOUBLE_HOLDS_EXTENDED 0
#include "trig_reference.h"
#endif

#if ORVANE_LONG_DOUBLE_HOLDS_EXTENDED
// A long double as an extended value: its own bits where long double is the x87 format,
// rounded to nearest from the IEEE quadruple format elsewhere.
static_assert(std::numeric_limits<long double>::digits == 64 ||
              std::numeric_limits<long double>::digits == 113);
inline Extended FromLongDouble(long double value) {
    ExtendedBits bits{};
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        std::memcpy(&bits.significand, &value, 8);
        std::memcpy(&bits.signExponent, reinterpret_cast<const unsigned char*>(&value) + 8, 2);
        return FromBits(bits);
    } else {
        __extension__ typedef unsigned __int128 Wide;
        Wide wide = 0;
        std::memcpy(&wide, &value, sizeof value);
        const bool negative = (wide >> 127) != 0;
        const auto exponent = static_cast<int>((wide >> 112) & 0x7FFF);
        const Wide fraction = wide & ((Wide{1} << 112) - 1);
        if (exponent == 0x7FFF)
            return FromBits({static_cast<std::uint16_t>(wide >> 112),
                             (1ULL << 63) | static_cast<std::uint64_t>(fraction >> 49)});
        if (exponent == 0)
            return negative ? -Extended(0) : Extended(0); // no test needs quadruple subnormals
        // The 113-bit significand as an exact integer sum: top 64 bits, then the rest scaled.
        const Wide full = fraction | (Wide{1} << 112);
        const Extended high = static_cast<std::uint64_t>(full >> 49);
        const Extended low = static_cast<std::uint64_t>(full & ((Wide{1} << 49) - 1));
        // Rounded once to 64 bits, between 2^63 and 2^64; then the quadruple exponent, which has
        // the same bias, goes into the encoding as it is.
        const ExtendedBits rounded = BitsOf(high + low / static_cast<std::uint64_t>(1ULL << 49));
        const int carry = (rounded.signExponent & 0x7FFF) - (16383 + 63);
        const Extended sum =
            FromBits({static_cast<std::uint16_t>(exponent + carry), rounded.significand});
        return negative ? -sum : sum;
    }
}

#endif

// Decimal or hexadecimal number text (as strtold reads it) rounded to the nearest extended value.
inline Extended ExtendedOfText(const char* text) {
#if ORVANE_LONG_DOUBLE_HOLDS_EXTENDED
    return FromLongDouble(std::strtold(text, nullptr));
#else
    return FromBits(BitsOfText(text));
#endif
}

// An extended value written as a literal in the source: 1.5_ext, 1e4000_ext, 0x1p127_ext. The
// digits are read as written, so a value no long double of this machine holds is still exact.
inline Extended operator""_ext(const char* text) {
    return ExtendedOfText(text);
}

inline Extended ExtendedInfinity() {
    return FromBits({0x7FFF, 0x8000000000000000ULL});
}
inline Extended ExtendedNaN() {
    return FromBits({0x7FFF, 0xC000000000000000ULL});
}
inline Extended ExtendedMax() {
    return FromBits({0x7FFE, 0xFFFFFFFFFFFFFFFFULL});
}
inline Extended ExtendedDenormMin() {
    return FromBits({0, 1});
}

// The correctly rounded value of text, the reference ParseNumber is held to.
inline Extended LibraryParse(const std::string& text) {
    return ExtendedOfText(text.c_str());
}
