#include "tests/app/floating_point_traps.h"

#include "platform/floating_point.h"

#include <cfenv>
#include <cstdint>

// Through the program's own view of the settings, which shows every processor's in the layout
// of MXCSR (and keeps the x87 control word beside it where there is one). Trapping is optional
// on arm64 and most cores (and QEMU) have none: the masks then read back as set, which tells.
namespace {

struct Exception {
    int flag;           // FE_ flag of this processor
    std::uint32_t mask; // its mask bit in MXCSR; in the x87 control word seven bits lower
};

constexpr Exception kExceptions[] = {{FE_INVALID, 1U << 7},
                                     {FE_DIVBYZERO, 1U << 9},
                                     {FE_OVERFLOW, 1U << 10},
                                     {FE_UNDERFLOW, 1U << 11},
                                     {FE_INEXACT, 1U << 12}};

constexpr std::uint32_t kAllMasks = 0x1F80; // the five above and the denormal one

std::uint32_t MasksOf(int exceptions) {
    std::uint32_t masks = 0;
    for (const Exception& e : kExceptions) {
        masks |= (exceptions & e.flag) != 0 ? e.mask : 0;
    }
    return masks;
}

void SetUnmasked(std::uint32_t unmasked) {
    FloatingPointControl control = ReadFloatingPointControl();
    control.sseControl = (control.sseControl | kAllMasks) & ~unmasked;
    control.x87ControlWord =
        static_cast<std::uint16_t>((control.x87ControlWord | (kAllMasks >> 7)) & ~(unmasked >> 7));
    WriteFloatingPointControl(control);
}

} // namespace

bool EnableFloatingPointTraps(int exceptions) {
    const std::uint32_t wanted = MasksOf(exceptions);
    SetUnmasked(wanted);
    return (ReadFloatingPointControl().sseControl & wanted) == 0;
}

void DisableFloatingPointTraps() {
    SetUnmasked(0);
}

int EnabledFloatingPointTraps() {
    const FloatingPointControl control = ReadFloatingPointControl();
    int enabled = 0;
    for (const Exception& e : kExceptions) {
        const bool unmasked =
            (control.sseControl & e.mask) == 0 || (control.x87ControlWord & (e.mask >> 7)) == 0;
        enabled |= unmasked ? e.flag : 0;
    }
    return enabled;
}
