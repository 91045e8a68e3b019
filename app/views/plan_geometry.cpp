#include "app/views/plan_geometry.h"

#include <cmath>

namespace {

RoomPoint AtAngle(double radians, double distance) {
    return {distance * std::sin(radians), distance * std::cos(radians)};
}

} // namespace

SpeakerPlaces PlaceSpeakers(const LayoutResult& layout) {
    const double front = 30 * layout.degree;
    const double side = 55 * layout.degree;
    const double l = layout.listeningDistance;
    // At 90 + X degrees: sin(90 + X) = cos X across, cos(90 + X) = -sin X behind.
    const double across = layout.surroundRadius * std::cos(layout.rearAngle);
    const double behind = -layout.surroundRadius * std::sin(layout.rearAngle);
    return {AtAngle(-front, l), AtAngle(front, l), AtAngle(-side, l),
            AtAngle(side, l),   {-across, behind}, {across, behind}};
}

MeasuredPair MeasuredBetween(ResultLine line, const SpeakerPlaces& places) {
    const RoomPoint listener{0, 0};
    switch (line) {
    case ResultLine::listeningDistance:
        return {places.frontLeft, places.frontRight, false, 0};
    case ResultLine::sidePairSpacing:
        return {places.sideLeft, places.sideRight, false, 0};
    case ResultLine::surroundPairSpacing:
        return {places.surroundLeft, places.surroundRight, false, 0};
    case ResultLine::frontSideSpacing:
        return {places.frontRight, places.sideRight, true, 1};
    case ResultLine::frontListenerSpacing:
        return {places.frontRight, listener, true, 2};
    case ResultLine::frontSurroundSpacing:
        break;
    }
    return {places.frontRight, places.surroundRight, true, 3};
}
