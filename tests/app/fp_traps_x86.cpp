// The x87 control word and MXCSR hold one mask bit per exception, in the same
// order as the FE_* flags: a clear bit traps.
#include "fp_traps.h"

#include "platform/floating_point.h"

#include <cfenv>

namespace {
constexpr int kSseMaskShift = 7;
}

int EnabledTraps() {
    return ~ReadFloatingPointControl().x87ControlWord & FE_ALL_EXCEPT;
}

void EnableTraps(int exceptions) {
    FloatingPointControl control = ReadFloatingPointControl();
    control.x87ControlWord &= static_cast<std::uint16_t>(~(exceptions & FE_ALL_EXCEPT));
    control.sseControl &=
        ~(static_cast<std::uint32_t>(exceptions & FE_ALL_EXCEPT) << kSseMaskShift);
    WriteFloatingPointControl(control);
}

void DisableTraps() {
    FloatingPointControl control = ReadFloatingPointControl();
    control.x87ControlWord |= FE_ALL_EXCEPT;
    control.sseControl |= static_cast<std::uint32_t>(FE_ALL_EXCEPT) << kSseMaskShift;
    WriteFloatingPointControl(control);
}
