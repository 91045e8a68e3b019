// Why the tool cannot run on the terminal it was given, in words a user can act on.
#pragma once

#include <string>

enum class TerminalRefusalCause {
    None,                // the terminal is attached
    NoTerminal,          // the device cannot be opened: no controlling terminal
    CannotReadModes,     // tcgetattr fails on it: not a terminal after all
    CannotSetModes,      // tcsetattr fails on it
    CannotWatchSignals,  // a handler that hands the terminal back cannot be installed
    CannotWatchKeyboard, // the device's descriptor is beyond what select can watch
    CannotPlaceCursor    // TERM names no terminal the screen can be drawn on (detail says why)
};

struct TerminalRefusal {
    TerminalRefusalCause cause = TerminalRefusalCause::None; // what went wrong
    std::string device;                                      // the device, e.g. "/dev/tty"
    std::string detail; // the system's account, e.g. "No such device or address"
};

// One line without its newline, naming the cause and the device, e.g.
// {NoTerminal, "/dev/tty", "No such device or address"} gives
// "no terminal to run in (/dev/tty: No such device or address); start it from
// an interactive terminal". Empty for None.
std::string TerminalRefusalMessage(const TerminalRefusal& refusal);
