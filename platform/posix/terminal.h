// The terminal that shows the emulated console and types into it. Every
// function does nothing when no terminal is attached.
#pragma once

#include "platform/posix/terminal_refusal.h"

#include <string>

// Attaches the console to the controlling terminal: the buffer takes the
// terminal's size, keys come from it, frames go to it. The refusal's cause is
// None when attached; otherwise nothing was changed and it says why.
TerminalRefusal StartTerminalConsole();

// Shows the last frame and hands the terminal back as it was found: modes,
// visible cursor, colours, title. The last screen stays visible. Then releases
// what the start acquired (the device, the signal pipe, the handlers), as a
// refusal does. Safe to call twice.
void StopTerminalConsole();

// Raw mode (no echo, no line editing; the interrupt, quit and suspend keys
// still send their signals) on or off. The terminal comes back in this mode
// after a stop and continue.
void SetTerminalRawMode(bool raw);

// Sends what changed since the last frame.
void PresentScreen();

// Takes the bytes typed so far into the input queue, without waiting.
void PumpTerminalInput();

// Waits until a byte is typed or a signal arrives, or until typed bytes that
// wait for the escape timeout form a key, then takes what was typed (so a
// terminal that went away ends the process here). False, at once, when no
// terminal is attached: nothing can be typed.
bool WaitForTerminal();

// The emulated Sleep (see platform/posix/sleep_timer.h): over at once when a key
// is already typed, else at least ms milliseconds, then until the input queue
// holds a record. Typed keys are decoded into the queue as they arrive; a resize
// meanwhile is drawn at once.
void SleepOnTerminal(int ms);

void RingTerminalBell();

// Shows a framed box with an OK button over the screen until Enter, Space or
// Escape dismisses it; what it covered comes back.
void ShowTerminalMessageBox(const std::string& title, const std::string& text);
