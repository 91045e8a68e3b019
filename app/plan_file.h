// The plan delivered where --plan asked for it, in either kind of run.
#pragma once

#include "app/command_line.h"
#include "app/layout.h"

// Draws the plan and delivers it: into the file named by command.planPath
// (replaced whole or not at all, see SaveFile), or
// for "-" into the returned standardOutput, to be written by the caller (after
// the terminal is handed back, in the interactive run). No plan asked for: an
// empty outcome. A file that cannot be written: exitStatus 1 and one line on
// standardError naming the file and the cause, e.g.
// "orvane: cannot write the plan to '/no/such/p.svg': No such file or directory\n".
CommandLineOutcome DeliverPlan(const CommandLineOutcome& command, const AnswerSet& answers,
                               const LayoutResult& layout);
