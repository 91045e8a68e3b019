#include "app/questionnaire.h"

#include "app/addon_call.h"
#include "console/console.h"
#include "numtext/numtext.h"
#include "platform/console_addon.h"

#include <string>

namespace {

constexpr int kAnswerColumn = 73;
constexpr int kPromptColour = 8;
constexpr int kAnswerColour = 0;
constexpr int kWhite = 15;

constexpr std::string_view kFrontBackPrompt =
    "   Maximum front-back spacing of the front and surround speakers?";
constexpr std::string_view kSideSidePrompt =
    "   Maximum side-side spacing of the left-side and right-side speakers?";
constexpr std::string_view kFixedPrompt =
    "   Is the surround speaker side-to-side spacing fixed [Y/N]?";
constexpr std::string_view kFixedSpacingPrompt =
    "   Side-to-side spacing of the surround speakers?";
constexpr std::string_view kMaximumSpacingPrompt =
    "   Maximum side-to-side spacing of the surround speakers?";
constexpr std::string_view kHeightPrompt =
    "   Height of surround speakers above the listening position?";
constexpr std::string_view kAnglePrompt =
    "   Angular position of surround speakers in degrees [110 to 145]?";

constexpr std::string_view kErrorTitle = "  ERROR";
constexpr std::string_view kYesNoError = "You must respond either Y or N  ";
constexpr std::string_view kAngleError =
    "You must respond with an angle between 110 and 145 degrees  ";

const Extended kSmallestAngle = 110;
const Extended kLargestAngle = 145;

// Prompt where the cursor is, answer at column 73 of answerRow.
std::string Ask(std::string_view prompt, int answerRow) {
    SetColor(kPromptColour, kWhite);
    PrintText(prompt);
    NewLine();
    SetColor(kAnswerColour, kWhite);
    Locate(answerRow, kAnswerColumn);
    return LineInput();
}

void ShowErrorBox(std::string_view message) {
    BSTR text = NewAddOnText(message);
    BSTR title = NewAddOnText(kErrorTitle);
    CallAddOn([&] { return ConsoleMessageBox(text, 0, title, 0, 0); });
    SysFreeString(text);
    SysFreeString(title);
}

// Beep, box, and the refused answer's echo blanked cell for cell (the blanks
// wrap just as the answer did).
void Refuse(std::string_view message, int answerRow, const std::string& refused) {
    AlertBeep();
    ShowErrorBox(message);
    Locate(answerRow, kAnswerColumn);
    PrintText(std::string(refused.size(), ' '));
    NewLine();
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

bool AngleAccepted(std::string_view text) {
    const Extended angle = ParseNumber(text);
    if (angle < kSmallestAngle) {
        return false;
    }
    return angle <= kLargestAngle;
}

AnswerSet AskQuestions() {
    AnswerSet answers{};

    const int firstRow = CursorRow();
    const std::string frontBack = Ask(kFrontBackPrompt, firstRow);
    const std::string sideSide = Ask(kSideSidePrompt, firstRow + 1);

    const int fixedRow = CursorRow();
    for (;;) {
        Locate(fixedRow, 0);
        answers.surroundFixed = NormalisedYesNo(Ask(kFixedPrompt, fixedRow));
        if (answers.surroundFixed == "Y" || answers.surroundFixed == "N") {
            break;
        }
        Refuse(kYesNoError, fixedRow, answers.surroundFixed);
    }
    const std::string spacing = Ask(
        answers.surroundFixed == "Y" ? kFixedSpacingPrompt : kMaximumSpacingPrompt, fixedRow + 1);
    const std::string height = Ask(kHeightPrompt, fixedRow + 2);

    const int angleRow = CursorRow();
    for (;;) {
        Locate(angleRow, 0);
        answers.surroundAngle = Ask(kAnglePrompt, angleRow);
        if (AngleAccepted(answers.surroundAngle)) {
            break;
        }
        Refuse(kAngleError, angleRow, answers.surroundAngle);
    }

    answers.maxFrontBack = Number(frontBack);
    answers.maxSideSide = Number(sideSide);
    answers.surroundSpacing = Number(spacing);
    answers.surroundHeight = Number(height);
    return answers;
}
