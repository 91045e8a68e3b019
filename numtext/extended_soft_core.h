// Internal to the software extended type: values taken apart into sign, exponent and a
// normalised significand, and the one rounding step every operation ends with.
#pragma once

#include "numtext/extended_encoding.h"
#include "numtext/extended_soft.h"
#include "numtext/wide_integer.h"

#include <bit>
#include <cstdint>

namespace numtext::detail {

// What an encoding holds. Unnormals, pseudo-infinities and pseudo-not-a-numbers are encodings
// the x87 refuses as operands: every operation on them is invalid.
enum class Kind { Zero, Finite, Infinity, NaN, Unsupported };

struct Unpacked {
    Kind kind;
    bool negative;
    int exponent;              // finite: the value is significand x 2^(exponent - 63)
    std::uint64_t significand; // finite: normalised, the top bit set, subnormals included
};

Unpacked Unpack(soft::Extended x);

// Not a number, or an encoding the x87 refuses: either makes an operation invalid and a
// comparison unordered.
inline bool IsNaNKind(const Unpacked& u) {
    return u.kind == Kind::NaN || u.kind == Kind::Unsupported;
}

constexpr soft::Extended Indefinite() {
    return soft::FromBits(kIndefinite);
}
constexpr soft::Extended Infinity(bool negative) {
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    return soft::FromBits({static_cast<std::uint16_t>(sign | kExponentMask), kIntegerBit});
}
constexpr soft::Extended Zero(bool negative) {
    return soft::FromBits({static_cast<std::uint16_t>(negative ? kSignMask : 0), 0});
}
// A signalling not-a-number made quiet, as every arithmetic result is.
constexpr soft::Extended Quiet(soft::Extended x) {
    x.significand |= kQuietBit;
    return x;
}

// The not-a-number result of a two-operand operation where at least one operand is a
// not-a-number or unsupported.
soft::Extended PropagateNaN(soft::Extended a, const Unpacked& ua, soft::Extended b,
                            const Unpacked& ub);

// m rounded to its first keep bits (to nearest, ties to even); keep may be 0 or less, for
// values below the smallest subnormal. The result may carry to 2^keep.
Wide RoundToBits(Wide m, int keep);

// A significand of `precision` bits (its integer bit included) and its biased exponent, 0 for
// a subnormal. The exponent may reach the format's all-ones value: the caller's overflow.
struct RoundedSignificand {
    Wide significand;
    int biased;
};

// m, with its top bit set, rounded to a binary format of `precision` significand bits at the
// biased exponent `biased`: fewer bits when below 1 (subnormal), a carry into the next power
// of two raising the exponent, or making the smallest normal value from a subnormal.
RoundedSignificand RoundToWidth(Wide m, int biased, int precision);

// The value sign x m x 2^(exponent - 127), m with its top bit set, rounded to the format:
// subnormal when tiny, infinity on overflow.
soft::Extended RoundToExtended(bool negative, int exponent, Wide m);

inline int LeadingZeros(Wide m) {
    const auto high = static_cast<std::uint64_t>(m >> 64);
    return high != 0 ? std::countl_zero(high)
                     : 64 + std::countl_zero(static_cast<std::uint64_t>(m));
}

// m shifted right, with every bit shifted out folded into the lowest bit that stays.
inline Wide ShiftRightSticky(Wide m, int count) {
    if (count == 0)
        return m;
    if (count >= 128)
        return m != 0 ? 1 : 0;
    const Wide lost = m & ((Wide{1} << count) - 1);
    return (m >> count) | (lost != 0 ? 1 : 0);
}

} // namespace numtext::detail
