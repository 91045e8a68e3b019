// Sine and cosine of extended values, correctly rounded, so every machine gives the same bits.
#pragma once

#include "numtext/numtext.h"

namespace numtext {

// sin(x) rounded to the 64-bit significand. Sine(0.5) gives 0.479425538604203000273...
Extended Sine(Extended x);

// cos(x) rounded to the 64-bit significand.
Extended Cosine(Extended x);

} // namespace numtext
