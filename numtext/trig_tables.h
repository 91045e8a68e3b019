// Binary digits of 2/pi and pi/2 for the argument reduction of sine and cosine.
#pragma once

#include <cstdint>

namespace numtext::detail {

// Widest fixed point, in 64-bit words of fraction, that the sine and cosine ever work in.
inline constexpr int kMaxTrigLimbs = 32;

// The reduction of the largest extended value (below 2^16384) reads 2/pi down to about bit
// 16384 + 64 * (kMaxTrigLimbs + 2); a few words more cover the unaligned read.
inline constexpr int kTwoOverPiWords = 300;
inline constexpr int kHalfPiFractionWords = kMaxTrigLimbs + 4;

// Fraction bits of 2/pi, 64 per word, the first word holding bits 2^-1 to 2^-64.
extern const std::uint64_t kTwoOverPi[kTwoOverPiWords];

// Fraction bits of pi/2 - 1, in the same order.
extern const std::uint64_t kHalfPiFraction[kHalfPiFractionWords];

} // namespace numtext::detail
