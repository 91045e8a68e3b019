// Processors without an x87 unit whose control register we do not program by hand (ppc64le,
// s390x, riscv64 ...): the settings through <cfenv>, shown in the layout of the x87 word and
// MXCSR as on arm64, so that callers see one meaning on every processor.
//
// Two settings cannot be made here, and neither is needed:
// - The 64-bit precision of the x87 word: there is no x87 unit. The extended type is computed
//   in software on 64- and 128-bit integers, always rounding to nearest at 64 bits whatever the
//   processor is set to, so the x87 word reads as the settings it would need.
// - The exception masks: C++ has no portable call to unmask or mask a trap, and every one of
//   these processors starts with all traps off (riscv64 has none at all). They read as masked,
//   which is what the program relies on: an overflow gives an infinity, never a trap. A test that
//   asks for a trap sees it is not there and says so.
// What remains is the rounding of the double arithmetic, which the C library can set.
#include "platform/floating_point.h"

#include <cfenv>

namespace {

constexpr std::uint32_t kSseMasks = 0x1F80;      // IM DM ZM OM UM PM (bits 7-12)
constexpr std::uint32_t kSseRounding = 3U << 13; // RC: 0 nearest, 1 down, 2 up, 3 zero

// The C library's rounding modes in the order of MXCSR's RC field; -1 where the processor has
// no such mode.
constexpr int kRoundingModes[4] = {
    FE_TONEAREST,
#ifdef FE_DOWNWARD
    FE_DOWNWARD,
#else
    -1,
#endif
#ifdef FE_UPWARD
    FE_UPWARD,
#else
    -1,
#endif
#ifdef FE_TOWARDZERO
    FE_TOWARDZERO,
#else
    -1,
#endif
};

std::uint32_t SseRoundingOf(int mode) {
    for (std::uint32_t field = 0; field < 4; ++field) {
        if (kRoundingModes[field] == mode) {
            return field << 13;
        }
    }
    return 0;
}

} // namespace

FloatingPointControl ReadFloatingPointControl() {
    return {kExtendedControlWord, kSseMasks | SseRoundingOf(std::fegetround())};
}

void WriteFloatingPointControl(FloatingPointControl control) {
    const int mode = kRoundingModes[(control.sseControl & kSseRounding) >> 13];
    if (mode != -1) {
        std::fesetround(mode);
    }
}

void SetFloatingPointControl() {
    std::fesetround(FE_TONEAREST);
}
