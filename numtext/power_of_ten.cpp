#include "numtext/numtext.h"
#include "numtext/significant_digits.h"

#include <cstdint>

namespace numtext {

namespace {

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

} // namespace numtext
