#include "app/views/markout_text.h"

#include "app/model/markout.h"
#include "app/views/view_text.h"

#include <algorithm>

namespace {

std::string Step(std::size_t number, const std::string& text) {
    return (number < 10 ? " " : "") + std::to_string(number) + ". " + text + "\n";
}

std::string MarkStep(const FloorMark& mark, LengthUnit unit) {
    std::string text =
        std::string(MarkLabel(mark.name)) + ": " + LengthText(mark.fromListener, unit) + " from P";
    if (mark.side == MarkSide::ahead) {
        return text + ", straight ahead.";
    }
    const std::string reference(MarkLabel(mark.reference));
    return text + " and " + LengthText(mark.fromReference, unit) + " from " + reference + ", " +
           std::string(SideKey(mark.side)) + " of the line from P through " + reference + ".";
}

std::string CheckRows(const Markout& sheet, LengthUnit unit) {
    std::vector<std::string> pairs;
    for (const CheckTape& check : sheet.checks) {
        pairs.push_back(std::string(MarkLabel(check.from)) + " to " +
                        std::string(MarkLabel(check.to)));
    }
    std::size_t width = 0;
    for (const std::string& pair : pairs) {
        width = std::max(width, pair.size());
    }
    std::string rows = "Check tapes once all marks are down:\n";
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        rows += "   " + pairs[i] + std::string(width + 2 - pairs[i].size(), ' ') +
                LengthText(sheet.checks[i].distance, unit) + "\n";
    }
    return rows;
}

std::string HeightLine(const Markout& sheet, LengthUnit unit) {
    std::string line = "Heights: the front and side speakers at ear height";
    if (sheet.note == MarkoutNote::surroundsLeftOut) {
        return line + ".\n";
    }
    const double h = sheet.surroundHeight;
    return line + ", the surrounds " + LengthText(h < 0 ? -h : h, unit) +
           (h < 0 ? " below it" : " above it") + " (" + DegreesText(sheet.surroundElevation) +
           "\u00b0 from the listener's ears).\n";
}

} // namespace

std::string MarkoutText(const Answers& answers, const LayoutResult& layout, LengthUnit unit) {
    const Markout sheet = ComputeMarkout(answers.set, layout);
    std::string text = "Marking out with a tape";
    if (unit != LengthUnit::none) {
        text += " (lengths in " + std::string(UnitName(unit)) + ")";
    }
    text += "\n\n";
    if (sheet.note != MarkoutNote::none) {
        text += std::string(MarkoutNoteText(sheet.note)) + "\n\n";
    }
    if (sheet.marks.empty()) {
        return text;
    }
    text += Step(1, "P: mark the floor below the listener's ears.");
    for (std::size_t i = 0; i < sheet.marks.size(); ++i) {
        text += Step(i + 2, MarkStep(sheet.marks[i], unit));
    }
    text += "\n" + CheckRows(sheet, unit) + "\n" + HeightLine(sheet, unit);
    return text + "Receiver: set every channel's distance to " +
           LengthText(sheet.receiverDistance, unit) + ".\n";
}
