#include "app/flow/window_setup.h"

#include "app/model/screen_texts.h"
#include "console/addon_call.h"
#include "console/console.h"
#include "platform/console_addon.h"

namespace {

// Window-menu entries and the icon, by the values the window system gives them.
constexpr LONG kApplicationIcon = 32512;
constexpr LONG kMenuRestore = 61728;
constexpr LONG kMenuSize = 61440;
constexpr LONG kMenuMaximize = 61488;

} // namespace

void SetUpConsoleWindow(HINSTANCE instance) {
    LONG unused = 0;
    CallAddOn([&] { return InitConsoleAddOn(instance, 0, 0, 0, unused, 0); });
    CallAddOn([] { return ConsoleToolBar(0, 5); });
    SetWindowTitle(screen::kWindowTitle);
    CallAddOn([] { return ConsoleIcon(kApplicationIcon); });
    for (LONG item : {kMenuRestore, LONG{0}, kMenuSize, LONG{-2}, LONG{-1}, kMenuMaximize}) {
        CallAddOn([item] { return DeleteWindowMenuItem(item); });
    }
    SetColor(screen::kAnswerColour, screen::kBackground);
    // Cleared before and after the resize, so nothing of a console of another
    // size stays visible and the whole window is white.
    ClearScreen();
    CallAddOn([] { return Console80x(25); });
    CallAddOn([] { return ConsoleMove(32767, 32767); });
    ClearScreen();
    SetColor(screen::kAnswerColour, screen::kBackground);
    SetCursor(0);
}

void ShowBanner() {
    NewLine();
    PrintText(screen::kBannerTitle);
    NewLine();
    PrintText(screen::kBannerCredit);
    NewLine();
    PrintText(screen::kBannerAddress);
    NewLine();
    NewLine();
    NewLine();
    NewLine();
}
