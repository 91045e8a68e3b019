// The runs the command line asks for, and the plan that either of them draws:
// six given answers answered without a terminal (every stream may be redirected,
// in a pipe, under setsid, in CI), or the interactive flow in the host console.
#pragma once

#include "app/command_line.h"
#include "app/model/answers.h"
#include "app/model/layout.h"
#include "windows_console.h"

#include <string>

// What goes to standard output for given answers: the result rows (ResultRowsText,
// in colour when `colour`), the JSON with --json (LayoutJson, which holds the sheet), the
// marking-out sheet with --markout (MarkoutText), nothing with --plan - (the plan takes
// standard output; see DeliverPlan).
std::string GivenAnswersOutput(const CommandLineRequest& request, const LayoutResult& layout,
                               bool colour);

// The given answers' layout computed as on the screen, the plan delivered and the
// views made: status 0, or 1 with the plan's error line when it cannot be written.
CommandLineOutput AnswerWithoutTerminal(const CommandLineRequest& request);

// WINMAIN's flow with what the command line asked for: the plan is delivered
// once the results are on the screen, before the final key, and nothing on the
// screen changes for it. Returns what the start-up writes once the terminal is
// handed back (a plan for "-", the sheet for --markout, a file that could not be
// written, with status 1).
CommandLineOutput RunInteractive(const CommandLineRequest& request, HINSTANCE instance);

// Draws the plan and delivers it: into the file `planPath` (replaced whole or not
// at all, see SaveFile), or for "-" into the returned standardOutput, to be written
// by the caller (after the terminal is handed back, in the interactive run). No
// plan asked for (""): an empty output. A file that cannot be written: status 1 and
// one line on standardError naming the file and the cause, e.g.
// "orvane: cannot write the plan to '/no/such/p.svg': No such file or directory\n".
CommandLineOutput DeliverPlan(const std::string& planPath, const Answers& answers,
                              const LayoutResult& layout, LengthUnit unit = LengthUnit::none);
