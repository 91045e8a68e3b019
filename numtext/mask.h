// Internal to numtext: the pieces of FormatMask. A mask section is compiled into positions
// once per call, the value's digits are rounded to fit them, and the positions are then
// rendered from the right.
#pragma once

#include "numtext/significant_digits.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace numtext::detail {

// Up to three sections of a mask: for positive values, negative values and zero.
struct MaskSections {
    std::string_view part[3]; // the text of each section, without the ";"
    int count = 0;            // how many sections the mask has (1 to 3)
};

// One output place of a compiled mask.
struct MaskPosition {
    char character; // the literal, or the filler a digit position shows without a digit
    bool digit;     // a digit position rather than a literal
    bool filled;    // a digit position that shows character when it has no digit
    bool zero;      // a "0" placeholder outside the exponent (counted in zeroPlaceholders)
};

// A mask section read once: its positions and what they add up to.
struct CompiledMask {
    std::span<const MaskPosition> positions; // left to right, in the storage the caller lent
    std::size_t integerPositions = 0;        // NI: digit positions before the point
    std::size_t fractionPositions = 0;       // NF: digit positions after the point
    std::size_t exponentPositions = 0;       // NE: digit positions after "E+" or "E-"
    std::size_t zeroPlaceholders = 0;        // ZF: "0" positions outside the exponent
    bool thousands = false;                  // a "," after a digit asked for separators
    bool percent = false;                    // a "%" after a digit: show the value times 100
    char exponentMode = 0;                   // '+' or '-' after the exponent letter, 0 for none
    std::size_t exponentStart = 0;           // index of the first position of the exponent field
};

// The digits a compiled mask shows, rounded to its positions.
struct MaskDigits {
    std::string digits;    // M: integer digits then fraction digits (or the exponent mantissa)
    int exponent = 0;      // e: the exponent shown in exponent mode
    bool negative = false; // a minus sign is still to be placed
};

// Splits at ";" outside double quotes and not escaped by "\"; a fourth section is ignored.
MaskSections SplitMaskSections(std::string_view mask);

// Writes the positions into storage, which must hold one per character of the section (no
// character makes more), so that a caller can lend a buffer on its stack.
CompiledMask CompileMask(std::string_view section, std::span<MaskPosition> storage);

// The value's digits rounded half to even on the decimal string to fit the mask.
MaskDigits RoundForMask(const SignificantDigits& value, const CompiledMask& mask);

// The text, built from the rightmost position to the leftmost so the sign and any integer
// digits that found no position of their own end up left of the leftmost digit.
std::string RenderMask(const MaskDigits& shown, const CompiledMask& mask);

} // namespace numtext::detail
