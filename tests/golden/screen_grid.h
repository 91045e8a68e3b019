// The screen of a terminal as a test sees it: a grid of cells with glyphs and
// 16-colour palette numbers, read from the text that `tmux capture-pane -p -e`
// prints.
#pragma once

#include <string>
#include <vector>

namespace golden {

// Colour numbers besides the palette's 0-15.
inline constexpr int kDefaultColour = -1; // the terminal's own default colour
inline constexpr int kDirectColour = -2;  // a 24-bit colour, which the tool never uses

// One character cell.
struct Cell {
    std::string glyph = " ";         // UTF-8 text shown in the cell
    int foreground = kDefaultColour; // SGR palette number (0-15, 16-255) or one of the above
    int background = kDefaultColour; // same numbering as foreground
    bool listed = false;    // capture-pane printed this cell (it omits a row's unwritten tail)
    bool bold = false;      // SGR 1
    bool underline = false; // SGR 4
    bool reverse = false;   // SGR 7: foreground and background swapped
};

// The visible screen, cursor and title of one pane.
struct Screen {
    int width = 0;                       // columns
    int height = 0;                      // rows
    std::vector<std::vector<Cell>> rows; // rows[row - 1][column - 1]
    int cursorRow = 1;                   // counted from 1, like the console's rows
    int cursorColumn = 1;                // counted from 1
    bool cursorVisible = true;           // the terminal shows the text cursor
    std::string title;                   // the pane's title as set by the program
};

// Builds the grid from capture-pane output: one line per row, SGR sequences for
// colours, bold, underline and reverse video. Attributes carry over from one row to the next, as
// tmux prints them. Every code point takes one cell (the code page 437 glyphs all do); a cell that
// the capture does not list stays a blank in the default colours.
// Example: "\e[30m\e[107mAB\n" gives row 1 "AB" in black (0) on bright white (15).
Screen ParseCapture(const std::string& capture, int width, int height);

// The cell at a row and column counted from 1; throws std::out_of_range outside.
const Cell& CellAt(const Screen& screen, int row, int column);

// The glyphs of one row (counted from 1), the full width, trailing blanks included.
std::string RowText(const Screen& screen, int row);

// The whole screen as text, one line per row with trailing blanks cut: for
// failure messages.
std::string ScreenText(const Screen& screen);

// Console colours have blue in bit 0 and red in bit 2; SGR colours the other way
// round. Example: console 12 (bright red) is SGR 9, console 1 (blue) is SGR 4,
// console 15 is SGR 15.
int ConsoleToSgr(int consoleColour);

} // namespace golden
