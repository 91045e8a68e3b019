// What a Windows console reports for the keys of a US keyboard: virtual-key
// code, scan code, character and control-key state.
#pragma once

#include "platform/terminal_text/key_decoder.h"

#include <optional>

inline constexpr KeyPress kEnter = {keys::kReturn, 0x1C, 13, 0};
inline constexpr KeyPress kKeypadEnter = {keys::kReturn, 0x1C, 13, keys::kEnhanced};
inline constexpr KeyPress kBackspace = {keys::kBack, 0x0E, 8, 0};
inline constexpr KeyPress kTab = {keys::kTab, 0x0F, 9, 0};
inline constexpr KeyPress kEscape = {keys::kEscape, 0x01, 27, 0};

// The cursor block.
inline constexpr KeyPress kUp = {keys::kUp, 0x48, 0, keys::kEnhanced};
inline constexpr KeyPress kDown = {keys::kDown, 0x50, 0, keys::kEnhanced};
inline constexpr KeyPress kRight = {keys::kRight, 0x4D, 0, keys::kEnhanced};
inline constexpr KeyPress kLeft = {keys::kLeft, 0x4B, 0, keys::kEnhanced};
inline constexpr KeyPress kHome = {keys::kHome, 0x47, 0, keys::kEnhanced};
inline constexpr KeyPress kEnd = {keys::kEnd, 0x4F, 0, keys::kEnhanced};
inline constexpr KeyPress kInsert = {keys::kInsert, 0x52, 0, keys::kEnhanced};
inline constexpr KeyPress kDelete = {keys::kDelete, 0x53, 0, keys::kEnhanced};
inline constexpr KeyPress kPageUp = {keys::kPrior, 0x49, 0, keys::kEnhanced};
inline constexpr KeyPress kPageDown = {keys::kNext, 0x51, 0, keys::kEnhanced};

// The key that types printable ASCII c (32..126), with Shift where the US layout needs it.
// Example: 'A' gives virtual key 'A', scan code 0x1E, keys::kShift.
KeyPress PrintableKey(unsigned char c);

// A control byte (0..31 but ESC, or DEL) as the key that sends it. Ctrl+letters keep
// their control character, as a console gives them.
KeyPress ControlKey(unsigned char c);

// F1..F12. Example: 11 gives keys::kF1 + 10 with scan code 0x57.
KeyPress FunctionKey(int n);

// The numeric keypad key an SS3 final byte stands for in application mode
// ('p'..'y' the digits, 'j'..'n' and 'X' the operators, 'o' the divide key).
std::optional<KeyPress> KeypadKey(char final);
