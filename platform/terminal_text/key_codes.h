// The numbers a Windows console puts in its key records, held here because
// the terminal side includes no system header. The names are ours: the
// console's own (VK_RETURN, SHIFT_PRESSED) are macros in the Windows headers.
#pragma once

#include <cstdint>

namespace keys {

// Virtual-key codes; a letter's or digit's code is its upper-case ASCII code.
inline constexpr std::uint16_t kBack = 0x08;
inline constexpr std::uint16_t kTab = 0x09;
inline constexpr std::uint16_t kReturn = 0x0D;
inline constexpr std::uint16_t kEscape = 0x1B;
inline constexpr std::uint16_t kSpace = 0x20;
inline constexpr std::uint16_t kPrior = 0x21; // Page Up
inline constexpr std::uint16_t kNext = 0x22;  // Page Down
inline constexpr std::uint16_t kEnd = 0x23;
inline constexpr std::uint16_t kHome = 0x24;
inline constexpr std::uint16_t kLeft = 0x25;
inline constexpr std::uint16_t kUp = 0x26;
inline constexpr std::uint16_t kRight = 0x27;
inline constexpr std::uint16_t kDown = 0x28;
inline constexpr std::uint16_t kInsert = 0x2D;
inline constexpr std::uint16_t kDelete = 0x2E;
inline constexpr std::uint16_t kF1 = 0x70; // F2 to F12 follow
// The symbol keys of a US keyboard, by the character they type without Shift.
inline constexpr std::uint16_t kSemicolon = 0xBA;    // VK_OEM_1
inline constexpr std::uint16_t kEquals = 0xBB;       // VK_OEM_PLUS
inline constexpr std::uint16_t kComma = 0xBC;        // VK_OEM_COMMA
inline constexpr std::uint16_t kMinus = 0xBD;        // VK_OEM_MINUS
inline constexpr std::uint16_t kPeriod = 0xBE;       // VK_OEM_PERIOD
inline constexpr std::uint16_t kSlash = 0xBF;        // VK_OEM_2
inline constexpr std::uint16_t kBackquote = 0xC0;    // VK_OEM_3
inline constexpr std::uint16_t kOpenBracket = 0xDB;  // VK_OEM_4
inline constexpr std::uint16_t kBackslash = 0xDC;    // VK_OEM_5
inline constexpr std::uint16_t kCloseBracket = 0xDD; // VK_OEM_6
inline constexpr std::uint16_t kQuote = 0xDE;        // VK_OEM_7

// Control-key state flags.
inline constexpr std::uint32_t kLeftAlt = 0x0002;  // LEFT_ALT_PRESSED
inline constexpr std::uint32_t kLeftCtrl = 0x0008; // LEFT_CTRL_PRESSED
inline constexpr std::uint32_t kShift = 0x0010;    // SHIFT_PRESSED
inline constexpr std::uint32_t kEnhanced = 0x0100; // ENHANCED_KEY: the cursor block, keypad Enter

} // namespace keys
