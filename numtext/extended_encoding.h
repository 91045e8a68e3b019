// The x87 extended encoding and its fields, the same on every machine: what BitsOf gives and
// FromBits takes, and what the code that takes values apart reads (the software type, the sine
// and cosine, the binary exponent).
#pragma once

#include <cstdint>

namespace numtext {

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

} // namespace numtext
