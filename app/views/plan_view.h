// The layout drawn as an SVG picture to take into the room.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"
#include "app/model/length_unit.h"

#include <string>
#include <string_view>

// A standalone SVG document (UTF-8, 760 x 1280): a top view to scale with the
// listening position, the circle of the listening distance and the six speakers,
// each labelled with its angle, and every shown spacing as a dimension line
// between the two points it is measured between (see MeasuredBetween), labelled
// with the results screen's text; a side view of one surround at its horizontal
// distance and height with the listening distance as the slanted line; the
// marking-out sheet with a small drawing of its tape arcs (MarkoutPartSvg), its
// lengths in `unit`; and a caption with the answers and `tool` (the name and version).
//
// For scripts and tests every dimension is a <g class="dimension"
// data-key="sidePairSpacing" data-over="true|false"> holding one
// <text class="dimension-label"> with the screen's text; one over its maximum is
// drawn red and dashed and also holds a <text class="over-mark">over max 3.00</text>.
//
// Whatever the numbers, the document stays valid: a position that is not a finite
// number is drawn at the listening position and a note says so; a negative
// surroundRadius (a height above the listening distance) is drawn where the
// formulas put it, with a note; with L = 0 everything meets at the listening position.
std::string PlanSvg(const Answers& answers, const LayoutResult& layout, std::string_view tool,
                    LengthUnit unit = LengthUnit::none);
