#include "app/views/plan_view.h"

#include "app/model/shown_results.h"
#include "app/views/plan_drawing.h"
#include "app/views/plan_geometry.h"
#include "app/views/plan_markout.h"
#include "app/views/view_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace drawing;

// The page, in SVG user units (pixels at 100 %).
constexpr int kWidth = 760;
constexpr int kHeight = 1280;
// Top view: the listening position at the centre, the larger of L and surroundRadius
// drawn kPlanRadius from it; front-to-back dimensions in lanes to the right.
constexpr double kCentreX = 320;
constexpr double kCentreY = 330;
constexpr double kPlanRadius = 210;
constexpr double kFirstLane = kCentreX + kPlanRadius + 100;
constexpr double kLaneGap = 40;
// Side view: the listener at kSideX on the ear-level line, front to the right.
constexpr double kSideX = 520;
constexpr double kSideTop = 640;
constexpr double kSideRise = 150;   // room above (or below) the ear line for the height
constexpr double kSideBehind = 420; // room to the left for the surround's horizontal distance
constexpr double kSideAhead = 200;  // and to the right, where a negative distance puts it
// Below the side view, the marking-out part, then the caption.
constexpr double kMarkoutTop = 870;
constexpr double kCaptionTop = kMarkoutTop + kMarkoutPartHeight;

std::string Rotated(PagePoint at) {
    return "transform=\"rotate(-90 " + Num(at.x) + " " + Num(at.y) + ")\"";
}

// Room units to the top view's page: x to the right, straight ahead up the page.
struct TopView {
    double scale;
    PagePoint Page(RoomPoint p) const {
        return {kCentreX + Finite(p.x) * scale, kCentreY - Finite(p.y) * scale};
    }
};

// The larger of two lengths that can be drawn, or 1 when neither can (0, infinite,
// not a number), so that every page coordinate is a finite number.
double DrawnExtent(double a, double b) {
    const double extent = std::max(std::fabs(Finite(a)), std::fabs(Finite(b)));
    return extent > 0 ? extent : 1;
}

std::string Speaker(const TopView& view, RoomPoint place, const std::string& name) {
    const PagePoint p = view.Page(place);
    double dx = p.x - kCentreX;
    double dy = p.y - kCentreY;
    const double length = std::hypot(dx, dy);
    if (length < 1) {
        dx = 0, dy = -1; // at the listening position: label above
    } else {
        dx /= length, dy /= length;
    }
    const char* anchor = dx > 0.35 ? "start" : dx < -0.35 ? "end" : "middle";
    return Line({kCentreX, kCentreY}, p, Stroke("#cccccc", 1)) + "<g class=\"speaker\">\n" +
           "<circle cx=\"" + Num(p.x) + "\" cy=\"" + Num(p.y) + "\" r=\"7\" fill=\"" +
           kSpeakerFill + "\"/>\n" +
           Text({p.x + dx * 16, p.y + dy * 16 + 4}, name,
                "text-anchor=\"" + std::string(anchor) + "\"") +
           "</g>\n";
}

// One shown spacing as a dimension line between its two points, with short
// ticks at its ends and the screen's text; red, dashed and marked when over.
std::string Dimension(const TopView& view, const ShownResult& line, const SpeakerPlaces& places) {
    const MeasuredPair pair = MeasuredBetween(line.line, places);
    const PagePoint a = view.Page(pair.from);
    const PagePoint b = view.Page(pair.to);
    const char* ink = line.over ? kOverInk : kInk;
    const std::string style = Stroke(ink, line.over ? 2 : 1.2, line.over ? "6 4" : nullptr);
    const std::string fill = "fill=\"" + std::string(ink) + "\"";
    const std::string overMark = "over max " + line.maximumText;
    std::string svg = "<g class=\"dimension\" data-key=\"" + std::string(ResultKey(line.line)) +
                      "\" data-over=\"" + (line.over ? "true" : "false") + "\">\n";
    if (pair.frontToBack) {
        const double x = kFirstLane + (pair.lane - 1) * kLaneGap;
        const PagePoint middle{x - 6, (a.y + b.y) / 2};
        svg += Line(a, {x + 5, a.y}, Stroke(kGuide, 0.8, "3 3"));
        svg += Line(b, {x + 5, b.y}, Stroke(kGuide, 0.8, "3 3"));
        svg += Line({x, a.y}, {x, b.y}, style);
        svg += Line({x - 5, a.y}, {x + 5, a.y}, style) + Line({x - 5, b.y}, {x + 5, b.y}, style);
        svg += Text(middle, line.text,
                    "class=\"dimension-label\" text-anchor=\"middle\" " + fill + " " +
                        Rotated(middle));
        if (line.over) {
            const PagePoint beside{x + 16, middle.y};
            svg +=
                Text(beside, overMark,
                     "class=\"over-mark\" text-anchor=\"middle\" " + fill + " " + Rotated(beside));
        }
    } else {
        // Labels outside the pair: above the pairs ahead, below those behind.
        const double outward = pair.from.y >= 0 || !std::isfinite(pair.from.y) ? -1 : 1;
        const PagePoint label{(a.x + b.x) / 2, a.y + (outward < 0 ? -8 : 18)};
        svg += Line(a, b, style);
        svg += Line({a.x, a.y - 5}, {a.x, a.y + 5}, style) +
               Line({b.x, b.y - 5}, {b.x, b.y + 5}, style);
        svg += Text(label, line.text, "class=\"dimension-label\" text-anchor=\"middle\" " + fill);
        if (line.over) {
            // On the other side of the line, so that the value reads first.
            svg += Text({label.x, a.y + (outward < 0 ? 18 : -8)}, overMark,
                        "class=\"over-mark\" text-anchor=\"middle\" " + fill);
        }
    }
    return svg + "</g>\n";
}

