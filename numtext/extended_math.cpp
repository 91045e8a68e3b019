#include "numtext/extended_math.h"
#include "numtext/extended_trig.h"

namespace numtext {

Extended Sine(Extended x) {
    return FromBits(SineBits(BitsOf(x)));
}

Extended Cosine(Extended x) {
    return FromBits(CosineBits(BitsOf(x)));
}

} // namespace numtext
