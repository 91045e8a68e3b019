// The geometry of the marking-out sheet, from the same extended arithmetic as the layout, so that
// every machine prints the same bits and the check tapes agree with the results screen.
//
// Every angle is measured from straight ahead; the surrounds stand at 90 degrees plus the
// layout's stored rear angle, as the screen's spacings place them.
#include "app/model/markout.h"

#include "app/model/layout_math.h"
#include "numtext/extended_math.h"
#include "numtext/numtext.h"

#include <array>
#include <cmath>
#include <limits>

using numtext::Cosine;
using numtext::Extended;
using numtext::Sine;

namespace {

constexpr std::array<std::string_view, 7> kMarkKeys = {"centre", "frontL",    "frontR",   "sideL",
                                                       "sideR",  "surroundL", "surroundR"};
constexpr std::array<std::string_view, 7> kMarkLabels = {
    "centre", "front L", "front R", "side L", "side R", "surround L", "surround R"};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The third side of a triangle with sides a and b at an angle whose cosine is given. The angles
// here are 55 degrees and more, where the subtraction loses nothing that matters.
Extended ThirdSide(Extended a, Extended b, Extended cosine) {
    return SquareRoot(Square(a) + Square(b) - 2 * a * b * cosine);
}

// asin(x) for |x| <= 1 from the four operations and the square root alone, so that it is the same
// bits on every machine: halved three times by asin x = 2 asin(x / sqrt(2 (1 + sqrt(1 - x^2)))),
// which brings |x| to sin(11.25 degrees) at most, then its series, whose terms by then shrink by
// a factor of 26 or more: 16 of them reach below the last bit.
Extended ArcSine(Extended x) {
    constexpr int kHalvings = 3;
    constexpr int kTerms = 16;
    for (int i = 0; i < kHalvings; ++i) {
        x = x / SquareRoot(2 * (1 + SquareRoot(1 - Square(x))));
    }
    const Extended square = Square(x);
    Extended term = x;
    Extended sum = x;
    for (int k = 0; k < kTerms; ++k) {
        const Extended odd = 2 * k + 1;
        term = term * square * Square(odd) / (Extended(2 * k + 2) * Extended(2 * k + 3));
        sum = sum + term;
    }
    return sum * (1 << kHalvings);
}

FloorMark Mark(MarkName name, Extended fromListener, MarkName reference, Extended fromReference,
               MarkSide side) {
    return {name, static_cast<double>(fromListener), reference, static_cast<double>(fromReference),
            side};
}

} // namespace

std::string_view MarkKey(MarkName mark) {
    return kMarkKeys[static_cast<std::size_t>(mark)];
}

std::string_view MarkLabel(MarkName mark) {
    return kMarkLabels[static_cast<std::size_t>(mark)];
}

std::string_view SideKey(MarkSide side) {
    return side == MarkSide::left ? "left" : side == MarkSide::right ? "right" : "";
}

std::string_view MarkoutNoteText(MarkoutNote note) {
    switch (note) {
    case MarkoutNote::surroundsLeftOut:
        return "The surround height is more than the listening distance, so the surrounds have "
               "no floor mark and are left out.";
    case MarkoutNote::noMarks:
        return "The listening distance is not a positive length, so there is nothing to mark "
               "out.";
    case MarkoutNote::none:
        break;
    }
    return "";
}

Markout ComputeMarkout(const AnswerSet& answers, const LayoutResult& layout) {
    using enum MarkName;
    Markout sheet{{}, {}, answers.surroundHeight, kNaN, kNaN, MarkoutNote::none};
    const Extended distance = layout.listeningDistance;
    // Only a positive finite L gives arcs a tape can draw. The comparisons are quiet ones, as
    // the layout's, so that a not-a-number ends here without raising the invalid flag.
    if (!std::isgreater(layout.listeningDistance, 0.0) || IsInfinite(distance)) {
        sheet.note = MarkoutNote::noMarks;
        return sheet;
    }
    sheet.receiverDistance = layout.listeningDistance;

    const Extended degree = layout.degree;
    const Extended rearAngle = layout.rearAngle;
    const Extended frontChord = 2 * distance * Sine(Extended(15) * degree);
    const Extended sideChord = 2 * distance * Sine(Extended(12.5) * degree);
    sheet.marks = {
        Mark(centre, distance, centre, 0, MarkSide::ahead),
        Mark(frontL, distance, centre, frontChord, MarkSide::left),
        Mark(frontR, distance, centre, frontChord, MarkSide::right),
        Mark(sideL, distance, frontL, sideChord, MarkSide::left),
        Mark(sideR, distance, frontR, sideChord, MarkSide::right),
    };
    sheet.checks = {{frontL, frontR, layout.listeningDistance},
                    {sideL, sideR, layout.sidePairSpacing}};

    const Extended h = answers.surroundHeight;
    if (IsNaN(h) || !(Square(h) <= Square(distance))) {
        sheet.note = MarkoutNote::surroundsLeftOut;
        return sheet;
    }
    const Extended radius = layout.surroundRadius;
    // From the side pair at 55 degrees to the surround at 90 + X; from a front speaker at 30 to
    // the opposite surround at 90 + X, 120 + X apart.
    const Extended fromSide =
        ThirdSide(distance, radius, Cosine(Extended(35) * degree + rearAngle));
    const Extended diagonal =
        ThirdSide(distance, radius, Cosine(Extended(120) * degree + rearAngle));
    sheet.marks.push_back(Mark(surroundL, radius, sideL, fromSide, MarkSide::left));
    sheet.marks.push_back(Mark(surroundR, radius, sideR, fromSide, MarkSide::right));
    sheet.checks.push_back(
        {surroundL, surroundR, SurroundPairSpacingAt(layout, answers.surroundHeight)});
    sheet.checks.push_back({frontL, surroundR, static_cast<double>(diagonal)});
    sheet.checks.push_back({frontR, surroundL, static_cast<double>(diagonal)});
    sheet.surroundElevation = static_cast<double>(ArcSine(h / distance) / degree);
    return sheet;
}
