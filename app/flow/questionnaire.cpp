#include "app/flow/questionnaire.h"

#include "app/model/screen_texts.h"
#include "console/addon_call.h"
#include "console/console.h"

#include <string>

namespace {

using namespace screen;

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

// The Y/N question on `row` (from column 1, the prompt printed over itself)
// until the answer is taken; returns it as stored, "Y" or "N".
std::string AskYesNo(int row) {
    for (;;) {
        Locate(row, 0);
        std::string answer = NormalisedYesNo(Ask(kFixedPrompt, row));
        if (YesNoAccepted(answer)) {
            return answer;
        }
        Refuse(kYesNoError, row, answer);
    }
}

// The angle question on `row` until the angle is taken. Each answer typed is
// read with the others, so the angle's text is parsed once for its check and
// its value alike.
Answers AskAngle(int row, AnswerTexts typed) {
    for (;;) {
        Locate(row, 0);
        typed[kAngleAnswer - 1] = Ask(kAnglePrompt, row);
        Answers read = ReadAnswers(typed);
        if (read.refused == 0) {
            return read;
        }
        Refuse(kAngleError, row, typed[kAngleAnswer - 1]);
    }
}

} // namespace

Answers AskQuestions() {
    AnswerTexts typed;
    const int firstRow = CursorRow();
    typed[0] = Ask(kFrontBackPrompt, firstRow);
    typed[1] = Ask(kSideSidePrompt, firstRow + 1);

    const int fixedRow = CursorRow();
    typed[2] = AskYesNo(fixedRow);
    typed[3] = Ask(typed[2] == "Y" ? kFixedSpacingPrompt : kMaximumSpacingPrompt, fixedRow + 1);
    typed[4] = Ask(kHeightPrompt, fixedRow + 2);

    return AskAngle(CursorRow(), std::move(typed));
}
