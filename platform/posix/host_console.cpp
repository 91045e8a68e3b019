// The host console on POSIX is the controlling terminal.
#include "platform/host_console.h"

#include "platform/posix/terminal.h"

std::string TakeHostConsole() {
    return TerminalRefusalMessage(StartTerminalConsole());
}

void GiveHostConsoleBack() {
    StopTerminalConsole();
}
