// The results table below the questions and the closing line.
#pragma once

#include "app/layout.h"

#include <string_view>

// "0.00" below 10, "00.00" from 10 on (and for a value that is not a number):
// ResultMask(9.99) gives "0.00", ResultMask(10) gives "00.00".
std::string_view ResultMask(double value);

// Shows five result lines (six when the surround spacing is free), each value at
// column 73 of its label's row, then "   press any key to quit"; every row the
// table reaches is blanked in the start-up colours first. The flow then writes
// a plan if one was asked for and waits for the key (winmain.cpp).
void ShowResultTable(const AnswerSet& answers, const LayoutResult& layout);
