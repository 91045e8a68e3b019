#include "tests/app/floating_point_traps.h"

#include <cfenv>
#include <cstdint>

// The x87 control word and MXCSR keep their exception masks at the positions of the FE_ flags,
// MXCSR seven bits higher.
namespace {

constexpr unsigned kAll = FE_ALL_EXCEPT;

void SetMasks(unsigned unmasked) {
    std::uint16_t control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<std::uint16_t>((control | kAll) & ~unmasked);
    __asm__ volatile("fldcw %0" : : "m"(control));
    std::uint32_t sse = 0;
    __asm__ volatile("stmxcsr %0" : "=m"(sse));
    sse = (sse | (kAll << 7)) & ~(unmasked << 7);
    __asm__ volatile("ldmxcsr %0" : : "m"(sse));
}

} // namespace

bool EnableFloatingPointTraps(int exceptions) {
    SetMasks(static_cast<unsigned>(exceptions) & kAll);
    return true;
}

void DisableFloatingPointTraps() {
    SetMasks(0);
}

int EnabledFloatingPointTraps() {
    std::uint16_t control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    std::uint32_t sse = 0;
    __asm__ volatile("stmxcsr %0" : "=m"(sse));
    return static_cast<int>((~control & kAll) | (~(sse >> 7) & kAll));
}
