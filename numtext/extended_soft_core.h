// Internal to the software extended type: values taken apart into sign, exponent and a
// normalised significand, and the one rounding step every operation ends with.
#pragma once

#include "numtext/extended.h"
#include "numtext/extended_encoding.h"

#include <bit>
#include <cstdint>

__extension__ typedef unsigned __int128 Wide;

// What an encoding holds. Unnormals, pseudo-infinities and pseudo-not-a-numbers are encodings
// the x87 refuses as operands: every operation on them is invalid.
enum class Kind { Zero, Finite, Infinity, NaN, Unsupported };

struct Unpacked {
    Kind kind;
    bool negative;
    int exponent;              // finite: the value is significand x 2^(exponent - 63)
    std::uint64_t significand; // finite: normalised, the top bit set, subnormals included
};

Unpacked Unpack(Extended x);

// Not a number, or an encoding the x87 refuses: either makes an operation invalid and a
// comparison unordered.
inline bool IsNaNKind(const Unpacked& u) {
    return u.kind == Kind::NaN || u.kind == Kind::Unsupported;
}

// The x87's default not-a-number for an invalid operation ("real indefinite").
constexpr Extended Indefinite() {
    return FromBits({0xFFFF, 0xC000000000000000ULL});
}
constexpr Extended Infinity(bool negative) {
    return FromBits({static_cast<std::uint16_t>(negative ? 0xFFFF : 0x7FFF), kIntegerBit});
}
constexpr Extended Zero(bool negative) {
    return FromBits({static_cast<std::uint16_t>(negative ? kSignMask : 0), 0});
}
// A signalling not-a-number made quiet, as every arithmetic result is.
constexpr Extended Quiet(Extended x) {
    x.significand |= kQuietBit;
    return x;
}

// The not-a-number result of a two-operand operation where at least one operand is a
// not-a-number or unsupported.
Extended PropagateNaN(Extended a, const Unpacked& ua, Extended b, const Unpacked& ub);

// m rounded to its first keep bits (to nearest, ties to even); keep may be 0 or less, for
// values below the smallest subnormal. The result may carry to 2^keep.
Wide RoundToBits(Wide m, int keep);

// The value sign x m x 2^(exponent - 127), m with its top bit set, rounded to the format:
// subnormal when tiny, infinity on overflow.
Extended RoundToExtended(bool negative, int exponent, Wide m);

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
