// Process start-up on Windows, as on a terminal: code page 437 held for the
// run, the floating-point settings made, the console layer started, then the
// program's logic once. The console gets its code pages, cursor and colours back.
// Options are answered first, before anything touches the console.
#include "app/answers_run.h"
#include "app/command_line.h"
#include "app/winmain.h"
#include "console/console.h"
#include "platform/floating_point.h"
#include "platform/windows/hand_back.h"

#include <cstdio>

namespace {

// One look at the keyboard before the first screen: a console host may put
// the terminal it runs on into raw mode only once it is asked for keys, and
// keys typed before that would be echoed and changed by the terminal.
void TakeKeyboard() {
    INPUT_RECORD record{};
    DWORD count = 0;
    PeekConsoleInputA(consoleState.keyboardHandle, &record, 1, &count);
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered before the console is touched, as on a terminal.
    const CommandLineOutcome command = ReadCommandLine(argc, argv);
    if (!command.runTool) {
        return AnswerWithoutTerminal(command);
    }
    if (!HoldConsoleForTheRun()) {
        // Without a console every key wait would wait for ever.
        std::fputs("orvane: no console to run in; start it from a console window\n", stderr);
        return 1;
    }
    SetFloatingPointControl();
    StartConsole();
    TakeKeyboard();
    const CommandLineOutcome run = RunInteractive(command, GetModuleHandleA(nullptr));
    GiveConsoleBack();
    return WriteCommandLineOutcome(run);
}
