// The one terminal session behind the emulated console, and what its parts
// (start and stop, raw mode, frames, typed input, the wait) share.
#pragma once

#include "platform/posix/terminal_system.h"
#include "platform/terminal_text/frame.h"
#include "platform/terminal_text/key_decoder.h"
#include "platform/terminal_text/presenter.h"
#include "platform/terminal_text/terminal_style.h"

#include <chrono>
#include <functional>
#include <string>
#include <termios.h>

inline constexpr const char* kTerminalDevice = "/dev/tty";

struct Session {
    bool active = false;         // attached to a terminal
    int keyboardFd = -1;         // the controlling terminal, our own non-blocking open
    int screenFd = -1;           // where frames are written
    termios original{};          // the terminal's modes as found
    termios raw{};               // the same with echo and line editing off
    TerminalStyle style;         // encoding and colours of the terminal
    PresenterState presenter;    // what the terminal shows
    View view;                   // the part of the buffer shown
    int width = 80;              // terminal columns, as it reports them
    int height = 25;             // terminal rows, as it reports them
    unsigned long presented = 0; // the model's change count at the last frame
    bool redraw = true;          // the next frame must be composed whatever the count says
    std::string pending;         // typed bytes not yet decoded
    std::chrono::steady_clock::time_point lastByte; // when the newest typed byte arrived
    const Overlay* overlay = nullptr;               // a message box over the screen
};

Session& TheSession();

inline TerminalSystem& System() {
    return TheTerminalSystem();
}

// --- start and stop (terminal_start.cpp)

// Says on standard error what went wrong with the terminal, in one line.
void Complain(const std::string& what);

// Nothing more can be shown or typed: give the modes back if the device still
// takes them and end, instead of waiting on a terminal that is gone. `what`
// names the call that failed, with errno still its error.
[[noreturn]] void TerminalGone(const char* what);

// --- raw mode (terminal_modes.cpp)

// tcsetattr, again when a signal interrupts it. False (errno set) on failure.
bool SetModes(int when, const termios& modes);

// The modes of raw mode, made from the modes as found.
termios RawModesOf(const termios& original);

// --- frames (terminal_output.cpp)

// Writes all of bytes, waiting while the terminal is full.
void WriteAll(const std::string& bytes);

// Where the prompt goes after the hand-back: the row below the cursor's text.
int PromptRow();

// Makes the text a signal handler writes to hand the terminal back match the last frame.
void UpdateRestoreText();

// Takes the size the terminal reports, when it reports one.
void ReadTerminalSize();

// A resize since the last look: new size, and the next frame drawn whole.
void TakeResize();

// --- typed input (terminal_input.cpp)

// Reads what the terminal has, without waiting, up to room bytes.
void ReadTyped(std::size_t room);

// Bytes to read at most now, so that the input queue stops growing at its limit.
std::size_t RoomForTyping();

// Decodes pending bytes, handing each key to deliver until it says stop.
void DecodePending(const std::function<bool(const KeyPress&)>& deliver);

// Milliseconds until the typed bytes still pending (a lone ESC, a sequence cut
// short) form a key, or -1 when none are waiting. Never 0, so a wait for them
// blocks instead of spinning.
int MsUntilPendingDecides();
