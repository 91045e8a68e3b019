#include "numtext/extended_encoding.h"
#include "numtext/numtext.h"

#include <bit>

namespace numtext {

int BinaryExponent(Extended value) {
    const ExtendedBits bits = BitsOf(value);
    const int biased = bits.signExponent & kExponentMask;
    // A subnormal's leading zeros tell how far below the smallest normal exponent it lies.
    if (biased == 0)
        return 2 - kBias - std::countl_zero(bits.significand);
    return biased - (kBias - 1);
}

} // namespace numtext
