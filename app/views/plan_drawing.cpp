#include "app/views/plan_drawing.h"

#include "app/views/view_text.h"

#include <charconv>
#include <cmath>

namespace drawing {

double Finite(double value) {
    return std::isfinite(value) ? value : 0;
}

std::string Num(double value) {
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, Finite(value), std::chars_format::fixed, 1);
    return std::string(digits, end.ptr);
}

std::string Xml(std::string_view text) {
    std::string xml;
    for (const char c : ShownBytes(text)) {
        if (c == '&') {
            xml += "&amp;";
        } else if (c == '<') {
            xml += "&lt;";
        } else if (c == '>') {
            xml += "&gt;";
        } else if (c == '"') {
            xml += "&quot;";
        } else {
            xml += c;
        }
    }
    return xml;
}

std::string Line(PagePoint a, PagePoint b, const std::string& style) {
    return "<line x1=\"" + Num(a.x) + "\" y1=\"" + Num(a.y) + "\" x2=\"" + Num(b.x) + "\" y2=\"" +
           Num(b.y) + "\" " + style + "/>\n";
}

std::string Text(PagePoint at, std::string_view text, const std::string& attributes) {
    return "<text x=\"" + Num(at.x) + "\" y=\"" + Num(at.y) + "\" " + attributes + ">" + Xml(text) +
           "</text>\n";
}

std::string Stroke(const char* colour, double width, const char* dashes) {
    std::string style =
        "stroke=\"" + std::string(colour) + "\" stroke-width=\"" + Num(width) + "\"";
    if (dashes != nullptr) {
        style += " stroke-dasharray=\"" + std::string(dashes) + "\"";
    }
    return style;
}

} // namespace drawing
