// Answer text to number: the decimal form with its exponent, the "&" forms of the other radixes,
// and the powers of ten that scale a decimal.
#include "numtext/numtext.h"
#include "numtext/significant_digits.h"

#include <algorithm>
#include <cstdint>

#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft {
#else
namespace numtext::inline x87 {
#endif

namespace {

// The radix letter after "&" and how many bits each digit adds.
struct Radix {
    unsigned base = 8;            // 16, 8 or 2
    unsigned bitsPerDigit = 3;    // 4, 3 or 1
    std::size_t letterLength = 0; // 1 when a letter chose the radix, 0 for a bare "&"
};

Radix ChooseRadix(char letter) {
    switch (letter) {
    case 'H':
    case 'h':
        return {16, 4, 1};
    case 'O':
    case 'o':
    case 'Q':
    case 'q':
        return {8, 3, 1};
    case 'B':
    case 'b':
        return {2, 1, 1};
    default:
        return {8, 3, 0};
    }
}

// Value of a digit in any radix up to 36; 99 for a character that is no digit at all.
unsigned DigitValue(char c) {
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned>(c - 'A' + 10);
    return 99;
}

// Which type suffix followed the digits; it decides how the bit pattern's sign is read.
struct TypeSuffix {
    bool unsignedMark = false; // "?", "??" or "???": never negative
    int ampersands = 0;        // "&" (1) or "&&" (2): keep 16 or 32 bits positive
};

TypeSuffix ReadSuffix(std::string_view rest) {
    TypeSuffix suffix;
    if (rest.empty())
        return suffix;
    if (rest[0] == '?')
        suffix.unsignedMark = true;
    else if (rest[0] == '&')
        suffix.ampersands = rest.size() > 1 && rest[1] == '&' ? 2 : 1;
    return suffix;
}

// The integer a bit pattern stands for, given the suffix and whether a leading zero was typed.
// Every outcome fits a signed 64-bit integer.
std::int64_t SignedValue(std::uint64_t bits, TypeSuffix suffix, bool leadingZero) {
    constexpr std::uint64_t kTwo16 = 1ULL << 16;
    constexpr std::uint64_t kTwo32 = 1ULL << 32;
    constexpr std::uint64_t kTwo63 = 1ULL << 63;
    const auto asSigned = static_cast<std::int64_t>(bits);
    if (suffix.unsignedMark)
        return bits < kTwo63 ? asSigned : 0;
    if (leadingZero || bits >= kTwo32)
        return asSigned;
    if (bits < kTwo16)
        return (bits & 0x8000U) != 0 && suffix.ampersands == 0 ? asSigned - 65536 : asSigned;
    if ((bits & 0x80000000U) != 0 && suffix.ampersands != 2)
        return asSigned - static_cast<std::int64_t>(kTwo32);
    return asSigned;
}

// The number written after an "&": a radix letter (H, O, Q, B or none for octal), digits and an
// optional type suffix. "H1F" gives 31, "HFFFF" gives -1, "HFFFF&" gives 65535.
Extended ParseRadixNumber(std::string_view afterAmpersand) {
    if (afterAmpersand.empty())
        return 0;
    const Radix radix = ChooseRadix(afterAmpersand.front());
    const std::string_view digits = afterAmpersand.substr(radix.letterLength);

    std::uint64_t bits = 0;
    bool overflow = false;
    std::size_t i = 0;
    for (; i < digits.size(); ++i) {
        const unsigned digit = DigitValue(digits[i]);
        if (digit >= radix.base)
            break;
        overflow = overflow || (bits >> (64 - radix.bitsPerDigit)) != 0;
        bits = (bits << radix.bitsPerDigit) + digit;
    }
    if (i == 0 || overflow)
        return 0;
    return SignedValue(bits, ReadSuffix(digits.substr(i)), digits[0] == '0');
}

constexpr auto kLargestExactPower = static_cast<unsigned>(detail::kLargestExactPower);

// 10^(8 x 2^i), each the extended value nearest the exact power (the first two are exact). Given
// as x87 encodings so that no decimal conversion can shift a bit.
constexpr ExtendedBits kBinaryPowerBits[10] = {
    {0x4019, 0xBEBC200000000000}, // 10^8
    {0x4034, 0x8E1BC9BF04000000}, // 10^16
    {0x4069, 0x9DC5ADA82B70B59E}, // 10^32
    {0x40D3, 0xC2781F49FFCFA6D5}, // 10^64
    {0x41A8, 0x93BA47C980E98CE0}, // 10^128
    {0x4351, 0xAA7EEBFB9DF9DE8E}, // 10^256
    {0x46A3, 0xE319A0AEA60E91C7}, // 10^512
    {0x4D48, 0xC976758681750C17}, // 10^1024
    {0x5A92, 0x9E8B3B5DC53D5DE5}, // 10^2048
    {0x7525, 0xC46052028A20979B}, // 10^4096
};

struct PowerTables {
    // 10^0 to 10^27, every one exact in 64 bits of significand. The first eight start the
    // product for larger powers; the whole table is what that product gives up to 10^27, taken
    // in one step for the short counts that answers and displays use.
    Extended exact[kLargestExactPower + 1];
    Extended binary[10];
};

const PowerTables& Tables() {
    static const PowerTables tables = [] {
        PowerTables t{};
        std::uint64_t power = 1;
        for (unsigned i = 0; i <= 19; ++i, power *= 10)
            t.exact[i] = power;
        // Products of exact powers whose result still fits 64 bits are exact.
        for (unsigned i = 20; i <= kLargestExactPower; ++i)
            t.exact[i] = t.exact[19] * t.exact[i - 19];
        for (unsigned i = 0; i < 10; ++i)
            t.binary[i] = FromBits(kBinaryPowerBits[i]);
        return t;
    }();
    return tables;
}

constexpr unsigned kLargestStep = 4096;
// Past this the table has no more bits; every finite non-zero value has long saturated.
constexpr unsigned kTableLimit = 8 * 1024 - 1;

// Digits past the significant ones are dropped, not rounded: they no longer fit the 64-bit
// accumulator exactly, and an answer never needs them.
constexpr int kKeptDigits = detail::kSignificantDigits;
// The exponent field stops growing here, well past both ends of the extended range.
constexpr std::int64_t kExponentClamp = 9999;
// Decimal exponents from which the value saturates (2^127) or vanishes (zero).
constexpr std::int64_t kSaturationExponent = 4933;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// What the mantissa scan found: the kept digits, where the point sits and where it stopped.
struct DecimalMantissa {
    std::uint64_t kept = 0;         // the first (at most 18) significant digits, as an integer
    std::int64_t significant = 0;   // significant digits seen, dropped ones included (S)
    std::int64_t pointExponent = 0; // P: the mantissa is 0.d1 d2 ... x 10^P
    std::size_t end = 0;            // index of the first character after the mantissa
};

DecimalMantissa ScanMantissa(std::string_view text, std::size_t start) {
    DecimalMantissa m;
    bool pointSeen = false;
    std::int64_t beforePoint = 0; // significant digits before the point
    std::int64_t zerosAfterPoint = 0;
    std::size_t i = start;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        if (c == '0' && m.significant == 0) {
            if (pointSeen)
                ++zerosAfterPoint;
            continue;
        }
        if (m.significant < kKeptDigits)
            m.kept = m.kept * 10 + static_cast<std::uint64_t>(c - '0');
        ++m.significant;
        if (!pointSeen)
            ++beforePoint;
    }
    m.end = i;
    if (!pointSeen)
        m.pointExponent = m.significant;
    else
        m.pointExponent = beforePoint > 0 ? beforePoint : -zerosAfterPoint;
    return m;
}

// The exponent after E, e, D or d (already consumed) at text[i], clamped to +-9999.
std::int64_t ScanExponent(std::string_view text, std::size_t i) {
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentClamp);
    return negative ? -exponent : exponent;
}

bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

Extended ParseDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const DecimalMantissa m = ScanMantissa(text, i);
    const Extended signedZero = negative ? -0.0 : 0.0;
    // No digit, or only zeros: no exponent can make it anything but zero.
    if (m.significant == 0)
        return signedZero;

    std::int64_t exponent = 0;
    if (m.end < text.size() && IsExponentLetter(text[m.end]))
        exponent = ScanExponent(text, m.end + 1);

    const std::int64_t total = m.pointExponent + exponent;
    if (total >= kSaturationExponent)
        return negative ? -0x1p127 : 0x1p127;
    if (total <= -kSaturationExponent)
        return signedZero;

    const std::int64_t scale = total - std::min<std::int64_t>(m.significant, kKeptDigits);
    Extended value = m.kept;
    if (scale > 0)
        value = value * PowerOfTen(1, static_cast<int>(scale));
    else if (scale < 0)
        value = value / PowerOfTen(1, static_cast<int>(-scale));
    return negative ? -value : value;
}

} // namespace

Extended PowerOfTen(Extended value, int count) {
    // Zero, infinity and not-a-number are their own multiples of any power of ten; returning
    // them as they are also keeps 0 x infinity from making a not-a-number.
    if (value == 0 || value - value != 0)
        return value;
    const PowerTables& tables = Tables();
    unsigned magnitude =
        count < 0 ? 0U - static_cast<unsigned>(count) : static_cast<unsigned>(count);
    if (magnitude > kLargestStep) {
        value = count > 0 ? value * tables.binary[9] : value / tables.binary[9];
        magnitude -= kLargestStep;
    }
    if (magnitude > kTableLimit)
        magnitude = kTableLimit;

    if (magnitude <= kLargestExactPower)
        return count >= 0 ? value * tables.exact[magnitude] : value / tables.exact[magnitude];
    Extended power = tables.exact[magnitude % 8];
    unsigned steps = magnitude / 8;
    for (int bit = 0; steps != 0; ++bit, steps >>= 1) {
        if ((steps & 1U) != 0)
            power = power * tables.binary[bit];
    }
    return count >= 0 ? value * power : value / power;
}

Extended ParseNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() &&
           (text[start] == ' ' || text[start] == '\t' || text[start] == '\n'))
        ++start;
    text.remove_prefix(start);
    if (text.empty())
        return 0;
    if (text.front() == '&')
        return ParseRadixNumber(text.substr(1));
    return ParseDecimalNumber(text);
}

} // namespace numtext
