// ParseNumber on arbitrary bytes: no crash, no undefined behaviour, always a finite number,
// and only the numeric prefix matters.
#include "numtext/numtext.h"
#include "tests/numtext/extended_bits.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using numtext::Extended;
using numtext::IsInfinite;
using numtext::IsNaN;
using numtext::ParseNumber;
using numtext::PowerOfTen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Extended value = ParseNumber(text);
    // The largest decimal saturates at 2^127 and radix forms fit 64 bits: never infinite.
    if (IsNaN(value) || IsInfinite(value))
        std::abort();
    // An "x" can never continue a number, and a leading blank is always skipped.
    if (!SameBits(ParseNumber(text + "x"), value) || !SameBits(ParseNumber(" " + text), value))
        std::abort();
    const Extended scaled = PowerOfTen(value, static_cast<int>(size) - 64);
    if (IsNaN(scaled))
        std::abort();
    return 0;
}
