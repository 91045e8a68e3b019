// The console add-on on Win32. Every operation does nothing where the console
// has no window of its own (see OwnConsoleWindow) and never fails the run.
#include "platform/console_addon.h"

#include "addon_window.h"
#include "console_box.h"

#include <string>

namespace {

constexpr UINT kFirstWindowCommand = 0xF000; // SC_SIZE, the lowest window-menu command
constexpr UINT kLastWindowCommand = 0xF1FF;
constexpr UINT kIconMessageTimeout = 200; // ms; a hung console host must not hold us

std::string Text(BSTR text) {
    return text == nullptr
               ? std::string()
               : std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

std::string CurrentTitle() {
    std::string title(1024, '\0');
    for (;;) {
        const DWORD length = GetConsoleTitleA(title.data(), static_cast<DWORD>(title.size()));
        if (length + 1 < title.size() || title.size() >= 65536) {
            title.resize(length < title.size() ? length : 0);
            return title;
        }
        title.resize(title.size() * 2);
    }
}

HICON LoadIconSized(LONG icon, int metricX, int metricY) {
    const LPCSTR name = MAKEINTRESOURCEA(static_cast<WORD>(icon));
    const int width = GetSystemMetrics(metricX);
    const int height = GetSystemMetrics(metricY);
    // The program's own icon carries the number of the stock application
    // icon; any other number falls back to the system's icon of that number.
    HANDLE image = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, width, height, 0);
    if (image == nullptr) {
        image = LoadImageA(nullptr, name, IMAGE_ICON, width, height, LR_SHARED);
    }
    return static_cast<HICON>(image);
}

void SetWindowIcon(HWND window, WPARAM which, HICON icon) {
    if (icon != nullptr) {
        DWORD_PTR previous = 0;
        SendMessageTimeoutA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon),
                            SMTO_ABORTIFHUNG, kIconMessageTimeout, &previous);
    }
}

} // namespace

// Nothing to prepare: every operation finds the console window itself.
LONG InitConsoleAddOn(HINSTANCE, LONG, LONG, LONG, LONG&, LONG) {
    return 1;
}

// A console window has no tool bar; 0, 5 asks for none, and none is shown.
LONG ConsoleToolBar(LONG, LONG) {
    return 1;
}

// The title of any console, a pseudo-console's tab included.
BSTR ConsoleTitle(BSTR title) {
    const std::string previous = CurrentTitle();
    SetConsoleTitleA(Text(title).c_str());
    return SysAllocStringByteLen(previous.data(), static_cast<UINT>(previous.size()));
}

LONG ConsoleIcon(LONG icon) {
    const HWND window = OwnConsoleWindow();
    if (window != nullptr) {
        SetWindowIcon(window, ICON_BIG, LoadIconSized(icon, SM_CXICON, SM_CYICON));
        SetWindowIcon(window, ICON_SMALL, LoadIconSized(icon, SM_CXSMICON, SM_CYSMICON));
    }
    return 1;
}

// Removes a window-menu entry by its command (61728 Restore, 61440 Size, 61488
// Maximize). Values that are no window-menu command, such as 0, -1 and -2,
// select nothing and remove nothing: the menu keeps Move, Minimize, Close and
// its separators.
LONG DeleteWindowMenuItem(LONG command) {
    const HWND window = OwnConsoleWindow();
    const UINT item = static_cast<UINT>(command);
    if (window != nullptr && item >= kFirstWindowCommand && item <= kLastWindowCommand) {
        DeleteMenu(GetSystemMenu(window, FALSE), item, MF_BYCOMMAND);
    }
    return 1;
}

// The screen buffer is sized wherever there is one: every screen position of
// the program assumes 80 columns.
LONG Console80x(LONG rows) {
    if (rows >= 1 && rows <= 9999) {
        SizeConsole(80, static_cast<int>(rows));
    }
    return 1;
}

LONG ConsoleMove(LONG x, LONG y) {
    const HWND window = OwnConsoleWindow();
    if (window != nullptr) {
        PlaceConsoleWindow(window, static_cast<int>(x), static_cast<int>(y));
    }
    return 1;
}

LONG ConsoleMessageBox(BSTR text, LONG, BSTR title, LONG, LONG) {
    ShowConsoleBox(Text(title), Text(text));
    return IDOK;
}
