// Sine and cosine of extended values, correctly rounded to the 64-bit significand (to nearest,
// ties to even), so that every machine and every C library gives the same bits. They work on
// the x87 encoding alone, with integer arithmetic.
#pragma once

#include "numtext/extended.h"

#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft {
#else
namespace numtext::inline x87 {
#endif

// The encoding of sin(x) for the value x encodes. SineBits of the encoding of 0.5 gives the
// encoding of 0.479425538604203000273...
ExtendedBits SineBits(ExtendedBits x);

// The encoding of cos(x) for the value x encodes.
ExtendedBits CosineBits(ExtendedBits x);

// sin(x) rounded to the 64-bit significand. Sine(0.5) gives 0.479425538604203000273...
inline Extended Sine(Extended x) {
    return FromBits(SineBits(BitsOf(x)));
}

// cos(x) rounded to the 64-bit significand.
inline Extended Cosine(Extended x) {
    return FromBits(CosineBits(BitsOf(x)));
}

} // namespace numtext
