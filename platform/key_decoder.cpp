#include "platform/key_decoder.h"

#include "platform/codepage437.h"

#include <array>
#include <optional>

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kBel = 0x07;
constexpr unsigned char kCan = 0x18;
constexpr unsigned char kSub = 0x1A;

// ---- Keys of a US keyboard ------------------------------------------------

// One key of the main block that types a symbol or a digit.
struct SymbolKey {
    char plain;      // character without Shift
    char shifted;    // character with Shift
    WORD virtualKey; // its virtual-key code
    WORD scanCode;   // its scan code
};

constexpr std::array<SymbolKey, 21> kSymbolKeys = {{
    {'1', '!', '1', 0x02},          {'2', '@', '2', 0x03},           {'3', '#', '3', 0x04},
    {'4', '$', '4', 0x05},          {'5', '%', '5', 0x06},           {'6', '^', '6', 0x07},
    {'7', '&', '7', 0x08},          {'8', '*', '8', 0x09},           {'9', '(', '9', 0x0A},
    {'0', ')', '0', 0x0B},          {'-', '_', VK_OEM_MINUS, 0x0C},  {'=', '+', VK_OEM_PLUS, 0x0D},
    {'[', '{', VK_OEM_4, 0x1A},     {']', '}', VK_OEM_6, 0x1B},      {';', ':', VK_OEM_1, 0x27},
    {'\'', '"', VK_OEM_7, 0x28},    {'`', '~', VK_OEM_3, 0x29},      {'\\', '|', VK_OEM_5, 0x2B},
    {',', '<', VK_OEM_COMMA, 0x33}, {'.', '>', VK_OEM_PERIOD, 0x34}, {'/', '?', VK_OEM_2, 0x35},
}};

// The three letter rows, each starting at its first key's scan code.
constexpr std::string_view kLetterRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
constexpr WORD kLetterRowScanCodes[] = {0x10, 0x1E, 0x2C};

WORD LetterScanCode(char lower) {
    for (int row = 0; row < 3; ++row) {
        const std::size_t column = kLetterRows[row].find(lower);
        if (column != std::string_view::npos) {
            return static_cast<WORD>(kLetterRowScanCodes[row] + column);
        }
    }
    return 0;
}

// The key that types printable ASCII c (32..126), with Shift where the US layout needs it.
// Example: 'A' gives virtual key 'A', scan code 0x1E, SHIFT_PRESSED.
KeyPress PrintableKey(unsigned char c) {
    if (c == ' ') {
        return {VK_SPACE, 0x39, c, 0};
    }
    if (c >= 'a' && c <= 'z') {
        return {static_cast<WORD>(c - 'a' + 'A'), LetterScanCode(static_cast<char>(c)), c, 0};
    }
    if (c >= 'A' && c <= 'Z') {
        return {c, LetterScanCode(static_cast<char>(c - 'A' + 'a')), c, SHIFT_PRESSED};
    }
    for (const SymbolKey& key : kSymbolKeys) {
        if (key.plain == static_cast<char>(c)) {
            return {key.virtualKey, key.scanCode, c, 0};
        }
        if (key.shifted == static_cast<char>(c)) {
            return {key.virtualKey, key.scanCode, c, SHIFT_PRESSED};
        }
    }
    return {0, 0, c, 0};
}

constexpr KeyPress kEnter = {VK_RETURN, 0x1C, 13, 0};
constexpr KeyPress kBackspace = {VK_BACK, 0x0E, 8, 0};
constexpr KeyPress kTab = {VK_TAB, 0x0F, 9, 0};
constexpr KeyPress kEscape = {VK_ESCAPE, 0x01, 27, 0};

// A control byte (0..31 but ESC, or DEL) as the key that sends it. Ctrl+letters keep
// their control character, as a console gives them; ^^ and ^_ need Shift on a US
// keyboard (Ctrl+Shift+6, Ctrl+Shift+-).
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
        return {VK_SPACE, 0x39, 0, LEFT_CTRL_PRESSED};
    default:
        break;
    }
    KeyPress key = c <= 26 ? PrintableKey(static_cast<unsigned char>('a' + c - 1))
                           : PrintableKey(static_cast<unsigned char>("\\]^_"[c - 28]));
    key.character = c;
    key.controlState |= LEFT_CTRL_PRESSED;
    return key;
}

