// The layout geometry: one listening distance for all six speakers and the spacings that follow.
//
// Each formula is evaluated in extended precision and rounded to double once, where it is
// stored; a formula that reads an earlier result reads the stored double. The printed layouts
// depend on exactly these roundings, so the steps keep their order and their grouping.
#include "app/model/layout.h"

#include <cmath>

#include "app/model/layout_math.h"
#include "numtext/extended_math.h"
#include "numtext/numtext.h"

using numtext::Cosine;
using numtext::Extended;
using numtext::ParseNumber;
using numtext::Sine;

namespace {

// The double nearest 3.14159265359, not full-precision pi: the degree factor built from it,
// 0.017453292519944444, is the one every layout this tool shows has been computed with.
constexpr double kPi = 3.14159265359;
const Extended kHalfTurn = 180;
const Extended kRightAngle = 90;
const Extended kFrontPairAngle = 30; // front L/R pair, degrees either side of straight ahead
const Extended kSidePairAngle = 55;  // front side pair, degrees either side of straight ahead

} // namespace

#if ORVANE_SOFT_EXTENDED
inline namespace layout_on_soft {
#else
inline namespace layout_on_x87 {
#endif

// The angle comes in extended rather than as a double, so that a typed angle with more digits
// than a double holds keeps them in the formula.
LayoutResult ComputeLayout(const AnswerSet& answers, Extended angle) {
    LayoutResult layout{}; // surroundPairSpacing stays 0 unless the surround spacing is free

    const bool spacingFixed = answers.surroundFixed == "Y";
    const bool spacingFree = answers.surroundFixed == "N";
    const Extended h = answers.surroundHeight;

    layout.degree = static_cast<double>(static_cast<Extended>(kPi) / kHalfTurn);
    const Extended degree = layout.degree;

    layout.rearAngle = static_cast<double>((angle - kRightAngle) * degree);
    const Extended rearAngle = layout.rearAngle;

    // Each sine and cosine is taken once: they are exact functions of their arguments, and the
    // formulas below use several of them twice.
    const Extended rearSin = Sine(rearAngle);
    const Extended rearCos = Cosine(rearAngle);
    const Extended frontCos = Cosine(kFrontPairAngle * degree);
    const Extended sideSin = Sine(kSidePairAngle * degree);
    const Extended sideCos = Cosine(kSidePairAngle * degree);

    layout.spacingRadius =
        static_cast<double>(static_cast<Extended>(answers.surroundSpacing) / (2 * rearCos));
    layout.frontBackLimit =
        static_cast<double>(static_cast<Extended>(answers.maxFrontBack) / (rearSin + frontCos));
    layout.sideSideLimit =
        static_cast<double>(static_cast<Extended>(answers.maxSideSide) / (2 * sideSin));
    layout.surroundDistance = static_cast<double>(Root(Square(h) + Square(layout.spacingRadius)));

    // With a free surround spacing L is the smallest of the three limits. The tests overwrite
    // in turn, so a tie yields the common value; a comparison with a not-a-number is false, and
    // if no test holds L stays 0.
    if (spacingFixed) {
        layout.listeningDistance = layout.surroundDistance;
    } else if (spacingFree) {
        const double frontBack = layout.frontBackLimit;
        const double sideSide = layout.sideSideLimit;
        const double surround = layout.surroundDistance;
        if (std::islessequal(frontBack, sideSide) && std::islessequal(frontBack, surround)) {
            layout.listeningDistance = frontBack;
        }
        if (std::islessequal(sideSide, frontBack) && std::islessequal(sideSide, surround)) {
            layout.listeningDistance = sideSide;
        }
        if (std::islessequal(surround, frontBack) && std::islessequal(surround, sideSide)) {
            layout.listeningDistance = surround;
        }
    }
    const Extended distance = layout.listeningDistance;

    layout.surroundRadius = static_cast<double>(Root(Square(distance) - Square(h)));
    const Extended surroundRadius = layout.surroundRadius;

    layout.frontSurroundSpacing =
        static_cast<double>(frontCos * distance + rearSin * surroundRadius);
    layout.frontSideSpacing = static_cast<double>(frontCos * distance - sideCos * distance);
    layout.sidePairSpacing = static_cast<double>((2 * distance) * sideSin);
    layout.frontListenerSpacing = static_cast<double>(frontCos * distance);

    if (spacingFree) {
        layout.surroundPairSpacing = SurroundPairSpacingAt(layout, answers.surroundHeight);
    }
    return layout;
}

// The root is taken again from L and h rather than from the stored surroundRadius, so it enters
// the product unrounded.
double SurroundPairSpacingAt(const LayoutResult& layout, double surroundHeight) {
    const Extended distance = layout.listeningDistance;
    const Extended h = surroundHeight;
    const Extended rearCos = Cosine(static_cast<Extended>(layout.rearAngle));
    return static_cast<double>(2 * Root(Square(distance) - Square(h)) * rearCos);
}

LayoutResult ComputeLayout(const AnswerSet& answers) {
    return ComputeLayout(answers, ParseNumber(answers.surroundAngle));
}

} // namespace layout_on_x87
