#include "app/model/length_unit.h"

#include "numtext/numtext.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>

using numtext::Extended;

namespace {

constexpr std::array<std::string_view, 6> kUnitNames = {"", "m", "cm", "mm", "ft", "in"};

constexpr std::uint64_t kSixteenthsPerInch = 16;
constexpr std::uint64_t kSixteenthsPerFoot = 12 * kSixteenthsPerInch;

// 2^64, the first count of sixteenths RoundToUnsigned cannot give.
const Extended kTooManySixteenths = Extended(18446744073709551615ULL) + 1;

} // namespace

std::string_view UnitName(LengthUnit unit) {
    return kUnitNames[static_cast<std::size_t>(unit)];
}

std::optional<LengthUnit> ReadLengthUnit(std::string_view name) {
    for (std::size_t i = 1; i < kUnitNames.size(); ++i) {
        if (name == kUnitNames[i]) {
            return static_cast<LengthUnit>(i);
        }
    }
    return std::nullopt;
}

std::string_view AcceptedUnitNames() {
    return "m, cm, mm, ft and in";
}

std::string FeetAndInches(double length, LengthUnit unit) {
    if ((unit != LengthUnit::ft && unit != LengthUnit::in) || !std::isfinite(length)) {
        return "";
    }
    // A double's 53 bits times 192 (3 x 64) or 16 need at most 55: the product is exact in the
    // extended type's 64, so the rounding below sees the value itself.
    const std::uint64_t perUnit = unit == LengthUnit::ft ? kSixteenthsPerFoot : kSixteenthsPerInch;
    const Extended sixteenths = Abs(Extended(length)) * Extended(perUnit);
    if (!(sixteenths < kTooManySixteenths)) {
        return "";
    }
    const std::uint64_t total = numtext::RoundToUnsigned(sixteenths);
    const std::uint64_t feet = total / kSixteenthsPerFoot;
    const std::uint64_t inches = total % kSixteenthsPerFoot / kSixteenthsPerInch;
    const std::uint64_t numerator = total % kSixteenthsPerInch;
    std::string text = (length < 0 && total != 0 ? "-" : "") + std::to_string(feet) + "' " +
                       std::to_string(inches);
    if (numerator != 0) {
        const std::uint64_t common = std::gcd(numerator, kSixteenthsPerInch);
        text += " " + std::to_string(numerator / common) + "/" +
                std::to_string(kSixteenthsPerInch / common);
    }
    return text + "\"";
}
