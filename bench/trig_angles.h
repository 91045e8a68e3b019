// The angles the layout takes the sine and cosine of: the rear angle (A - 90) * degree for
// surround angles A typed from 110 to 145 degrees, and the two fixed angles; and the
// conversion between the x87 encoding and the hardware long double on machines that have one.
#pragma once

#include "numtext/numtext.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// As app/model/layout.cpp forms them: the degree factor and the rear angle are stored as doubles,
// the fixed angles are multiplied out in extended.
inline numtext::Extended LayoutDegree() {
    return static_cast<double>(numtext::Extended(3.14159265359) / 180);
}

inline numtext::ExtendedBits RearAngleBits(const std::string& text) {
    const numtext::Extended angle =
        static_cast<double>((numtext::ParseNumber(text) - 90) * LayoutDegree());
    return BitsOf(angle);
}

inline numtext::ExtendedBits FixedAngleBits(int degrees) {
    return BitsOf(numtext::Extended(degrees) * LayoutDegree());
}

#if defined(__x86_64__) || defined(__i386__)
#define ORVANE_TRIG_HAS_X87 1

inline long double LongDoubleOf(numtext::ExtendedBits bits) {
    long double value = 0;
    std::memcpy(&value, &bits.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &bits.signExponent, 2);
    return value;
}

inline numtext::ExtendedBits BitsOfLongDouble(long double value) {
    numtext::ExtendedBits bits{};
    std::memcpy(&bits.significand, &value, 8);
    std::memcpy(&bits.signExponent, reinterpret_cast<const char*>(&value) + 8, 2);
    return bits;
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
