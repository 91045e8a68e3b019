// The six questions, with the Y/N answer and the angle checked until they are right.
#pragma once

#include "app/layout.h"

#include <array>
#include <string>
#include <string_view>

// Asks the six questions from the cursor's row on (row 8 after the banner),
// each answer typed at column 73 of its row, and converts the numeric ones.
AnswerSet AskQuestions();

// The six answer texts, in the order asked, once the Y/N answer is stored as
// "Y" or "N" and the angle accepted: the four lengths read with ParseNumber.
// {"5", "4", "N", "4", "0.5", "120"} gives maxFrontBack 5 ... surroundAngle "120".
AnswerSet ReadAnswers(const std::array<std::string, 6>& texts);

// The Y/N answer as stored: "y" and "n" become "Y" and "N"; anything else is
// left as typed (and then refused).
std::string NormalisedYesNo(std::string answer);

// Whether a Y/N answer, as NormalisedYesNo stores it, is taken: only "Y" and "N".
bool YesNoAccepted(std::string_view stored);

// Whether an angle text lies in 110..145, judged on its extended value:
// "145" is accepted, "145.000000000000001" refused.
bool AngleAccepted(std::string_view text);
