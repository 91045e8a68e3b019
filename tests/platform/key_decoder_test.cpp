#include "platform/terminal_text/key_decoder.h"
#include "tests/platform/key_decoder_invariants.h"

#include "windows_console.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <string_view>

namespace {

using namespace std::literals;

constexpr auto kKey = DecodeStatus::Key;
constexpr auto kSkip = DecodeStatus::Skip;
constexpr auto kMore = DecodeStatus::NeedMore;
constexpr auto kUtf8 = TerminalEncoding::Utf8;
constexpr auto kLatin1 = TerminalEncoding::Latin1;
constexpr auto kAscii = TerminalEncoding::Ascii;

constexpr DWORD kShift = SHIFT_PRESSED;
constexpr DWORD kCtrl = LEFT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED;
constexpr DWORD kExt = ENHANCED_KEY;

struct DecodeCase {
    std::string_view bytes; // what the terminal sent
    int quietMs;            // time since the last byte
    DecodeStatus status;    // expected answer
    std::size_t length;     // expected bytes consumed (0 for NeedMore)
    KeyPress key;           // expected key (Key only)
    TerminalEncoding encoding = kUtf8;
};

std::string Escaped(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x21 && b < 0x7F) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", b);
            out += hex;
        }
    }
    return out;
}

// clang-format off
const DecodeCase kCases[] = {
    // Printable ASCII: the US key that types it, Shift where needed.
    {"a"sv, 0, kKey, 1, {'A', 0x1E, 'a', 0}},
    {"A"sv, 0, kKey, 1, {'A', 0x1E, 'A', kShift}},
    {"q"sv, 0, kKey, 1, {'Q', 0x10, 'q', 0}},
    {"p"sv, 0, kKey, 1, {'P', 0x19, 'p', 0}},
    {"l"sv, 0, kKey, 1, {'L', 0x26, 'l', 0}},
    {"Z"sv, 0, kKey, 1, {'Z', 0x2C, 'Z', kShift}},
    {"m"sv, 0, kKey, 1, {'M', 0x32, 'm', 0}},
    {"1"sv, 0, kKey, 1, {'1', 0x02, '1', 0}},
    {"0"sv, 0, kKey, 1, {'0', 0x0B, '0', 0}},
    {"!"sv, 0, kKey, 1, {'1', 0x02, '!', kShift}},
    {")"sv, 0, kKey, 1, {'0', 0x0B, ')', kShift}},
    {" "sv, 0, kKey, 1, {VK_SPACE, 0x39, ' ', 0}},
    {"_"sv, 0, kKey, 1, {VK_OEM_MINUS, 0x0C, '_', kShift}},
    {"="sv, 0, kKey, 1, {VK_OEM_PLUS, 0x0D, '=', 0}},
    {"{"sv, 0, kKey, 1, {VK_OEM_4, 0x1A, '{', kShift}},
    {"]"sv, 0, kKey, 1, {VK_OEM_6, 0x1B, ']', 0}},
    {":"sv, 0, kKey, 1, {VK_OEM_1, 0x27, ':', kShift}},
    {"'"sv, 0, kKey, 1, {VK_OEM_7, 0x28, '\'', 0}},
    {"~"sv, 0, kKey, 1, {VK_OEM_3, 0x29, '~', kShift}},
    {"\\"sv, 0, kKey, 1, {VK_OEM_5, 0x2B, '\\', 0}},
    {"<"sv, 0, kKey, 1, {VK_OEM_COMMA, 0x33, '<', kShift}},
    {"."sv, 0, kKey, 1, {VK_OEM_PERIOD, 0x34, '.', 0}},
    {"?"sv, 0, kKey, 1, {VK_OEM_2, 0x35, '?', kShift}},
    {"ab"sv, 0, kKey, 1, {'A', 0x1E, 'a', 0}},

    // Characters beyond ASCII, mapped into code page 437.
    {"\xC3\xA9"sv, 0, kKey, 2, {0, 0, 130, 0}},
    {"\xE2\x96\x91"sv, 0, kKey, 3, {0, 0, 176, 0}},
    {"\xC2\xA0"sv, 0, kKey, 2, {0, 0, 255, 0}},
    {"\xE2\x82\xAC"sv, 0, kSkip, 3, {}},         // euro sign: no byte in code page 437
    {"\xF0\x9F\x98\x80"sv, 0, kSkip, 4, {}},     // emoji
    {"\xC2\x9B"sv, 0, kSkip, 2, {}},             // C1 control as a code point
    {"\xC3"sv, 0, kMore, 0, {}},
    {"\xC3"sv, 49, kMore, 0, {}},
    {"\xC3"sv, 50, kSkip, 1, {}},
    {"\xE2\x96"sv, 0, kMore, 0, {}},
    {"\xE2\x96"sv, 50, kSkip, 2, {}},
    {"\xC3(x"sv, 0, kSkip, 1, {}},               // bad continuation: drop the lead only
    {"\xC0\xAF"sv, 0, kSkip, 1, {}},             // overlong '/'
    {"\xE0\x80\xAF"sv, 0, kSkip, 1, {}},         // overlong '/'
    {"\xED\xA0\x80"sv, 0, kSkip, 1, {}},         // surrogate
    {"\xF4\x90\x80\x80"sv, 0, kSkip, 1, {}},     // beyond U+10FFFF
    {"\x80"sv, 0, kSkip, 1, {}},
    {"\xFF"sv, 0, kSkip, 1, {}},
    {"\xE9"sv, 0, kKey, 1, {0, 0, 130, 0}, kLatin1},
    {"\xA0"sv, 0, kKey, 1, {0, 0, 255, 0}, kLatin1},
    {"\x9B"sv, 0, kSkip, 1, {}, kLatin1},        // C1 byte never typed
    {"\xE9"sv, 0, kSkip, 1, {}, kAscii},
    {"\xC3\xA9"sv, 0, kSkip, 1, {}, kAscii},

    // Enter, Backspace, Tab.
    {"\r"sv, 0, kKey, 1, {VK_RETURN, 0x1C, 13, 0}},
    {"\n"sv, 0, kKey, 1, {VK_RETURN, 0x1C, 13, 0}},
    {"\x1BOM"sv, 0, kKey, 3, {VK_RETURN, 0x1C, 13, kExt}},
    {"\x7F"sv, 0, kKey, 1, {VK_BACK, 0x0E, 8, 0}},
    {"\b"sv, 0, kKey, 1, {VK_BACK, 0x0E, 8, 0}},
    {"\t"sv, 0, kKey, 1, {VK_TAB, 0x0F, 9, 0}},
    {"\x1B[Z"sv, 0, kKey, 3, {VK_TAB, 0x0F, 9, kShift}},

    // Ctrl combinations keep their control character.
    {"\x01"sv, 0, kKey, 1, {'A', 0x1E, 1, kCtrl}},
    {"\x03"sv, 0, kKey, 1, {'C', 0x2E, 3, kCtrl}},
    {"\x0B"sv, 0, kKey, 1, {'K', 0x25, 11, kCtrl}},
    {"\x1A"sv, 0, kKey, 1, {'Z', 0x2C, 26, kCtrl}},
    {"\0"sv, 0, kKey, 1, {VK_SPACE, 0x39, 0, kCtrl}},
    {"\x1C"sv, 0, kKey, 1, {VK_OEM_5, 0x2B, 28, kCtrl}},
    {"\x1D"sv, 0, kKey, 1, {VK_OEM_6, 0x1B, 29, kCtrl}},
    {"\x1E"sv, 0, kKey, 1, {'6', 0x07, 30, kCtrl | kShift}},
    {"\x1F"sv, 0, kKey, 1, {VK_OEM_MINUS, 0x0C, 31, kCtrl | kShift}},

    // ESC alone waits for the timeout; ESC with a key is Alt with that key.
    {"\x1B"sv, 0, kMore, 0, {}},
    {"\x1B"sv, 49, kMore, 0, {}},
    {"\x1B"sv, 50, kKey, 1, {VK_ESCAPE, 0x01, 27, 0}},
    {"\x1B"sv, 5000, kKey, 1, {VK_ESCAPE, 0x01, 27, 0}},
    {"\x1B\x1B"sv, 0, kKey, 1, {VK_ESCAPE, 0x01, 27, 0}},
    {"\x1B\x1B[A"sv, 0, kKey, 1, {VK_ESCAPE, 0x01, 27, 0}},
    {"\x1Bx"sv, 0, kKey, 2, {'X', 0x2D, 'x', kAlt}},
    {"\x1BX"sv, 0, kKey, 2, {'X', 0x2D, 'X', kAlt | kShift}},
    {"\x1B\r"sv, 0, kKey, 2, {VK_RETURN, 0x1C, 13, kAlt}},
    {"\x1B\x7F"sv, 0, kKey, 2, {VK_BACK, 0x0E, 8, kAlt}},
    {"\x1B\x03"sv, 0, kKey, 2, {'C', 0x2E, 3, kCtrl | kAlt}},
    {"\x1B\xC3\xA9"sv, 0, kKey, 3, {0, 0, 130, kAlt}},
    {"\x1B\xC3"sv, 0, kMore, 0, {}},
    {"\x1B\xC3"sv, 50, kSkip, 2, {}},
    {"\x1B\xE2\x82\xAC"sv, 0, kSkip, 4, {}},
    // An introducer left alone, or followed by what no sequence holds, was Alt.
    {"\x1B["sv, 49, kMore, 0, {}},
    {"\x1B["sv, 50, kKey, 2, {VK_OEM_4, 0x1A, '[', kAlt}},
    {"\x1BO"sv, 50, kKey, 2, {'O', 0x18, 'O', kAlt | kShift}},
    {"\x1B]"sv, 50, kKey, 2, {VK_OEM_6, 0x1B, ']', kAlt}},
    {"\x1BP"sv, 50, kKey, 2, {'P', 0x19, 'P', kAlt | kShift}},
    {"\x1B[\r"sv, 0, kKey, 2, {VK_OEM_4, 0x1A, '[', kAlt}},
    {"\x1BO\x1B"sv, 0, kKey, 2, {'O', 0x18, 'O', kAlt | kShift}},
    {"\x1B]\r"sv, 0, kKey, 2, {VK_OEM_6, 0x1B, ']', kAlt}},

    // Cursor block, xterm and VT forms, with modifiers.
    {"\x1B[A"sv, 0, kKey, 3, {VK_UP, 0x48, 0, kExt}},
    {"\x1B[B"sv, 0, kKey, 3, {VK_DOWN, 0x50, 0, kExt}},
    {"\x1B[C"sv, 0, kKey, 3, {VK_RIGHT, 0x4D, 0, kExt}},
    {"\x1B[D"sv, 0, kKey, 3, {VK_LEFT, 0x4B, 0, kExt}},
    {"\x1B[H"sv, 0, kKey, 3, {VK_HOME, 0x47, 0, kExt}},
    {"\x1B[F"sv, 0, kKey, 3, {VK_END, 0x4F, 0, kExt}},
    {"\x1BOA"sv, 0, kKey, 3, {VK_UP, 0x48, 0, kExt}},
    {"\x1BOD"sv, 0, kKey, 3, {VK_LEFT, 0x4B, 0, kExt}},
    {"\x1BOH"sv, 0, kKey, 3, {VK_HOME, 0x47, 0, kExt}},
    {"\x1BOF"sv, 0, kKey, 3, {VK_END, 0x4F, 0, kExt}},
    {"\x1B[Ax"sv, 0, kKey, 3, {VK_UP, 0x48, 0, kExt}},
    {"\x1B[1;2A"sv, 0, kKey, 6, {VK_UP, 0x48, 0, kExt | kShift}},
    {"\x1B[1;5C"sv, 0, kKey, 6, {VK_RIGHT, 0x4D, 0, kExt | kCtrl}},
    {"\x1B[1;3D"sv, 0, kKey, 6, {VK_LEFT, 0x4B, 0, kExt | kAlt}},
    {"\x1B[1;8B"sv, 0, kKey, 6, {VK_DOWN, 0x50, 0, kExt | kShift | kAlt | kCtrl}},
    {"\x1B[1;10H"sv, 0, kKey, 7, {VK_HOME, 0x47, 0, kExt | kShift}},  // Meta has no flag
    {"\x1BO5A"sv, 0, kKey, 4, {VK_UP, 0x48, 0, kExt | kCtrl}},
    {"\x1BO1;2F"sv, 0, kKey, 6, {VK_END, 0x4F, 0, kExt | kShift}},
    {"\x1B[a"sv, 0, kKey, 3, {VK_UP, 0x48, 0, kExt | kShift}},          // rxvt
    {"\x1BOd"sv, 0, kKey, 3, {VK_LEFT, 0x4B, 0, kExt | kCtrl}},         // rxvt
    {"\x1B[1~"sv, 0, kKey, 4, {VK_HOME, 0x47, 0, kExt}},
    {"\x1B[2~"sv, 0, kKey, 4, {VK_INSERT, 0x52, 0, kExt}},
    {"\x1B[3~"sv, 0, kKey, 4, {VK_DELETE, 0x53, 0, kExt}},
    {"\x1B[4~"sv, 0, kKey, 4, {VK_END, 0x4F, 0, kExt}},
    {"\x1B[5~"sv, 0, kKey, 4, {VK_PRIOR, 0x49, 0, kExt}},
    {"\x1B[6~"sv, 0, kKey, 4, {VK_NEXT, 0x51, 0, kExt}},
    {"\x1B[7~"sv, 0, kKey, 4, {VK_HOME, 0x47, 0, kExt}},
    {"\x1B[8~"sv, 0, kKey, 4, {VK_END, 0x4F, 0, kExt}},
    {"\x1B[3;5~"sv, 0, kKey, 6, {VK_DELETE, 0x53, 0, kExt | kCtrl}},
    {"\x1B[6;2~"sv, 0, kKey, 6, {VK_NEXT, 0x51, 0, kExt | kShift}},
    {"\x1B[2$"sv, 0, kKey, 4, {VK_INSERT, 0x52, 0, kExt | kShift}},     // rxvt
    {"\x1B[3^"sv, 0, kKey, 4, {VK_DELETE, 0x53, 0, kExt | kCtrl}},      // rxvt
    {"\x1B[5@"sv, 0, kKey, 4, {VK_PRIOR, 0x49, 0, kExt | kCtrl | kShift}},

    // Function keys: VT, xterm, rxvt and Linux console forms.
    {"\x1BOP"sv, 0, kKey, 3, {VK_F1, 0x3B, 0, 0}},
    {"\x1BOQ"sv, 0, kKey, 3, {VK_F1 + 1, 0x3C, 0, 0}},
    {"\x1BOR"sv, 0, kKey, 3, {VK_F1 + 2, 0x3D, 0, 0}},
    {"\x1BOS"sv, 0, kKey, 3, {VK_F1 + 3, 0x3E, 0, 0}},
    {"\x1B[11~"sv, 0, kKey, 5, {VK_F1, 0x3B, 0, 0}},
    {"\x1B[14~"sv, 0, kKey, 5, {VK_F1 + 3, 0x3E, 0, 0}},
    {"\x1B[15~"sv, 0, kKey, 5, {VK_F1 + 4, 0x3F, 0, 0}},
    {"\x1B[17~"sv, 0, kKey, 5, {VK_F1 + 5, 0x40, 0, 0}},
    {"\x1B[21~"sv, 0, kKey, 5, {VK_F1 + 9, 0x44, 0, 0}},
    {"\x1B[23~"sv, 0, kKey, 5, {VK_F1 + 10, 0x57, 0, 0}},
    {"\x1B[24~"sv, 0, kKey, 5, {VK_F12, 0x58, 0, 0}},
    {"\x1B[[A"sv, 0, kKey, 4, {VK_F1, 0x3B, 0, 0}},
    {"\x1B[[E"sv, 0, kKey, 4, {VK_F1 + 4, 0x3F, 0, 0}},
    {"\x1B[1;2P"sv, 0, kKey, 6, {VK_F1, 0x3B, 0, kShift}},
    {"\x1B[1;5S"sv, 0, kKey, 6, {VK_F1 + 3, 0x3E, 0, kCtrl}},
    {"\x1BO2Q"sv, 0, kKey, 4, {VK_F1 + 1, 0x3C, 0, kShift}},
    {"\x1B[24;6~"sv, 0, kKey, 7, {VK_F12, 0x58, 0, kCtrl | kShift}},

    // Application keypad.
    {"\x1BOp"sv, 0, kKey, 3, {0x60, 0x52, '0', 0}},
    {"\x1BOy"sv, 0, kKey, 3, {0x69, 0x49, '9', 0}},
    {"\x1BOk"sv, 0, kKey, 3, {0x6B, 0x4E, '+', 0}},
    {"\x1BOo"sv, 0, kKey, 3, {0x6F, 0x35, '/', kExt}},

    // Sequences that are not keys are swallowed whole.
    {"\x1B[<0;10;5M"sv, 0, kSkip, 10, {}},      // SGR mouse press
    {"\x1B[<0;10;5mab"sv, 0, kSkip, 10, {}},    // SGR mouse release
    {"\x1B[M !!x"sv, 0, kSkip, 6, {}},          // X10 mouse
    {"\x1B[M !"sv, 0, kMore, 0, {}},
    {"\x1B[M !"sv, 50, kSkip, 5, {}},
    {"\x1B[I"sv, 0, kSkip, 3, {}},              // focus in
    {"\x1B[O"sv, 0, kSkip, 3, {}},              // focus out
    {"\x1B[12;40R"sv, 0, kSkip, 8, {}},         // cursor position report
    {"\x1B[?1;2c"sv, 0, kSkip, 7, {}},          // device attributes
    {"\x1B[2 q"sv, 0, kSkip, 5, {}},            // intermediate byte
    {"\x1B[25~"sv, 0, kSkip, 5, {}},
    {"\x1B[3;5;7~"sv, 0, kSkip, 8, {}},
    {"\x1B[E"sv, 0, kSkip, 3, {}},              // keypad 5
    {"\x1B[[Z"sv, 0, kSkip, 3, {}},
    {"\x1BOz"sv, 0, kSkip, 3, {}},
    {"\x1B[1;5"sv, 0, kMore, 0, {}},
    {"\x1B[1;5"sv, 49, kMore, 0, {}},
    {"\x1B[1;5"sv, 50, kSkip, 5, {}},
    {"\x1B[1;5\x1B[A"sv, 0, kSkip, 5, {}},      // cut short by the next sequence
    {"\x1B]11;rgb:ffff/ffff/ffff\x07"sv, 0, kSkip, 24, {}},
    {"\x1B]11;rgb:0/0/0\x1B\\x"sv, 0, kSkip, 16, {}},
    {"\x1BP1$r0m\x1B\\"sv, 0, kSkip, 9, {}},
    {"\x1B]0;title"sv, 0, kMore, 0, {}},
    {"\x1B]0;title"sv, 50, kSkip, 9, {}},
    {"\x1B]0;title\x1B"sv, 0, kMore, 0, {}},
    {"\x1B]0;title\r"sv, 0, kSkip, 9, {}},

    // Pending input stays bounded: a sequence reaching the limit is dropped.
    {"\x1B[1111111111111111111111111111;"sv, 0, kMore, 0, {}},      // 31 bytes
    {"\x1B[1111111111111111111111111111;5"sv, 0, kSkip, 32, {}},    // 32 bytes
    {"\x1B]aaaaaaaaaaaaaaaaaaaaaaaaaaaaa"sv, 0, kMore, 0, {}},      // 31 bytes
    {"\x1B]aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"sv, 0, kSkip, 32, {}},    // 32 bytes
    {"\x1B[1111111111111111111111111111111111111~"sv, 0, kSkip, 40, {}},
};
// clang-format on

