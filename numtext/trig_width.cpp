#include "numtext/trig_width.h"

#include "numtext/trig.h"
#include "numtext/trig_reduction.h"

#include <bit>
#include <cstdint>

namespace numtext::detail {

namespace {

// Below 0.5 the angle is already within pi/4 and is taken exactly, without reduction.
constexpr int kReducedExponent = kBias - 1;

struct Approximation {
    TrigFixed value;          // |result|, in [0, 1)
    std::uint64_t errorUnits; // |value - exact| is below this many units
    bool isOne;               // the exact result lies within 2^-150 below 1
};

// Alternating series sum(term_k) with term_1 = first and term_k = term_(k-1) * square /
// (d_k (d_k + 1)), d_k = 2k - 1 + offset: positive and negative terms kept apart so that every
// partial sum stays in [0, 1). Each term is within 3 units, so the sum within 3 per term.
Approximation AlternatingSeries(const TrigFixed& first, const TrigFixed& square, unsigned offset) {
    TrigFixed plus = first;
    TrigFixed minus = TrigZero(first.count);
    TrigFixed term = first;
    std::uint64_t terms = 1;
    for (std::uint64_t k = 2; !TrigIsZero(term); ++k) {
        const std::uint64_t d = 2 * k - 1 + offset;
        term = TrigDivide(TrigMultiply(term, square), d * (d + 1));
        if (k % 2 == 0)
            minus = TrigAdd(minus, term);
        else
            plus = TrigAdd(plus, term);
        ++terms;
    }
    return {TrigSubtract(plus, minus), 3 * terms + 4, false};
}

// sin r = r - r * (r^2/3! - r^4/5! + ...), for 0 <= r <= pi/4 known within 4 units.
Approximation SineOfReduced(const TrigFixed& r) {
    const TrigFixed square = TrigMultiply(r, r);
    const Approximation series = AlternatingSeries(TrigDivide(square, 6), square, 1);
    const TrigFixed value = TrigSubtract(r, TrigMultiply(r, series.value));
    return {value, series.errorUnits + 16, false};
}

// cos r = 1 - (r^2/2! - r^4/4! + ...), for 0 <= r <= pi/4 known within 4 units.
Approximation CosineOfReduced(const TrigFixed& r) {
    const TrigFixed square = TrigMultiply(r, r);
    const Approximation series = AlternatingSeries(TrigDivide(square, 2), square, 0);
    if (TrigIsZero(series.value))
        return {series.value, 0, true};
    const TrigFixed value = TrigSubtract(TrigZero(r.count), series.value);
    return {value, series.errorUnits + 16, false};
}

// The encoding of approximation rounded to 64 bits, or false when the exact value may lie on
// the other side of a rounding boundary (only the halfway points matter: next to a power of
// two, either side rounds to that power).
bool RoundApproximation(const Approximation& approximation, bool negative, ExtendedBits& result) {
    const std::uint16_t sign = negative ? kSignMask : 0;
    if (approximation.isOne) {
        result = {static_cast<std::uint16_t>(sign | kBias), kIntegerBit};
        return true;
    }
    const TrigFixed& value = approximation.value;
    const int top = TrigHighestBit(value);
    const int halfBit = top - 64; // the bit worth half a unit in the last place
    const int errorBits = 64 - std::countl_zero(approximation.errorUnits | 1);
    if (halfBit < errorBits + 3)
        return false;
    const bool roundUp = (TrigBitsFrom(value, halfBit) & 1) != 0;
    if (TrigLowBitsAtMost(value, halfBit, !roundUp, approximation.errorUnits))
        return false;
    std::uint64_t significand = TrigBitsFrom(value, halfBit + 1);
    int exponent = kBias + top - 64 * value.count;
    if (roundUp && ++significand == 0) {
        significand = kIntegerBit;
        ++exponent;
    }
    result = {static_cast<std::uint16_t>(sign | exponent), significand};
    return true;
}

// |x| = significand * 2^exponent as a fixed-point value of count words; |x| < 0.5 and
// exponent >= -64 * count.
TrigFixed ExactFixed(std::uint64_t significand, int exponent, int count) {
    TrigFixed value = TrigZero(count);
    const int low = exponent + 64 * count;
    value.word[low / 64] = significand << (low % 64);
    if (low % 64 != 0)
        value.word[low / 64 + 1] = significand >> (64 - low % 64);
    return value;
}

} // namespace

bool TrigAtWidth(ExtendedBits x, bool cosine, int count, ExtendedBits& result) {
    const bool negativeX = (x.signExponent & kSignMask) != 0;
    const int biased = x.signExponent & kExponentMask;
    const int exponent = biased - kBias - 63;
    TrigReduction reduction{};
    if (biased < kReducedExponent)
        reduction = {0, false, ExactFixed(x.significand, exponent, count)};
    else
        reduction = ReduceQuarterTurns(x.significand, exponent, count);
    // cos x = sin(x + pi/2): one quarter turn further on.
    const unsigned quadrant = (reduction.quadrant + (cosine ? 1 : 0)) & 3;
    const bool sineOfR = quadrant % 2 == 0;
    const Approximation approximation =
        sineOfR ? SineOfReduced(reduction.absolute) : CosineOfReduced(reduction.absolute);
    bool negative = quadrant >= 2;
    if (sineOfR && reduction.negative)
        negative = !negative;
    if (negativeX && !cosine)
        negative = !negative;
    return RoundApproximation(approximation, negative, result);
}

} // namespace numtext::detail
