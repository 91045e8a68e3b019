#include "app/views/json_view.h"

#include "app/model/markout.h"
#include "app/model/screen_texts.h"
#include "app/model/shown_results.h"
#include "app/views/view_text.h"

#include <cmath>
#include <vector>

namespace {

using namespace screen;

// The length of the well-formed UTF-8 sequence of two to four bytes that `text`
// starts with, 0 when it starts with none (an ASCII byte, a stray continuation
// byte, an overlong form, a surrogate or a code point above U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const std::size_t length = byte(0) >= 0xf0 ? 4 : byte(0) >= 0xe0 ? 3 : byte(0) >= 0xc2 ? 2 : 0;
    if (length == 0 || byte(0) > 0xf4 || text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) {
            return 0;
        }
    }
    // The second byte's range rules out the overlong forms, the surrogates and
    // whatever lies beyond U+10FFFF.
    const unsigned char second = byte(1);
    const bool inRange = (byte(0) != 0xe0 || second >= 0xa0) &&
                         (byte(0) != 0xed || second < 0xa0) &&
                         (byte(0) != 0xf0 || second >= 0x90) && (byte(0) != 0xf4 || second < 0x90);
    return inRange ? length : 0;
}

// Characters written as they are where the text is valid UTF-8 (an angle typed
// with its degree sign reads back as typed); control bytes and bytes that form
// no character as \u00NN, so the output stays valid JSON whatever was given.
std::string JsonString(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    while (!text.empty()) {
        const char c = text.front();
        const auto byte = static_cast<unsigned char>(c);
        const std::size_t sequence = Utf8SequenceLength(text);
        if (sequence > 0) {
            json += text.substr(0, sequence);
            text.remove_prefix(sequence);
            continue;
        }
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0xf];
        } else {
            json += c;
        }
        text.remove_prefix(1);
    }
    return json + "\"";
}

std::string JsonNumber(double value) {
    return std::isfinite(value) ? ShortestText(value) : "null";
}

std::string_view WithoutIndent(std::string_view label) {
    return label.substr(label.find_first_not_of(' '));
}

std::string Member(std::string_view key, const std::string& value) {
    return JsonString(key) + ": " + value;
}

// The members in braces: with no indent on one line ({"a": 1, "b": 2}), otherwise one
// member a line at `indent` blanks and the closing brace two blanks less.
std::string Object(const std::vector<std::string>& members, std::size_t indent = 0) {
    const std::string before = indent == 0 ? "" : "\n" + std::string(indent, ' ');
    const std::string between = indent == 0 ? ", " : ",";
    std::string json = "{";
    for (std::size_t i = 0; i < members.size(); ++i) {
        json += (i == 0 ? "" : between) + before + members[i];
    }
    return json + (indent == 0 ? "" : "\n" + std::string(indent - 2, ' ')) + "}";
}

std::string Answer(std::string_view prompt, const std::string& given, const std::string& read) {
    return Object({Member("question", JsonString(WithoutIndent(prompt))),
                   Member("given", JsonString(given)), Member("read", read)});
}

std::string Result(const ShownResult& line) {
    std::vector<std::string> members = {Member("label", JsonString(WithoutIndent(line.label))),
                                        Member("value", JsonNumber(line.value)),
                                        Member("text", JsonString(line.text))};
    if (line.hasMaximum) {
        members.push_back(Member("maximum", JsonNumber(line.maximum)));
    }
    members.push_back(Member("over", line.over ? "true" : "false"));
    return Object(members);
}

// The elements in brackets, one a line at `indent` blanks.
std::string Array(const std::vector<std::string>& elements, std::size_t indent) {
    std::string json = "[";
    for (std::size_t i = 0; i < elements.size(); ++i) {
        json += (i == 0 ? "\n" : ",\n") + std::string(indent, ' ') + elements[i];
    }
    return json + (elements.empty() ? "" : "\n" + std::string(indent - 2, ' ')) + "]";
}

