// The fields of the x87 extended encoding, for the code that takes values apart: the software
// type, the sine and cosine, and the binary exponent.
#pragma once

#include <cstdint>

constexpr int kBias = 16383;                    // biased exponent of 1.0
constexpr std::uint16_t kExponentMask = 0x7FFF; // in signExponent; all ones: infinity or NaN
constexpr std::uint16_t kSignMask = 0x8000;     // in signExponent
constexpr std::uint64_t kIntegerBit = 0x8000000000000000ULL; // explicit in the significand
constexpr std::uint64_t kQuietBit = 0x4000000000000000ULL;   // a NaN's quiet bit
