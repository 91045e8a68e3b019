#include "numtext/mask.h"

namespace numtext::detail {

MaskSections SplitMaskSections(std::string_view mask) {
    MaskSections sections;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == '\\') {
            ++i;
        } else if (c == ';') {
            sections.part[sections.count++] = mask.substr(start, i - start);
            start = i + 1;
            if (sections.count == 3)
                return sections;
        }
    }
    sections.part[sections.count++] = mask.substr(start);
    return sections;
}

} // namespace numtext::detail
