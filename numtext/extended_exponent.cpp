#include "numtext/numtext.h"

#include <bit>

int BinaryExponent(Extended value) {
    const ExtendedBits bits = BitsOf(value);
    const int biased = bits.signExponent & 0x7FFF;
    // A subnormal's leading zeros tell how far below the smallest normal exponent it lies.
    if (biased == 0)
        return -16381 - std::countl_zero(bits.significand);
    return biased - 16382;
}