std::string Length(double value, LengthUnit unit) {
    std::vector<std::string> members = {Member("value", JsonNumber(value)),
                                        Member("text", JsonString(ShownText(value)))};
    const std::string feetInches = FeetAndInches(value, unit);
    if (!feetInches.empty()) {
        members.push_back(Member("feetInches", JsonString(feetInches)));
    }
    return Object(members);
}

std::string MarkJson(const FloorMark& mark, LengthUnit unit) {
    const bool centre = mark.side == MarkSide::ahead;
    return Object({Member("name", JsonString(MarkKey(mark.name))),
                   Member("fromListener", Length(mark.fromListener, unit)),
                   Member("reference", centre ? "null" : JsonString(MarkKey(mark.reference))),
                   Member("fromReference", centre ? "null" : Length(mark.fromReference, unit)),
                   Member("side", centre ? "null" : JsonString(SideKey(mark.side)))});
}

std::string MarkoutJson(const Answers& answers, const LayoutResult& layout, LengthUnit unit) {
    const Markout sheet = ComputeMarkout(answers.set, layout);
    std::vector<std::string> marks;
    for (const FloorMark& mark : sheet.marks) {
        marks.push_back(MarkJson(mark, unit));
    }
    std::vector<std::string> checks;
    for (const CheckTape& check : sheet.checks) {
        checks.push_back(Object({Member("between", "[" + JsonString(MarkKey(check.from)) + ", " +
                                                       JsonString(MarkKey(check.to)) + "]"),
                                 Member("distance", Length(check.distance, unit))}));
    }
    const bool surrounds = !sheet.marks.empty() && sheet.note == MarkoutNote::none;
    std::vector<std::string> members = {
        Member("unit", unit == LengthUnit::none ? "null" : JsonString(UnitName(unit))),
        Member("marks", Array(marks, 6)),
        Member("checks", Array(checks, 6)),
        Member("surroundElevation",
               surrounds
                   ? Object({Member("value", JsonNumber(sheet.surroundElevation)),
                             Member("text", JsonString(DegreesText(sheet.surroundElevation)))})
                   : "null"),
        Member("receiverDistance",
               sheet.marks.empty() ? "null" : Length(sheet.receiverDistance, unit)),
    };
    if (sheet.note != MarkoutNote::none) {
        members.push_back(Member("note", JsonString(MarkoutNoteText(sheet.note))));
    }
    return Object(members, 4);
}

} // namespace

std::string LayoutJson(const Answers& answers, const LayoutResult& layout, std::string_view tool,
                       LengthUnit unit) {
    const std::string_view spacingPrompt =
        answers.spacingFixed ? kFixedSpacingPrompt : kMaximumSpacingPrompt;
    const AnswerTexts& given = answers.given;
    const AnswerSet& read = answers.set;
    const std::vector<std::string> answerMembers = {
        Member("maxFrontBack", Answer(kFrontBackPrompt, given[0], JsonNumber(read.maxFrontBack))),
        Member("maxSideSide", Answer(kSideSidePrompt, given[1], JsonNumber(read.maxSideSide))),
        Member("surroundFixed", Answer(kFixedPrompt, given[2], JsonString(read.surroundFixed))),
        Member("surroundSpacing",
               Answer(spacingPrompt, given[3], JsonNumber(read.surroundSpacing))),
        Member("surroundHeight", Answer(kHeightPrompt, given[4], JsonNumber(read.surroundHeight))),
        Member("surroundAngle", Answer(kAnglePrompt, given[5], JsonNumber(answers.angleRead))),
    };
    std::vector<std::string> resultMembers;
    for (const ShownResult& line : ShownResults(answers, layout)) {
        resultMembers.push_back(Member(ResultKey(line.line), Result(line)));
    }
    return Object({Member("tool", JsonString(tool)), Member("answers", Object(answerMembers, 4)),
                   Member("listeningDistance", JsonNumber(layout.listeningDistance)),
                   Member("results", Object(resultMembers, 4)),
                   Member("markout", MarkoutJson(answers, layout, unit))},
                  2) +
           "\n";
}
