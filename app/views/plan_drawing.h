// What every part of the plan draws with: points on the page, its inks, and SVG elements as
// text, with numbers independent of any locale and every text escaped for XML.
#pragma once

#include <string>
#include <string_view>

namespace drawing {

// A point on the page, in SVG user units (pixels at 100 %), y down the page.
struct PagePoint {
    double x;
    double y;
};

constexpr const char* kInk = "#222222";
constexpr const char* kSpeakerFill = "#1f4e9a";
constexpr const char* kOverInk = "#d00000";
constexpr const char* kGuide = "#aaaaaa";

// The value, or 0 when it is not a finite number, so that every coordinate can be drawn.
double Finite(double value);

// A page coordinate with one decimal: 12.25 gives "12.2"; not finite gives "0.0".
std::string Num(double value);

// Text for XML character data and attributes: markup characters as entities,
// control bytes (not allowed in XML) as \xNN. Every text drawn is the program's
// own (labels, the screen's number texts, the answers as read, the version), so
// the bytes above 127 are its own UTF-8 and pass as they are.
std::string Xml(std::string_view text);

// <line .../> from a to b with the given style attributes (see Stroke).
std::string Line(PagePoint a, PagePoint b, const std::string& style);

// <text> at a point; `attributes` may set text-anchor, fill, class, transform ...
std::string Text(PagePoint at, std::string_view text, const std::string& attributes = "");

// stroke="..." stroke-width="..." and, when given, stroke-dasharray="...".
std::string Stroke(const char* colour, double width, const char* dashes = nullptr);

} // namespace drawing
