// The command line, read before the terminal is touched: --help and --version
// work in scripts with no terminal at all, six answers given as arguments are
// answered without one, and a mistyped option or a refused answer ends the
// tool without disturbing the screen. Pure, so every entry point shares it.
#pragma once

#include "app/model/answers.h"
#include "app/model/length_unit.h"

#include <string>

// What a run leaves for the process to end with.
struct CommandLineOutput {
    int status = 0;             // the exit status
    std::string standardOutput; // text for standard output (help, version, views)
    std::string standardError;  // text for standard error (a refusal, a failed write)
};

// What the command line asks the process to do.
enum class RunKind {
    interactive,  // no answers: the questionnaire in the terminal
    givenAnswers, // six answers, accepted: the views without a terminal
    print,        // help, version or a refusal: `printed` alone
};

struct CommandLineRequest {
    RunKind kind = RunKind::interactive;
    CommandLineOutput printed;          // for RunKind::print
    Answers answers{};                  // for RunKind::givenAnswers: as given and as read
    bool json = false;                  // --json: the results as one JSON object
    std::string planPath;               // --plan: "" none, "-" standard output, else a file
    bool markout = false;               // --markout: the marking-out sheet in place of the rows
    LengthUnit unit = LengthUnit::none; // --unit: the answers' unit, for the sheet's lengths
};

// Decides from main's arguments, argv[0] being the program's name, with
// getopt_long: options may stand before, between or after the answers, an
// argument that reads as a negative number ("-3", "-.5", "-1e3") is an answer,
// "--" ends the options, and a long option may be shortened while it stays
// unambiguous (--vers); one given a value it does not take (--json=1) is refused
// with "orvane: option '--json' takes no value; try 'orvane --help'\n".
// Examples: {"orvane"} and {"orvane", "--plan", "p.svg"} run the tool; {"orvane", "-V"}
// prints VersionText() with status 0; {"orvane", "5", "4", "n", "4", "0.5", "120"} gives
// the six answers, given[2] "n" as typed and set.surroundFixed "N";
// {"orvane", "--unit", "yd"} prints with status 2 and
// "orvane: unknown unit 'yd'; the units are m, cm, mm, ft and in\n";
// {"orvane", "-x"} prints with status 2 and
// "orvane: unknown option '-x'; try 'orvane --help'\n" on standard error; {"orvane",
// "5"} with status 2 and a usage line; a Y/N answer other than Y, y, N or n, or an
// angle outside 110..145, with status 2 and one line naming the question.
CommandLineRequest ReadCommandLine(int argc, const char* const argv[]);

// The usage that --help prints.
std::string UsageText();

// "orvane 6.0, build " and BuildVersion(), one line.
std::string VersionText();

// VersionText without its newline, to name the tool inside the JSON and the plan.
std::string ToolAndVersion();

// The project version, and the commit as git describe named it when the program
// was last built, e.g. "1.0.0 (df688be-dirty)"; only "1.0.0" outside git.
const char* BuildVersion();

// Writes the output's texts to standard error and standard output; returns its
// status, or 1 when standard output could not take the text (a full disk
// must not pass for a printed help).
int WriteOutput(const CommandLineOutput& output);
