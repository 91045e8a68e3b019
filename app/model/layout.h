// The speaker layout: from the six answers to the listening distance and the
// spacings the listener measures out.
#pragma once

#include "numtext/numtext.h"

#include <string>

// The six answers, in the order asked.
struct AnswerSet {
    double maxFrontBack;       // largest front-back spacing of front L/R and surround speakers
    double maxSideSide;        // largest side-side spacing of the left-side and right-side speakers
    std::string surroundFixed; // "Y": surroundSpacing is fixed; "N": it is a maximum
    double surroundSpacing;    // surround side-to-side spacing, or its maximum
    double surroundHeight;     // height of the surrounds above the listening position
    std::string surroundAngle; // angle of each surround from straight ahead, degrees, as typed
};

// Every quantity the computation keeps, in the order computed.
struct LayoutResult {
    double degree;               // radians per degree
    double rearAngle;            // radians the surrounds lie behind the side axis
    double spacingRadius;        // surround horizontal distance implied by surroundSpacing
    double frontBackLimit;       // largest listening distance maxFrontBack allows (height ignored)
    double sideSideLimit;        // largest listening distance maxSideSide allows
    double surroundDistance;     // direct surround distance at spacingRadius and the height
    double listeningDistance;    // the chosen distance L; also the front L/R side-side spacing
    double surroundRadius;       // surround horizontal distance at L
    double frontSurroundSpacing; // front-back spacing, front L/R to surrounds
    double frontSideSpacing;     // front-back spacing, front L/R to front sides
    double sidePairSpacing;      // side-side spacing of the front side pair
    double frontListenerSpacing; // front-back spacing, front L/R to the listening position
    double surroundPairSpacing;  // side-side spacing of the surrounds; only for "N", else 0
};

// The layout on the build's extended type. A benchmark links the layout on each type into one
// program (bench/soft_numtext.h), so each has a namespace of its own, inline so that callers
// never name it.
#if ORVANE_SOFT_EXTENDED
inline namespace layout_on_soft {
#else
inline namespace layout_on_x87 {
#endif

// The layout for the answers: pure, no failure; odd answers (0, negative, infinite, not a
// number) go through IEEE arithmetic as they are. Answers 5, 4, "N", 4, 0.5, "120" give
// listeningDistance 2.362908 (decided by the surround spacing) and surroundPairSpacing 4.
LayoutResult ComputeLayout(const AnswerSet& answers);

// The same layout at the angle's value as already read (Answers::angle), so that the
// angle text is parsed once for every use.
LayoutResult ComputeLayout(const AnswerSet& answers, numtext::Extended angle);

// The surrounds' side-to-side spacing at the layout's L, rear angle and the given height:
// 2 sqrt(L^2 - h^2) cos(rearAngle). ComputeLayout stores it as surroundPairSpacing when the
// spacing is free; the marking-out sheet checks it whichever the answer.
double SurroundPairSpacingAt(const LayoutResult& layout, double surroundHeight);

} // namespace layout_on_x87
