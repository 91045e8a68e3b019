// The extended type computed on integers, for machines without an x87 unit: the encoding itself,
// with every operation rounding as the x87 does. Include numtext/extended.h, not this file.
#pragma once

#include <concepts>
#include <cstdint>

struct Extended;
Extended ExtendedFromDouble(double number);
Extended ExtendedFromSigned(std::int64_t number);
Extended ExtendedFromUnsigned(std::uint64_t number);
double DoubleFromExtended(Extended value);

struct Extended {
    std::uint64_t significand;  // with its explicit integer bit, as the x87 stores it
    std::uint16_t signExponent; // sign bit, then the exponent biased by 16383

    Extended() = default;
    Extended(double number) : Extended(ExtendedFromDouble(number)) {}
    template <std::integral Integer>
    Extended(Integer number)
        : Extended(std::signed_integral<Integer>
                       ? ExtendedFromSigned(static_cast<std::int64_t>(number))
                       : ExtendedFromUnsigned(static_cast<std::uint64_t>(number))) {}
    // A long double literal is some other format here: build values from doubles, integers,
    // arithmetic or FromBits instead.
    Extended(long double) = delete;
    explicit operator double() const { return DoubleFromExtended(*this); }
};

Extended operator+(Extended a, Extended b);
Extended operator-(Extended a, Extended b);
Extended operator*(Extended a, Extended b);
Extended operator/(Extended a, Extended b);
bool operator==(Extended a, Extended b);
bool operator<(Extended a, Extended b);
bool operator<=(Extended a, Extended b);

inline Extended operator-(Extended a) {
    a.signExponent ^= 0x8000U;
    return a;
}
inline bool operator!=(Extended a, Extended b) {
    return !(a == b);
}
inline bool operator>(Extended a, Extended b) {
    return b < a;
}
inline bool operator>=(Extended a, Extended b) {
    return b <= a;
}

// The square root, rounded once; a negative value or minus infinity gives the not-a-number
// 0xFFFF:C000000000000000, -0 gives -0.
Extended SquareRoot(Extended x);
// The nearest integer, ties to even, of a value from 0 to just below 2^64.
std::uint64_t RoundToUnsigned(Extended x);

inline Extended Abs(Extended x) {
    x.signExponent &= 0x7FFFU;
    return x;
}
inline bool IsNaN(Extended x) {
    return (x.signExponent & 0x7FFFU) == 0x7FFFU && (x.significand << 1) != 0;
}
inline bool IsInfinite(Extended x) {
    return (x.signExponent & 0x7FFFU) == 0x7FFFU && x.significand == 0x8000000000000000ULL;
}

constexpr ExtendedBits BitsOf(Extended x) {
    return {x.signExponent, x.significand};
}
constexpr Extended FromBits(ExtendedBits bits) {
    Extended x{};
    x.significand = bits.significand;
    x.signExponent = bits.signExponent;
    return x;
}
