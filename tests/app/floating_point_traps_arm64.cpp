#include "tests/app/floating_point_traps.h"

#include <cstdint>

// Trapping is optional on arm64 and most cores (and QEMU) have none; the enable bits of FPCR
// then read back as zero, which tells.
namespace {

constexpr std::uint64_t kInvalid = 1U << 8;
constexpr std::uint64_t kDivideByZero = 1U << 9;
constexpr std::uint64_t kOverflow = 1U << 10;
constexpr std::uint64_t kTrapBits =
    kInvalid | kDivideByZero | kOverflow | (1U << 11) | (1U << 12) | (1U << 15);

std::uint64_t ReadControl() {
    std::uint64_t control = 0;
    __asm__ volatile("mrs %0, fpcr" : "=r"(control));
    return control;
}

void WriteControl(std::uint64_t control) {
    __asm__ volatile("msr fpcr, %0" : : "r"(control));
}

} // namespace

bool EnableFloatingPointTraps(int exceptions) {
    // FE_ flags on arm64 are the status bits 0 to 4; their enables sit eight bits higher.
    const std::uint64_t wanted = (static_cast<std::uint64_t>(exceptions) & 0x1F) << 8;
    WriteControl(ReadControl() | wanted);
    return (ReadControl() & wanted) == wanted;
}

void DisableFloatingPointTraps() {
    WriteControl(ReadControl() & ~kTrapBits);
}

int EnabledFloatingPointTraps() {
    return static_cast<int>((ReadControl() >> 8) & 0x1F);
}
