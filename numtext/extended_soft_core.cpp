#include "numtext/extended_soft_core.h"

Unpacked Unpack(Extended x) {
    Unpacked u{Kind::Finite, (x.signExponent & kSignMask) != 0, 0, x.significand};
    const int biased = x.signExponent & kExponentMask;
    const bool integerBit = (x.significand & kIntegerBit) != 0;
    if (biased == kExponentMask) {
        if (!integerBit)
            u.kind = Kind::Unsupported;
        else
            u.kind = (x.significand << 1) == 0 ? Kind::Infinity : Kind::NaN;
        return u;
    }
    if (biased == 0) {
        if (x.significand == 0) {
            u.kind = Kind::Zero;
            return u;
        }
        // Subnormal, or with the integer bit set the pseudo-subnormal the x87 still accepts:
        // both scale as the smallest normal exponent.
        const int shift = std::countl_zero(x.significand);
        u.significand = x.significand << shift;
        u.exponent = 1 - kBias - shift;
        return u;
    }
    if (!integerBit)
        u.kind = Kind::Unsupported;
    u.exponent = biased - kBias;
    return u;
}

Extended PropagateNaN(Extended a, const Unpacked& ua, Extended b, const Unpacked& ub) {
    if (ua.kind == Kind::Unsupported || ub.kind == Kind::Unsupported)
        return Indefinite();
    if (ua.kind != Kind::NaN)
        return Quiet(b);
    if (ub.kind != Kind::NaN)
        return Quiet(a);
    // Two not-a-numbers: a quiet one beats a signalling one, else the larger significand wins,
    // and between equal significands the positive one.
    const bool aQuiet = (a.significand & kQuietBit) != 0;
    const bool bQuiet = (b.significand & kQuietBit) != 0;
    if (aQuiet != bQuiet)
        return aQuiet ? a : b;
    if (a.significand != b.significand)
        return Quiet(a.significand > b.significand ? a : b);
    return Quiet(ua.negative ? b : a);
}

Wide RoundToBits(Wide m, int keep) {
    constexpr Wide kTop = Wide{1} << 127;
    if (keep <= 0)
        return keep == 0 && m > kTop ? 1 : 0;
    const int drop = 128 - keep;
    Wide kept = m >> drop;
    const Wide rest = m & ((Wide{1} << drop) - 1);
    const Wide half = Wide{1} << (drop - 1);
    if (rest > half || (rest == half && (kept & 1) != 0))
        ++kept;
    return kept;
}

Extended RoundToExtended(bool negative, int exponent, Wide m) {
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    int biased = exponent + kBias;
    if (biased >= 1) {
        Wide kept = RoundToBits(m, 64);
        if ((kept >> 64) != 0) {
            kept = Wide{1} << 63;
            ++biased;
        }
        if (biased >= kExponentMask)
            return Infinity(negative);
        return FromBits(
            {static_cast<std::uint16_t>(sign | biased), static_cast<std::uint64_t>(kept)});
    }
    // Tiny: fewer significand bits remain the further below the normal range; a carry into
    // the integer bit makes the smallest normal value.
    const Wide kept = RoundToBits(m, 63 + biased);
    const auto significand = static_cast<std::uint64_t>(kept);
    return FromBits({static_cast<std::uint16_t>(sign | (significand >> 63)), significand});
}