std::string TopViewSvg(const Answers& answers, const LayoutResult& layout) {
    const TopView view{kPlanRadius / DrawnExtent(layout.listeningDistance, layout.surroundRadius)};
    const SpeakerPlaces places = PlaceSpeakers(layout);
    const double circle = std::fabs(Finite(layout.listeningDistance)) * view.scale;
    const std::string angle = ShortestText(answers.angleRead);
    std::string svg = "<g id=\"top-view\">\n";
    svg += Text({20, 30}, "Top view", "font-weight=\"bold\"");
    svg += Line({kCentreX, 80}, {kCentreX, 56}, Stroke(kInk, 1.2)) + "<path d=\"M " +
           Num(kCentreX - 5) + " 62 L " + Num(kCentreX) + " 52 L " + Num(kCentreX + 5) +
           " 62 Z\" fill=\"" + kInk + "\"/>\n" + Text({kCentreX + 10, 66}, "front");
    svg += "<circle class=\"listening-circle\" cx=\"" + Num(kCentreX) + "\" cy=\"" + Num(kCentreY) +
           "\" r=\"" + Num(circle) + "\" fill=\"none\" " + Stroke(kGuide, 1, "2 4") + "/>\n";
    svg += Text({kCentreX, kCentreY + circle + 18}, "circle of the listening distance",
                "text-anchor=\"middle\" fill=\"#666666\"");
    // Dimensions first, so that the speakers stand on top of their ends.
    for (const ShownResult& line : ShownResults(answers, layout)) {
        svg += Dimension(view, line, places);
    }
    svg += Speaker(view, places.frontLeft, "front L 30\u00b0");
    svg += Speaker(view, places.frontRight, "front R 30\u00b0");
    svg += Speaker(view, places.sideLeft, "side L 55\u00b0");
    svg += Speaker(view, places.sideRight, "side R 55\u00b0");
    svg += Speaker(view, places.surroundLeft, "surround L " + angle + "\u00b0");
    svg += Speaker(view, places.surroundRight, "surround R " + angle + "\u00b0");
    svg += "<circle cx=\"" + Num(kCentreX) + "\" cy=\"" + Num(kCentreY) +
           "\" r=\"6\" fill=\"white\" " + Stroke(kInk, 2) + "/>\n" +
           Text({kCentreX, kCentreY + 22}, "listening position", "text-anchor=\"middle\"");
    return svg + "</g>\n";
}

