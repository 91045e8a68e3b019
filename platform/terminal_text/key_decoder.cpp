#include "platform/terminal_text/key_decoder.h"

#include "platform/terminal_text/codepage437.h"
#include "platform/terminal_text/us_keyboard.h"

#include <array>
#include <optional>

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kBel = 0x07;
constexpr unsigned char kCan = 0x18;
constexpr unsigned char kSub = 0x1A;

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
            return KeyPress{keys::kTab, 0x0F, 9, keys::kShift};
        case 'a': // rxvt Shift+cursor keys
        case 'b':
        case 'c':
        case 'd': {
            KeyPress key = *FinalKey(static_cast<char>(final - 'a' + 'A'), false);
            key.controlState |= keys::kShift;
            return key;
        }
        default:
            return std::nullopt;
        }
    }
    switch (final) {
    case 'M':
        return kKeypadEnter;
    case 'a': // rxvt Ctrl+cursor keys
    case 'b':
    case 'c':
    case 'd': {
        KeyPress key = *FinalKey(static_cast<char>(final - 'a' + 'A'), false);
        key.controlState |= keys::kLeftCtrl;
        return key;
    }
    default:
        break;
    }
    return KeypadKey(final);
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
            int& value = parameters.values[static_cast<std::size_t>(parameters.count - 1)];
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
std::uint32_t ModifierState(int modifier) {
    if (modifier < 2) {
        return 0;
    }
    const int bits = modifier - 1;
    std::uint32_t state = 0;
    state |= (bits & 1) != 0 ? keys::kShift : 0;
    state |= (bits & 2) != 0 ? keys::kLeftAlt : 0;
    state |= (bits & 4) != 0 ? keys::kLeftCtrl : 0;
    return state;
}

std::optional<KeyPress> WithState(std::optional<KeyPress> key, std::uint32_t state) {
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
        return count == 1 ? WithState(TildeKey(values[0]), keys::kShift) : std::nullopt;
    case '^':
        return count == 1 ? WithState(TildeKey(values[0]), keys::kLeftCtrl) : std::nullopt;
    case '@':
        return count == 1 ? WithState(TildeKey(values[0]), keys::kLeftCtrl | keys::kShift)
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
    key.controlState |= keys::kLeftAlt;
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
