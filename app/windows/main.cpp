// Process start-up on Windows, as on a terminal: code page 437 held for the
// run, the floating-point settings made, the console layer started, then the
// program's logic once. The console's own code pages come back at exit.
#include "app/winmain.h"
#include "console/console.h"
#include "platform/floating_point.h"
#include "platform/windows/code_pages.h"

int main() {
    HoldCodePage437();
    SetFloatingPointControl();
    StartConsole();
    const int status =
        WINMAIN(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT);
    GiveBackCodePages();
    return status;
}
