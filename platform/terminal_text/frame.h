// Which part of the console buffer the terminal shows, and the frame for it.
#pragma once

#include "platform/screen_cells.h"
#include "platform/terminal_text/presenter.h"

#include <span>
#include <string_view>

// What a console buffer holds, as far as a terminal shows it.
struct ScreenContent {
    int width = 0;                     // buffer columns
    int height = 0;                    // buffer rows
    std::span<const ScreenCell> cells; // width * height, row by row
    int cursorX = 0;                   // 0-based column
    int cursorY = 0;                   // 0-based row
    bool cursorVisible = true;         // whether the cursor shows
    std::string_view title;            // window title, code page 437
};

// Top-left buffer cell shown at the terminal's top-left.
struct View {
    int left = 0; // buffer column
    int top = 0;  // buffer row
};

// Moves origin as little as possible so that position is inside a view of
// viewSize cells over a buffer of bufferSize cells; a view as large as the
// buffer shows it from its start. With a 24-row view over 25 rows and the
// cursor on row 24 (0-based), origin becomes 1.
int FollowCursor(int origin, int position, int bufferSize, int viewSize);

// The part of a terminal of the given size that shows the buffer: all of it, or as much
// of the buffer as it holds. A larger terminal shows the buffer at its top left and its
// own colours beyond, where a frame has nothing to say, so that whatever size a terminal
// reports (up to 65535 x 65535), a frame is never larger than the buffer.
int ShownColumns(const ScreenContent& console, int width);
int ShownRows(const ScreenContent& console, int height);

// The frame a terminal of the given size shows, of the size ShownColumns and ShownRows
// give: the buffer from the view on (moved to keep the cursor in sight), the overlay on
// top (laid out over the same size).
Frame ComposeFrame(const ScreenContent& console, int width, int height, View& view,
                   const Overlay* overlay);
