// The host console on POSIX is the controlling terminal.
#include "platform/host_console.h"

#include "platform/posix/terminal.h"

std::string TakeHostConsole() {
    return TerminalRefusalMessage(StartTerminalConsole());
}

void GiveHostConsoleBack() {
    StopTerminalConsole();
}

// Raw mode keeps the terminal's signals: its interrupt key ends the run already.
void KeepInterruptKeys() {}
