// Looking into the raw bytes a program sent to its terminal (a pseudo-terminal's master side, or
// a pane's output recorded by tmux), for what a screen capture cannot show after the fact.
#pragma once

#include <string>
#include <vector>

// Offset just past the escape sequence that starts at stream[pos] (an ESC): a control sequence
// up to its final byte, a command string up to its BEL or ST, anything else the byte after ESC.
// Past the end (more than stream.size()) when a control sequence is cut off.
size_t EscapeSequenceEnd(const std::string& stream, size_t pos);

// Where in the stream `text` has arrived in full: the offset just past its last
// byte. Escape sequences in between and blanks on either side are ignored, so a
// text drawn word by word with cursor moves (a presenter skips unchanged blanks)
// is still found. npos while it has not arrived in full, and for an empty text.
// Example: in "\e[2;4HOrvane\e[2;11H6.0", "Orvane 6.0" ends at offset 22.
size_t ArrivalOffset(const std::string& stream, const std::string& text);

// One "\e[?25l" (hide) or "\e[?25h" (show) in the stream.
struct VisibilityChange {
    size_t offset = 0;    // where the sequence starts
    bool visible = false; // true for show
};

std::vector<VisibilityChange> CursorVisibilityChanges(const std::string& stream);

// Whether the stream sets the window title to `title` (OSC 0 or 2, ended by BEL or ST).
bool SetsTitle(const std::string& stream, const std::string& title);
