// Console cells as both sides hold them, and a block of them drawn over the
// screen (a message box).
#pragma once

#include <cstdint>
#include <vector>

struct ScreenCell {
    unsigned char character; // code page 437 byte
    std::uint16_t attribute; // background * 16 + foreground
};

// Cells drawn over the screen (a message box), in screen coordinates.
struct Overlay {
    int left = 0;                  // column of the first cell
    int top = 0;                   // row of the first cell
    int width = 0;                 // columns
    int height = 0;                // rows
    std::vector<ScreenCell> cells; // width * height, row by row
};
