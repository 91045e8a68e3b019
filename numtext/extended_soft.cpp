// The four operations and the square root of the software extended type: each forms the exact
// result, or enough of it with every lower bit folded into a sticky bit, and rounds once.
#include "numtext/extended_soft_core.h"

namespace numtext::soft {

using namespace detail;

namespace {

Extended Normalised(bool negative, int exponent, Wide m) {
    const int shift = LeadingZeros(m);
    return RoundToExtended(negative, exponent - shift, m << shift);
}

Extended AddSigned(Extended a, Extended b, bool subtract) {
    Unpacked ua = Unpack(a);
    Unpacked ub = Unpack(b);
    if (IsNaNKind(ua) || IsNaNKind(ub))
        return PropagateNaN(a, ua, b, ub);
    ub.negative = ub.negative != subtract;
    if (ua.kind == Kind::Infinity) {
        if (ub.kind == Kind::Infinity && ua.negative != ub.negative)
            return Indefinite();
        return Infinity(ua.negative);
    }
    if (ub.kind == Kind::Infinity)
        return Infinity(ub.negative);
    if (ua.kind == Kind::Zero && ub.kind == Kind::Zero)
        return Zero(ua.negative && ub.negative);
    if (ua.kind == Kind::Zero)
        return Normalised(ub.negative, ub.exponent + 64, Wide{ub.significand});
    if (ub.kind == Kind::Zero)
        return Normalised(ua.negative, ua.exponent + 64, Wide{ua.significand});

    if (ua.exponent < ub.exponent ||
        (ua.exponent == ub.exponent && ua.significand < ub.significand)) {
        const Unpacked larger = ub;
        ub = ua;
        ua = larger;
    }
    // Two bits of headroom for the carry, 62 below the significand for the shifted operand.
    const Wide big = Wide{ua.significand} << 62;
    const Wide small = ShiftRightSticky(Wide{ub.significand} << 62, ua.exponent - ub.exponent);
    const Wide sum = ua.negative == ub.negative ? big + small : big - small;
    if (sum == 0)
        return Zero(false);
    return Normalised(ua.negative, ua.exponent + 2, sum);
}

// The integer square root of m and what remains, m = root^2 + remainder.
struct Root {
    std::uint64_t root;
    Wide remainder;
};

Root IntegerSquareRoot(Wide m) {
    Wide remainder = 0;
    Wide root = 0;
    for (int i = 0; i < 64; ++i) {
        remainder = (remainder << 2) | (m >> 126);
        m <<= 2;
        root <<= 1;
        const Wide trial = (root << 1) | 1;
        if (remainder >= trial) {
            remainder -= trial;
            root |= 1;
        }
    }
    return {static_cast<std::uint64_t>(root), remainder};
}

} // namespace

Extended operator+(Extended a, Extended b) {
    return AddSigned(a, b, false);
}

Extended operator-(Extended a, Extended b) {
    return AddSigned(a, b, true);
}

Extended operator*(Extended a, Extended b) {
    const Unpacked ua = Unpack(a);
    const Unpacked ub = Unpack(b);
    if (IsNaNKind(ua) || IsNaNKind(ub))
        return PropagateNaN(a, ua, b, ub);
    const bool negative = ua.negative != ub.negative;
    if (ua.kind == Kind::Infinity || ub.kind == Kind::Infinity) {
        if (ua.kind == Kind::Zero || ub.kind == Kind::Zero)
            return Indefinite();
        return Infinity(negative);
    }
    if (ua.kind == Kind::Zero || ub.kind == Kind::Zero)
        return Zero(negative);
    const Wide product = Wide{ua.significand} * ub.significand;
    return Normalised(negative, ua.exponent + ub.exponent + 1, product);
}

Extended operator/(Extended a, Extended b) {
    const Unpacked ua = Unpack(a);
    const Unpacked ub = Unpack(b);
    if (IsNaNKind(ua) || IsNaNKind(ub))
        return PropagateNaN(a, ua, b, ub);
    const bool negative = ua.negative != ub.negative;
    if (ua.kind == Kind::Infinity)
        return ub.kind == Kind::Infinity ? Indefinite() : Infinity(negative);
    if (ub.kind == Kind::Infinity)
        return Zero(negative);
    if (ua.kind == Kind::Zero)
        return ub.kind == Kind::Zero ? Indefinite() : Zero(negative);
    if (ub.kind == Kind::Zero)
        return Infinity(negative);

    // Two 64-bit quotient digits: the first lands in [2^63, 2^64) by the choice of shift, the
    // second supplies the rounding bits, the last remainder the sticky bit.
    const bool aSmaller = ua.significand < ub.significand;
    const Wide dividend = Wide{ua.significand} << (aSmaller ? 64 : 63);
    const Wide high = dividend / ub.significand;
    const Wide rest = dividend % ub.significand;
    const Wide low = (rest << 64) / ub.significand;
    const Wide last = (rest << 64) % ub.significand;
    const Wide quotient = (high << 64) | low | (last != 0 ? 1 : 0);
    return RoundToExtended(negative, ua.exponent - ub.exponent - (aSmaller ? 1 : 0), quotient);
}

Extended SquareRoot(Extended x) {
    const Unpacked u = Unpack(x);
    if (u.kind == Kind::Unsupported)
        return Indefinite();
    if (u.kind == Kind::NaN)
        return Quiet(x);
    if (u.kind == Kind::Zero)
        return x;
    if (u.negative)
        return Indefinite();
    if (u.kind == Kind::Infinity)
        return x;
    // An even power of two outside the radicand, which keeps 126 or 127 bits: the root then
    // has 64, and the remainder decides the rounding (never a tie).
    const bool oddShift = (u.exponent & 1) != 0;
    const Wide radicand = Wide{u.significand} << (oddShift ? 64 : 63);
    const int halfExponent = (u.exponent - (oddShift ? 127 : 126)) / 2;
    const Root r = IntegerSquareRoot(radicand);
    Wide rounding = 0;
    if (r.remainder > r.root)
        rounding = (Wide{1} << 63) | 1;
    else if (r.remainder != 0)
        rounding = 1;
    return RoundToExtended(false, halfExponent + 63, (Wide{r.root} << 64) | rounding);
}

} // namespace numtext::soft
