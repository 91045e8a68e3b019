// The results as plain text rows, for standard output: what the results
// screen shows, readable in a pipe, a file or a terminal.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"

#include <string>

// One line per shown result: the screen's label, the value text from column 73
// on, and a value over its maximum marked in words so that the mark survives
// without colour:
//   "   Side-side spacing of the front left-side and right-side speakers     3.09  over the
//   maximum 3.00\n" (one line). With `colour`, the value and its mark are also in bold red
// (SGR 1;31, ended by SGR 0), the nearest every colour terminal has to the screen's bright red.
std::string ResultRowsText(const Answers& answers, const LayoutResult& layout, bool colour);
