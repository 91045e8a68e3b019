#include "console/console_state.h"
#include "console_fixture.h"
#include "platform/terminal_text/us_keyboard.h"

#include <vector>

namespace {

struct NoMoreInput {};

// Eight cells before the right edge, where the line editor's echo soon wraps
// (the program reads its answers there too).
constexpr int kAnswerColumn = 73;

// Key presses as a console reports them, besides those of us_keyboard.h.
const KeyPress kF1 = FunctionKey(1);
constexpr KeyPress kAltX{'X', 0x2D, 'x', LEFT_ALT_PRESSED};
constexpr KeyPress kRightAltQ{'Q', 0x10, 'q', RIGHT_ALT_PRESSED};
const KeyPress kCtrlA = ControlKey(1);
const KeyPress kCtrlC = ControlKey(3);
constexpr KeyPress kCtrlH{'H', 0x23, 8, LEFT_CTRL_PRESSED};
constexpr KeyPress kCtrlM{'M', 0x32, 13, LEFT_CTRL_PRESSED};
constexpr KeyPress kShift{VK_SHIFT, 0x2A, 0, SHIFT_PRESSED};
constexpr KeyPress kControl{VK_CONTROL, 0x1D, 0, LEFT_CTRL_PRESSED};
constexpr KeyPress kAlt{VK_MENU, 0x38, 0, LEFT_ALT_PRESSED};
constexpr KeyPress kCapsLock{VK_CAPITAL, 0x3A, 0, CAPSLOCK_ON};
constexpr KeyPress kNumLock{0x90, 0x45, 0, 0};
constexpr KeyPress kScrollLock{0x91, 0x46, 0, 0};

class LineEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        StartTestConsole(80, 25);
        SetColor(0, 15);
        ClearScreen();
        SetCursor(0);
        Recorded().idleHandler = [] { throw NoMoreInput{}; };
    }
    void TearDown() override { Recorded().idleHandler = nullptr; }
};

TEST_F(LineEditor, EnterOnAnEmptyLineGivesTheEmptyTextAndMovesDown) {
    Locate(8, kAnswerColumn);
    PushKey(kEnter);
    EXPECT_EQ(LineInput(), "");
    EXPECT_EQ(CursorAt(), (Position{9, 1}));
    EXPECT_EQ(Row(8), std::string(80, ' '));
}

