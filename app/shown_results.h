// The result lines as the results screen shows them, for the screen and for
// every view made without a terminal, so that all of them agree to the last bit.
#pragma once

#include "app/layout.h"

#include <string>
#include <string_view>
#include <vector>

// One shown line of the results.
struct ShownResult {
    std::string_view key; // stable name for scripts: the LayoutResult field, e.g. "sidePairSpacing"
    std::string_view label; // the screen's label, with its three leading blanks
    double value;           // the stored double
    std::string text;       // FormatMask(value, ResultMask(value)), as on the screen
    bool hasMaximum;        // the user gave a maximum for it (lines 1 and 5)
    double maximum;         // that maximum; 0 when hasMaximum is false
    bool over;              // above the maximum (not-a-number counts as above): bright red
};

// Five lines in screen order, six when the surround spacing is free ("N").
// Answers 4, 3, "Y", 3, 1, "110" give five lines; the fifth has text "3.09",
// maximum 3 and over true.
std::vector<ShownResult> ShownResults(const AnswerSet& answers, const LayoutResult& layout);

// The value's text as the screen shows it: FormatMask(value, ResultMask(value)).
std::string ShownText(double value);
