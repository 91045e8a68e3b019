// Calling the console add-on: texts go as fresh OLE byte strings, and the
// floating-point settings are made again afterwards, whatever it changed.
#pragma once

#include "ole_string.h"
#include "platform/floating_point.h"

#include <string_view>

// A fresh OLE byte string holding text; the caller releases it with SysFreeString.
inline BSTR NewAddOnText(std::string_view text) {
    return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

// Runs one add-on call and restores the floating-point settings after it.
template <typename Call> auto CallAddOn(Call call) {
    auto result = call();
    SetFloatingPointControl();
    return result;
}

// The add-on's modal message box with its OK button, until it is dismissed.
void ShowMessageBox(std::string_view text, std::string_view title);

// Sets the console window's title.
void SetWindowTitle(std::string_view title);