// The cursor block and the function keys.
constexpr KeyPress kUp = {VK_UP, 0x48, 0, ENHANCED_KEY};
constexpr KeyPress kDown = {VK_DOWN, 0x50, 0, ENHANCED_KEY};
constexpr KeyPress kRight = {VK_RIGHT, 0x4D, 0, ENHANCED_KEY};
constexpr KeyPress kLeft = {VK_LEFT, 0x4B, 0, ENHANCED_KEY};
constexpr KeyPress kHome = {VK_HOME, 0x47, 0, ENHANCED_KEY};
constexpr KeyPress kEnd = {VK_END, 0x4F, 0, ENHANCED_KEY};
constexpr KeyPress kInsert = {VK_INSERT, 0x52, 0, ENHANCED_KEY};
constexpr KeyPress kDelete = {VK_DELETE, 0x53, 0, ENHANCED_KEY};
constexpr KeyPress kPageUp = {VK_PRIOR, 0x49, 0, ENHANCED_KEY};
constexpr KeyPress kPageDown = {VK_NEXT, 0x51, 0, ENHANCED_KEY};

// F1..F12. Example: 11 gives VK_F1 + 10 with scan code 0x57.
KeyPress FunctionKey(int n) {
    const WORD scanCode = n <= 10 ? static_cast<WORD>(0x3B + n - 1) : (n == 11 ? 0x57 : 0x58);
    return {static_cast<WORD>(VK_F1 + n - 1), scanCode, 0, 0};
}

// The numeric keypad in application mode (SS3 j..y and X), which a program that left the
// terminal in that mode would otherwise make unusable for digits.
struct KeypadKey {
    char final;      // SS3 final byte
    char character;  // character typed
    WORD virtualKey; // keypad virtual-key code
    WORD scanCode;   // keypad scan code
};

constexpr std::array<KeypadKey, 16> kKeypadKeys = {{
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
    {'X', '=', VK_OEM_PLUS, 0x0D},
}};

constexpr WORD kKeypadDivide = 0x6F;

// ---- Escape sequences -----------------------------------------------------

// The key that a sequence's final byte names alone (CSI and SS3 share most of them).
std::optional<KeyPress> FinalKey(char final, bool ss3) {
    switch (final) {
    case 'A':
        return kUp;
    case 'B':
        return kDown;
    case 'C':
        return kRight;
    case 'D':
        return kLeft;
    case 'H':
        return kHome;
    case 'F':
        return kEnd;
    case 'P':
    case 'Q':
    case 'R':
    case 'S':
        return FunctionKey(final - 'P' + 1);
    default:
        break;
    }
    if (!ss3) {
        switch (final) {
        case 'Z':
            return KeyPress{VK_TAB, 0x0F, 9, SHIFT_PRESSED};
        case 'a': // rxvt Shift+cursor keys
        case 'b':
        case 'c':
        case 'd': {
            KeyPress key = *FinalKey(static_cast<char>(final - 'a' + 'A'), false);
            key.controlState |= SHIFT_PRESSED;
            return key;
        }
        default:
            return std::nullopt;
        }
    }
    switch (final) {
    case 'M':
        return KeyPress{VK_RETURN, 0x1C, 13, ENHANCED_KEY};
    case 'o':
        return KeyPress{kKeypadDivide, 0x35, '/', ENHANCED_KEY};
    case 'a': // rxvt Ctrl+cursor keys
    case 'b':
    case 'c':
    case 'd': {
        KeyPress key = *FinalKey(static_cast<char>(final - 'a' + 'A'), false);
        key.controlState |= LEFT_CTRL_PRESSED;
        return key;
    }
    default:
        break;
    }
    for (const KeypadKey& key : kKeypadKeys) {
        if (key.final == final) {
            return KeyPress{key.virtualKey, key.scanCode, static_cast<unsigned char>(key.character),
                            0};
        }
    }
    return std::nullopt;
}

// The key of CSI <n>~ (VT220, Linux console, rxvt).
std::optional<KeyPress> TildeKey(int n) {
    switch (n) {
    case 1:
    case 7:
        return kHome;
    case 2:
        return kInsert;
    case 3:
        return kDelete;
    case 4:
    case 8:
        return kEnd;
    case 5:
        return kPageUp;
    case 6:
        return kPageDown;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
        return FunctionKey(n - 10);
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
        return FunctionKey(n - 11);
    case 23:
    case 24:
        return FunctionKey(n - 12);
    default:
        return std::nullopt;
    }
}

