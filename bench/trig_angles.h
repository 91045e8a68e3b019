// The rear angles the layout computes, (A - 90) * degree for surround angles A typed from 110
// to 145 degrees, and the conversion between the x87 encoding and the hardware long double on
// machines that have one.
#pragma once

#include "numtext/numtext.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#define ORVANE_TRIG_HAS_X87 1

inline long double LongDoubleOf(ExtendedBits bits) {
    long double value = 0;
    std::memcpy(&value, &bits.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &bits.signExponent, 2);
    return value;
}

inline ExtendedBits BitsOfLongDouble(long double value) {
    ExtendedBits bits{};
    std::memcpy(&bits.significand, &value, 8);
    std::memcpy(&bits.signExponent, reinterpret_cast<const char*>(&value) + 8, 2);
    return bits;
}

// The rear angle for the typed text, as the geometry rounds it: the text read to the nearest
// extended value, degree = (extended)3.14159265359 / 180, then (A - 90) * degree.
inline ExtendedBits RearAngleBits(const std::string& text) {
    const long double degree = static_cast<long double>(3.14159265359) / 180;
    const long double angle = std::strtold(text.c_str(), nullptr);
    return BitsOfLongDouble((angle - 90) * degree);
}

inline ExtendedBits FixedAngleBits(int degrees) {
    const long double degree = static_cast<long double>(3.14159265359) / 180;
    return BitsOfLongDouble(degrees * degree);
}
#endif

// "A" texts from 110 to 145 in steps of 10^-decimals.
inline std::vector<std::string> TypedAngles(int decimals) {
    long long power = 1;
    for (int k = 0; k < decimals; ++k)
        power *= 10;
    std::vector<std::string> texts;
    for (long long units = 110 * power; units <= 145 * power; ++units) {
        std::string fraction = std::to_string(units % power);
        fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
        texts.push_back(std::to_string(units / power) + (decimals > 0 ? "." + fraction : ""));
    }
    return texts;
}
