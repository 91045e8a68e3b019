// What a Windows console reports for the keys of a US keyboard: virtual-key
// code, scan code, character and control-key state.
#pragma once

#include "platform/terminal_text/key_decoder.h"

#include <optional>

inline constexpr KeyPress kEnter = {VK_RETURN, 0x1C, 13, 0};
inline constexpr KeyPress kKeypadEnter = {VK_RETURN, 0x1C, 13, ENHANCED_KEY};
inline constexpr KeyPress kBackspace = {VK_BACK, 0x0E, 8, 0};
inline constexpr KeyPress kTab = {VK_TAB, 0x0F, 9, 0};
inline constexpr KeyPress kEscape = {VK_ESCAPE, 0x01, 27, 0};

// The cursor block.
inline constexpr KeyPress kUp = {VK_UP, 0x48, 0, ENHANCED_KEY};
inline constexpr KeyPress kDown = {VK_DOWN, 0x50, 0, ENHANCED_KEY};
inline constexpr KeyPress kRight = {VK_RIGHT, 0x4D, 0, ENHANCED_KEY};
inline constexpr KeyPress kLeft = {VK_LEFT, 0x4B, 0, ENHANCED_KEY};
inline constexpr KeyPress kHome = {VK_HOME, 0x47, 0, ENHANCED_KEY};
inline constexpr KeyPress kEnd = {VK_END, 0x4F, 0, ENHANCED_KEY};
inline constexpr KeyPress kInsert = {VK_INSERT, 0x52, 0, ENHANCED_KEY};
inline constexpr KeyPress kDelete = {VK_DELETE, 0x53, 0, ENHANCED_KEY};
inline constexpr KeyPress kPageUp = {VK_PRIOR, 0x49, 0, ENHANCED_KEY};
inline constexpr KeyPress kPageDown = {VK_NEXT, 0x51, 0, ENHANCED_KEY};

// The key that types printable ASCII c (32..126), with Shift where the US layout needs it.
// Example: 'A' gives virtual key 'A', scan code 0x1E, SHIFT_PRESSED.
KeyPress PrintableKey(unsigned char c);

// A control byte (0..31 but ESC, or DEL) as the key that sends it. Ctrl+letters keep
// their control character, as a console gives them.
KeyPress ControlKey(unsigned char c);

// F1..F12. Example: 11 gives VK_F1 + 10 with scan code 0x57.
KeyPress FunctionKey(int n);

// The numeric keypad key an SS3 final byte stands for in application mode
// ('p'..'y' the digits, 'j'..'n' and 'X' the operators, 'o' the divide key).
std::optional<KeyPress> KeypadKey(char final);
