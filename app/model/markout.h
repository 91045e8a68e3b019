// The marking-out sheet: from the layout to marks on the floor that a tape measure alone puts
// down. P is the point on the floor below the listener's ears; every mark after the centre is
// where two tape arcs cross, one from P and one from a mark already down.
#pragma once

#include "app/model/layout.h"

#include <string_view>
#include <vector>

// The marks, in the order they are put down: left of each pair first, then its mirror.
enum class MarkName { centre, frontL, frontR, sideL, sideR, surroundL, surroundR };

// The mark's stable name for scripts: "frontL".
std::string_view MarkKey(MarkName mark);

// The mark as the sheet and the plan print it: "front L".
std::string_view MarkLabel(MarkName mark);

// Where a mark lies against the line from P through its reference, seen from P.
enum class MarkSide { ahead, left, right }; // ahead: the centre, which has no reference

// "left" or "right"; "" for ahead.
std::string_view SideKey(MarkSide side);

struct FloorMark {
    MarkName name;
    double fromListener;  // the tape from P: L, or surroundRadius for the surrounds
    MarkName reference;   // the mark of the second tape; the centre's own name for the centre
    double fromReference; // the second tape; 0 for the centre
    MarkSide side;        // which of the two crossings of the arcs
};

// A tape between two marks once all are down.
struct CheckTape {
    MarkName from;
    MarkName to;
    double distance;
};

// Why something is left out, for the views to say.
enum class MarkoutNote {
    none,
    surroundsLeftOut, // h^2 > L^2 (or not a number): the surrounds have no floor mark
    noMarks,          // L is not a positive finite length: no marks at all
};

// The note's sentence: "" for none.
std::string_view MarkoutNoteText(MarkoutNote note);

struct Markout {
    std::vector<FloorMark> marks;  // seven, five without surrounds, none without a sheet
    std::vector<CheckTape> checks; // front, side, surround pair, then the two diagonals
    double surroundHeight;         // h, the answer, for the sheet's heights line
    double surroundElevation;      // asin(h / L) in degrees; not a number without surrounds
    double receiverDistance;       // L, every channel's distance; not a number without marks
    MarkoutNote note;
};

// The sheet for the layout: each distance evaluated in extended precision from the layout's
// stored doubles and rounded once, angles through the layout's degree factor. Answers 5, 4, N,
// 4, 0.5, 120 give frontL 2.362908 from P and 1.223149 from the centre, surroundL 2.309401 from
// P and 3.366227 from sideL, and a surround elevation of 12.2 degrees.
Markout ComputeMarkout(const AnswerSet& answers, const LayoutResult& layout);
