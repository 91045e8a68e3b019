// The console add-on on a terminal: the title becomes the terminal's title,
// 80 x rows resizes the buffer, message boxes are drawn over the screen. Icon,
// window menu, tool bar and window position mean nothing in a terminal.
#include "platform/console_addon.h"
#include "platform/posix/console_model.h"
#include "platform/posix/terminal.h"

#include <string>

namespace {

std::string Text(BSTR text) {
    return text == nullptr
               ? std::string()
               : std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

void Record(std::string name, std::vector<long> numbers, std::vector<std::string> texts = {}) {
    ConsoleModel& console = TheConsole();
    console.addOnCalls.push_back({std::move(name), std::move(numbers), std::move(texts)});
    if (console.addOnHook) {
        console.addOnHook();
    }
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
    Record("ConsoleMessageBox", {a, b, c}, {Text(text), Text(title)});
    ShowTerminalMessageBox(Text(title), Text(text));
    return IDOK;
}
