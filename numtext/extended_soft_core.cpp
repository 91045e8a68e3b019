#include "numtext/extended_soft_core.h"

namespace numtext::detail {

Unpacked Unpack(soft::Extended x) {
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

soft::Extended PropagateNaN(soft::Extended a, const Unpacked& ua, soft::Extended b,
                            const Unpacked& ub) {
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

RoundedSignificand RoundToWidth(Wide m, int biased, int precision) {
    if (biased >= 1) {
        Wide kept = RoundToBits(m, precision);
        if ((kept >> precision) != 0) {
            kept = Wide{1} << (precision - 1);
            ++biased;
        }
        return {kept, biased};
    }
    // Tiny: fewer significand bits remain the further below the normal range; a carry into
    // the integer bit makes the smallest normal value.
    const Wide kept = RoundToBits(m, precision - 1 + biased);
    return {kept, static_cast<int>(kept >> (precision - 1))};
}

soft::Extended RoundToExtended(bool negative, int exponent, Wide m) {
    const RoundedSignificand rounded = RoundToWidth(m, exponent + kBias, 64);
    if (rounded.biased >= kExponentMask)
        return Infinity(negative);
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    return soft::FromBits({static_cast<std::uint16_t>(sign | rounded.biased),
                           static_cast<std::uint64_t>(rounded.significand)});
}

} // namespace numtext::detail
