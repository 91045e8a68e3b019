// Process start-up, as a console program's runtime does it: standard streams
// closed at start kept so (platform/standard_streams.h), take the console
// the process was started from, make the floating-point settings, start the
// console layer, then run the program's logic once and give the console back.
// Options are answered first, before anything touches the console, and six
// answers given as arguments are answered without it.
#include "app/program_start.h"

#include "app/answers_run.h"
#include "app/command_line.h"
#include "app/winmain.h"
#include "console/console.h"
#include "platform/floating_point.h"
#include "platform/host_console.h"
#include "platform/standard_streams.h"

#include <cstdio>
#include <string>

int StartProgram(int argc, const char* const argv[]) {
    ReserveStandardStreams();
    const CommandLineOutcome command = ReadCommandLine(argc, argv);
    if (!command.runTool) {
        return AnswerWithoutTerminal(command);
    }
    const std::string refusal = TakeHostConsole();
    if (!refusal.empty()) {
        std::fprintf(stderr, "orvane: %s\n", refusal.c_str());
        return 1;
    }
    SetFloatingPointControl();
    StartConsole();
    KeepInterruptKeys();
    // What the run leaves for afterwards (a plan for "-", a plan file that could
    // not be written) is written once the console is given back.
    const CommandLineOutcome run = RunInteractive(command, GetModuleHandleA(nullptr));
    GiveHostConsoleBack();
    return WriteCommandLineOutcome(run);
}
