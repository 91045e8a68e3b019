// The x87 extended encoding and its fields, the same on every machine: what BitsOf gives and
// FromBits takes, and what the code that takes values apart reads (the software type, the sine
// and cosine, the decimal digits).
#pragma once

#include <bit>
#include <cstdint>

namespace numtext {

// Each representation of the extended type has a namespace of its own, and numtext's code is
// compiled into the build's: inline, so that numtext::Extended and numtext::ParseNumber name
// it. numtext built on the software type (numtext/CMakeLists.txt) can then be linked beside
// the x87 one, and the two compared in one program. CMake defines ORVANE_SOFT_EXTENDED.
#if ORVANE_SOFT_EXTENDED
inline namespace soft {}
#else
inline namespace x87 {}
#endif

// Sign and 15-bit biased exponent, and the 64-bit significand with its explicit integer bit.
struct ExtendedBits {
    std::uint16_t signExponent;
    std::uint64_t significand;
};

constexpr int kBias = 16383;                    // biased exponent of 1.0
constexpr std::uint16_t kExponentMask = 0x7FFF; // in signExponent; all ones: infinity or NaN
constexpr std::uint16_t kSignMask = 0x8000;     // in signExponent
constexpr std::uint64_t kIntegerBit = 0x8000000000000000ULL; // explicit in the significand
constexpr std::uint64_t kQuietBit = 0x4000000000000000ULL;   // a NaN's quiet bit

// The x87's default not-a-number ("real indefinite"), the result of an invalid operation.
constexpr ExtendedBits kIndefinite{kSignMask | kExponentMask, kIntegerBit | kQuietBit};

// The e of a finite non-zero value = f x 2^e with 0.5 <= f < 1, read from its encoding.
constexpr int BinaryExponent(ExtendedBits bits) {
    const int biased = bits.signExponent & kExponentMask;
    // A subnormal's leading zeros tell how far below the smallest normal exponent it lies.
    if (biased == 0)
        return 2 - kBias - std::countl_zero(bits.significand);
    return biased - (kBias - 1);
}

} // namespace numtext
