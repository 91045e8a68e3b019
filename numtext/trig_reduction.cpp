#include "numtext/trig_reduction.h"

namespace numtext::detail {

namespace {

// The 64 bits of 2/pi from fraction bit `first` (1 = the 2^-1 bit) on.
std::uint64_t TwoOverPiBits(int first) {
    const int index = (first - 1) / 64;
    const int offset = (first - 1) % 64;
    const std::uint64_t high = kTwoOverPi[index];
    return offset == 0 ? high : (high << offset) | (kTwoOverPi[index + 1] >> (64 - offset));
}

// Two's complement: 1 - a for a > 0, modulo 1.
TrigFixed Negate(const TrigFixed& a) {
    return TrigSubtract(TrigZero(a.count), a);
}

} // namespace

// With s = exponent - 2, x * (2/pi) / 4 = significand * sum of b_j 2^(s-j) over the bits b_j of
// 2/pi. Terms with j <= s are whole numbers and drop out modulo 1, so only bits from s + 1 on
// matter: a window of `count` + 2 words from there, times the significand, gives the fraction
// of a quarter of x * 2/pi; its top two bits are n modulo 4 and the rest is r / (pi/2).
// The bits past the window add less than 2^(66 - 64 * window) to that fraction.
TrigReduction ReduceQuarterTurns(std::uint64_t significand, int exponent, int count) {
    const int windowWords = count + 2;
    const int shift = exponent - 2;
    const int first = shift >= 0 ? shift + 1 : 1;
    const int rightShift = shift >= 0 ? 0 : -shift; // below 1, x needs no whole turns dropped

    // product = significand * window, windowWords + 1 words, least significant first.
    std::uint64_t product[kMaxTrigLimbs + 5] = {};
    std::uint64_t carry = 0;
    for (int k = 0; k < windowWords; ++k) {
        const std::uint64_t windowWord = TwoOverPiBits(first + 64 * (windowWords - 1 - k));
        const Wide part = Wide{significand} * windowWord + carry;
        product[k] = static_cast<std::uint64_t>(part);
        carry = static_cast<std::uint64_t>(part >> 64);
    }
    product[windowWords] = carry;

    // quarter = frac(product * 2^(-rightShift - 64 * windowWords)).
    TrigFixed quarter = TrigZero(windowWords);
    const int wordShift = rightShift / 64;
    const int bitShift = rightShift % 64;
    for (int k = 0; k < windowWords; ++k) {
        const int source = k + wordShift;
        const std::uint64_t low = product[source];
        const std::uint64_t high = source + 1 <= windowWords ? product[source + 1] : 0;
        quarter.word[k] = bitShift == 0 ? low : (low >> bitShift) | (high << (64 - bitShift));
    }

    TrigReduction reduction{};
    const int top = windowWords - 1;
    reduction.quadrant = static_cast<unsigned>(quarter.word[top] >> 62);
    // fraction = 4 * quarter modulo 1.
    TrigFixed fraction = TrigZero(windowWords);
    for (int k = top; k >= 0; --k)
        fraction.word[k] = (quarter.word[k] << 2) | (k > 0 ? quarter.word[k - 1] >> 62 : 0);
    if (fraction.word[top] >> 63) { // nearer to the next quarter turn
        reduction.quadrant = (reduction.quadrant + 1) & 3;
        reduction.negative = true;
        fraction = Negate(fraction);
    }

    // |r| = f * pi/2 = f + f * (pi/2 - 1), f cut to `count` words.
    TrigFixed f = TrigZero(count);
    TrigFixed halfPiFraction = TrigZero(count);
    for (int k = 0; k < count; ++k) {
        f.word[k] = fraction.word[k + 2];
        halfPiFraction.word[k] = kHalfPiFraction[count - 1 - k];
    }
    reduction.absolute = TrigAdd(f, TrigMultiply(f, halfPiFraction));
    return reduction;
}

} // namespace numtext::detail
