#include "addon_window.h"

#include <algorithm>

namespace {

constexpr int kCentre = 32767;

int Place(int wanted, LONG workStart, LONG workEnd, LONG size) {
    if (wanted == kCentre) {
        // A window larger than the work area keeps its top-left corner (title bar) in it.
        return static_cast<int>(workStart + std::max<LONG>(0, (workEnd - workStart - size) / 2));
    }
    return static_cast<int>(workStart) + wanted;
}

} // namespace

HWND OwnConsoleWindow() {
    const HWND window = GetConsoleWindow();
    if (window == nullptr || IsWindowVisible(window) == FALSE) {
        return nullptr;
    }
    DWORD processes[2] = {};
    return GetConsoleProcessList(processes, 2) == 1 ? window : nullptr;
}

HANDLE OpenConsoleOutput() {
    return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

void SizeConsole(int columns, int rows) {
    const HANDLE output = OpenConsoleOutput();
    if (output == INVALID_HANDLE_VALUE) {
        return;
    }
    // The window may never be larger than the buffer: shrink it first, then
    // size the buffer, then open the window over all of it.
    const SMALL_RECT smallest{0, 0, 0, 0};
    SetConsoleWindowInfo(output, TRUE, &smallest);
    SetConsoleScreenBufferSize(output,
                               COORD{static_cast<SHORT>(columns), static_cast<SHORT>(rows)});
    const SMALL_RECT whole{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
    SetConsoleWindowInfo(output, TRUE, &whole);
    CloseHandle(output);
}

void PlaceConsoleWindow(HWND window, int x, int y) {
    RECT frame{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetWindowRect(window, &frame) == FALSE ||
        GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
        return;
    }
    const RECT& work = monitor.rcWork;
    SetWindowPos(window, nullptr, Place(x, work.left, work.right, frame.right - frame.left),
                 Place(y, work.top, work.bottom, frame.bottom - frame.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
