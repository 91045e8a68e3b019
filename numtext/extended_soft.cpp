// The software extended type: values taken apart into sign, exponent and a normalised
// significand; each operation forms the exact result, or enough of it with every lower bit
// folded into a sticky bit, and rounds once.
#include "numtext/extended_soft.h"

#include <bit>
#include <cstdint>

namespace numtext {
inline namespace soft {

namespace {

// The 128-bit unsigned integer the significands are worked in.
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

// Not a number, or an encoding the x87 refuses: either makes an operation invalid and a
// comparison unordered.
bool IsNaNKind(const Unpacked& u) {
    return u.kind == Kind::NaN || u.kind == Kind::Unsupported;
}

constexpr Extended Indefinite() {
    return FromBits(kIndefinite);
}
constexpr Extended Infinity(bool negative) {
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    return FromBits({static_cast<std::uint16_t>(sign | kExponentMask), kIntegerBit});
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

// m rounded to its first keep bits (to nearest, ties to even); keep may be 0 or less, for
// values below the smallest subnormal. The result may carry to 2^keep.
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

// A significand of `precision` bits (its integer bit included) and its biased exponent, 0 for
// a subnormal. The exponent may reach the format's all-ones value: the caller's overflow.
struct RoundedSignificand {
    Wide significand;
    int biased;
};

// m, with its top bit set, rounded to a binary format of `precision` significand bits at the
// biased exponent `biased`: fewer bits when below 1 (subnormal), a carry into the next power
// of two raising the exponent, or making the smallest normal value from a subnormal.
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

// The value sign x m x 2^(exponent - 127), m with its top bit set, rounded to the format:
// subnormal when tiny, infinity on overflow.
Extended RoundToExtended(bool negative, int exponent, Wide m) {
    const RoundedSignificand rounded = RoundToWidth(m, exponent + kBias, 64);
    if (rounded.biased >= kExponentMask)
        return Infinity(negative);
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    return FromBits({static_cast<std::uint16_t>(sign | rounded.biased),
                     static_cast<std::uint64_t>(rounded.significand)});
}

int LeadingZeros(Wide m) {
    const auto high = static_cast<std::uint64_t>(m >> 64);
    return high != 0 ? std::countl_zero(high)
                     : 64 + std::countl_zero(static_cast<std::uint64_t>(m));
}

// m shifted right, with every bit shifted out folded into the lowest bit that stays.
Wide ShiftRightSticky(Wide m, int count) {
    if (count == 0)
        return m;
    if (count >= 128)
        return m != 0 ? 1 : 0;
    const Wide lost = m & ((Wide{1} << count) - 1);
    return (m >> count) | (lost != 0 ? 1 : 0);
}

// Conversions, between doubles and integers and the type.
constexpr std::uint64_t kDoubleSign = 0x8000000000000000ULL;
constexpr std::uint64_t kDoubleFraction = (1ULL << 52) - 1;
constexpr std::uint64_t kDoubleQuietBit = 1ULL << 51;
constexpr int kDoubleBias = 1023;
constexpr int kDoubleExponentMask = 0x7FF;

Extended FromMagnitude(bool negative, std::uint64_t magnitude) {
    if (magnitude == 0)
        return Zero(false);
    const int shift = std::countl_zero(magnitude);
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    return FromBits({static_cast<std::uint16_t>(sign | (kBias + 63 - shift)), magnitude << shift});
}

} // namespace

namespace detail {

Extended ExtendedFromSigned(std::int64_t number) {
    const auto bits = static_cast<std::uint64_t>(number);
    return FromMagnitude(number < 0, number < 0 ? 0 - bits : bits);
}

Extended ExtendedFromUnsigned(std::uint64_t number) {
    return FromMagnitude(false, number);
}

Extended ExtendedFromDouble(double number) {
    const auto bits = std::bit_cast<std::uint64_t>(number);
    const bool negative = (bits & kDoubleSign) != 0;
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    const int biased = static_cast<int>(bits >> 52) & kDoubleExponentMask;
    const std::uint64_t fraction = bits & kDoubleFraction;
    if (biased == kDoubleExponentMask) {
        if (fraction == 0)
            return Infinity(negative);
        return Quiet(FromBits(
            {static_cast<std::uint16_t>(sign | kExponentMask), kIntegerBit | (fraction << 11)}));
    }
    if (biased == 0) {
        if (fraction == 0)
            return Zero(negative);
        // Subnormal doubles are normal numbers in the wider exponent range.
        const int shift = std::countl_zero(fraction);
        return FromBits(
            {static_cast<std::uint16_t>(sign | (kBias - 1011 - shift)), fraction << shift});
    }
    return FromBits({static_cast<std::uint16_t>(sign | (biased - kDoubleBias + kBias)),
                     kIntegerBit | (fraction << 11)});
}

double DoubleFromExtended(Extended value) {
    const Unpacked u = Unpack(value);
    const std::uint64_t sign = u.negative ? kDoubleSign : 0;
    const std::uint64_t infinity = std::uint64_t{kDoubleExponentMask} << 52;
    switch (u.kind) {
    case Kind::Unsupported:
        return std::bit_cast<double>(0xFFF8000000000000ULL);
    case Kind::NaN:
        return std::bit_cast<double>(sign | infinity | kDoubleQuietBit |
                                     ((u.significand >> 11) & kDoubleFraction));
    case Kind::Infinity:
        return std::bit_cast<double>(sign | infinity);
    case Kind::Zero:
        return std::bit_cast<double>(sign);
    case Kind::Finite:
        break;
    }
    const RoundedSignificand rounded =
        RoundToWidth(Wide{u.significand} << 64, u.exponent + kDoubleBias, 53);
    if (rounded.biased >= kDoubleExponentMask)
        return std::bit_cast<double>(sign | infinity);
    return std::bit_cast<double>(
        sign | (static_cast<std::uint64_t>(rounded.biased) << 52) |
        (static_cast<std::uint64_t>(rounded.significand) & kDoubleFraction));
}

} // namespace detail

// The four operations and the square root.
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

// Comparisons.
namespace {

// -1, 0 or 1 for the magnitudes of two ordered operands; zero below everything.
int CompareMagnitude(const Unpacked& a, const Unpacked& b) {
    const auto rank = [](const Unpacked& u) {
        return u.kind == Kind::Zero ? 0 : (u.kind == Kind::Finite ? 1 : 2);
    };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    if (a.kind != Kind::Finite)
        return 0;
    if (a.exponent != b.exponent)
        return a.exponent < b.exponent ? -1 : 1;
    if (a.significand != b.significand)
        return a.significand < b.significand ? -1 : 1;
    return 0;
}

constexpr int kUnordered = 2;

// -1, 0 or 1, or kUnordered when either is a not-a-number or unsupported.
int Compare(Extended a, Extended b) {
    const Unpacked ua = Unpack(a);
    const Unpacked ub = Unpack(b);
    if (IsNaNKind(ua) || IsNaNKind(ub))
        return kUnordered;
    const bool aNegative = ua.negative && ua.kind != Kind::Zero;
    const bool bNegative = ub.negative && ub.kind != Kind::Zero;
    if (aNegative != bNegative)
        return aNegative ? -1 : 1;
    const int magnitude = CompareMagnitude(ua, ub);
    return aNegative ? -magnitude : magnitude;
}

} // namespace

std::uint64_t RoundToUnsigned(Extended x) {
    const Unpacked u = Unpack(x);
    if (u.kind != Kind::Finite || u.negative)
        return 0;
    if (u.exponent > 63)
        return ~0ULL; // beyond the range; saturate rather than shift past the word
    return static_cast<std::uint64_t>(RoundToBits(Wide{u.significand} << 64, u.exponent + 1));
}

bool operator==(Extended a, Extended b) {
    return Compare(a, b) == 0;
}

bool operator<(Extended a, Extended b) {
    return Compare(a, b) == -1;
}

bool operator<=(Extended a, Extended b) {
    const int order = Compare(a, b);
    return order == -1 || order == 0;
}

} // namespace soft
} // namespace numtext
