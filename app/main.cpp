// Process start-up, as a console program's runtime does it: attach the
// console, make the floating-point settings, start the console layer, then run
// the program's logic once and hand the terminal back. Options are answered
// first, before anything touches the terminal, and six answers given as
// arguments are answered without it.
#include "app/answers_run.h"
#include "app/command_line.h"
#include "app/winmain.h"
#include "console/console.h"
#include "platform/floating_point.h"
#include "platform/posix/terminal.h"

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    const CommandLineOutcome command = ReadCommandLine(argc, argv);
    if (!command.runTool) {
        return AnswerWithoutTerminal(command);
    }
    const TerminalRefusal refusal = StartTerminalConsole();
    if (refusal.cause != TerminalRefusalCause::None) {
        std::fprintf(stderr, "orvane: %s\n", TerminalRefusalMessage(refusal).c_str());
        return 1;
    }
    SetFloatingPointControl();
    StartConsole();
    const CommandLineOutcome run = RunInteractive(command, GetModuleHandleA(nullptr));
    StopTerminalConsole();
    return WriteCommandLineOutcome(run);
}
