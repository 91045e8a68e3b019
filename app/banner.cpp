#include "app/screen_texts.h"
#include "app/winmain.h"
#include "console/console.h"

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
