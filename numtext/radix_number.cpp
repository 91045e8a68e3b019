#include "numtext/radix_number.h"

#include <cstdint>

namespace numtext::detail {

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

} // namespace

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

} // namespace numtext::detail
