// The terminal that shows the emulated console and types into it. Every
// function does nothing when no terminal is attached (the headless console).
#pragma once

#include <string>

// Attaches the console to the controlling terminal: the buffer takes the
// terminal's size, keys come from it, frames go to it. False when the process
// has no terminal.
bool StartTerminalConsole();

// Shows the last frame and hands the terminal back as it was found: modes,
// visible cursor, colours, title. The last screen stays visible. Safe to call twice.
void StopTerminalConsole();

// Raw mode (no echo, no line editing, no signals from keys) on or off.
void SetTerminalRawMode(bool raw);

// Sends what changed since the last frame.
void PresentScreen();

// Takes the bytes typed so far into the input queue, without waiting.
void PumpTerminalInput();

// Waits up to ms milliseconds, returning early when input or a signal arrives.
void WaitForTerminal(int ms);

// Sleeps the whole ms milliseconds, leaving typed keys where they are; a
// resize meanwhile is drawn at once.
void SleepOnTerminal(int ms);

void RingTerminalBell();

// Shows a framed box with an OK button over the screen until Enter, Space or
// Escape dismisses it; what it covered comes back.
void ShowTerminalMessageBox(const std::string& title, const std::string& text);
