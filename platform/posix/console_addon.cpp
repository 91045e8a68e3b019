// The console add-on on a terminal: the title becomes the terminal's title,
// 80 x rows resizes the buffer, message boxes are drawn over the screen. Icon,
// window menu, tool bar and window position mean nothing in a terminal.
#include "platform/console_addon.h"
#include "platform/posix/console_backend.h"
#include "platform/posix/console_model.h"

#include <string>

namespace {

std::string Text(BSTR text) {
    return text == nullptr
               ? std::string()
               : std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

void Record(std::string_view name, std::initializer_list<long> numbers,
            std::initializer_list<std::string_view> texts = {}) {
    TheConsoleBackend().addOnCalled(name, numbers, texts);
}

} // namespace

LONG InitConsoleAddOn(HINSTANCE, LONG a, LONG b, LONG c, LONG& reference, LONG d) {
    Record("InitConsoleAddOn", {a, b, c, reference, d});
    return 1;
}

LONG ConsoleToolBar(LONG a, LONG b) {
    Record("ConsoleToolBar", {a, b});
    return 1;
}

BSTR ConsoleTitle(BSTR title) {
    ConsoleModel& console = TheConsole();
    const std::string previous = console.title;
    console.title = Text(title);
    ++console.changes;
    Record("ConsoleTitle", {}, {console.title});
    return SysAllocStringByteLen(previous.data(), static_cast<UINT>(previous.size()));
}

LONG ConsoleIcon(LONG icon) {
    Record("ConsoleIcon", {icon});
    return 1;
}

LONG DeleteWindowMenuItem(LONG command) {
    Record("DeleteWindowMenuItem", {command});
    return 1;
}

LONG Console80x(LONG rows) {
    if (rows >= 1 && rows <= 9999) {
        ResizeConsoleBuffer(80, rows);
    }
    Record("Console80x", {rows});
    return 1;
}

LONG ConsoleMove(LONG x, LONG y) {
    Record("ConsoleMove", {x, y});
    return 1;
}

LONG ConsoleMessageBox(BSTR text, LONG a, BSTR title, LONG b, LONG c) {
    const std::string textString = Text(text);
    const std::string titleString = Text(title);
    Record("ConsoleMessageBox", {a, b, c}, {textString, titleString});
    TheConsoleBackend().messageBox(titleString, textString);
    return IDOK;
}
