#include "app/views/result_rows.h"

#include "app/model/screen_texts.h"
#include "app/model/shown_results.h"

#include <string_view>

namespace {

constexpr std::string_view kOverStart = "\x1b[1;31m";
constexpr std::string_view kOverEnd = "\x1b[0m";

} // namespace

std::string ResultRowsText(const Answers& answers, const LayoutResult& layout, bool colour) {
    std::string rows;
    for (const ShownResult& line : ShownResults(answers, layout)) {
        std::string row(line.label);
        row.resize(screen::kAnswerColumn - 1, ' ');
        std::string value = line.text;
        if (line.over) {
            value += "  over the maximum " + line.maximumText;
            if (colour) {
                value = std::string(kOverStart) + value + std::string(kOverEnd);
            }
        }
        rows += row + value + "\n";
    }
    return rows;
}
