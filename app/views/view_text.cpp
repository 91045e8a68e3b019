#include "app/views/view_text.h"

#include "app/model/shown_results.h"
#include "numtext/numtext.h"

#include <charconv>

std::string ShortestText(double value) {
    char digits[32];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, end.ptr);
}

std::string ShownBytes(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xf];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string LengthText(double value, LengthUnit unit) {
    std::string text = ShownText(value);
    if (unit != LengthUnit::none) {
        text += " " + std::string(UnitName(unit));
    }
    const std::string feetInches = FeetAndInches(value, unit);
    return feetInches.empty() ? text : text + " (" + feetInches + ")";
}

std::string DegreesText(double degrees) {
    return numtext::FormatMask(degrees, "0.0");
}
