// The results table below the questions and the closing line.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"

// Shows five result lines (six when the surround spacing is free), each value at
// column 73 of its label's row, then "   press any key to quit"; every row the
// table reaches is blanked in the start-up colours first. The flow then writes
// a plan if one was asked for and waits for the key.
void ShowResultTable(const Answers& answers, const LayoutResult& layout);
