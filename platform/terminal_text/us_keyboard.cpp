// What a Windows console reports for each key of a US keyboard: the keys
// behind printable characters, control bytes, the cursor block, the function
// keys and the keypad.
#include "platform/terminal_text/us_keyboard.h"

#include <array>
#include <string_view>

namespace {

// One key of the main block that types a symbol or a digit.
struct SymbolKey {
    char plain;               // character without Shift
    char shifted;             // character with Shift
    std::uint16_t virtualKey; // its virtual-key code
    std::uint16_t scanCode;   // its scan code
};

constexpr std::array<SymbolKey, 21> kSymbolKeys = {{
    {'1', '!', '1', 0x02},
    {'2', '@', '2', 0x03},
    {'3', '#', '3', 0x04},
    {'4', '$', '4', 0x05},
    {'5', '%', '5', 0x06},
    {'6', '^', '6', 0x07},
    {'7', '&', '7', 0x08},
    {'8', '*', '8', 0x09},
    {'9', '(', '9', 0x0A},
    {'0', ')', '0', 0x0B},
    {'-', '_', keys::kMinus, 0x0C},
    {'=', '+', keys::kEquals, 0x0D},
    {'[', '{', keys::kOpenBracket, 0x1A},
    {']', '}', keys::kCloseBracket, 0x1B},
    {';', ':', keys::kSemicolon, 0x27},
    {'\'', '"', keys::kQuote, 0x28},
    {'`', '~', keys::kBackquote, 0x29},
    {'\\', '|', keys::kBackslash, 0x2B},
    {',', '<', keys::kComma, 0x33},
    {'.', '>', keys::kPeriod, 0x34},
    {'/', '?', keys::kSlash, 0x35},
}};

// The three letter rows, each starting at its first key's scan code.
constexpr std::string_view kLetterRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
constexpr std::uint16_t kLetterRowScanCodes[] = {0x10, 0x1E, 0x2C};

std::uint16_t LetterScanCode(char lower) {
    for (int row = 0; row < 3; ++row) {
        const std::size_t column = kLetterRows[row].find(lower);
        if (column != std::string_view::npos) {
            return static_cast<std::uint16_t>(kLetterRowScanCodes[row] + column);
        }
    }
    return 0;
}

} // namespace

KeyPress PrintableKey(unsigned char c) {
    if (c == ' ') {
        return {keys::kSpace, 0x39, c, 0};
    }
    if (c >= 'a' && c <= 'z') {
        return {static_cast<std::uint16_t>(c - 'a' + 'A'), LetterScanCode(static_cast<char>(c)), c,
                0};
    }
    if (c >= 'A' && c <= 'Z') {
        return {c, LetterScanCode(static_cast<char>(c - 'A' + 'a')), c, keys::kShift};
    }
    for (const SymbolKey& key : kSymbolKeys) {
        if (key.plain == static_cast<char>(c)) {
            return {key.virtualKey, key.scanCode, c, 0};
        }
        if (key.shifted == static_cast<char>(c)) {
            return {key.virtualKey, key.scanCode, c, keys::kShift};
        }
    }
    return {0, 0, c, 0};
}

// ^^ and ^_ need Shift on a US keyboard (Ctrl+Shift+6, Ctrl+Shift+-).
KeyPress ControlKey(unsigned char c) {
    switch (c) {
    case 8:
    case 127:
        return kBackspace;
    case 9:
        return kTab;
    case 10: // a typed-ahead Enter in cooked mode
    case 13:
        return kEnter;
    case 0:
        return {keys::kSpace, 0x39, 0, keys::kLeftCtrl};
    default:
        break;
    }
    KeyPress key = c <= 26 ? PrintableKey(static_cast<unsigned char>('a' + c - 1))
                           : PrintableKey(static_cast<unsigned char>("\\]^_"[c - 28]));
    key.character = c;
    key.controlState |= keys::kLeftCtrl;
    return key;
}

KeyPress FunctionKey(int n) {
    const std::uint16_t scanCode =
        n <= 10 ? static_cast<std::uint16_t>(0x3B + n - 1) : (n == 11 ? 0x57 : 0x58);
    return {static_cast<std::uint16_t>(keys::kF1 + n - 1), scanCode, 0, 0};
}

namespace {

// The numeric keypad in application mode (SS3 j..y and X), which a program that left the
// terminal in that mode would otherwise make unusable for digits.
struct KeypadEntry {
    char final;               // SS3 final byte
    char character;           // character typed
    std::uint16_t virtualKey; // keypad virtual-key code
    std::uint16_t scanCode;   // keypad scan code
};

constexpr std::array<KeypadEntry, 16> kKeypadKeys = {{
    {'p', '0', 0x60, 0x52},
    {'q', '1', 0x61, 0x4F},
    {'r', '2', 0x62, 0x50},
    {'s', '3', 0x63, 0x51},
    {'t', '4', 0x64, 0x4B},
    {'u', '5', 0x65, 0x4C},
    {'v', '6', 0x66, 0x4D},
    {'w', '7', 0x67, 0x47},
    {'x', '8', 0x68, 0x48},
    {'y', '9', 0x69, 0x49},
    {'j', '*', 0x6A, 0x37},
    {'k', '+', 0x6B, 0x4E},
    {'l', ',', 0x6E, 0x53},
    {'m', '-', 0x6D, 0x4A},
    {'n', '.', 0x6E, 0x53},
    {'X', '=', keys::kEquals, 0x0D},
}};

constexpr std::uint16_t kKeypadDivide = 0x6F;

} // namespace

std::optional<KeyPress> KeypadKey(char final) {
    if (final == 'o') {
        return KeyPress{kKeypadDivide, 0x35, '/', keys::kEnhanced};
    }
    for (const KeypadEntry& key : kKeypadKeys) {
        if (key.final == final) {
            return KeyPress{key.virtualKey, key.scanCode, static_cast<unsigned char>(key.character),
                            0};
        }
    }
    return std::nullopt;
}