// Numeric parameters of a sequence: at most two, -1 where one is left out.
struct Parameters {
    int count;                 // how many were given (";5" counts two)
    std::array<int, 2> values; // their values, -1 when empty
};

// "1;5" gives {2, {1, 5}}; "" gives {0}; private markers ("<", "?") and a third
// parameter give nothing: no key has them.
std::optional<Parameters> ParseParameters(std::string_view text) {
    Parameters parameters = {0, {-1, -1}};
    if (text.empty()) {
        return parameters;
    }
    parameters.count = 1;
    for (const char c : text) {
        if (c == ';') {
            if (parameters.count == 2) {
                return std::nullopt;
            }
            ++parameters.count;
        } else if (c >= '0' && c <= '9') {
            int& value = parameters.values[parameters.count - 1];
            value = value < 0 ? 0 : value;
            value = value >= 10000 ? value : value * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    return parameters;
}

// xterm's modifier parameter: one more than a bit set of Shift 1, Alt 2, Ctrl 4 (and Meta 8,
// which a console has no flag for). Example: 6 is Ctrl+Shift.
DWORD ModifierState(int modifier) {
    if (modifier < 2) {
        return 0;
    }
    const int bits = modifier - 1;
    DWORD state = 0;
    state |= (bits & 1) != 0 ? SHIFT_PRESSED : 0;
    state |= (bits & 2) != 0 ? LEFT_ALT_PRESSED : 0;
    state |= (bits & 4) != 0 ? LEFT_CTRL_PRESSED : 0;
    return state;
}

std::optional<KeyPress> WithState(std::optional<KeyPress> key, DWORD state) {
    if (key) {
        key->controlState |= state;
    }
    return key;
}

// The key of a complete CSI sequence, from its parameter bytes and final byte.
// Example: ("1;5", 'C') is Ctrl+Right; ("15", '~') is F5; ("<0;3;4", 'M') is none.
std::optional<KeyPress> CsiKey(std::string_view parameterText, char final) {
    const std::optional<Parameters> parameters = ParseParameters(parameterText);
    if (!parameters) {
        return std::nullopt;
    }
    const auto [count, values] = *parameters;
    switch (final) {
    case '~':
        return count >= 1 ? WithState(TildeKey(values[0]), ModifierState(values[1])) : std::nullopt;
    case '$': // rxvt: Shift, Ctrl, Ctrl+Shift as the final byte
        return count == 1 ? WithState(TildeKey(values[0]), SHIFT_PRESSED) : std::nullopt;
    case '^':
        return count == 1 ? WithState(TildeKey(values[0]), LEFT_CTRL_PRESSED) : std::nullopt;
    case '@':
        return count == 1 ? WithState(TildeKey(values[0]), LEFT_CTRL_PRESSED | SHIFT_PRESSED)
                          : std::nullopt;
    default:
        break;
    }
    if (values[0] > 1) {
        return std::nullopt;
    }
    return WithState(FinalKey(final, false), ModifierState(values[1]));
}

// The key of a complete SS3 sequence; a modifier may stand alone ("ESC O 5 A") or second.
std::optional<KeyPress> Ss3Key(std::string_view parameterText, char final) {
    const std::optional<Parameters> parameters = ParseParameters(parameterText);
    if (!parameters) {
        return std::nullopt;
    }
    const auto [count, values] = *parameters;
    if (count == 2 && values[0] > 1) {
        return std::nullopt;
    }
    return WithState(FinalKey(final, true), ModifierState(values[count == 2 ? 1 : 0]));
}

// How far a sequence reaches in the bytes seen so far.
enum class Reach {
    Key,     // a complete sequence that is a key
    Unknown, // a complete sequence that is not a key
    Broken,  // a byte that cannot continue it: the sequence is the bytes before that one
    RanOut,  // the bytes end before the sequence does
};

struct Scan {
    Reach reach;        // how far it got
    std::size_t length; // bytes of the sequence (Key, Unknown, Broken)
    KeyPress key;       // the key (Key)
};

Scan Finish(std::size_t length, std::optional<KeyPress> key) {
    return key ? Scan{Reach::Key, length, *key} : Scan{Reach::Unknown, length, {}};
}

bool IsParameterByte(unsigned char c) {
    return c >= 0x30 && c <= 0x3F;
}
bool IsIntermediateByte(unsigned char c) {
    return c >= 0x20 && c <= 0x2F;
}
bool IsFinalByte(unsigned char c) {
    return c >= 0x40 && c <= 0x7E;
}

bool IsNumber(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// ESC [ ...: Linux console F1-F5 (ESC [ [ A..E), the old mouse report (ESC [ M and three
// raw bytes), then any ECMA-48 control sequence up to its final byte.
Scan ScanCsi(std::string_view bytes) {
    const std::size_t n = bytes.size();
    if (n > 2 && bytes[2] == '[') {
        if (n < 4) {
            return {Reach::RanOut, 0, {}};
        }
        if (bytes[3] >= 'A' && bytes[3] <= 'E') {
            return Finish(4, FunctionKey(bytes[3] - 'A' + 1));
        }
        return {Reach::Unknown, 3, {}};
    }
    if (n > 2 && bytes[2] == 'M') {
        return n < 6 ? Scan{Reach::RanOut, 0, {}} : Scan{Reach::Unknown, 6, {}};
    }
    std::size_t i = 2;
    while (i < n && IsParameterByte(static_cast<unsigned char>(bytes[i]))) {
        ++i;
    }
    const std::string_view parameterText = bytes.substr(2, i - 2);
    // rxvt ends Shift+Insert and the like with '$', which ECMA-48 makes an intermediate byte.
    if (i < n && bytes[i] == '$' && IsNumber(parameterText)) {
        return Finish(i + 1, CsiKey(parameterText, '$'));
    }
    const std::size_t intermediates = i;
    while (i < n && IsIntermediateByte(static_cast<unsigned char>(bytes[i]))) {
        ++i;
    }
    if (i == n) {
        return {Reach::RanOut, 0, {}};
    }
    if (!IsFinalByte(static_cast<unsigned char>(bytes[i]))) {
        return {Reach::Broken, i, {}};
    }
    if (i > intermediates) {
        return {Reach::Unknown, i + 1, {}};
    }
    return Finish(i + 1, CsiKey(parameterText, bytes[i]));
}

// ESC O ...: VT cursor and keypad keys, F1-F4, optionally with a modifier.
Scan ScanSs3(std::string_view bytes) {
    const std::size_t n = bytes.size();
    std::size_t i = 2;
    while (i < n && IsParameterByte(static_cast<unsigned char>(bytes[i]))) {
        ++i;
    }
    if (i == n) {
        return {Reach::RanOut, 0, {}};
    }
    if (!IsFinalByte(static_cast<unsigned char>(bytes[i]))) {
        return {Reach::Broken, i, {}};
    }
    return Finish(i + 1, Ss3Key(bytes.substr(2, i - 2), bytes[i]));
}

// ESC ] (OSC) and ESC P (DCS): a string up to BEL or ST (ESC \), as terminals send in
// answer to queries. A control byte that no string holds ends it early, so an Enter typed
// after Alt+] still arrives.
Scan ScanString(std::string_view bytes) {
    const std::size_t n = bytes.size();
    for (std::size_t i = 2; i < n; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == kBel || c == kCan || c == kSub) {
            return {Reach::Unknown, i + 1, {}};
        }
        if (c == kEsc) {
            if (i + 1 == n) {
                return {Reach::RanOut, 0, {}};
            }
            return bytes[i + 1] == '\\' ? Scan{Reach::Unknown, i + 2, {}}
                                        : Scan{Reach::Broken, i, {}};
        }
        if (c < 0x20) {
            return {Reach::Broken, i, {}};
        }
    }
    return {Reach::RanOut, 0, {}};
}

// ---- Results --------------------------------------------------------------

DecodeResult KeyResult(std::size_t length, KeyPress key) {
    return {DecodeStatus::Key, length, key};
}

DecodeResult SkipResult(std::size_t length) {
    return {DecodeStatus::Skip, length, {}};
}

DecodeResult NeedMoreResult() {
    return {DecodeStatus::NeedMore, 0, {}};
}

KeyPress WithAlt(KeyPress key) {
    key.controlState |= LEFT_ALT_PRESSED;
    return key;
}

// A character beyond ASCII as its code page 437 byte; one without a byte there is dropped.
DecodeResult MappedCharacter(char32_t codePoint, std::size_t length) {
    const int byte = UnicodeToCp437(codePoint);
    if (byte < 0) {
        return SkipResult(length);
    }
    return KeyResult(length, {0, 0, static_cast<unsigned char>(byte), 0});
}

// One UTF-8 code point. Invalid, overlong and surrogate forms are dropped one byte at a
// time; a sequence cut short waits for the rest until the timeout.
// Example: C3 A9 (é) gives character 130 with length 2.
DecodeResult DecodeUtf8(std::string_view bytes, bool timedOut) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return SkipResult(1);
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i == bytes.size()) {
            return timedOut ? SkipResult(bytes.size()) : NeedMoreResult();
        }
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < low || c > high) {
            return SkipResult(1);
        }
        codePoint = (codePoint << 6) | (c & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return MappedCharacter(codePoint, length);
}

