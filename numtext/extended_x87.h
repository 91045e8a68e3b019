// The extended type on a processor with an x87 unit: long double itself, wrapped so that code
// written here also compiles against the software type (no long double literals, no C library
// calls on the value). Include numtext/extended.h, not this file.
#pragma once

#include "numtext/extended_encoding.h"

#include <concepts>
#include <cstdint>
#include <cstring>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the hardware extended type needs the x87 80-bit long double");

namespace numtext {
inline namespace x87 {

struct Extended {
    long double value; // the x87 register format, stored in 16 bytes of which 10 count

    Extended() = default;
    constexpr Extended(double number) : value(number) {}
    template <std::integral Integer>
    constexpr Extended(Integer number) : value(static_cast<long double>(number)) {}
    // A long double literal would bypass the software type on other machines: build values
    // from doubles, integers, arithmetic or FromBits instead.
    Extended(long double) = delete;
    constexpr explicit operator double() const { return static_cast<double>(value); }
};

namespace detail {

// Wraps a long double result; only this header makes them.
constexpr Extended WrapLongDouble(long double value) {
    Extended result{};
    result.value = value;
    return result;
}

} // namespace detail

inline Extended operator+(Extended a, Extended b) {
    return detail::WrapLongDouble(a.value + b.value);
}
inline Extended operator-(Extended a, Extended b) {
    return detail::WrapLongDouble(a.value - b.value);
}
inline Extended operator*(Extended a, Extended b) {
    return detail::WrapLongDouble(a.value * b.value);
}
inline Extended operator/(Extended a, Extended b) {
    return detail::WrapLongDouble(a.value / b.value);
}
inline Extended operator-(Extended a) {
    return detail::WrapLongDouble(-a.value);
}
inline bool operator==(Extended a, Extended b) {
    return a.value == b.value;
}
inline bool operator!=(Extended a, Extended b) {
    return a.value != b.value;
}
inline bool operator<(Extended a, Extended b) {
    return a.value < b.value;
}
inline bool operator<=(Extended a, Extended b) {
    return a.value <= b.value;
}
inline bool operator>(Extended a, Extended b) {
    return a.value > b.value;
}
inline bool operator>=(Extended a, Extended b) {
    return a.value >= b.value;
}

// The square root, rounded once; a negative value or minus infinity gives the not-a-number
// kIndefinite, -0 gives -0.
inline Extended SquareRoot(Extended x) {
    return detail::WrapLongDouble(__builtin_sqrtl(x.value));
}
inline Extended Abs(Extended x) {
    return detail::WrapLongDouble(__builtin_fabsl(x.value));
}
inline bool IsNaN(Extended x) {
    return x.value != x.value;
}
inline bool IsInfinite(Extended x) {
    return __builtin_isinf(x.value);
}
// The nearest integer, ties to even, of a value from 0 to just below 2^64.
inline std::uint64_t RoundToUnsigned(Extended x) {
    return static_cast<std::uint64_t>(__builtin_rintl(x.value));
}

inline ExtendedBits BitsOf(Extended x) {
    ExtendedBits bits{};
    std::memcpy(&bits.significand, &x.value, 8);
    std::memcpy(&bits.signExponent, reinterpret_cast<const unsigned char*>(&x.value) + 8, 2);
    return bits;
}
inline Extended FromBits(ExtendedBits bits) {
    Extended x{};
    std::memset(&x.value, 0, sizeof x.value);
    std::memcpy(&x.value, &bits.significand, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&x.value) + 8, &bits.signExponent, 2);
    return x;
}

} // namespace x87
} // namespace numtext
