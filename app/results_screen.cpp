#include "app/results_screen.h"

#include "app/screen_texts.h"
#include "app/shown_results.h"
#include "console/console.h"

#include <vector>

namespace {

using namespace screen;

// The line's label where the cursor is, its value at column 73 of `row`.
void ShowLine(const ShownResult& line, int row) {
    SetColor(kPromptColour, kBackground);
    PrintText(line.label);
    NewLine();
    Locate(row, kAnswerColumn);
    SetColor(line.over ? kExceededColour : kAnswerColour, kBackground);
    PrintText(line.text);
    NewLine();
}

} // namespace

std::string_view ResultMask(double value) {
    return value < 10 ? "0.00" : "00.00";
}

void ShowResultTable(const AnswerSet& answers, const LayoutResult& layout) {
    NewLine();
    NewLine();
    // Every text is made before the table is printed; labels follow the
    // cursor, values are placed by row, counted from here.
    const std::vector<ShownResult> lines = ShownResults(answers, layout);
    const int firstRow = CursorRow();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        ShowLine(lines[k], firstRow + static_cast<int>(k));
    }
    if (lines.size() == 5) {
        NewLine(); // the empty row of the surround spacing keeps the closing line in place
    }
    NewLine();
    NewLine();
    SetColor(kPromptColour, kBackground);
    PrintText(kClosingLine);
    NewLine();
}
