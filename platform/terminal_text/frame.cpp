#include "platform/terminal_text/frame.h"

#include <algorithm>

int FollowCursor(int origin, int position, int bufferSize, int viewSize) {
    if (viewSize >= bufferSize) {
        return 0;
    }
    if (position < origin) {
        origin = position;
    } else if (position >= origin + viewSize) {
        origin = position - viewSize + 1;
    }
    return std::clamp(origin, 0, bufferSize - viewSize);
}

int ShownColumns(const ScreenContent& console, int width) {
    return std::min(width, console.width);
}

int ShownRows(const ScreenContent& console, int height) {
    return std::min(height, console.height);
}

Frame ComposeFrame(const ScreenContent& console, int width, int height, View& view,
                   const Overlay* overlay) {
    width = ShownColumns(console, width);
    height = ShownRows(console, height);
    view.left = FollowCursor(view.left, console.cursorX, console.width, width);
    view.top = FollowCursor(view.top, console.cursorY, console.height, height);
    Frame frame;
    frame.width = width;
    frame.height = height;
    frame.cells.assign(CellCount(width, height), ScreenCell{' ', kMarginAttribute});
    for (int y = 0; y < height && view.top + y < console.height; ++y) {
        for (int x = 0; x < width && view.left + x < console.width; ++x) {
            frame.cells[CellIndex(width, x, y)] =
                console.cells[CellIndex(console.width, view.left + x, view.top + y)];
        }
    }
    if (overlay != nullptr) {
        for (int y = 0; y < overlay->height; ++y) {
            for (int x = 0; x < overlay->width; ++x) {
                const int tx = overlay->left + x;
                const int ty = overlay->top + y;
                if (tx >= 0 && ty >= 0 && tx < width && ty < height) {
                    frame.cells[CellIndex(width, tx, ty)] =
                        overlay->cells[CellIndex(overlay->width, x, y)];
                }
            }
        }
    }
    frame.cursorX = console.cursorX - view.left;
    frame.cursorY = console.cursorY - view.top;
    frame.cursorVisible = console.cursorVisible && overlay == nullptr && frame.cursorX >= 0 &&
                          frame.cursorX < width && frame.cursorY >= 0 && frame.cursorY < height;
    frame.title = std::string(console.title);
    return frame;
}
