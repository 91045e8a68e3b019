#include "app/shown_results.h"

#include "app/results_screen.h"
#include "app/screen_texts.h"
#include "numtext/numtext.h"

using numtext::FormatMask;

namespace {

ShownResult Line(std::string_view key, std::size_t line, double value) {
    return {key, screen::kResultLabels[line], value, ShownText(value), false, 0, false};
}

ShownResult LimitedLine(std::string_view key, std::size_t line, double value, double maximum) {
    ShownResult shown = Line(key, line, value);
    shown.hasMaximum = true;
    shown.maximum = maximum;
    shown.over = !(value <= maximum);
    return shown;
}

} // namespace

std::string ShownText(double value) {
    return FormatMask(value, ResultMask(value));
}

std::vector<ShownResult> ShownResults(const AnswerSet& answers, const LayoutResult& layout) {
    std::vector<ShownResult> lines = {
        LimitedLine("frontSurroundSpacing", 0, layout.frontSurroundSpacing, answers.maxFrontBack),
        Line("frontSideSpacing", 1, layout.frontSideSpacing),
        Line("frontListenerSpacing", 2, layout.frontListenerSpacing),
        Line("listeningDistance", 3, layout.listeningDistance),
        LimitedLine("sidePairSpacing", 4, layout.sidePairSpacing, answers.maxSideSide),
    };
    if (answers.surroundFixed == "N") {
        lines.push_back(Line("surroundPairSpacing", 5, layout.surroundPairSpacing));
    }
    return lines;
}
