// Helpers for comparing extended values on every bit, sign of zero included.
#pragma once

#include "numtext/numtext.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

// The 10 bytes that hold an x87 extended value; the rest of its storage is padding.
inline bool SameBits(Extended a, Extended b) {
    return std::memcmp(&a, &b, 10) == 0;
}

// Hexadecimal form that shows every significand bit, for failure messages.
inline std::string Hex(Extended value) {
    char text[64];
    std::snprintf(text, sizeof text, "%La", value);
    return text;
}

// How many units in the last place a lies from b (both finite and non-zero).
inline long double UlpDistance(Extended a, Extended b) {
    return std::fabs(a - b) / std::ldexp(1.0L, std::ilogb(b) - 63);
}
