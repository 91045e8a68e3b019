// The result lines as the results screen shows them, for the screen and for
// every view made without a terminal, so that all of them agree to the last bit.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"

#include <string>
#include <string_view>
#include <vector>

// The result lines, by the LayoutResult field each shows, in screen order.
enum class ResultLine {
    frontSurroundSpacing,
    frontSideSpacing,
    frontListenerSpacing,
    listeningDistance,
    sidePairSpacing,
    surroundPairSpacing,
};

// The line's stable name for scripts, its LayoutResult field: "sidePairSpacing".
std::string_view ResultKey(ResultLine line);

// One shown line of the results.
struct ShownResult {
    ResultLine line;         // which result it is
    std::string_view label;  // the screen's label, with its three leading blanks
    double value;            // the stored double
    std::string text;        // ShownText(value), as on the screen
    bool hasMaximum;         // the user gave a maximum for it (lines 1 and 5)
    double maximum;          // that maximum; 0 when hasMaximum is false
    std::string maximumText; // ShownText(maximum), for the views' "over" marks
    bool over;               // above the maximum (not-a-number counts as above): bright red
};

// Five lines in screen order, six when the surround spacing is free ("N").
// Answers 4, 3, "Y", 3, 1, "110" give five lines; the fifth has text "3.09",
// maximum 3 and over true.
std::vector<ShownResult> ShownResults(const Answers& answers, const LayoutResult& layout);

// "0.00" below 10, "00.00" from 10 on (and for a value that is not a number):
// ResultMask(9.99) gives "0.00", ResultMask(10) gives "00.00".
std::string_view ResultMask(double value);

// The value's text as the screen shows it: FormatMask(value, ResultMask(value)).
std::string ShownText(double value);
