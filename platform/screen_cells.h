// Console cells as both sides hold them, and a block of them drawn over the
// screen (a message box).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct ScreenCell {
    unsigned char character; // code page 437 byte
    std::uint16_t attribute; // background * 16 + foreground
};

// Cells are kept row by row. Coordinates are ints, as the console's are, and are inside the
// grid wherever these are called, so the conversion to an index is made here once.
inline std::size_t CellCount(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

inline std::size_t CellIndex(int width, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

// Cells drawn over the screen (a message box), in screen coordinates.
struct Overlay {
    int left = 0;                  // column of the first cell
    int top = 0;                   // row of the first cell
    int width = 0;                 // columns
    int height = 0;                // rows
    std::vector<ScreenCell> cells; // width * height, row by row
};
