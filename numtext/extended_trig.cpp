#include "numtext/extended_trig.h"

#include "numtext/extended_encoding.h"
#include "numtext/trig_width.h"

#include <cstdint>

namespace numtext {

using namespace detail;

namespace {

constexpr ExtendedBits kOne{kBias, kIntegerBit};
// Below 2^-40 the sine rounds to x itself and the cosine to 1: x^3/6 and x^2/2 lie far inside
// half a unit in the last place of x and of 1, even next to a power of two.
constexpr int kTinyExponent = kBias - 40;

// sin x (cosine false) or cos x (cosine true) for a normal x with |x| >= 2^-40.
ExtendedBits TrigOfNormal(ExtendedBits x, bool cosine) {
    ExtendedBits result{};
    for (const int count : kTrigWidths) {
        if (TrigAtWidth(x, cosine, count, result))
            return result;
    }
    return result; // not certain even at the widest: practically never
}

// The result for NaN, infinity and the encodings the x87 unit rejects, and whether x is one.
bool NotFinite(ExtendedBits x, ExtendedBits& result) {
    const int biased = x.signExponent & kExponentMask;
    const bool integerBit = (x.significand & kIntegerBit) != 0;
    if (biased == kExponentMask) {
        const bool isNaN = (x.significand & ~kIntegerBit) != 0;
        result = isNaN && integerBit ? ExtendedBits{x.signExponent, x.significand | kQuietBit}
                                     : kIndefinite;
        return true;
    }
    if (biased != 0 && !integerBit) { // unnormal
        result = kIndefinite;
        return true;
    }
    return false;
}

} // namespace

ExtendedBits SineBits(ExtendedBits x) {
    ExtendedBits result{};
    if (NotFinite(x, result))
        return result;
    const int biased = x.signExponent & kExponentMask;
    if (biased == 0) { // zero, subnormal, or a pseudo-denormal with the integer bit set
        const bool pseudo = (x.significand & kIntegerBit) != 0;
        return pseudo ? ExtendedBits{static_cast<std::uint16_t>(x.signExponent | 1), x.significand}
                      : x;
    }
    if (biased < kTinyExponent)
        return x;
    return TrigOfNormal(x, false);
}

ExtendedBits CosineBits(ExtendedBits x) {
    ExtendedBits result{};
    if (NotFinite(x, result))
        return result;
    if ((x.signExponent & kExponentMask) < kTinyExponent)
        return kOne;
    return TrigOfNormal(x, true);
}

} // namespace numtext
