#include "numtext/decimal_digits.h"
#include "numtext/mask.h"
#include "numtext/numtext.h"


namespace {

// The formatter takes 18 significant digits and one more place, so that infinity shows 19
// nines before its zeros.
constexpr int kFormatDigits = 19;

} // namespace

std::string FormatMask(double value, std::string_view mask) {
    const MaskSections sections = SplitMaskSections(mask);
    Extended v = value;
    std::string_view section = sections.part[0];
    if (v == 0) {
        if (sections.count == 3 && !sections.part[2].empty())
            section = sections.part[2];
    } else if (!(v > 0)) {
        // Negative, or not-a-number: the second section shows the magnitude with its own
        // literals for the sign.
        if (sections.count >= 2 && !sections.part[1].empty()) {
            section = sections.part[1];
            v = -v;
        }
    }
    if (section.empty())
        return PlainNumberText(v);
    const CompiledMask compiled = CompileMask(section);
    const DigitString digits = DecimalDigits(v, kFormatDigits);
    return RenderMask(RoundForMask(digits, compiled), compiled);
}
