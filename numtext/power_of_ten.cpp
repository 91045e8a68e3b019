#include "numtext/numtext.h"

namespace {

// 10^0 to 10^27, every one exact in 64 bits of significand. The first eight start the
// product for larger powers; the whole table is what that product gives up to 10^27, taken
// in one step for the short counts that answers and displays use.
constexpr Extended kExactPowers[28] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                       1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                       1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                       1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr unsigned kLargestExactPower = 27;

// 10^(8 x 2^i), each the extended value nearest the exact power (the first two are exact). Given
// as hexadecimal significands so that no decimal conversion can shift a bit.
constexpr Extended kBinaryPowers[10] = {
    1e8L,
    1e16L,
    0x9DC5ADA82B70B59EP+43L,   // 10^32
    0xC2781F49FFCFA6D5P+149L,  // 10^64
    0x93BA47C980E98CE0P+362L,  // 10^128
    0xAA7EEBFB9DF9DE8EP+787L,  // 10^256
    0xE319A0AEA60E91C7P+1637L, // 10^512
    0xC976758681750C17P+3338L, // 10^1024
    0x9E8B3B5DC53D5DE5P+6740L, // 10^2048
    0xC46052028A20979BP+13543L // 10^4096
};

constexpr unsigned kLargestStep = 4096;
// Past this the table has no more bits; every finite non-zero value has long saturated.
constexpr unsigned kTableLimit = 8 * 1024 - 1;

} // namespace

Extended PowerOfTen(Extended value, int count) {
    // Zero, infinity and not-a-number are their own multiples of any power of ten; returning
    // them as they are also keeps 0 x infinity from making a not-a-number.
    if (value == 0 || value - value != 0)
        return value;
    unsigned magnitude =
        count < 0 ? 0U - static_cast<unsigned>(count) : static_cast<unsigned>(count);
    if (magnitude > kLargestStep) {
        value = count > 0 ? value * kBinaryPowers[9] : value / kBinaryPowers[9];
        magnitude -= kLargestStep;
    }
    if (magnitude > kTableLimit)
        magnitude = kTableLimit;

    if (magnitude <= kLargestExactPower)
        return count >= 0 ? value * kExactPowers[magnitude] : value / kExactPowers[magnitude];
    Extended power = kExactPowers[magnitude % 8];
    unsigned steps = magnitude / 8;
    for (int bit = 0; steps != 0; ++bit, steps >>= 1) {
        if ((steps & 1U) != 0)
            power = power * kBinaryPowers[bit];
    }
    return count >= 0 ? value * power : value / power;
}
