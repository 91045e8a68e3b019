// The terminal that shows the emulated console and types into it. Every
// function does nothing when no terminal is attached (the headless console).
#pragma once

#include <string>

// Attaches the console to the controlling terminal: the buffer takes the
// terminal's size, keys come from it, frames go to it. False when the process
// has no terminal.
bool StartTerminalConsole();

// Why the last StartTerminalConsole failed on a terminal it cannot use, as one
// line for the user without the program's name or a newline; empty when the
// process simply has no terminal. The terminal was left untouched.
std::string TerminalStartProblem();

// Shows the last frame and hands the terminal back as it was found: modes,
// visible cursor, colours, title. The last screen stays visible. Safe to call twice.
void StopTerminalConsole();

// Raw mode (no echo, no line editing; the interrupt, quit and suspend keys
// still send their signals) on or off.
void SetTerminalRawMode(bool raw);

// Sends what changed since the last frame.
void PresentScreen();

// Takes the bytes typed so far into the input queue, without waiting.
void PumpTerminalInput();

// Waits until a byte is typed or a signal arrives, or until typed bytes that
// wait for the escape timeout form a key.
void WaitForTerminal();

// The emulated Sleep (see platform/sleep_timer.h): at least ms milliseconds,
// then until the input queue holds a record. Typed keys are decoded into the
// queue as they arrive; a resize meanwhile is drawn at once.
void SleepOnTerminal(int ms);

void RingTerminalBell();

// Shows a framed box with an OK button over the screen until Enter, Space or
// Escape dismisses it; what it covered comes back.
void ShowTerminalMessageBox(const std::string& title, const std::string& text);
