// The marking-out sheet as text for standard output: numbered steps that put every mark down
// with a tape alone, then the tapes that check them, the heights and the receiver's distance.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"
#include "app/model/length_unit.h"

#include <string>

// For answers 5, 4, n, 4, 0.5, 120 with m, it begins
//   "Marking out with a tape (lengths in m)\n"
//   "\n"
//   " 1. P: mark the floor below the listener's ears.\n"
//   " 2. centre: 2.36 m from P, straight ahead.\n"
//   " 3. front L: 2.36 m from P and 1.22 m from centre, left of the line from P through
//   centre.\n" (one line)
// and every length is LengthText's. A note says what is left out, and why.
std::string MarkoutText(const Answers& answers, const LayoutResult& layout, LengthUnit unit);
