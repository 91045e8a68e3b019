#include "app/results_screen.h"

#include "console/console.h"
#include "numtext/numtext.h"

#include <array>
#include <string>

namespace {

constexpr int kValueColumn = 73;
constexpr int kLabelColour = 8;
constexpr int kValueColour = 0;
constexpr int kExceededColour = 12;
constexpr int kWhite = 15;

constexpr std::string_view kSurroundPairLabel = "   Side-side spacing of the surround speakers";
constexpr std::string_view kClosingLine = "   press any key to quit";

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
    return value <= maximum ? kValueColour : kExceededColour;
}

} // namespace

std::string_view ResultMask(double value) {
    return value < 10 ? "0.00" : "00.00";
}

void ShowResults(const AnswerSet& answers, const LayoutResult& layout) {
    NewLine();
    NewLine();
    const std::array<ResultLine, 5> lines = {{
        {"   Front-back spacing of the front L/R and surround speakers",
         ValueText(layout.frontSurroundSpacing),
         LimitColour(layout.frontSurroundSpacing, answers.maxFrontBack)},
        {"   Front-back spacing of the front L/R and front side speakers",
         ValueText(layout.frontSideSpacing), kValueColour},
        {"   Front-back spacing of the front L/R speakers and listening position",
         ValueText(layout.frontListenerSpacing), kValueColour},
        {"   Listening distance and side-side spacing of the front L/R speakers",
         ValueText(layout.listeningDistance), kValueColour},
        {"   Side-side spacing of the front left-side and right-side speakers",
         ValueText(layout.sidePairSpacing),
         LimitColour(layout.sidePairSpacing, answers.maxSideSide)},
    }};
    // Labels follow the cursor; values are placed by row, counted from here.
    const int firstRow = CursorRow();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        SetColor(kLabelColour, kWhite);
        PrintText(lines[k].label);
        NewLine();
        Locate(firstRow + static_cast<int>(k), kValueColumn);
        SetColor(lines[k].colour, kWhite);
        PrintText(lines[k].text);
        NewLine();
    }
    if (answers.surroundFixed == "N") {
        const std::string text = ValueText(layout.surroundPairSpacing);
        SetColor(kLabelColour, kWhite);
        PrintText(kSurroundPairLabel);
        NewLine();
        SetColor(kValueColour, kWhite);
        Locate(firstRow + 5, kValueColumn);
        PrintText(text);
        NewLine();
    } else {
        NewLine();
    }
    NewLine();
    NewLine();
    SetColor(kLabelColour, kWhite);
    PrintText(kClosingLine);
    NewLine();
    WaitKey();
}
