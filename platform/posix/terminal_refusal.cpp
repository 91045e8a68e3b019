#include "platform/posix/terminal_refusal.h"

std::string TerminalRefusalMessage(const TerminalRefusal& refusal) {
    const std::string where = " (" + refusal.device + ": " + refusal.detail + ")";
    switch (refusal.cause) {
    case TerminalRefusalCause::None:
        return "";
    case TerminalRefusalCause::NoTerminal:
        return "no terminal to run in" + where + "; start it from an interactive terminal";
    case TerminalRefusalCause::CannotReadModes:
        return "cannot read the terminal's modes" + where;
    case TerminalRefusalCause::CannotSetModes:
        return "cannot set the terminal's modes" + where;
    case TerminalRefusalCause::CannotPlaceCursor:
        return refusal.detail;
    case TerminalRefusalCause::CannotWatchSignals:
        return "cannot install the signal handlers that hand the terminal back" + where;
    case TerminalRefusalCause::CannotWatchKeyboard:
        // Only a parent that left that many descriptors open gets here.
        return "too many files open to wait for keys" + where;
    }
    return "cannot use the terminal" + where;
}
