#include "platform/message_box.h"
#include "platform/terminal_text/frame.h"
#include "platform/terminal_text/presenter.h"
#include "tests/sgr_parameters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

Frame BlankFrame(int width, int height, std::uint16_t attribute) {
    Frame frame;
    frame.width = width;
    frame.height = height;
    frame.cells.assign(CellCount(width, height), ScreenCell{' ', attribute});
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
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
            points.push_back(-1);
            ++i;
            continue;
        }
        long point = length == 1 ? b : b & (0x7F >> length);
        for (std::size_t k = 1; k < static_cast<std::size_t>(length); ++k) {
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
            RenderFrame(state, frame, TerminalStyle{encoding, TerminalColours::Sixteen}, out);
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

    // A title: the terminal's own pushed once, to be popped at exit; where the
    // terminal cannot give its own back, neither set nor pushed.
    frame.title = "Title";
    for (const bool keepsTitle : {false, true}) {
        PresenterState fresh;
        RenderFrame(fresh, BlankFrame(80, 25, 0xF0), style, out);
        out.clear();
        RenderFrame(fresh, frame, TerminalStyle{style.encoding, style.colours, keepsTitle}, out);
        EXPECT_EQ(out.find("\x1b[22;0t\x1b]2;Title\a") != std::string::npos, !keepsTitle) << out;
        EXPECT_EQ(out.find("\x1b]2;") == std::string::npos, keepsTitle) << out;
        EXPECT_EQ(RestoreSequence(fresh, 0).find("\x1b[23;0t") == std::string::npos, keepsTitle);
    }
}

TEST(Presenter, ConsoleColoursBecomeSgrColoursWithBlueAndRedSwapped) {
    constexpr TerminalColours kSixteen = TerminalColours::Sixteen;
    constexpr TerminalColours kEight = TerminalColours::Eight;
    struct Case {
        std::uint16_t attribute;
        TerminalColours colours;
        const char* sgr;
    };
    const Case cases[] = {
        {0xF0, kSixteen, "\x1b[30;107m"},  {0xF8, kSixteen, "\x1b[90;107m"},
        {0xFC, kSixteen, "\x1b[91;107m"},  {0x1F, kSixteen, "\x1b[97;44m"},
        {0x07, kSixteen, "\x1b[37;40m"},   {0x4E, kSixteen, "\x1b[93;41m"},
        {0xFC, kEight, "\x1b[0;1;31;47m"}, {0xF8, kEight, "\x1b[0;1;30;47m"},
        {0xF0, kEight, "\x1b[0;30;47m"},   {kMarginAttribute, kSixteen, "\x1b[0m"},
    };
    for (const Case& c : cases) {
        std::string out;
        AppendSgr(out, c.attribute, TerminalStyle{TerminalEncoding::Utf8, c.colours});
        EXPECT_EQ(out, c.sgr) << std::hex << c.attribute;
    }
}

// A results screen in miniature: a dark grey label, a black value and a value
// over its maximum in bright red, all on bright white, then the terminal's margin.
Frame ResultsRow() {
    Frame frame = BlankFrame(12, 1, 0xF8);
    const char* text = "ab 1.00 3.09";
    for (std::size_t x = 0; x < 12; ++x) {
        frame.cells[x].character = static_cast<unsigned char>(text[x]);
    }
    for (std::size_t x = 3; x < 7; ++x) {
        frame.cells[x].attribute = 0xF0;
    }
    for (std::size_t x = 8; x < 12; ++x) {
        frame.cells[x].attribute = 0xFC;
    }
    return frame;
}

TEST(Presenter, WithoutColoursOnlyTheColouredCellsStandOutInReverseVideo) {
    const TerminalStyle none{TerminalEncoding::Utf8, TerminalColours::None};
    PresenterState state;
    std::string out;
    RenderFrame(state, ResultsRow(), none, out);
    for (int parameter : SgrParameters(out)) {
        EXPECT_TRUE(parameter == 0 || parameter == 7) << parameter << " in " << out;
    }
    // Label and black value alike in the terminal's own colours, as the margin
    // before them, with nothing sent between them; the value over its maximum reversed.
    EXPECT_EQ(WithoutSequences(out), "ab 1.00 3.09");
    EXPECT_NE(out.find("\x1b[2Jab 1.00 \x1b[0;7m3.09"), std::string::npos) << out;

    struct Case {
        std::uint16_t attribute;
        const char* sgr;
    };
    const Case cases[] = {
        {0xF0, "\x1b[0m"},
        {0xF8, "\x1b[0m"},
        {0x70, "\x1b[0m"}, // page and message box body
        {0x07, "\x1b[0m"},
        {0x0F, "\x1b[0m"}, // a console's own grey
        {0xFC, "\x1b[0;7m"},
        {0xF4, "\x1b[0;7m"}, // red on white
        {0x1F, "\x1b[0;7m"},
        {0x4E, "\x1b[0;7m"}, // coloured backgrounds
        {kMarginAttribute, "\x1b[0m"},
    };
    for (const Case& c : cases) {
        std::string sgr;
        AppendSgr(sgr, c.attribute, none);
        EXPECT_EQ(sgr, c.sgr) << std::hex << c.attribute;
    }
}

