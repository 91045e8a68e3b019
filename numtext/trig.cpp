// Sine and cosine on the x87 encoding, in fixed point: the argument reduced to within pi/4 by
// quarter turns, the series for sine or cosine of what remains, and the rounding, tried at
// wider widths until it is certain.
#include "numtext/trig.h"
#include "numtext/extended_math.h"

#include <bit>
#include <cstdint>

#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft {
#else
namespace numtext::inline x87 {
#endif

namespace detail {

// Only the words in use are set: clearing all of them on every operation took a third of the
// time at the usual width.
TrigFixed TrigZero(int count) {
    TrigFixed zero;
    zero.count = count;
    for (int k = 0; k < count; ++k)
        zero.word[k] = 0;
    return zero;
}

TrigFixed TrigAdd(const TrigFixed& a, const TrigFixed& b) {
    TrigFixed sum = TrigZero(a.count);
    std::uint64_t carry = 0;
    for (int k = 0; k < a.count; ++k) {
        const Wide total = Wide{a.word[k]} + b.word[k] + carry;
        sum.word[k] = static_cast<std::uint64_t>(total);
        carry = static_cast<std::uint64_t>(total >> 64);
    }
    return sum;
}

TrigFixed TrigSubtract(const TrigFixed& a, const TrigFixed& b) {
    TrigFixed difference = TrigZero(a.count);
    std::uint64_t borrow = 0;
    for (int k = 0; k < a.count; ++k) {
        const std::uint64_t subtrahend = b.word[k];
        const std::uint64_t partial = a.word[k] - subtrahend;
        const std::uint64_t nextBorrow = (a.word[k] < subtrahend) || (partial < borrow);
        difference.word[k] = partial - borrow;
        borrow = nextBorrow;
    }
    return difference;
}

TrigFixed TrigMultiply(const TrigFixed& a, const TrigFixed& b) {
    const int count = a.count;
    std::uint64_t product[2 * (kMaxTrigLimbs + 2)];
    for (int k = 0; k < 2 * count; ++k)
        product[k] = 0;
    for (int i = 0; i < count; ++i) {
        if (a.word[i] == 0)
            continue;
        std::uint64_t carry = 0;
        for (int j = 0; j < count; ++j) {
            const Wide part = Wide{a.word[i]} * b.word[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint64_t>(part);
            carry = static_cast<std::uint64_t>(part >> 64);
        }
        product[i + count] = carry;
    }
    TrigFixed result = TrigZero(count);
    for (int k = 0; k < count; ++k)
        result.word[k] = product[k + count];
    return result;
}

TrigFixed TrigDivide(const TrigFixed& a, std::uint64_t divisor) {
    TrigFixed quotient = TrigZero(a.count);
    std::uint64_t remainder = 0;
    if (divisor >> 32 == 0) {
        // The series' divisors: each word in two 32-bit halves, every step dividing a number
        // below 2^64 through the reciprocal, which is at most one too small.
        const std::uint64_t reciprocal = ~std::uint64_t{0} / divisor;
        const auto step = [&](std::uint64_t dividend) {
            std::uint64_t q = static_cast<std::uint64_t>((Wide{dividend} * reciprocal) >> 64);
            std::uint64_t r = dividend - q * divisor;
            if (r >= divisor) {
                ++q;
                r -= divisor;
            }
            remainder = r;
            return q;
        };
        for (int k = a.count - 1; k >= 0; --k) {
            const std::uint64_t high = step((remainder << 32) | (a.word[k] >> 32));
            const std::uint64_t low = step((remainder << 32) | (a.word[k] & 0xFFFFFFFFu));
            quotient.word[k] = (high << 32) | low;
        }
        return quotient;
    }
    for (int k = a.count - 1; k >= 0; --k) {
        const Wide current = (Wide{remainder} << 64) | a.word[k];
        quotient.word[k] = static_cast<std::uint64_t>(current / divisor);
        remainder = static_cast<std::uint64_t>(current % divisor);
    }
    return quotient;
}

bool TrigIsZero(const TrigFixed& a) {
    for (int k = 0; k < a.count; ++k) {
        if (a.word[k] != 0)
            return false;
    }
    return true;
}

int TrigHighestBit(const TrigFixed& a) {
    for (int k = a.count - 1; k >= 0; --k) {
        if (a.word[k] != 0)
            return 64 * k + 63 - std::countl_zero(a.word[k]);
    }
    return -1;
}

std::uint64_t TrigBitsFrom(const TrigFixed& a, int low) {
    const int index = low / 64;
    const int offset = low % 64;
    const std::uint64_t lower = index < a.count ? a.word[index] : 0;
    const std::uint64_t upper = index + 1 < a.count ? a.word[index + 1] : 0;
    return offset == 0 ? lower : (lower >> offset) | (upper << (64 - offset));
}

bool TrigLowBitsAtMost(const TrigFixed& a, int bits, bool complement, std::uint64_t bound) {
    for (int k = 0; k < a.count && 64 * k < bits; ++k) {
        std::uint64_t word = complement ? ~a.word[k] : a.word[k];
        if (bits - 64 * k < 64)
            word &= (std::uint64_t{1} << (bits - 64 * k)) - 1;
        if (k == 0 ? word > bound : word != 0)
            return false;
    }
    return true;
}

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

} // namespace detail

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
