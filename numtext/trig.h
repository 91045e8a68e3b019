// Internal to numtext: the sine and cosine of numtext/extended_math.h, worked in unsigned binary
// fractions of a chosen number of 64-bit words: one code path that runs at 192 bits for the
// usual case and wider when the rounding needs it. The argument is reduced by enough digits of
// 2/pi (trig_tables.cpp) that even the largest extended value keeps its fraction bits.
#pragma once

#include "numtext/extended_encoding.h"

#include <cstdint>

#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft::detail {
#else
namespace numtext::inline x87::detail {
#endif

// The 128-bit unsigned integer the words are multiplied and divided in.
__extension__ typedef unsigned __int128 Wide;

// Widest fixed point, in 64-bit words of fraction, that the sine and cosine ever work in.
inline constexpr int kMaxTrigLimbs = 32;

// The reduction of the largest extended value (below 2^16384) reads 2/pi down to about bit
// 16384 + 64 * (kMaxTrigLimbs + 2); a few words more cover the unaligned read.
inline constexpr int kTwoOverPiWords = 300;
inline constexpr int kHalfPiFractionWords = kMaxTrigLimbs + 4;

// Binary digits of 2/pi and pi/2 for the argument reduction (trig_tables.cpp).
// Fraction bits of 2/pi, 64 per word, the first word holding bits 2^-1 to 2^-64.
extern const std::uint64_t kTwoOverPi[kTwoOverPiWords];

// Fraction bits of pi/2 - 1, in the same order.
extern const std::uint64_t kHalfPiFraction[kHalfPiFractionWords];

// A value in [0, 1): the sum of word[k] * 2^(64 * (k - count)). word[count - 1] holds the bits
// 2^-1 to 2^-64; words from count on are unused. "Unit" below means 2^(-64 * count).
struct TrigFixed {
    int count;                             // words in use, 1 to kMaxTrigLimbs + 2
    std::uint64_t word[kMaxTrigLimbs + 2]; // least significant first
};

// Zero with count words.
TrigFixed TrigZero(int count);

// a + b and a - b, both modulo 1; a and b have the same count.
TrigFixed TrigAdd(const TrigFixed& a, const TrigFixed& b);
TrigFixed TrigSubtract(const TrigFixed& a, const TrigFixed& b);

// a * b, rounded down to a whole unit.
TrigFixed TrigMultiply(const TrigFixed& a, const TrigFixed& b);

// a / divisor, rounded down to a whole unit; divisor is not 0.
TrigFixed TrigDivide(const TrigFixed& a, std::uint64_t divisor);

bool TrigIsZero(const TrigFixed& a);

// Index of the highest set bit, counted from the unit bit 0; -1 for zero.
int TrigHighestBit(const TrigFixed& a);

// The 64 bits of a from bit index `low` upward (bits past the top read as 0); low >= 0.
std::uint64_t TrigBitsFrom(const TrigFixed& a, int low);

// Whether a modulo 2^bits, or its complement (2^bits - 1 - that) when `complement`, is at
// most bound.
bool TrigLowBitsAtMost(const TrigFixed& a, int bits, bool complement, std::uint64_t bound);

// Argument reduction: x >= 0 as x = n * pi/2 + r with |r| <= pi/4.
struct TrigReduction {
    unsigned quadrant;  // n modulo 4
    bool negative;      // r < 0
    TrigFixed absolute; // |r|, within about 3 units
};

// x = significand * 2^exponent with the integer bit of significand set, x >= 0.5, exponent
// at most 16320, reduced with `count` words of fraction.
TrigReduction ReduceQuarterTurns(std::uint64_t significand, int exponent, int count);

// Widths in 64-bit words that SineBits and CosineBits try in turn until the rounding is certain;
// the first settles all but about one argument in 2^100.
inline constexpr int kTrigWidths[] = {3, 8, 16, kMaxTrigLimbs};

// sin x (cosine false) or cos x (cosine true) for a normal x with |x| >= 2^-40, worked with
// count words of fraction (at least 2): false when that cannot settle the rounding. Declared
// here so that the tests can check the wide attempts, which real arguments almost never reach,
// against the narrow one.
bool TrigAtWidth(ExtendedBits x, bool cosine, int count, ExtendedBits& result);

} // namespace numtext::detail
