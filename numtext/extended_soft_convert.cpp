// Conversions and comparisons of the software extended type.
#include "numtext/extended_soft_core.h"

namespace numtext::detail {

namespace {

constexpr std::uint64_t kDoubleSign = 0x8000000000000000ULL;
constexpr std::uint64_t kDoubleFraction = (1ULL << 52) - 1;
constexpr std::uint64_t kDoubleQuietBit = 1ULL << 51;
constexpr int kDoubleBias = 1023;
constexpr int kDoubleExponentMask = 0x7FF;

soft::Extended FromMagnitude(bool negative, std::uint64_t magnitude) {
    if (magnitude == 0)
        return Zero(false);
    const int shift = std::countl_zero(magnitude);
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    return soft::FromBits(
        {static_cast<std::uint16_t>(sign | (kBias + 63 - shift)), magnitude << shift});
}

} // namespace

soft::Extended ExtendedFromSigned(std::int64_t number) {
    const auto bits = static_cast<std::uint64_t>(number);
    return FromMagnitude(number < 0, number < 0 ? 0 - bits : bits);
}

soft::Extended ExtendedFromUnsigned(std::uint64_t number) {
    return FromMagnitude(false, number);
}

soft::Extended ExtendedFromDouble(double number) {
    const auto bits = std::bit_cast<std::uint64_t>(number);
    const bool negative = (bits & kDoubleSign) != 0;
    const auto sign = static_cast<std::uint16_t>(negative ? kSignMask : 0);
    const int biased = static_cast<int>(bits >> 52) & kDoubleExponentMask;
    const std::uint64_t fraction = bits & kDoubleFraction;
    if (biased == kDoubleExponentMask) {
        if (fraction == 0)
            return Infinity(negative);
        return Quiet(soft::FromBits(
            {static_cast<std::uint16_t>(sign | kExponentMask), kIntegerBit | (fraction << 11)}));
    }
    if (biased == 0) {
        if (fraction == 0)
            return Zero(negative);
        // Subnormal doubles are normal numbers in the wider exponent range.
        const int shift = std::countl_zero(fraction);
        return soft::FromBits(
            {static_cast<std::uint16_t>(sign | (kBias - 1011 - shift)), fraction << shift});
    }
    return soft::FromBits({static_cast<std::uint16_t>(sign | (biased - kDoubleBias + kBias)),
                           kIntegerBit | (fraction << 11)});
}

double DoubleFromExtended(soft::Extended value) {
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

} // namespace numtext::detail

namespace numtext::soft {

using namespace detail;

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

} // namespace numtext::soft
