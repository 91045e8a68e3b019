#include "platform/message_box.h"
#include "platform/terminal_text/frame.h"
#include "platform/terminal_text/presenter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Frame BlankFrame(int width, int height, WORD attribute) {
    Frame frame;
    frame.width = width;
    frame.height = height;
    frame.cells.assign(static_cast<std::size_t>(width) * height, ScreenCell{' ', attribute});
    return frame;
}

// The output with every escape sequence we send removed: CSI ... final whole,
// OSC 2 ; title BEL down to its title, which must be as clean as any cell.
std::string WithoutSequences(const std::string& out) {
    std::string text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\x1b' && i + 1 < out.size() && out[i + 1] == '[') {
            i += 2;
            while (i < out.size() && !(out[i] >= 0x40 && out[i] <= 0x7E)) {
                ++i;
            }
        } else if (out.compare(i, 4, "\x1b]2;") == 0) {
            for (i += 4; i < out.size() && out[i] != '\a'; ++i) {
                text += out[i];
            }
        } else {
            text += out[i];
        }
    }
    return text;
}

// Code points of UTF-8 text; -1 for a malformed byte.
std::vector<long> CodePoints(const std::string& text) {
    std::vector<long> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int length = b < 0x80         ? 1
                           : (b >> 5) == 6  ? 2
                           : (b >> 4) == 14 ? 3
                           : (b >> 3) == 30 ? 4
                                            : 0;
        if (length == 0 || i + length > text.size()) {
            points.push_back(-1);
            ++i;
            continue;
        }
        long point = length == 1 ? b : b & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

bool IsControl(long point) {
    return point < 0x20 || (point >= 0x7F && point <= 0x9F);
}

TEST(Presenter, NoCellByteReachesTheTerminalAsAControlCharacter) {
    for (TerminalEncoding encoding :
         {TerminalEncoding::Utf8, TerminalEncoding::Latin1, TerminalEncoding::Ascii}) {
        for (int byte = 0; byte < 256; ++byte) {
            PresenterState state;
            Frame frame = BlankFrame(3, 1, 0xF0);
            frame.cells[1].character = static_cast<unsigned char>(byte);
            frame.title = std::string(1, static_cast<char>(byte));
            std::string out;
            RenderFrame(state, frame, TerminalStyle{encoding, true}, out);
            const std::string text = WithoutSequences(out);
            if (encoding == TerminalEncoding::Utf8) {
                for (long point : CodePoints(text)) {
                    ASSERT_FALSE(IsControl(point) || point < 0) << "byte " << byte;
                }
            } else {
                for (char c : text) {
                    const auto b = static_cast<unsigned char>(c);
                    ASSERT_FALSE(b < 0x20 || (b >= 0x7F && b <= 0x9F)) << "byte " << byte;
                }
            }
            // One glyph per cell, three cells, and the title's glyph.
            if (encoding == TerminalEncoding::Utf8) {
                EXPECT_EQ(CodePoints(text).size(), 4u) << "byte " << byte;
            }
        }
    }
}

TEST(Presenter, GlyphsOfCodePage437) {
    struct Case {
        unsigned char byte;
        const char* utf8;
    };
    const Case cases[] = {{'A', "A"},       {0, " "},        {7, "\u2022"},   {13, "\u266A"},
                          {27, "\u2190"},   {127, "\u2302"}, {130, "\u00E9"}, {155, "\u00A2"},
                          {0xC9, "\u2554"}, {0xFF, "\u00A0"}};
    for (const Case& c : cases) {
        std::string out;
        AppendGlyph(out, c.byte, TerminalEncoding::Utf8);
        EXPECT_EQ(out, c.utf8) << int(c.byte);
    }
}

TEST(Presenter, SendsOnlyWhatChanged) {
    const TerminalStyle style;
    PresenterState state;
    Frame frame = BlankFrame(80, 25, 0xF0);
    std::string out;
    RenderFrame(state, frame, style, out);
    EXPECT_FALSE(out.empty());

    out.clear();
    RenderFrame(state, frame, style, out);
    EXPECT_EQ(out, "");

    frame.cells[7 * 80 + 72] = {'5', 0xF0};
    out.clear();
    RenderFrame(state, frame, style, out);
    EXPECT_EQ(out, "\x1b[8;73H5");

    // The next cell to the right, with the cursor shown after it: no move needed.
    frame.cells[7 * 80 + 73] = {'0', 0xF0};
    frame.cursorVisible = true;
    frame.cursorX = 74;
    frame.cursorY = 7;
    out.clear();
    RenderFrame(state, frame, style, out);
    EXPECT_EQ(out, "0\x1b[?25h");

    // A Backspace in the line editor: the cell left of the cursor blanked, the cursor on it.
    frame.cells[7 * 80 + 73] = {' ', 0xF0};
    frame.cursorX = 73;
    out.clear();
    RenderFrame(state, frame, style, out);
    EXPECT_EQ(out, "\b \b");

    frame.cells[0] = {'x', 0xFC};
    frame.cursorVisible = false;
    out.clear();
    RenderFrame(state, frame, style, out);
    EXPECT_EQ(out, "\x1b[1;1H\x1b[91;107mx\x1b[?25l");
}

TEST(Presenter, ConsoleColoursBecomeSgrColoursWithBlueAndRedSwapped) {
    struct Case {
        WORD attribute;
        bool sixteen;
        const char* sgr;
    };
    const Case cases[] = {
        {0xF0, true, "\x1b[30;107m"},     {0xF8, true, "\x1b[90;107m"},
        {0xFC, true, "\x1b[91;107m"},     {0x1F, true, "\x1b[97;44m"},
        {0x07, true, "\x1b[37;40m"},      {0x4E, true, "\x1b[93;41m"},
        {0xFC, false, "\x1b[0;1;31;47m"}, {0xF8, false, "\x1b[0;1;30;47m"},
        {0xF0, false, "\x1b[0;30;47m"},   {kMarginAttribute, true, "\x1b[0m"},
    };
    for (const Case& c : cases) {
        std::string out;
        AppendSgr(out, c.attribute, TerminalStyle{TerminalEncoding::Utf8, c.sixteen});
        EXPECT_EQ(out, c.sgr) << std::hex << c.attribute;
    }
}

TEST(Presenter, TheViewFollowsTheCursorInASmallerTerminal) {
    struct Case {
        int origin, position, buffer, view, expected;
    };
    const Case cases[] = {
        {0, 24, 25, 24, 1}, {0, 23, 25, 24, 0}, {1, 0, 25, 24, 0},   {5, 7, 25, 24, 1},
        {0, 24, 25, 30, 0}, {3, 10, 25, 25, 0}, {0, 79, 80, 60, 20}, {20, 0, 80, 60, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FollowCursor(c.origin, c.position, c.buffer, c.view), c.expected)
            << c.origin << " " << c.position << " " << c.buffer << " " << c.view;
    }
}

TEST(Presenter, ALargerTerminalShowsTheBufferAtTheTopLeftAndItsOwnColoursBeyond) {
    ConsoleModel console;
    console.width = 80;
    console.height = 25;
    console.cells.assign(80 * 25, ScreenCell{'.', 0xF0});
    console.cursorX = 0;
    console.cursorY = 24;
    View view;
    const Frame frame = ComposeFrame(console, 100, 30, view, nullptr);
    EXPECT_EQ(frame.cells[0].attribute, 0xF0);
    EXPECT_EQ(frame.cells[24 * 100 + 79].attribute, 0xF0);
    EXPECT_EQ(frame.cells[24 * 100 + 80].attribute, kMarginAttribute);
    EXPECT_EQ(frame.cells[25 * 100].attribute, kMarginAttribute);
    EXPECT_EQ(view.top, 0);

    const Frame small = ComposeFrame(console, 80, 24, view, nullptr);
    EXPECT_EQ(view.top, 1);
    EXPECT_EQ(small.cursorY, 23);
}

TEST(Presenter, HandingBackPutsTheShellPromptBelowTheScreen) {
    PresenterState state;
    EXPECT_EQ(RestoreSequence(state, 7), "\x1b[0m\x1b[?7h\x1b[?25h"); // nothing drawn yet
    state.shown = BlankFrame(80, 25, 0xF0);
    state.valid = true;
    EXPECT_EQ(RestoreSequence(state, 7), "\x1b[0m\x1b[?7h\x1b[?25h\x1b[8;1H");
    state.titleSaved = true;
    EXPECT_EQ(RestoreSequence(state, 25), "\x1b[0m\x1b[?7h\x1b[?25h\x1b[23;0t\x1b[25;1H\r\n");
}

TEST(MessageBox, HoldsTitleTextAndButtonInsideTheTerminal) {
    const std::string title = "  ERROR";
    const std::string text = "You must respond with an angle between 110 and 145 degrees  ";
    struct Case {
        int width, height;
        int textRows;
    };
    const Case cases[] = {{80, 25, 1}, {100, 30, 1}, {40, 20, 2}, {20, 14, 6}};
    for (const Case& c : cases) {
        const Overlay box = LayOutMessageBox(title, text, c.width, c.height);
        EXPECT_LE(box.left + box.width, c.width);
        EXPECT_EQ(box.height, c.textRows + 6) << c.width;
        std::string all;
        for (const ScreenCell& cell : box.cells) {
            all += static_cast<char>(cell.character);
        }
        EXPECT_NE(all.find(title), std::string::npos) << c.width;
        EXPECT_NE(all.find("OK"), std::string::npos) << c.width;
        EXPECT_NE(all.find("between"), std::string::npos) << c.width;
    }
}

} // namespace
