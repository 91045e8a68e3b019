// The answers and results as one JSON object, for scripts.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"
#include "app/model/length_unit.h"

#include <string>
#include <string_view>

// The answers as given and as read, `tool` the name and version
// (VersionText without its newline). The object, keys in screen order:
//   {"tool": "orvane 6.0, build 1.0.0",
//    "answers": {"maxFrontBack": {"question": "Maximum front-back ...?", "given": "5",
//                                 "read": 5}, ... "surroundFixed": {..., "read": "N"} ...},
//    "listeningDistance": 2.362907813126304,
//    "results": {"frontSurroundSpacing": {"label": "Front-back spacing ...",
//                "value": 3.2010..., "text": "3.20", "maximum": 5, "over": false}, ...},
//    "markout": {"unit": "ft" or null,
//                "marks": [{"name": "centre", "fromListener": {"value": 2.36..., "text": "2.36",
//                           "feetInches": "2' 4 3/8\""}, "reference": null,
//                           "fromReference": null, "side": null},
//                          {"name": "frontL", ..., "reference": "centre",
//                           "fromReference": {...}, "side": "left"}, ...],
//                "checks": [{"between": ["frontL", "frontR"], "distance": {...}}, ...],
//                "surroundElevation": {"value": 12.2..., "text": "12.2"},
//                "receiverDistance": {...}, "note": "..." (only when something is left out)}}
// (ComputeMarkout; "feetInches" with ft and in only, surroundElevation and receiverDistance null
// where the sheet has no surrounds or no marks).
// Numbers are the shortest decimals that read back to the same doubles; one that is
// not finite (infinity, not-a-number) is written as null, its "text" kept as the screen
// shows it. Texts are JSON strings: valid UTF-8 is written as its characters, a control
// byte or a byte above 127 that is no part of a UTF-8 character as \u00NN (the byte's own
// number), so the output is valid UTF-8 whatever was given. Labels and questions are the screen's
// without their leading blanks.
std::string LayoutJson(const Answers& answers, const LayoutResult& layout, std::string_view tool,
                       LengthUnit unit = LengthUnit::none);
