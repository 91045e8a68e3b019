#include "app/winmain.h"
#include "console/console.h"

void ShowBanner() {
    NewLine();
    PrintText("   Orvane 6.0 Layout Assistant v1");
    NewLine();
    PrintText("   Speaker placement for six-channel listening rooms");
    NewLine();
    PrintText("   https://orvane.example/layout");
    NewLine();
    NewLine();
    NewLine();
    NewLine();
}