TEST_F(LineEditor, TypedTextIsEchoedAndReturnedAsTyped) {
    struct Case {
        std::vector<KeyPress> keys; // before Enter
        std::string typed;          // PushTyping text, before the keys
        std::string line;
        std::string echo; // row 8 from column 73
    };
    const Case cases[] = {
        {{}, "y", "y", "y       "},
        {{}, " n ", " n ", " n      "},
        {{}, "12.5", "12.5", "12.5    "},
        {{kBackspace, kBackspace}, "120", "1", "1       "},
        {{kBackspace, kBackspace, kBackspace}, "ab", "", "        "},
        {{kEscape, kTab, kLeft, kF1, kAltX, kRightAltQ, kCtrlA, kCtrlC}, "5", "5", "5       "},
        {{kCtrlH}, "45", "4", "4       "},
        {{kShift, kControl, kAlt, kCapsLock}, "7", "7", "7       "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ClearScreen();
        Locate(8, kAnswerColumn);
        PushTyping(c.typed);
        for (const KeyPress& key : c.keys) {
            PushKey(key);
        }
        PushKey(kEnter);
        EXPECT_EQ(LineInput(), c.line);
        EXPECT_EQ(Row(8).substr(72), c.echo);
        EXPECT_EQ(CursorAt(), (Position{9, 1}));
        EXPECT_EQ(HeadlessConsole().input.size(), 1u); // Enter's release, for the next look
    }
}

TEST_F(LineEditor, CtrlMEndsTheLineLikeEnter) {
    Locate(8, kAnswerColumn);
    PushTyping("ab");
    PushKey(kCtrlM);
    PushTyping("c");
    EXPECT_EQ(LineInput(), "ab");
    EXPECT_EQ(HeadlessConsole().input.size(), 3u); // Ctrl+M's release and "c" are left
}

TEST_F(LineEditor, BackspaceOnAnEmptyLineChangesNothing) {
    Locate(8, kAnswerColumn);
    PushKey(kBackspace);
    PushKey(kBackspace);
    PushKey(kEnter);
    EXPECT_EQ(LineInput(), "");
    EXPECT_EQ(Row(7), std::string(80, ' '));
    EXPECT_EQ(Row(8), std::string(80, ' '));
}

TEST_F(LineEditor, BackspaceStepsBackAcrossTheRowBoundary) {
    Locate(8, kAnswerColumn);
    PushTyping("123456789"); // 73..80 on row 8, then column 1 of row 9
    PushKey(kBackspace);
    PushKey(kBackspace);
    PushTyping("X");
    PushKey(kEnter);
    EXPECT_EQ(LineInput(), "1234567X");
    EXPECT_EQ(Row(8).substr(72), "1234567X");
    EXPECT_EQ(Row(9), std::string(80, ' '));
    EXPECT_EQ(CursorAt(), (Position{10, 1})); // X filled column 80, Enter moved down once more
}

TEST_F(LineEditor, BackspaceStepsBackOutOfAPendingScroll) {
    Locate(25, kAnswerColumn);
    PushTyping("abcdefgh"); // fills the bottom-right cell: the scroll is still due
    PushKey(kBackspace);
    PushTyping("Z");
    PushKey(kBackspace);
    PushKey(kBackspace);
    PushKey(kEnter);
    EXPECT_EQ(LineInput(), "abcdef");
    // Nothing scrolled until Enter's NewLine, which scrolls once.
    EXPECT_EQ(Row(24).substr(72), "abcdef  ");
    EXPECT_EQ(CursorAt(), (Position{25, 1}));
}

TEST_F(LineEditor, CharactersFrom127To255AreTakenAndEchoed) {
    std::string high;
    for (int c = 127; c <= 255; ++c) {
        high += static_cast<char>(c);
    }
    Locate(1, 1);
    PushTyping(high);
    PushKey(kEnter);
    EXPECT_EQ(LineInput(), high);
    EXPECT_EQ(Row(1), high.substr(0, 80));
    EXPECT_EQ(Row(2).substr(0, high.size() - 80), high.substr(80));
}

TEST_F(LineEditor, TheTenThousandAndFirstCharacterIsNeitherStoredNorEchoed) {
    Locate(1, 1);
    PushTyping(std::string(10000, 'a') + "bc");
    PushKey(kBackspace);
    PushTyping("z");
    PushKey(kEnter);
    const std::string line = LineInput();
    EXPECT_EQ(line.size(), 10000u);
    EXPECT_EQ(line.back(), 'z');
    EXPECT_EQ(line.substr(0, 9999), std::string(9999, 'a'));
    // 125 full rows from row 1: the last one filled the bottom-right cell, so
    // Enter's NewLine scrolls twice and leaves it on row 23.
    EXPECT_EQ(Row(23), std::string(79, 'a') + "z");
    EXPECT_EQ(Row(24), std::string(80, ' '));
    EXPECT_EQ(CursorAt(), (Position{25, 1}));
}

TEST_F(LineEditor, KeysTypedAheadAreTakenInOrder) {
    PushTyping("5");
    PushKey(kEnter);
    PushTyping("4");
    PushKey(kEnter);
    Locate(8, kAnswerColumn);
    EXPECT_EQ(LineInput(), "5");
    Locate(9, kAnswerColumn);
    EXPECT_EQ(LineInput(), "4");
}

TEST_F(LineEditor, TheCursorShowsOnlyWhileALineIsTyped) {
    Locate(8, kAnswerColumn);
    bool shownWhileWaiting = false;
    Recorded().idleHandler = [&] {
        shownWhileWaiting = HeadlessConsole().cursorVisible;
        PushKey(kEnter);
    };
    LineInput();
    EXPECT_TRUE(shownWhileWaiting);
    EXPECT_FALSE(HeadlessConsole().cursorVisible);
    EXPECT_FALSE(consoleState.cursorVisible);
}

TEST(CapsLock, DigitAndPunctuationKeysFollowShiftAlone) {
    struct Case {
        unsigned char character; // as the console reports it
        unsigned char scanCode;
        WORD state;
        unsigned char expected;
    };
    const WORD caps = CAPSLOCK_ON;
    const WORD capsShift = CAPSLOCK_ON | SHIFT_PRESSED;
    const Case cases[] = {
        {'!', 0x02, caps, '1'},  {'1', 0x02, capsShift, '!'},
        {'1', 0x02, caps, '1'},  {'!', 0x02, capsShift, '!'},
        {'x', 0x02, caps, 'x'},  {'!', 0x02, 0, '!'},
        {'?', 0x35, caps, '/'},  {'/', 0x35, capsShift, '?'},
        {'"', 0x28, caps, '\''}, {'\'', 0x28, capsShift, '"'},
        {'|', 0x2B, caps, '\\'}, {'~', 0x29, caps, '`'},
        {')', 0x0B, caps, '0'},  {'+', 0x0D, caps, '='},
        {'A', 0x1E, caps, 'A'},  {'a', 0x1E, capsShift, 'a'},
        {0, 0x01, caps, 27},     {0, 0x01, 0, 0},
        {27, 0x01, 0, 27},       {'5', 0x4C, caps, '5'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CapsLockCorrected(c.character, c.scanCode, c.state), c.expected)
            << int(c.character) << " scan " << int(c.scanCode) << " state " << c.state;
    }
}

TEST(PeekKey, ReportsKeysAndRemovesWhatIsNoKeyPress) {
    StartTestConsole(80, 25);
    INPUT_RECORD focus{};
    focus.EventType = FOCUS_EVENT;
    INPUT_RECORD mouse{};
    mouse.EventType = MOUSE_EVENT;
    PushRecord(focus);
    PushRecord(mouse);
    PushRecord(KeyRecord(kEnter, false));
    PushKey(kShift);
    PushKey(kAltX);
    KeyReport report = PeekKey();
    EXPECT_EQ(report.kind, KeyKind::Extended);
    EXPECT_EQ(report.character, 0);
    EXPECT_EQ(report.scanCode, 0x2D);
    EXPECT_EQ(HeadlessConsole().input.size(), 2u); // Alt+X press and release stay

    StartTestConsole(80, 25);
    PushKey(KeyPress{'1', 0x02, '1', LEFT_ALT_PRESSED}); // Alt with a digit is a character
    report = PeekKey();
    EXPECT_EQ(report.kind, KeyKind::Character);
    EXPECT_EQ(report.character, '1');

    StartTestConsole(80, 25);
    PushKey(KeyPress{VK_ESCAPE, 0x01, 0, CAPSLOCK_ON});
    report = PeekKey();
    EXPECT_EQ(report.kind, KeyKind::Character);
    EXPECT_EQ(report.character, 27);
}

TEST(WaitKey, LoneModifiersAndReleasesDoNotEndItAnyOtherKeyDoesAndStays) {
    const KeyPress endingKeys[] = {kEscape, kCtrlC, kF1, kLeft, kEnter, {'A', 0x1E, 'a', 0}};
    for (const KeyPress& key : endingKeys) {
        StartTestConsole(80, 25);
        PushRecord(KeyRecord(kEnter, false)); // the release of the last answer's Enter
        for (const KeyPress& modifier :
             {kShift, kControl, kAlt, kCapsLock, kNumLock, kScrollLock}) {
            PushKey(modifier);
        }
        PushKey(key);
        EXPECT_EQ(WaitKey(), -1);
        ASSERT_EQ(HeadlessConsole().input.size(), 2u);
        EXPECT_TRUE(HeadlessConsole().input.front().Event.KeyEvent.bKeyDown);
        EXPECT_EQ(HeadlessConsole().input.front().Event.KeyEvent.wVirtualScanCode, key.scanCode);
    }

    StartTestConsole(80, 25);
    PushRecord(KeyRecord(kEnter, false));
    PushKey(kShift);
    PushKey(kCapsLock);
    Recorded().idleHandler = [] { throw NoMoreInput{}; };
    EXPECT_THROW(WaitKey(), NoMoreInput);
    EXPECT_TRUE(HeadlessConsole().input.empty());
    Recorded().idleHandler = nullptr;
}

TEST(AlertBeep, RingsOnce) {
    StartTestConsole(80, 25);
    AlertBeep();
    EXPECT_EQ(Recorded().beeps, 1);
}

} // namespace
