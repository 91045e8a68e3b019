#include "app/questionnaire.h"

#include "app/screen_texts.h"
#include "console/addon_call.h"
#include "console/console.h"
#include "numtext/numtext.h"

#include <string>

using numtext::Extended;
using numtext::ParseNumber;

namespace {

using namespace screen;

const Extended kSmallestAngle = 110;
const Extended kLargestAngle = 145;

// Prompt where the cursor is, answer at column 73 of answerRow.
std::string Ask(std::string_view prompt, int answerRow) {
    SetColor(kPromptColour, kBackground);
    PrintText(prompt);
    NewLine();
    SetColor(kAnswerColour, kBackground);
    Locate(answerRow, kAnswerColumn);
    return LineInput();
}

// Beep, box, and the refused answer's echo blanked cell for cell (the blanks
// wrap just as the answer did).
void Refuse(std::string_view message, int answerRow, const std::string& refused) {
    AlertBeep();
    ShowMessageBox(message, kErrorTitle);
    Locate(answerRow, kAnswerColumn);
    PrintText(std::string(refused.size(), ' '));
    NewLine();
}

std::string AsTyped(std::string answer) {
    return answer;
}

// The question on `row` (from column 1, the prompt printed over itself) until
// the answer, as `normalise` stores it, passes `accepted`.
std::string AskUntilAccepted(std::string_view prompt, int row, std::string_view error,
                             std::string (*normalise)(std::string),
                             bool (*accepted)(std::string_view)) {
    for (;;) {
        Locate(row, 0);
        std::string answer = normalise(Ask(prompt, row));
        if (accepted(answer)) {
            return answer;
        }
        Refuse(error, row, answer);
    }
}

double Number(const std::string& answer) {
    return static_cast<double>(ParseNumber(answer));
}

} // namespace

std::string NormalisedYesNo(std::string answer) {
    if (answer == "y") {
        return "Y";
    }
    if (answer == "n") {
        return "N";
    }
    return answer;
}

bool YesNoAccepted(std::string_view stored) {
    return stored == "Y" || stored == "N";
}

bool AngleAccepted(std::string_view text) {
    const Extended angle = ParseNumber(text);
    if (angle < kSmallestAngle) {
        return false;
    }
    return angle <= kLargestAngle;
}

AnswerSet ReadAnswers(const std::array<std::string, 6>& texts) {
    AnswerSet answers{};
    answers.maxFrontBack = Number(texts[0]);
    answers.maxSideSide = Number(texts[1]);
    answers.surroundFixed = texts[2];
    answers.surroundSpacing = Number(texts[3]);
    answers.surroundHeight = Number(texts[4]);
    answers.surroundAngle = texts[5];
    return answers;
}

AnswerSet AskQuestions() {
    const int firstRow = CursorRow();
    const std::string frontBack = Ask(kFrontBackPrompt, firstRow);
    const std::string sideSide = Ask(kSideSidePrompt, firstRow + 1);

    const int fixedRow = CursorRow();
    const std::string fixed =
        AskUntilAccepted(kFixedPrompt, fixedRow, kYesNoError, NormalisedYesNo, YesNoAccepted);
    const std::string spacing =
        Ask(fixed == "Y" ? kFixedSpacingPrompt : kMaximumSpacingPrompt, fixedRow + 1);
    const std::string height = Ask(kHeightPrompt, fixedRow + 2);

    const int angleRow = CursorRow();
    const std::string angle =
        AskUntilAccepted(kAnglePrompt, angleRow, kAngleError, AsTyped, AngleAccepted);

    return ReadAnswers({frontBack, sideSide, fixed, spacing, height, angle});
}
