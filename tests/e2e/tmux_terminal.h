// A real terminal for end-to-end tests: a pane of a private tmux server that
// runs a command line, takes keys and is read back cell by cell.
//
// tmux's capture-pane leaves out the unwritten tail of each row, even when the
// program erased it in a colour, so a second private server runs a read-only
// tmux client of the first one; that client paints every cell, and its pane
// supplies the cells the first capture leaves out.
#pragma once

#include "tests/golden/screen_grid.h"

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

// A pane's cells are read into the grid the golden screens are compared in.
using golden::Cell;
using golden::CellAt;
using golden::ConsoleToSgr;
using golden::kDefaultColour;
using golden::kDirectColour;
using golden::ParseCapture;
using golden::RowText;
using golden::Screen;
using golden::ScreenText;

// What to run, and in what size of terminal.
struct TerminalOptions {
    std::string command; // shell command line for the pane (run by tmux through the shell)
    int width = 80;      // columns of the pane
    int height = 25;     // rows of the pane
};

// A running pair of private tmux servers.
struct TmuxTerminal {
    std::string server;       // socket name (tmux -L) of the server that runs the command
    std::string mirrorServer; // socket name of the server whose pane shows a client of it
    std::string serverSocket; // socket file of the first, removed when it stops
    std::string mirrorSocket; // socket file of the second
    int width = 80;           // columns of the pane
    int height = 25;          // rows of the pane
};

// Starts the servers with an empty configuration, no status line and a
// detached session of the given size whose pane runs options.command with
// LC_ALL=C.UTF-8 and the TERM that tmux gives its panes. A pane whose command
// has ended stays on screen. Throws std::runtime_error when tmux fails.
TmuxTerminal StartTerminal(const TerminalOptions& options);

// Kills both servers and removes their sockets. Safe on a terminal that never
// started or was already stopped.
void StopTerminal(TmuxTerminal& terminal);

// Types text as it stands (send-keys -l), e.g. SendText(t, "0.5").
void SendText(const TmuxTerminal& terminal, const std::string& text);

// Presses keys by their tmux names: "Enter", "BSpace", "Escape", "Left", "F1",
// "M-x" (Alt+x), "C-x" (Ctrl+x), "Space".
void SendKeys(const TmuxTerminal& terminal, const std::vector<std::string>& keyNames);

// The pane's cells, cursor, cursor visibility and title.
Screen CaptureScreen(const TmuxTerminal& terminal);

// Plain text of the pane, one line per row (a cheap look for waiting).
std::string CaptureText(const TmuxTerminal& terminal);
// The same, with the lines that have scrolled off the top before them.
std::string CaptureTextWithHistory(const TmuxTerminal& terminal);

// Waits until the pane shows `text` anywhere on screen.
bool WaitForText(const TmuxTerminal& terminal, const std::string& text,
                 std::chrono::milliseconds limit);

// Waits until row (counted from 1) of the pane contains `text`.
bool WaitForRowText(const TmuxTerminal& terminal, int row, const std::string& text,
                    std::chrono::milliseconds limit);

// Expands a tmux format for the pane, e.g. PaneFormat(t, "#{pane_title}").
std::string PaneFormat(const TmuxTerminal& terminal, const std::string& format);

// True once the pane's command has ended.
bool PaneCommandExited(const TmuxTerminal& terminal);

// Appends everything the pane's programs write to the terminal to `path`, from now on.
void RecordPaneOutput(const TmuxTerminal& terminal, const std::string& path);

} // namespace e2e
