// The six questions, with the Y/N answer and the angle checked until they are right.
#pragma once

#include "app/model/answers.h"

// Asks the six questions from the cursor's row on (row 8 after the banner),
// each answer typed at column 73 of its row, and returns them read.
Answers AskQuestions();