// A key that does not start with ESC.
DecodeResult DecodePlain(std::string_view bytes, bool timedOut, TerminalEncoding encoding) {
    const auto c = static_cast<unsigned char>(bytes[0]);
    if (c < 0x20 || c == 0x7F) {
        return KeyResult(1, ControlKey(c));
    }
    if (c < 0x80) {
        return KeyResult(1, PrintableKey(c));
    }
    switch (encoding) {
    case TerminalEncoding::Utf8:
        return DecodeUtf8(bytes, timedOut);
    case TerminalEncoding::Latin1:
        return MappedCharacter(c, 1);
    case TerminalEncoding::Ascii:
        break;
    }
    return SkipResult(1);
}

// A sequence scan turned into a result. Its introducer alone (ESC [, ESC O, ESC ], ESC P),
// left waiting or followed by something no sequence holds, was Alt with that key: a terminal
// sends a sequence in one write, a person types Alt+[ and stops.
DecodeResult Resolve(const Scan& scan, std::string_view bytes, bool timedOut) {
    const KeyPress alt = WithAlt(PrintableKey(static_cast<unsigned char>(bytes[1])));
    switch (scan.reach) {
    case Reach::Key:
        return KeyResult(scan.length, scan.key);
    case Reach::Unknown:
        return SkipResult(scan.length);
    case Reach::Broken:
        return scan.length == 2 ? KeyResult(2, alt) : SkipResult(scan.length);
    case Reach::RanOut:
        break;
    }
    if (!timedOut) {
        return bytes.size() < kLongestKeySequence ? NeedMoreResult() : SkipResult(bytes.size());
    }
    return bytes.size() == 2 ? KeyResult(2, alt) : SkipResult(bytes.size());
}

