// The floating-point settings every computation here relies on: all exceptions
// masked (overflow gives an infinity, never a trap), 64-bit significand, round
// to nearest. Made at start-up and again after every add-on call.
#pragma once

#include <cstdint>

struct FloatingPointControl {
    std::uint16_t x87ControlWord; // precision, rounding and exception masks of the x87 unit
    std::uint32_t sseControl;     // MXCSR: the same for double arithmetic
};

void SetFloatingPointControl();
FloatingPointControl ReadFloatingPointControl();
void WriteFloatingPointControl(FloatingPointControl control);

// What SetFloatingPointControl establishes, for comparison.
constexpr std::uint16_t kExtendedControlWord = 0x037F; // masks on, 64-bit, nearest
constexpr std::uint32_t kSseControl = 0x1F80;          // masks on, nearest, no flush to zero