TEST(DecodeKey, GivesTheKeyAConsoleWouldReport) {
    for (const DecodeCase& c : kCases) {
        SCOPED_TRACE(Escaped(c.bytes) + " after " + std::to_string(c.quietMs) + " ms");
        const DecodeResult r = DecodeKey(c.bytes, c.quietMs, kEscapeTimeoutMs, c.encoding);
        ASSERT_EQ(r.status, c.status);
        EXPECT_EQ(r.length, c.length);
        if (c.status == kKey) {
            EXPECT_EQ(r.key.virtualKey, c.key.virtualKey);
            EXPECT_EQ(r.key.scanCode, c.key.scanCode);
            EXPECT_EQ(r.key.character, c.key.character);
            EXPECT_EQ(r.key.controlState, c.key.controlState);
        }
    }
}

// Every printable character comes from a real key, with Shift exactly when the US layout
// needs it, and a key's two characters share its codes.
TEST(DecodeKey, EveryPrintableCharacterHasItsKey) {
    const std::string_view unshifted = "abcdefghijklmnopqrstuvwxyz0123456789-=[];'`\\,./ ";
    for (int c = 32; c < 127; ++c) {
        const char text[1] = {static_cast<char>(c)};
        const DecodeResult r = DecodeKey({text, 1}, 0, kEscapeTimeoutMs, kUtf8);
        SCOPED_TRACE(c);
        ASSERT_EQ(r.status, kKey);
        EXPECT_EQ(r.key.character, c);
        EXPECT_NE(r.key.virtualKey, 0);
        EXPECT_NE(r.key.scanCode, 0);
        const bool shifted = unshifted.find(static_cast<char>(c)) == std::string_view::npos;
        EXPECT_EQ(r.key.controlState, shifted ? SHIFT_PRESSED : 0u);
    }
    const std::string_view pairs[] = {"1!", "2@",  "6^", "0)",  "-_", "=+", "[{", "]}",
                                      ";:", "'\"", "`~", "\\|", ",<", ".>", "/?", "aA"};
    for (const std::string_view pair : pairs) {
        const DecodeResult plain = DecodeKey(pair.substr(0, 1), 0, kEscapeTimeoutMs, kUtf8);
        const DecodeResult shift = DecodeKey(pair.substr(1, 1), 0, kEscapeTimeoutMs, kUtf8);
        EXPECT_EQ(plain.key.scanCode, shift.key.scanCode) << pair;
        EXPECT_EQ(plain.key.virtualKey, shift.key.virtualKey) << pair;
    }
}

