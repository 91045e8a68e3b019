// Argument reduction for sine and cosine: x >= 0 as x = n * pi/2 + r with |r| <= pi/4, from
// enough digits of 2/pi that even the largest extended value keeps its fraction bits.
#pragma once

#include "numtext/trig.h"

#include <cstdint>

namespace numtext::detail {

struct TrigReduction {
    unsigned quadrant;  // n modulo 4
    bool negative;      // r < 0
    TrigFixed absolute; // |r|, within about 3 units
};

// x = significand * 2^exponent with the integer bit of significand set, x >= 0.5, exponent
// at most 16320, reduced with `count` words of fraction.
TrigReduction ReduceQuarterTurns(std::uint64_t significand, int exponent, int count);

} // namespace numtext::detail
