#include "app/winmain.h"

int WINMAIN(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    SetUpConsoleWindow(instance);
    ShowBanner();
    return 0;
}