TEST(Presenter, OnEightColoursTheValueOverItsMaximumIsRedAndBold) {
    PresenterState state;
    std::string out;
    RenderFrame(state, ResultsRow(), TerminalStyle{TerminalEncoding::Utf8, TerminalColours::Eight},
                out);
    for (int parameter : SgrParameters(out)) {
        EXPECT_TRUE(parameter <= 1 || (parameter >= 30 && parameter <= 47)) << parameter;
    }
    EXPECT_NE(out.find("\x1b[0;1;30;47mab \x1b[0;30;47m1.00\x1b[0;1;30;47m \x1b[0;1;31;47m3.09"),
              std::string::npos)
        << out;
}

TEST(Presenter, AsciiTerminalsGetTheNearestAsciiGlyphAndAFramedBox) {
    struct Case {
        unsigned char byte;
        char ascii;
    };
    const Case cases[] = {{'A', 'A'},  {0, ' '},    {0xC9, '+'}, {0xCD, '-'}, {0xBA, '|'},
                          {0xB3, '|'}, {0xC4, '-'}, {0xC5, '+'}, {0xB0, '#'}, {0xDB, '#'},
                          {0xDF, '#'}, {0xFE, '#'}, {0x82, 'e'}, {0x80, 'C'}, {0xA4, 'n'},
                          {0x9A, 'U'}, {0x1B, '<'}, {0xFF, ' '}, {0xE0, '?'}};
    for (const Case& c : cases) {
        for (TerminalEncoding encoding : {TerminalEncoding::Ascii, TerminalEncoding::Latin1}) {
            std::string out;
            AppendGlyph(out, c.byte, encoding);
            // Latin-1 shows its own letters and blanks; everything else falls back alike.
            const bool latin1Has = c.byte == 0x82 || c.byte == 0x80 || c.byte == 0xA4 ||
                                   c.byte == 0x9A || c.byte == 0xFF;
            if (encoding == TerminalEncoding::Ascii || !latin1Has) {
                EXPECT_EQ(out, std::string(1, c.ascii)) << int(c.byte);
            }
        }
    }

    const Overlay box = LayOutMessageBox("  ERROR", "out of range", 30, 9);
    Frame frame = BlankFrame(box.width, box.height, 0x70);
    frame.cells = box.cells;
    PresenterState state;
    std::string out;
    RenderFrame(state, frame, TerminalStyle{TerminalEncoding::Ascii, TerminalColours::None}, out);
    const std::string text = WithoutSequences(out);
    const std::size_t width = static_cast<std::size_t>(box.width);
    ASSERT_EQ(text.size(), CellCount(box.width, box.height));
    EXPECT_EQ(text.find('?'), std::string::npos) << text;
    const std::string top = text.substr(0, width);
    const std::string bottom = text.substr(text.size() - width);
    EXPECT_EQ(bottom, "+" + std::string(width - 2, '-') + "+");
    EXPECT_EQ(top.front(), '+');
    EXPECT_EQ(top.back(), '+');
    EXPECT_NE(top.find("-   ERROR -"), std::string::npos) << top;
    for (int row = 1; row + 1 < box.height; ++row) {
        const std::size_t start = static_cast<std::size_t>(row) * width;
        EXPECT_EQ(text[start], '|') << row;
        EXPECT_EQ(text[start + width - 1], '|') << row;
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

// Beyond the buffer the terminal keeps its own colours, cleared before the first frame:
// a frame holds only what shows the buffer, whatever size the terminal reports.
TEST(Presenter, ALargerTerminalShowsTheBufferAtTheTopLeftAndItsOwnColoursBeyond) {
    const std::vector<ScreenCell> cells(80 * 25, ScreenCell{'.', 0xF0});
    ScreenContent console;
    console.width = 80;
    console.height = 25;
    console.cells = cells;
    console.cursorX = 0;
    console.cursorY = 24;
    View view;
    for (int side : {100, 65535}) {
        const Frame frame = ComposeFrame(console, side, side, view, nullptr);
        EXPECT_EQ(frame.width, 80);
        EXPECT_EQ(frame.height, 25);
        EXPECT_EQ(frame.cells.back().attribute, 0xF0);
        EXPECT_EQ(view.top, 0);
    }

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