// Keys typed together come apart one after the other.
TEST(DecodeKey, SplitsAStreamIntoKeys) {
    std::string pending = "ab\x1B[A\x1Bx\xC3\xA9\x1B[<0;1;1M\r";
    std::string typed;
    while (!pending.empty()) {
        const DecodeResult r = DecodeKey(pending, 0, kEscapeTimeoutMs, kUtf8);
        ASSERT_NE(r.status, kMore);
        if (r.status == kKey) {
            typed += r.key.character == 0 ? std::string("<ext>")
                                          : std::string(1, static_cast<char>(r.key.character));
            typed += (r.key.controlState & LEFT_ALT_PRESSED) != 0 ? "+alt " : " ";
        }
        pending.erase(0, r.length);
    }
    EXPECT_EQ(typed, "a b <ext> x+alt \x82 \r ");
}

// Random bytes fed in random pieces, decoded as the platform does: every step consumes
// something or waits below the limit, nothing waits once the terminal is quiet, and no
// forbidden character comes out.
TEST(DecodeKey, RandomBytesStayBoundedAndClean) {
    const std::string_view alphabet = "\x1B\x1B\x1B[[O];P~$^@0123456789;;<?ABCDHFMZamq \r\n\x7F"
                                      "\x07\x00\x01\x03\x80\x9B\xA9\xC3\xE2\xF0\xFF"sv;
    std::mt19937 random(12345);
    for (const TerminalEncoding encoding : {kUtf8, kLatin1, kAscii}) {
        for (int round = 0; round < 2000; ++round) {
            std::string pending;
            const int pieces = 1 + static_cast<int>(random() % 8);
            for (int piece = 0; piece <= pieces; ++piece) {
                const bool last = piece == pieces;
                if (!last) {
                    const int size = 1 + static_cast<int>(random() % 12);
                    for (int i = 0; i < size; ++i) {
                        pending += random() % 4 == 0 ? static_cast<char>(random() % 256)
                                                     : alphabet[random() % alphabet.size()];
                    }
                }
                const int quietMs = last ? kEscapeTimeoutMs : 0;
                while (!pending.empty()) {
                    const DecodeResult r = DecodeKey(pending, quietMs, kEscapeTimeoutMs, encoding);
                    SCOPED_TRACE(Escaped(pending));
                    ASSERT_EQ(DecodeStepFault(pending, r, quietMs), "");
                    if (r.status == kMore) {
                        break;
                    }
                    pending.erase(0, r.length);
                }
            }
        }
    }
}

// Typed glyphs of code page 437 come back as their bytes, with two edges: the
// house glyph is byte 127 (DEL in ASCII), and the glyphs of bytes 1 to 31 are
// not taken back, so no control byte can be typed that way.
TEST(DecodeKey, TypedGlyphsGiveTheirBytesButNeverAControlByte) {
    struct GlyphCase {
        const char* typed;
        DecodeStatus status;
        int character;
    };
    const GlyphCase cases[] = {
        {"\u2302", DecodeStatus::Key, 127},
        {"\u00E9", DecodeStatus::Key, 130},
        {"\u263A", DecodeStatus::Skip, 0},
        {"\u2190", DecodeStatus::Skip, 0},
    };
    for (const GlyphCase& c : cases) {
        SCOPED_TRACE(c.typed);
        const DecodeResult r = DecodeKey(c.typed, 0, kEscapeTimeoutMs, TerminalEncoding::Utf8);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.length, std::string_view(c.typed).size());
        if (c.status == DecodeStatus::Key) {
            EXPECT_EQ(r.key.character, c.character);
        }
    }
}

} // namespace
