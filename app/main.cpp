// Process start-up, as a console program's runtime does it: standard streams
// closed at start kept so (platform/standard_streams.h), make the floating-point
// settings, take the console the process was started from, start the console
// layer, then run the program's logic once and give the console back.
// Options are answered first, before anything touches the console, and six
// answers given as arguments are answered without it.
#include "app/program_start.h"

#include "app/command_line.h"
#include "app/runs.h"
#include "console/console.h"
#include "platform/floating_point.h"
#include "platform/host_console.h"
#include "platform/standard_streams.h"

#include <cstdio>
#include <string>

int StartProgram(int argc, const char* const argv[]) {
    ReserveStandardStreams();
    // Before the command line: given answers are read there, and every run reads
    // them with the settings of the interactive run, so that every bit agrees.
    SetFloatingPointControl();
    const CommandLineRequest request = ReadCommandLine(argc, argv);
    if (request.kind == RunKind::print) {
        return WriteOutput(request.printed);
    }
    if (request.kind == RunKind::givenAnswers) {
        return WriteOutput(AnswerWithoutTerminal(request));
    }
    const std::string refusal = TakeHostConsole();
    if (!refusal.empty()) {
        std::fprintf(stderr, "orvane: %s\n", refusal.c_str());
        return 1;
    }
    StartConsole();
    KeepInterruptKeys();
    // What the run leaves for afterwards (a plan for "-", a plan file that could
    // not be written) is written once the console is given back.
    const CommandLineOutput run = RunInteractive(request, GetModuleHandleA(nullptr));
    GiveHostConsoleBack();
    return WriteOutput(run);
}
