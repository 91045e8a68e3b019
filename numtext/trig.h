// Unsigned binary fractions of a chosen number of 64-bit words, for sine and cosine: one code
// path that runs at 192 bits for the usual case and wider when the rounding needs it.
#pragma once

#include "numtext/trig_tables.h"
#include "numtext/wide_integer.h"

#include <cstdint>

namespace numtext::detail {

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

} // namespace numtext::detail
