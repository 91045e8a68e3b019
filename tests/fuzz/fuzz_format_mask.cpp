// FormatMask over value and mask together: the first 8 bytes are the double, the rest the
// mask. No crash, no undefined behaviour, and the text stays within a bound set by the mask.
#include "numtext/numtext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

using numtext::DecimalDigits;
using numtext::DigitString;
using numtext::FormatMask;
using numtext::PlainNumberText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    const std::size_t valueBytes = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, valueBytes);
    const std::string_view mask(reinterpret_cast<const char*>(data) + valueBytes,
                                size - valueBytes);

    // Each mask character gives at most one position, each position at most a character and
    // a separator; the leftmost integer position adds at most the 1001 digits of infinity
    // (with percent) and their separators.
    const std::string shown = FormatMask(value, mask);
    if (shown.size() > 4 * mask.size() + 2100)
        std::abort();

    if (PlainNumberText(value).size() > 24)
        std::abort();
    const int count = static_cast<int>(mask.size() % 40);
    const DigitString digits = DecimalDigits(value, count);
    if (digits.digits.size() != static_cast<std::size_t>(count))
        std::abort();
    if (count > 0 && std::isfinite(value) && value != 0 && digits.digits[0] == '0')
        std::abort();
    return 0;
}
