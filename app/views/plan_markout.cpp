#include "app/views/plan_markout.h"

#include "app/model/markout.h"
#include "app/views/plan_drawing.h"
#include "app/views/plan_geometry.h"
#include "app/views/view_text.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using namespace drawing;

// The table's columns: step, mark, the tape from P, the second tape, its mark, the side.
constexpr double kStepX = 20;
constexpr double kMarkX = 54;
constexpr double kFromListenerX = 126;
constexpr double kFromReferenceX = 264;
constexpr double kReferenceX = 402;
constexpr double kSideX = 458;
constexpr double kRow = 15;
// The drawing: P at its centre, the longer of L and surroundRadius kDrawnRadius from it.
constexpr double kDrawingX = 625;
constexpr double kDrawingDown = 175;
constexpr double kDrawnRadius = 105;
constexpr double kArcLength = 28; // of each tape arc drawn across a mark

const std::string kSmall = "font-size=\"11\"";

std::string Row(double y, const std::vector<std::pair<double, std::string>>& cells,
                const std::string& attributes = kSmall) {
    std::string svg;
    for (const auto& [x, text] : cells) {
        svg += Text({x, y}, text, attributes);
    }
    return svg;
}

std::string Table(const Markout& sheet, LengthUnit unit, double top) {
    std::string svg = Row(top,
                          {{kStepX, "Step"},
                           {kMarkX, "Mark"},
                           {kFromListenerX, "Tape from P"},
                           {kFromReferenceX, "Tape from a mark"},
                           {kReferenceX, "Mark"},
                           {kSideX, "Side"}},
                          kSmall + " font-weight=\"bold\"");
    svg += Row(top + kRow, {{kStepX, "1"}, {kMarkX, "P"}, {kFromListenerX, "below the ears"}});
    for (std::size_t i = 0; i < sheet.marks.size(); ++i) {
        const FloorMark& mark = sheet.marks[i];
        const double y = top + kRow * static_cast<double>(i + 2);
        const bool centre = mark.side == MarkSide::ahead;
        svg += Row(
            y, {{kStepX, std::to_string(i + 2)},
                {kMarkX, std::string(MarkLabel(mark.name))},
                {kFromListenerX, LengthText(mark.fromListener, unit)},
                {kFromReferenceX, centre ? "straight ahead" : LengthText(mark.fromReference, unit)},
                {kReferenceX, centre ? "" : std::string(MarkLabel(mark.reference))},
                {kSideX, std::string(SideKey(mark.side))}});
    }
    return svg;
}

std::string Checks(const Markout& sheet, LengthUnit unit, double top) {
    std::string svg = Text({kStepX, top}, "Check tapes once all marks are down",
                           kSmall + " font-weight=\"bold\"");
    for (std::size_t i = 0; i < sheet.checks.size(); ++i) {
        const CheckTape& check = sheet.checks[i];
        svg += Row(top + kRow * static_cast<double>(i + 1),
                   {{kMarkX, std::string(MarkLabel(check.from)) + " to " +
                                 std::string(MarkLabel(check.to))},
                    {kFromReferenceX - 60, LengthText(check.distance, unit)}});
    }
    return svg;
}

// A short arc of the circle about `centre` through `mark`: the stroke a tape's pencil leaves.
std::string Arc(PagePoint centre, PagePoint mark) {
    const double radius = std::hypot(mark.x - centre.x, mark.y - centre.y);
    if (!(radius >= 1)) {
        return "";
    }
    const double middle = std::atan2(mark.y - centre.y, mark.x - centre.x);
    const double half = std::min(kArcLength / 2 / radius, 0.5);
    const PagePoint from{centre.x + radius * std::cos(middle - half),
                         centre.y + radius * std::sin(middle - half)};
    const PagePoint to{centre.x + radius * std::cos(middle + half),
                       centre.y + radius * std::sin(middle + half)};
    return "<path d=\"M " + Num(from.x) + " " + Num(from.y) + " A " + Num(radius) + " " +
           Num(radius) + " 0 0 1 " + Num(to.x) + " " + Num(to.y) + "\" fill=\"none\" " +
           Stroke(kSpeakerFill, 1.2) + "/>\n";
}

