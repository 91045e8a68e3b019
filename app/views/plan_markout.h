// The plan's third part, "Marking out with a tape": the sheet's steps as a table, the check
// tapes, the heights and the receiver's distance, beside a small drawing of P, the centre line
// and the two tape arcs that cross at each mark.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"
#include "app/model/length_unit.h"

#include <string>

// How much of the page, from its top, the part takes.
constexpr double kMarkoutPartHeight = 350;

// The part as a <g id="markout">, drawn from `top` down the 760 units of the page's width.
// Lengths are LengthText's; a note says what is left out. Every coordinate is a finite number
// whatever the layout.
std::string MarkoutPartSvg(const Answers& answers, const LayoutResult& layout, LengthUnit unit,
                           double top);
