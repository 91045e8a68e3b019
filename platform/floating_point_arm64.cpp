// arm64 has no x87 unit: the extended type is computed in software and always rounds to
// nearest at 64 bits, so the x87 word reads as the settings it would need. The double
// arithmetic runs under FPCR, which is shown and set in the layout of MXCSR so that callers see
// one meaning on every processor: masks (FPCR's trap enables, inverted), rounding, flush to zero.
#include "platform/floating_point.h"

namespace {

// FPCR fields.
constexpr std::uint64_t kTrapEnables = 0x9F00;    // IOE DZE OFE UFE IXE (bits 8-12), IDE (15)
constexpr std::uint64_t kRoundingMode = 3U << 22; // RMode: 0 nearest, 1 up, 2 down, 3 zero
constexpr std::uint64_t kFlushToZero = 1U << 24;  // FZ

// MXCSR fields.
constexpr std::uint32_t kSseMasks = 0x1F80;      // IM DM ZM OM UM PM (bits 7-12)
constexpr std::uint32_t kSseRounding = 3U << 13; // RC: 0 nearest, 1 down, 2 up, 3 zero
constexpr std::uint32_t kSseFlushToZero = 1U << 15;

std::uint64_t ReadFpcr() {
    std::uint64_t control = 0;
    __asm__ volatile("mrs %0, fpcr" : "=r"(control));
    return control;
}

void WriteFpcr(std::uint64_t control) {
    __asm__ volatile("msr fpcr, %0" : : "r"(control));
}

// The two orders of the directed rounding modes differ: FPCR has up before down.
constexpr std::uint32_t kFpcrToSseRounding[4] = {0, 2, 1, 3};

std::uint32_t AsSseControl(std::uint64_t fpcr) {
    const std::uint64_t traps = fpcr & kTrapEnables;
    // MXCSR mask bits in order IM DM ZM OM UM PM; FPCR enables in order IOE DZE OFE UFE IXE, IDE.
    std::uint32_t unmasked = 0;
    unmasked |= (traps & (1U << 8)) != 0 ? 1U << 7 : 0;   // invalid
    unmasked |= (traps & (1U << 15)) != 0 ? 1U << 8 : 0;  // denormal input
    unmasked |= (traps & (1U << 9)) != 0 ? 1U << 9 : 0;   // divide by zero
    unmasked |= (traps & (1U << 10)) != 0 ? 1U << 10 : 0; // overflow
    unmasked |= (traps & (1U << 11)) != 0 ? 1U << 11 : 0; // underflow
    unmasked |= (traps & (1U << 12)) != 0 ? 1U << 12 : 0; // inexact
    const std::uint32_t rounding = kFpcrToSseRounding[(fpcr & kRoundingMode) >> 22] << 13;
    const std::uint32_t flush = (fpcr & kFlushToZero) != 0 ? kSseFlushToZero : 0;
    return (kSseMasks & ~unmasked) | rounding | flush;
}

std::uint64_t AsFpcr(std::uint64_t fpcr, std::uint32_t sse) {
    const std::uint32_t unmasked = ~sse & kSseMasks;
    std::uint64_t traps = 0;
    traps |= (unmasked & (1U << 7)) != 0 ? 1U << 8 : 0;
    traps |= (unmasked & (1U << 8)) != 0 ? 1U << 15 : 0;
    traps |= (unmasked & (1U << 9)) != 0 ? 1U << 9 : 0;
    traps |= (unmasked & (1U << 10)) != 0 ? 1U << 10 : 0;
    traps |= (unmasked & (1U << 11)) != 0 ? 1U << 11 : 0;
    traps |= (unmasked & (1U << 12)) != 0 ? 1U << 12 : 0;
    const std::uint64_t rounding = std::uint64_t{kFpcrToSseRounding[(sse & kSseRounding) >> 13]}
                                   << 22;
    const std::uint64_t flush = (sse & kSseFlushToZero) != 0 ? kFlushToZero : 0;
    return (fpcr & ~(kTrapEnables | kRoundingMode | kFlushToZero)) | traps | rounding | flush;
}

} // namespace

FloatingPointControl ReadFloatingPointControl() {
    return {kExtendedControlWord, AsSseControl(ReadFpcr())};
}

void WriteFloatingPointControl(FloatingPointControl control) {
    WriteFpcr(AsFpcr(ReadFpcr(), control.sseControl));
}

void SetFloatingPointControl() {
    // Round to nearest, no traps, no flush to zero; the other FPCR bits stay.
    WriteFpcr(ReadFpcr() & ~(kTrapEnables | kRoundingMode | kFlushToZero));
}