std::string Drawing(const Markout& sheet, const LayoutResult& layout, double top) {
    const PagePoint listener{kDrawingX, top + kDrawingDown};
    const double extent = std::max(std::fabs(Finite(layout.listeningDistance)),
                                   std::fabs(Finite(layout.surroundRadius)));
    const double scale = extent > 0 ? kDrawnRadius / extent : 1;
    const SpeakerPlaces places = PlaceSpeakers(layout);
    const std::map<MarkName, RoomPoint> rooms = {
        {MarkName::centre, {0, layout.listeningDistance}},
        {MarkName::frontL, places.frontLeft},
        {MarkName::frontR, places.frontRight},
        {MarkName::sideL, places.sideLeft},
        {MarkName::sideR, places.sideRight},
        {MarkName::surroundL, places.surroundLeft},
        {MarkName::surroundR, places.surroundRight},
    };
    const auto page = [&](MarkName name) {
        const RoomPoint room = rooms.at(name);
        return PagePoint{listener.x + Finite(room.x) * scale, listener.y - Finite(room.y) * scale};
    };
    std::string svg = Line({listener.x, listener.y + 20},
                           {listener.x, listener.y - kDrawnRadius - 20}, Stroke(kGuide, 1, "4 3")) +
                      Text({listener.x + 4, listener.y - kDrawnRadius - 22}, "centre line",
                           kSmall + " fill=\"#666666\"");
    for (std::size_t i = 0; i < sheet.marks.size(); ++i) {
        const FloorMark& mark = sheet.marks[i];
        const PagePoint at = page(mark.name);
        svg += Arc(listener, at);
        if (mark.side != MarkSide::ahead) {
            svg += Arc(page(mark.reference), at);
        }
        svg += "<circle cx=\"" + Num(at.x) + "\" cy=\"" + Num(at.y) + "\" r=\"3\" fill=\"" + kInk +
               "\"/>\n";
        const double outward = at.x >= listener.x ? 8 : -8;
        svg += Text({at.x + outward, at.y - 5}, std::to_string(i + 2),
                    kSmall + (outward < 0 ? " text-anchor=\"end\"" : ""));
    }
    svg += "<circle cx=\"" + Num(listener.x) + "\" cy=\"" + Num(listener.y) +
           "\" r=\"4\" fill=\"white\" " + Stroke(kInk, 1.5) + "/>\n" +
           Text({listener.x + 8, listener.y + 14}, "P (1)", kSmall);
    return svg;
}

} // namespace

std::string MarkoutPartSvg(const Answers& answers, const LayoutResult& layout, LengthUnit unit,
                           double top) {
    const Markout sheet = ComputeMarkout(answers.set, layout);
    std::string title = "Marking out with a tape";
    if (unit != LengthUnit::none) {
        title += " (lengths in " + std::string(UnitName(unit)) + ")";
    }
    std::string svg = "<g id=\"markout\">\n" + Text({20, top}, title, "font-weight=\"bold\"");
    const double tableTop = top + 24;
    if (!sheet.marks.empty()) {
        const double checksTop = tableTop + kRow * static_cast<double>(sheet.marks.size() + 3);
        const double endTop = checksTop + kRow * static_cast<double>(sheet.checks.size() + 2);
        svg += Table(sheet, unit, tableTop) + Checks(sheet, unit, checksTop);
        std::string heights = "Front and side speakers at ear height";
        if (sheet.note == MarkoutNote::none) {
            const double h = sheet.surroundHeight;
            heights += "; surrounds " + LengthText(std::fabs(h), unit) +
                       (h < 0 ? " below it, " : " above it, ") +
                       DegreesText(sheet.surroundElevation) + "\u00b0 from the ears";
        }
        svg += Text({kStepX, endTop}, heights + ".", kSmall);
        svg += Text({kStepX, endTop + kRow},
                    "Receiver: every channel's distance " +
                        LengthText(sheet.receiverDistance, unit) + ".",
                    kSmall);
        svg += Drawing(sheet, layout, top);
    }
    if (sheet.note != MarkoutNote::none) {
        svg += Text({kStepX, sheet.marks.empty() ? tableTop : top + kMarkoutPartHeight - 20},
                    MarkoutNoteText(sheet.note), kSmall + " class=\"markout-note\"");
    }
    return svg + "</g>\n";
}
