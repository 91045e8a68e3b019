#include "app/results_screen.h"

#include "app/screen_texts.h"
#include "console/console.h"
#include "numtext/numtext.h"

#include <array>
#include <string>

using numtext::FormatMask;

namespace {

using namespace screen;

struct ResultLine {
    std::string_view label; // printed at column 1
    std::string text;       // the value, made before the table is printed
    int colour;             // of the value
};

std::string ValueText(double value) {
    return FormatMask(value, ResultMask(value));
}

// Bright red once the value is above its maximum; not-a-number counts as above.
int LimitColour(double value, double maximum) {
    return value <= maximum ? kAnswerColour : kExceededColour;
}

} // namespace

std::string_view ResultMask(double value) {
    return value < 10 ? "0.00" : "00.00";
}

void ShowResults(const AnswerSet& answers, const LayoutResult& layout) {
    NewLine();
    NewLine();
    const std::array<ResultLine, 5> lines = {{
        {kResultLabels[0], ValueText(layout.frontSurroundSpacing),
         LimitColour(layout.frontSurroundSpacing, answers.maxFrontBack)},
        {kResultLabels[1], ValueText(layout.frontSideSpacing), kAnswerColour},
        {kResultLabels[2], ValueText(layout.frontListenerSpacing), kAnswerColour},
        {kResultLabels[3], ValueText(layout.listeningDistance), kAnswerColour},
        {kResultLabels[4], ValueText(layout.sidePairSpacing),
         LimitColour(layout.sidePairSpacing, answers.maxSideSide)},
    }};
    // Labels follow the cursor; values are placed by row, counted from here.
    const int firstRow = CursorRow();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        SetColor(kPromptColour, kBackground);
        PrintText(lines[k].label);
        NewLine();
        Locate(firstRow + static_cast<int>(k), kAnswerColumn);
        SetColor(lines[k].colour, kBackground);
        PrintText(lines[k].text);
        NewLine();
    }
    if (answers.surroundFixed == "N") {
        const std::string text = ValueText(layout.surroundPairSpacing);
        SetColor(kPromptColour, kBackground);
        PrintText(kResultLabels[5]);
        NewLine();
        SetColor(kAnswerColour, kBackground);
        Locate(firstRow + 5, kAnswerColumn);
        PrintText(text);
        NewLine();
    } else {
        NewLine();
    }
    NewLine();
    NewLine();
    SetColor(kPromptColour, kBackground);
    PrintText(kClosingLine);
    NewLine();
    WaitKey();
}
