#include "console/addon_call.h"

#include "platform/console_addon.h"

void ShowMessageBox(std::string_view text, std::string_view title) {
    BSTR textString = NewAddOnText(text);
    BSTR titleString = NewAddOnText(title);
    CallAddOn([&] { return ConsoleMessageBox(textString, 0, titleString, 0, 0); });
    SysFreeString(textString);
    SysFreeString(titleString);
}

void SetWindowTitle(std::string_view title) {
    BSTR titleString = NewAddOnText(title);
    BSTR previous = CallAddOn([&] { return ConsoleTitle(titleString); });
    SysFreeString(titleString);
    SysFreeString(previous);
}
