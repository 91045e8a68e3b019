// Sine and cosine of an extended value, correctly rounded to the 64-bit significand (to
// nearest, ties to even), so that every machine and every C library gives the same bits.
// They work on the x87 encoding alone, with integer arithmetic, and need no extended type.
#pragma once

#include "numtext/numtext.h"

namespace numtext {

// The encoding of sin(x) for the value x encodes. SineBits of the encoding of 0.5 gives the
// encoding of 0.479425538604203000273...
ExtendedBits SineBits(ExtendedBits x);

// The encoding of cos(x) for the value x encodes.
ExtendedBits CosineBits(ExtendedBits x);

} // namespace numtext
