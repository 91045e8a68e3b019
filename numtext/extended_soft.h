// The extended type computed on integers, for machines without an x87 unit: the encoding itself,
// with every operation rounding as the x87 does. Include numtext/extended.h, which names this
// type numtext::Extended where it is the build's; include this file only to use numtext::soft
// beside the x87 type.
#pragma once

#include "numtext/extended_encoding.h"

#include <concepts>
#include <cstdint>

// The build's representation, or one used beside the x87 one (numtext/extended_encoding.h).
#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft {
#else
namespace numtext::soft {
#endif

struct Extended;

// The conversions behind the constructors and the cast (extended_soft.cpp).
namespace detail {
Extended ExtendedFromDouble(double number);
Extended ExtendedFromSigned(std::int64_t number);
Extended ExtendedFromUnsigned(std::uint64_t number);
double DoubleFromExtended(Extended value);
} // namespace detail

struct Extended {
    std::uint64_t significand;  // with its explicit integer bit, as the x87 stores it
    std::uint16_t signExponent; // sign bit, then the exponent biased by 16383

    Extended() = default;
    Extended(double number) : Extended(detail::ExtendedFromDouble(number)) {}
    template <std::integral Integer>
    Extended(Integer number)
        : Extended(std::signed_integral<Integer>
                       ? detail::ExtendedFromSigned(static_cast<std::int64_t>(number))
                       : detail::ExtendedFromUnsigned(static_cast<std::uint64_t>(number))) {}
    // A long double literal is some other format here: build values from doubles, integers,
    // arithmetic or FromBits instead.
    Extended(long double) = delete;
    explicit operator double() const { return detail::DoubleFromExtended(*this); }
};

Extended operator+(Extended a, Extended b);
Extended operator-(Extended a, Extended b);
Extended operator*(Extended a, Extended b);
Extended operator/(Extended a, Extended b);
bool operator==(Extended a, Extended b);
bool operator<(Extended a, Extended b);
bool operator<=(Extended a, Extended b);

inline Extended operator-(Extended a) {
    a.signExponent ^= kSignMask;
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
// kIndefinite, -0 gives -0.
Extended SquareRoot(Extended x);
// The nearest integer, ties to even, of a value from 0 to just below 2^64.
std::uint64_t RoundToUnsigned(Extended x);

inline Extended Abs(Extended x) {
    x.signExponent &= kExponentMask;
    return x;
}
inline bool IsNaN(Extended x) {
    return (x.signExponent & kExponentMask) == kExponentMask && (x.significand << 1) != 0;
}
inline bool IsInfinite(Extended x) {
    return (x.signExponent & kExponentMask) == kExponentMask && x.significand == kIntegerBit;
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

} // namespace numtext::soft