// Seen from the side, front to the right: the listener's ears at kSideX on the
// ear-level line, a surround surroundRadius behind (to the left) and h above, and
// the slanted line between them, whose length is L.
std::string SideViewSvg(const AnswerSet& answers, const LayoutResult& layout) {
    const double r = Finite(layout.surroundRadius);
    const double h = Finite(answers.surroundHeight);
    const double across =
        std::fabs(r) > 0 ? (r > 0 ? kSideBehind : kSideAhead) / std::fabs(r) : INFINITY;
    const double up = std::fabs(h) > 0 ? kSideRise / std::fabs(h) : INFINITY;
    const double scale = std::isfinite(std::min(across, up)) ? std::min(across, up) : 1;
    const double ear = h >= 0 ? kSideTop + kSideRise : kSideTop;
    const PagePoint listener{kSideX, ear};
    const PagePoint surround{kSideX - r * scale, ear - h * scale};
    const PagePoint foot{surround.x, ear};
    const double left = std::min(surround.x, listener.x);
    const double right = std::max(surround.x, listener.x);
    const bool behind = surround.x <= listener.x;
    std::string svg = "<g id=\"side-view\">\n";
    svg += Text({20, kSideTop - 30}, "Side view: a surround speaker", "font-weight=\"bold\"");
    svg += Line({left - 30, ear}, {right + 30, ear}, Stroke(kGuide, 1, "2 4"));
    // Where the line is free: beyond the listener, or before it when the surround is ahead.
    svg += behind ? Text({right + 40, ear + 4}, "ear height, front \u2192", "fill=\"#666666\"")
                  : Text({left - 40, ear + 4}, "ear height, front \u2192",
                         "text-anchor=\"end\" fill=\"#666666\"");
    svg += Line(listener, surround, "class=\"slant\" " + Stroke(kInk, 1.5));
    svg +=
        Text({(listener.x + surround.x) / 2 + 6, (listener.y + surround.y) / 2 - 8},
             "listening distance " + ShownText(layout.listeningDistance), "text-anchor=\"start\"");
    svg += Line(surround, foot, Stroke(kInk, 1.2));
    // The height beside its line, on the side away from the listener.
    svg += Text({surround.x + (behind ? -8 : 8), (surround.y + ear) / 2 + 4},
                "height " + ShownText(answers.surroundHeight),
                behind ? "text-anchor=\"end\"" : "text-anchor=\"start\"");
    svg += Line({listener.x, ear + 18}, {foot.x, ear + 18}, Stroke(kInk, 1.2));
    svg += Line({listener.x, ear + 13}, {listener.x, ear + 23}, Stroke(kInk, 1.2)) +
           Line({foot.x, ear + 13}, {foot.x, ear + 23}, Stroke(kInk, 1.2));
    svg +=
        Text({(listener.x + foot.x) / 2, ear + 36},
             "horizontal distance " + ShownText(layout.surroundRadius), "text-anchor=\"middle\"");
    svg += "<circle cx=\"" + Num(surround.x) + "\" cy=\"" + Num(surround.y) + "\" r=\"7\" fill=\"" +
           kSpeakerFill + "\"/>\n";
    svg += "<circle cx=\"" + Num(listener.x) + "\" cy=\"" + Num(listener.y) +
           "\" r=\"6\" fill=\"white\" " + Stroke(kInk, 2) + "/>\n";
    return svg + "</g>\n";
}

bool AllFinite(const AnswerSet& answers, const LayoutResult& layout) {
    const SpeakerPlaces p = PlaceSpeakers(layout);
    for (const RoomPoint& point :
         {p.frontLeft, p.frontRight, p.sideLeft, p.sideRight, p.surroundLeft, p.surroundRight}) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            return false;
        }
    }
    return std::isfinite(answers.surroundHeight) && std::isfinite(layout.listeningDistance);
}

std::string Caption(const Answers& answers, const LayoutResult& layout, std::string_view tool) {
    const AnswerSet& set = answers.set;
    const std::string read = ShortestText(set.maxFrontBack) + ", " + ShortestText(set.maxSideSide) +
                             ", " + set.surroundFixed + ", " + ShortestText(set.surroundSpacing) +
                             ", " + ShortestText(set.surroundHeight) + ", " +
                             ShortestText(answers.angleRead);
    std::vector<std::string> lines = {
        "Answers " + read + ". Lengths in the unit of the answers, each view to scale.",
        std::string(tool)};
    if (layout.surroundRadius < 0) {
        lines.push_back("The surround height exceeds the listening distance: the surrounds are "
                        "drawn where the formulas put them.");
    }
    if (!AllFinite(set, layout)) {
        lines.push_back("Some positions are not finite numbers and are drawn at the listening "
                        "position.");
    }
    std::string svg = "<g class=\"caption\">\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        svg += Text({20, kCaptionTop + 20 * static_cast<double>(i)}, lines[i]);
    }
    return svg + "</g>\n";
}

} // namespace

std::string PlanSvg(const Answers& answers, const LayoutResult& layout, std::string_view tool,
                    LengthUnit unit) {
    const std::string size = "width=\"" + std::to_string(kWidth) + "\" height=\"" +
                             std::to_string(kHeight) + "\" viewBox=\"0 0 " +
                             std::to_string(kWidth) + " " + std::to_string(kHeight) + "\"";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" " +
           size + " font-family=\"sans-serif\" font-size=\"13\" fill=\"" + kInk + "\">\n" +
           "<title>Speaker layout: " + Xml(tool) + "</title>\n" + "<rect width=\"" +
           std::to_string(kWidth) + "\" height=\"" + std::to_string(kHeight) +
           "\" fill=\"white\"/>\n" + TopViewSvg(answers, layout) +
           SideViewSvg(answers.set, layout) + MarkoutPartSvg(answers, layout, unit, kMarkoutTop) +
           Caption(answers, layout, tool) + "</svg>\n";
}
