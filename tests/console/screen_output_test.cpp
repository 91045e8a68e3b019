#include "console/console_state.h"
#include "console_fixture.h"

namespace {

// A 10 x 4 buffer keeps every expected screen readable.
constexpr int kWidth = 10;
constexpr int kHeight = 4;

class ScreenOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        StartTestConsole(kWidth, kHeight);
        SetColor(0, 15);
        ClearScreen();
    }
};

TEST_F(ScreenOutput, TextWrapsAtTheRightEdgeAndEndsWhereItStopped) {
    Locate(1, 7);
    PrintText("abcdefg");
    EXPECT_EQ(Row(1), "      abcd");
    EXPECT_EQ(Row(2), "efg       ");
    EXPECT_EQ(CursorAt(), (Position{2, 4}));
}

TEST_F(ScreenOutput, TextEndingAtTheRightEdgeThenNewLineLeavesAnEmptyRow) {
    struct Case {
        int row;            // where the text starts
        Position afterText; // cursor after the text
        Position afterNewLine;
        const char* rowAfter; // the row the text was written on, after NewLine
    };
    // On the bottom row the text scrolls up twice: once for the pending scroll, once for NewLine.
    const Case cases[] = {
        {2, {3, 1}, {4, 1}, "0123456789"},
        {4, {4, 1}, {4, 1}, "0123456789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ClearScreen();
        Locate(c.row, 1);
        PrintText("0123456789");
        EXPECT_EQ(CursorAt(), c.afterText);
        EXPECT_EQ(CursorRow(), c.afterText.row);
        NewLine();
        EXPECT_EQ(CursorAt(), c.afterNewLine);
        const int textRow = c.row == kHeight ? kHeight - 2 : c.row;
        EXPECT_EQ(Row(textRow), c.rowAfter);
        EXPECT_EQ(Row(textRow + 1), std::string(kWidth, ' '));
    }
}

TEST_F(ScreenOutput, PendingScrollIsCarriedOutOrCancelledByWhatFollows) {
    struct Case {
        const char* name;
        void (*next)();
        std::string rows[kHeight];
        Position cursor;
    };
    const Case cases[] = {
        {"PrintText scrolls once, then writes on the new bottom row",
         [] { PrintText("xy"); },
         {"a         ", "b         ", "0123456789", "xy        "},
         {4, 3}},
        {"NewLine scrolls twice",
         [] { NewLine(); },
         {"b         ", "0123456789", "          ", "          "},
         {4, 1}},
        {"Locate cancels the scroll",
         [] {
             Locate(1, 1);
             PrintText("z");
         },
         {"ztart     ", "a         ", "b         ", "0123456789"},
         {1, 2}},
        {"an empty PrintText leaves it pending",
         [] {
             PrintText("");
             PrintText("q");
         },
         {"a         ", "b         ", "0123456789", "q         "},
         {4, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearScreen();
        PrintText("start");
        Locate(2, 1);
        PrintText("a");
        Locate(3, 1);
        PrintText("b");
        Locate(4, 1);
        PrintText("0123456789");
        EXPECT_TRUE(consoleState.pendingScroll);
        EXPECT_EQ(CursorAt(), (Position{4, 1}));
        c.next();
        for (int row = 1; row <= kHeight; ++row) {
            EXPECT_EQ(Row(row), c.rows[row - 1]) << "row " << row;
        }
        EXPECT_EQ(CursorAt(), c.cursor);
    }
}

TEST_F(ScreenOutput, TextLongerThanTheBottomRowScrollsOncePerFurtherRow) {
    Locate(4, 9);
    PrintText("ABCDEFGHIJKLMNOPQRSTUV"); // 2 + 10 + 10 cells
    EXPECT_EQ(Row(2), "        AB");
    EXPECT_EQ(Row(3), "CDEFGHIJKL");
    EXPECT_EQ(Row(4), "MNOPQRSTUV");
    EXPECT_TRUE(consoleState.pendingScroll);
    EXPECT_EQ(CursorAt(), (Position{4, 1}));
}

TEST_F(ScreenOutput, LocateKeepsACoordinateOutsideTheBuffer) {
    struct Case {
        int row, column;
        Position expected;
    };
    const Case cases[] = {
        {3, 0, {3, 5}},   {0, 7, {2, 7}},  {-1, -1, {2, 5}}, {kHeight + 1, kWidth + 1, {2, 5}},
        {4, 10, {4, 10}}, {1, 11, {1, 5}}, {5, 1, {2, 1}},   {-32768, 3, {2, 3}},
    };
    for (const Case& c : cases) {
        Locate(2, 5);
        Locate(c.row, c.column);
        EXPECT_EQ(CursorAt(), c.expected) << c.row << ", " << c.column;
    }
}

TEST_F(ScreenOutput, LocateOutsideTheBufferStillCancelsAPendingScroll) {
    Locate(kHeight, 1);
    PrintText("0123456789");
    ASSERT_TRUE(consoleState.pendingScroll);
    Locate(kHeight + 1, kWidth + 1);
    EXPECT_FALSE(consoleState.pendingScroll);
    EXPECT_EQ(CursorAt(), (Position{kHeight, 1}));
}

TEST_F(ScreenOutput, SetColorKeepsAColourOutOfRange) {
    struct Case {
        int foreground, background;
        WORD attribute;
    };
    const Case cases[] = {
        {16, 15, 0xF0}, {-1, 15, 0xF0}, {12, 15, 0xFC}, {8, -7, 0xF8}, {2, 16, 0xF2}, {0, 1, 0x10},
    };
    SetColor(0, 15);
    for (const Case& c : cases) {
        SetColor(c.foreground, c.background);
        EXPECT_EQ(HeadlessConsole().textAttribute, c.attribute)
            << c.foreground << ", " << c.background;
        PrintText("x");
        EXPECT_EQ(AttributeAt(CursorAt().row, CursorAt().column - 1), c.attribute);
    }
}

TEST_F(ScreenOutput, SetColorWithACountRecoloursCellsWithoutTouchingText) {
    PrintText("abcdef");
    Locate(1, 2);
    SetColor(12, 15, 3);
    EXPECT_EQ(Row(1).substr(0, 6), "abcdef");
    const WORD expected[] = {0xF0, 0xFC, 0xFC, 0xFC, 0xF0};
    for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(AttributeAt(1, column), expected[column - 1]) << column;
    }
}

TEST_F(ScreenOutput, SetCursorLimitsTheSizeAndKeepsItWhenShowing) {
    struct Case {
        int n;
        DWORD size;
        bool visible;
    };
    const Case cases[] = {{1, 10, true},   {10, 10, true}, {50, 50, true}, {99, 99, true},
                          {100, 99, true}, {0, 99, false}, {-1, 99, true}, {37, 37, true},
                          {-5, 37, true},  {0, 37, false}};
    for (const Case& c : cases) {
        SetCursor(c.n);
        EXPECT_EQ(HeadlessConsole().cursorSize, c.size) << c.n;
        EXPECT_EQ(HeadlessConsole().cursorVisible, c.visible) << c.n;
    }
}

TEST_F(ScreenOutput, ScrolledInRowAndClearedScreenTakeTheColoursOfThatMoment) {
    SetColor(8, 15);
    ClearScreen();
    for (int row = 1; row <= kHeight; ++row) {
        for (int column = 1; column <= kWidth; ++column) {
            ASSERT_EQ(AttributeAt(row, column), 0xF8);
        }
    }
    EXPECT_EQ(CursorAt(), (Position{1, 1}));
    SetColor(0, 15);
    Locate(kHeight, 1);
    PrintText("text");
    SetColor(12, 15);
    NewLine();
    EXPECT_EQ(Row(kHeight - 1).substr(0, 4), "text");
    EXPECT_EQ(AttributeAt(kHeight - 1, 1), 0xF0);
    EXPECT_EQ(AttributeAt(kHeight - 1, 5), 0xF8);
    for (int column = 1; column <= kWidth; ++column) {
        EXPECT_EQ(AttributeAt(kHeight, column), 0xFC) << column;
    }
}

TEST_F(ScreenOutput, ControlBytesAreCellsLikeAnyOther) {
    const std::string text = {'a', 7, 9, 10, 13, 'b', 0, 27};
    PrintText(text);
    EXPECT_EQ(Row(1).substr(0, text.size()), text);
    EXPECT_EQ(CursorAt(), (Position{1, 9}));
    EXPECT_EQ(Recorded().beeps, 0);
}

TEST_F(ScreenOutput, ClearScreenHidesTheCursorOnlyForItsDuration) {
    SetCursor(20);
    ClearScreen();
    EXPECT_TRUE(HeadlessConsole().cursorVisible);
    EXPECT_FALSE(consoleState.cursorRestorePending);
    SetCursor(0);
    ClearScreen();
    EXPECT_FALSE(HeadlessConsole().cursorVisible);
}

TEST(ConsoleStart, TakesTheCursorFromTheConsoleOrFallsBackToSizeTen) {
    StartHeadlessConsole(80, 25);
    HeadlessConsole().cursorSize = 40;
    HeadlessConsole().cursorVisible = false;
    StartConsole();
    EXPECT_EQ(consoleState.cursorSize, 40);
    EXPECT_FALSE(consoleState.cursorVisible);
    EXPECT_EQ(consoleState.foreground, 7);
    EXPECT_EQ(consoleState.background, 0);
    EXPECT_EQ(HeadlessConsole().outputMode, 3u);
    EXPECT_EQ(HeadlessConsole().inputMode, 0u);
    EXPECT_EQ(consoleState.outputHandle, GetStdHandle(STD_OUTPUT_HANDLE));

    StartHeadlessConsole(80, 25);
    HeadlessConsole().cursorSize = 0;
    StartConsole();
    EXPECT_EQ(consoleState.cursorSize, 10);
    EXPECT_TRUE(consoleState.cursorVisible);
    EXPECT_EQ(HeadlessConsole().cursorSize, 10u);
}

TEST(ConsoleStart, AConsoleWithoutSizeTakesNoCellsAndDoesNotHang) {
    StartTestConsole(80, 25);
    consoleState.outputHandle = nullptr; // every console call fails
    PrintText("text");
    NewLine();
    Locate(3, 3);
    ClearScreen();
    EXPECT_EQ(CursorRow(), 1);
}

} // namespace
