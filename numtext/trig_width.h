// One attempt at sine or cosine in a given fixed-point width; SineBits and CosineBits try the
// widths in turn. Apart so that the tests can check the wide attempts, which real arguments
// almost never reach, against the narrow one.
#pragma once

#include "numtext/extended_encoding.h"
#include "numtext/trig_tables.h"

namespace numtext::detail {

// Widths in 64-bit words tried in turn until the rounding is certain; the first settles all but
// about one argument in 2^100.
inline constexpr int kTrigWidths[] = {3, 8, 16, kMaxTrigLimbs};

// sin x (cosine false) or cos x (cosine true) for a normal x with |x| >= 2^-40, worked with
// count words of fraction (at least 2): false when that cannot settle the rounding.
bool TrigAtWidth(ExtendedBits x, bool cosine, int count, ExtendedBits& result);

} // namespace numtext::detail
