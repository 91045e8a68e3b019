// Turning frames into the bytes a terminal needs: only the cells that changed,
// ECMA-48 cursor positioning, SGR in as many colours as the terminal has (16,
// 8 or none), code page 437 glyphs in the terminal's encoding. Pure: it builds
// bytes, the caller writes them.
#pragma once

#include "platform/screen_cells.h"
#include "platform/terminal_text/terminal_encoding.h"

#include <cstdint>
#include <string>
#include <vector>

// A terminal cell outside the console's buffer: shown in the terminal's own colours.
constexpr std::uint16_t kMarginAttribute = 0xFFFF;

// What the terminal should show.
struct Frame {
    int width = 0;                 // terminal columns shown (at most the buffer's)
    int height = 0;                // terminal rows shown (at most the buffer's)
    std::vector<ScreenCell> cells; // width * height, row by row
    int cursorX = 0;               // terminal column of the cursor, 0-based
    int cursorY = 0;               // terminal row of the cursor, 0-based
    bool cursorVisible = false;    // whether the cursor shows
    std::string title;             // window title, code page 437
};

// The colours a terminal shows.
enum class TerminalColours {
    None,    // no colour sequences at all: the terminal's own colours, reverse video for emphasis
    Eight,   // SGR 30-37 and 40-47; a bright foreground is bold
    Sixteen, // the bright half as SGR 90-97 and 100-107
};

struct TerminalStyle {
    TerminalEncoding encoding = TerminalEncoding::Utf8; // how glyphs are written
    TerminalColours colours = TerminalColours::Sixteen; // which SGR colours may be sent
    bool keepsTitle = false; // the window title is left alone: the terminal cannot give it back
};

// What the terminal shows now, as far as the bytes sent so far tell.
struct PresenterState {
    Frame shown;             // the last frame sent
    bool valid = false;      // false until the first frame, and after a resize
    int atX = -1;            // terminal cursor column, -1 when not known
    int atY = -1;            // terminal cursor row, -1 when not known
    int sgr = -1;            // attribute the current SGR stands for, -1 when not known
    bool cursorShown = true; // terminal cursor visibility
    bool titleSaved = false; // the terminal's own title is pushed, to be popped at exit
};

// Appends to out the bytes that turn what the terminal shows into next.
void RenderFrame(PresenterState& state, const Frame& next, const TerminalStyle& style,
                 std::string& out);

// The bytes that hand the terminal back: colours reset, line wrap on, cursor
// shown, title restored, and the cursor at column 1 of terminal row promptRow
// (0-based), scrolling up once when that row is below the screen. Before the
// first frame the cursor is left where it is.
std::string RestoreSequence(const PresenterState& state, int promptRow);

// One cell byte as the terminal shows it: never a control character.
void AppendGlyph(std::string& out, unsigned char byte, TerminalEncoding encoding);

// The SGR sequence for a console attribute (background * 16 + foreground).
// Without colours, a cell whose colours carry meaning (a chromatic foreground
// or background, such as bright red on white) shows in reverse video and every
// other cell in the terminal's own colours: 0xFC gives "\x1b[0;7m", 0xF8 "\x1b[0m".
void AppendSgr(std::string& out, std::uint16_t attribute, const TerminalStyle& style);
