// The run with the six answers given as arguments: no terminal is touched, so
// it works with every stream redirected, in a pipe, under setsid, in CI.
#pragma once

#include "app/command_line.h"
#include "app/layout.h"

#include <string>

// The answers of an accepted command line, read as the questionnaire reads them
// (the Y/N answer stored as "Y" or "N").
AnswerSet GivenAnswerSet(const CommandLineOutcome& command);

// What goes to standard output: the result rows (ResultRowsText, in colour when
// `colour`), the JSON with --json (LayoutJson), nothing with --plan - (the
// plan takes standard output; see DeliverPlan).
std::string GivenAnswersOutput(const CommandLineOutcome& command, const AnswerSet& answers,
                               const LayoutResult& layout, bool colour);

// Answers a command line that does not run the questionnaire: the texts of help,
// version and refusals as they stand, or for six answers the layout computed as
// on the screen, the plan delivered and the output written. Returns the status:
// 0, 1 when the plan or standard output cannot be written, 2 for refusals.
int AnswerWithoutTerminal(const CommandLineOutcome& command);
