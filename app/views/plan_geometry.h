// Where the plan draws things: the speakers' places on the floor and the two
// points each shown spacing is measured between, in the user's own unit.
#pragma once

#include "app/model/layout.h"
#include "app/model/shown_results.h"

// A place seen from above: x to the listener's right, y straight ahead, the
// listening position at (0, 0).
struct RoomPoint {
    double x;
    double y;
};

// Each speaker at its angle from straight ahead and its horizontal distance.
struct SpeakerPlaces {
    RoomPoint frontLeft, frontRight;       // -30 and +30 degrees, at L
    RoomPoint sideLeft, sideRight;         // -55 and +55 degrees, at L
    RoomPoint surroundLeft, surroundRight; // -A and +A degrees, at surroundRadius
};

// A speaker at `degrees` from straight ahead, `distance` away: (distance sin, distance cos).
// The surrounds come out as (+-surroundRadius cos X, -surroundRadius sin X), X being the
// rear angle A - 90, so their spacing is the screen's 2 surroundRadius cos X and their line
// lies surroundRadius sin X behind the listener.
SpeakerPlaces PlaceSpeakers(const LayoutResult& layout);

// The two points a shown spacing is measured between, and along which axis:
//   listeningDistance    front L to front R, across (2 L sin 30 = L)
//   sidePairSpacing      side L to side R, across (2 L sin 55)
//   surroundPairSpacing  surround L to surround R, across (2 surroundRadius cos X)
//   frontListenerSpacing front R to the listening position, front to back (L cos 30)
//   frontSideSpacing     front R to side R, front to back (L cos 30 - L cos 55)
//   frontSurroundSpacing front R to surround R, front to back: from the front pair's line
//                        L cos 30 ahead to the surrounds' line surroundRadius sin X behind
// Front-to-back spacings are drawn beside the plan, in `lane` 1 (nearest) to 3.
struct MeasuredPair {
    RoomPoint from;
    RoomPoint to;
    bool frontToBack; // measured along y; otherwise across, along x
    int lane;         // for front-to-back ones: 1, 2 or 3; 0 for the others
};
MeasuredPair MeasuredBetween(ResultLine line, const SpeakerPlaces& places);
