// The six questions, with the Y/N answer and the angle checked until they are right.
#pragma once

#include "app/layout.h"

#include <string_view>

// Asks the six questions from the cursor's row on (row 8 after the banner),
// each answer typed at column 73 of its row, and converts the numeric ones.
AnswerSet AskQuestions();

// The Y/N answer as stored: "y" and "n" become "Y" and "N"; anything else is
// left as typed (and then refused).
std::string NormalisedYesNo(std::string answer);

// Whether an angle text lies in 110..145, judged on its extended value:
// "145" is accepted, "145.000000000000001" refused.
bool AngleAccepted(std::string_view text);
