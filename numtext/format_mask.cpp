#include "numtext/mask.h"
#include "numtext/numtext.h"
#include "numtext/plain_number_text.h"

#include <span>
#include <vector>

namespace numtext {

using namespace detail;

namespace {

// Room on the stack for the positions of an ordinary mask; longer ones use the heap.
constexpr std::size_t kLocalPositions = 64;

// The section that shows value, and the value it shows (negated for a second section).
struct ChosenSection {
    std::string_view text; // the section, possibly empty
    Extended value;        // what it formats
};

ChosenSection ChooseSection(const MaskSections& sections, Extended value) {
    if (value > 0)
        return {sections.part[0], value};
    if (value == 0) {
        if (sections.count == 3 && !sections.part[2].empty())
            return {sections.part[2], value};
        return {sections.part[0], value};
    }
    // Negative, or not-a-number: a second section shows the magnitude with its own literals
    // for the sign.
    if (sections.count >= 2 && !sections.part[1].empty())
        return {sections.part[1], -value};
    return {sections.part[0], value};
}

} // namespace

std::string FormatMask(double value, std::string_view mask) {
    const ChosenSection chosen = ChooseSection(SplitMaskSections(mask), value);
    if (chosen.text.empty())
        return PlainNumberText(chosen.value);
    MaskPosition local[kLocalPositions];
    std::vector<MaskPosition> heap;
    std::span<MaskPosition> storage(local);
    if (chosen.text.size() > kLocalPositions) {
        heap.resize(chosen.text.size());
        storage = heap;
    }
    const CompiledMask compiled = CompileMask(chosen.text, storage);
    return RenderMask(RoundForMask(NineteenDigits(chosen.value), compiled), compiled);
}

} // namespace numtext