// Bytes starting with ESC: the Escape key, Alt with a key, or an escape sequence.
DecodeResult DecodeEscape(std::string_view bytes, bool timedOut, TerminalEncoding encoding) {
    if (bytes.size() == 1) {
        return timedOut ? KeyResult(1, kEscape) : NeedMoreResult();
    }
    switch (bytes[1]) {
    case kEsc:
        return KeyResult(1, kEscape);
    case '[':
        return Resolve(ScanCsi(bytes), bytes, timedOut);
    case 'O':
        return Resolve(ScanSs3(bytes), bytes, timedOut);
    case ']':
    case 'P':
        return Resolve(ScanString(bytes), bytes, timedOut);
    default:
        break;
    }
    DecodeResult result = DecodePlain(bytes.substr(1), timedOut, encoding);
    if (result.status != DecodeStatus::NeedMore) {
        result.length += 1;
    }
    if (result.status == DecodeStatus::Key) {
        result.key = WithAlt(result.key);
    }
    return result;
}

} // namespace

DecodeResult DecodeKey(std::string_view pending, int quietMs, int escapeTimeoutMs,
                       TerminalEncoding encoding) {
    if (pending.empty()) {
        return NeedMoreResult();
    }
    const bool timedOut = quietMs >= escapeTimeoutMs;
    if (static_cast<unsigned char>(pending[0]) == kEsc) {
        return DecodeEscape(pending, timedOut, encoding);
    }
    return DecodePlain(pending, timedOut, encoding);
}

INPUT_RECORD KeyRecord(const KeyPress& key, bool down) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& event = record.Event.KeyEvent;
    event.bKeyDown = down ? TRUE : FALSE;
    event.wRepeatCount = 1;
    event.wVirtualKeyCode = key.virtualKey;
    event.wVirtualScanCode = key.scanCode;
    event.uChar.AsciiChar = static_cast<CHAR>(key.character);
    event.dwControlKeyState = key.controlState;
    return record;
}
