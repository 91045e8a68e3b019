#include "app/model/shown_results.h"

#include "app/model/screen_texts.h"
#include "numtext/numtext.h"

#include <array>

using numtext::FormatMask;

namespace {

constexpr std::array<std::string_view, 6> kResultKeys = {
    "frontSurroundSpacing", "frontSideSpacing", "frontListenerSpacing",
    "listeningDistance",    "sidePairSpacing",  "surroundPairSpacing",
};

std::size_t Index(ResultLine line) {
    return static_cast<std::size_t>(line);
}

ShownResult Line(ResultLine line, double value) {
    return {line, screen::kResultLabels[Index(line)], value, ShownText(value), false, 0, "", false};
}

ShownResult LimitedLine(ResultLine line, double value, double maximum) {
    ShownResult shown = Line(line, value);
    shown.hasMaximum = true;
    shown.maximum = maximum;
    shown.maximumText = ShownText(maximum);
    shown.over = !(value <= maximum);
    return shown;
}

} // namespace

std::string_view ResultKey(ResultLine line) {
    return kResultKeys[Index(line)];
}

std::string_view ResultMask(double value) {
    return value < 10 ? "0.00" : "00.00";
}

std::string ShownText(double value) {
    return FormatMask(value, ResultMask(value));
}

std::vector<ShownResult> ShownResults(const Answers& answers, const LayoutResult& layout) {
    using enum ResultLine;
    std::vector<ShownResult> lines = {
        LimitedLine(frontSurroundSpacing, layout.frontSurroundSpacing, answers.set.maxFrontBack),
        Line(frontSideSpacing, layout.frontSideSpacing),
        Line(frontListenerSpacing, layout.frontListenerSpacing),
        Line(listeningDistance, layout.listeningDistance),
        LimitedLine(sidePairSpacing, layout.sidePairSpacing, answers.set.maxSideSide),
    };
    if (!answers.spacingFixed) {
        lines.push_back(Line(surroundPairSpacing, layout.surroundPairSpacing));
    }
    return lines;
}
