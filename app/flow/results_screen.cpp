#include "app/flow/results_screen.h"

#include "app/model/screen_texts.h"
#include "app/model/shown_results.h"
#include "console/console.h"

#include <string>
#include <vector>

namespace {

using namespace screen;

// The row the cursor has just reached, blanked in the screen's start-up colours
// from column 1, where the cursor is left: whatever stood there before (the rest
// of a long answer) never reads as part of a label or a value. A scroll still
// due is made first, so the row blanked is the one the cursor stands on.
void ClearReachedRow() {
    const int row = CursorRow();
    SetColor(kAnswerColour, kBackground);
    PrintText(std::string(kScreenWidth, ' '));
    Locate(row, 1);
}

void NextRow() {
    NewLine();
    ClearReachedRow();
}

// `text` from `column` of the cursor's row in `colour`; a text that reaches the
// right edge goes on on the next row, which is blanked first.
void PrintOnClearedRows(std::string_view text, int column, int colour) {
    auto room = static_cast<std::size_t>(kScreenWidth - column + 1);
    for (;;) {
        SetColor(colour, kBackground);
        const std::string_view piece = text.substr(0, room);
        PrintText(piece);
        text.remove_prefix(piece.size());
        if (piece.size() < room) {
            return;
        }
        ClearReachedRow(); // the cursor passed to the next row
        if (text.empty()) {
            return;
        }
        room = static_cast<std::size_t>(kScreenWidth);
    }
}

// The label from column 1 of the cursor's row, the value at column 73 of the
// same row, then the next row. A value of 8 or more characters reaches the
// next row, so the following labels, and their values with them, move down.
void ShowLine(const ShownResult& line) {
    SetColor(kPromptColour, kBackground);
    PrintText(line.label);
    Locate(CursorRow(), kAnswerColumn);
    PrintOnClearedRows(line.text, kAnswerColumn, line.over ? kExceededColour : kAnswerColour);
    NextRow();
}

} // namespace

void ShowResultTable(const Answers& answers, const LayoutResult& layout) {
    // Every text is made before the table is printed. The last answer's line
    // editor has ended its line: that row and the next are the two blank rows
    // above the table.
    const std::vector<ShownResult> lines = ShownResults(answers, layout);
    ClearReachedRow();
    NextRow();
    NextRow();
    for (const ShownResult& line : lines) {
        ShowLine(line);
    }
    if (lines.size() == 5) {
        NextRow(); // the empty row of the surround spacing keeps the closing line in place
    }
    NextRow();
    NextRow();
    SetColor(kPromptColour, kBackground);
    PrintText(kClosingLine);
    NextRow();
    SetColor(kPromptColour, kBackground);
}
