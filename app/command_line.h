// The command line, read before the terminal is touched: --help and --version
// work in scripts with no terminal at all, and a mistyped option ends the tool
// without disturbing the screen. Pure, so every entry point shares it.
#pragma once

#include <string>

// What the process does with its command line.
struct CommandLineOutcome {
    bool runTool = true;        // no options: start the questionnaire in the terminal
    int exitStatus = 0;         // when not running the tool: the status to end with
    std::string standardOutput; // text for standard output (help, version)
    std::string standardError;  // text for standard error (a refused argument)
};

// Decides from main's arguments, argv[0] being the program's name. The first
// argument that decides wins, as with getopt; "--" ends the options.
// Examples: {"orvane"} and {"orvane", "--"} run the tool; {"orvane", "-V"} ends
// with status 0 and VersionText() on standard output; {"orvane", "-x"} ends with
// status 2 and "orvane: unknown option '-x'; try 'orvane --help'\n" on standard error.
CommandLineOutcome ReadCommandLine(int argc, const char* const argv[]);

// The short usage that --help prints.
std::string UsageText();

// "orvane 6.0, build " and BuildVersion(), one line.
std::string VersionText();

// The project version, and the commit as git describe named it when the build
// was configured, e.g. "1.0.0 (df688be-dirty)"; only "1.0.0" outside git.
const char* BuildVersion();

// Writes the outcome's texts to standard output and standard error; returns the
// exit status, or 1 when standard output could not take the text (a full disk
// must not pass for a printed help).
int WriteCommandLineOutcome(const CommandLineOutcome& outcome);
