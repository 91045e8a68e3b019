#include "console_box.h"

#include "addon_window.h"
#include "platform/message_box.h"
#include "windows_console.h"

#include <vector>

namespace {

// A block of screen-buffer cells and where it sits.
struct CellBlock {
    COORD size{};                 // columns, rows
    SMALL_RECT region{};          // buffer cells covered, inclusive
    std::vector<CHAR_INFO> cells; // size.X * size.Y, row by row
};

CellBlock BlockOver(const Overlay& box, const SMALL_RECT& window) {
    CellBlock block;
    block.size = COORD{static_cast<SHORT>(box.width), static_cast<SHORT>(box.height)};
    block.region.Left = static_cast<SHORT>(window.Left + box.left);
    block.region.Top = static_cast<SHORT>(window.Top + box.top);
    block.region.Right = static_cast<SHORT>(block.region.Left + box.width - 1);
    block.region.Bottom = static_cast<SHORT>(block.region.Top + box.height - 1);
    block.cells.resize(CellCount(box.width, box.height));
    return block;
}

void Write(HANDLE output, CellBlock& block) {
    WriteConsoleOutputA(output, block.cells.data(), block.size, COORD{0, 0}, &block.region);
}

bool Dismisses(const INPUT_RECORD& record) {
    if (record.EventType != KEY_EVENT || record.Event.KeyEvent.bKeyDown == FALSE) {
        return false;
    }
    const WORD key = record.Event.KeyEvent.wVirtualKeyCode;
    return key == VK_RETURN || key == VK_SPACE || key == VK_ESCAPE;
}

void WaitForDismissal(HANDLE input) {
    INPUT_RECORD record{};
    DWORD read = 0;
    while (ReadConsoleInputA(input, &record, 1, &read) != FALSE && read == 1) {
        if (Dismisses(record)) {
            return;
        }
    }
}

std::vector<INPUT_RECORD> TakeWaitingInput(HANDLE input) {
    std::vector<INPUT_RECORD> records;
    DWORD count = 0;
    if (GetNumberOfConsoleInputEvents(input, &count) != FALSE && count > 0) {
        records.resize(count);
        DWORD read = 0;
        if (ReadConsoleInputA(input, records.data(), count, &read) == FALSE) {
            read = 0;
        }
        records.resize(read);
    }
    return records;
}

// Ahead of what was typed after the dismissing key, so that the order stays.
void GiveInputBack(HANDLE input, std::vector<INPUT_RECORD> records) {
    const std::vector<INPUT_RECORD> later = TakeWaitingInput(input);
    records.insert(records.end(), later.begin(), later.end());
    DWORD written = 0;
    if (!records.empty()) {
        WriteConsoleInputA(input, records.data(), static_cast<DWORD>(records.size()), &written);
    }
}

} // namespace

void ShowConsoleBox(const std::string& title, const std::string& text) {
    const HANDLE output = OpenConsoleOutput();
    const HANDLE input =
        CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    CONSOLE_CURSOR_INFO cursor{};
    if (output != INVALID_HANDLE_VALUE && input != INVALID_HANDLE_VALUE &&
        GetConsoleScreenBufferInfo(output, &screen) != FALSE &&
        GetConsoleCursorInfo(output, &cursor) != FALSE) {
        const SMALL_RECT& window = screen.srWindow;
        const Overlay box = LayOutMessageBox(title, text, window.Right - window.Left + 1,
                                             window.Bottom - window.Top + 1);
        CellBlock beneath = BlockOver(box, window);
        ReadConsoleOutputA(output, beneath.cells.data(), beneath.size, COORD{0, 0},
                           &beneath.region);

        CellBlock drawn = BlockOver(box, window);
        for (std::size_t i = 0; i < box.cells.size(); ++i) {
            drawn.cells[i].Char.AsciiChar = static_cast<CHAR>(box.cells[i].character);
            drawn.cells[i].Attributes = box.cells[i].attribute;
        }
        const CONSOLE_CURSOR_INFO hidden{cursor.dwSize, FALSE};
        SetConsoleCursorInfo(output, &hidden);
        Write(output, drawn);

        // Only a key pressed once the box is there closes it, as on a terminal:
        // an Enter typed or pasted ahead must not hide the refusal unread. Such
        // keys were typed for the questions, and go back to them afterwards.
        const std::vector<INPUT_RECORD> typedAhead = TakeWaitingInput(input);
        WaitForDismissal(input);
        GiveInputBack(input, typedAhead);

        Write(output, beneath);
        SetConsoleCursorInfo(output, &cursor);
    }
    if (input != INVALID_HANDLE_VALUE) {
        CloseHandle(input);
    }
    if (output != INVALID_HANDLE_VALUE) {
        CloseHandle(output);
    }
}
