#include "app/flow/window_setup.h"
#include "app/model/screen_texts.h"
#include "console/console.h"
#include "platform/floating_point.h"
#include "tests/headless/headless_console.h"
#include "tests/headless/headless_run.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

struct ExpectedCall {
    std::string name;
    std::vector<long> numbers;
    std::vector<std::string> texts;
};

TEST(StartUp, MakesTheTwelveAddOnCallsInOrderWithTheirValues) {
    StartHeadlessRun(80, 25);
    SetUpConsoleWindow(GetModuleHandleA(nullptr));
    const std::vector<ExpectedCall> expected = {
        {"InitConsoleAddOn", {0, 0, 0, 0, 0}, {}},
        {"ConsoleToolBar", {0, 5}, {}},
        {"ConsoleTitle", {}, {std::string(screen::kWindowTitle)}},
        {"ConsoleIcon", {32512}, {}},
        {"DeleteWindowMenuItem", {61728}, {}},
        {"DeleteWindowMenuItem", {0}, {}},
        {"DeleteWindowMenuItem", {61440}, {}},
        {"DeleteWindowMenuItem", {-2}, {}},
        {"DeleteWindowMenuItem", {-1}, {}},
        {"DeleteWindowMenuItem", {61488}, {}},
        {"Console80x", {25}, {}},
        {"ConsoleMove", {32767, 32767}, {}},
    };
    const std::vector<AddOnCall>& calls = Recorded().addOnCalls;
    ASSERT_EQ(calls.size(), expected.size());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(calls[i].name, expected[i].name);
        EXPECT_EQ(calls[i].numbers, expected[i].numbers);
        EXPECT_EQ(calls[i].texts, expected[i].texts);
    }
}

TEST(StartUp, BannerScreenCellByCell) {
    StartHeadlessRun(80, 25);
    SetUpConsoleWindow(GetModuleHandleA(nullptr));
    ShowBanner();
    const ConsoleModel& console = HeadlessConsole();
    ASSERT_EQ(console.width, 80);
    ASSERT_EQ(console.height, 25);
    const std::string blank(80, ' ');
    auto padded = [](std::string text) { return text + std::string(80 - text.size(), ' '); };
    EXPECT_EQ(ScreenRow(0), blank);
    EXPECT_EQ(ScreenRow(1), padded(std::string(screen::kBannerTitle)));
    for (int row : {2, 3}) {
        const std::string text = ScreenRow(row);
        EXPECT_EQ(text.substr(0, 3), "   ") << row + 1;
        EXPECT_NE(text[3], ' ') << row + 1;
    }
    for (int row = 4; row < 25; ++row) {
        EXPECT_EQ(ScreenRow(row), blank) << row + 1;
    }
    for (const ScreenCell& cell : console.cells) {
        ASSERT_EQ(cell.attribute, palette::Attribute(screen::kAnswerColour, screen::kBackground));
    }
    EXPECT_EQ(console.cursorY + 1, 8);
    EXPECT_EQ(console.cursorX + 1, 1);
    EXPECT_FALSE(console.cursorVisible);
    EXPECT_EQ(console.title, screen::kWindowTitle);
}

TEST(StartUp, AConsoleOfAnotherSizeIsClearedBeforeAndAfterTheResize) {
    StartHeadlessRun(100, 30);
    SetColor(7, 0);
    Locate(28, 90);
    PrintText("left over from before");
    bool clearedBefore = false;
    Recorded().addOnHook = [&] {
        const ConsoleModel& console = HeadlessConsole();
        if (Recorded().addOnCalls.back().name != "Console80x") {
            return;
        }
        // The hook runs after the resize: the kept cells show what the first clear left.
        clearedBefore = true;
        for (const ScreenCell& cell : console.cells) {
            clearedBefore = clearedBefore && cell.character == ' ' && cell.attribute == 240;
        }
    };
    SetUpConsoleWindow(GetModuleHandleA(nullptr));
    Recorded().addOnHook = nullptr;
    EXPECT_TRUE(clearedBefore);
    const ConsoleModel& console = HeadlessConsole();
    EXPECT_EQ(console.width, 80);
    EXPECT_EQ(console.height, 25);
    for (const ScreenCell& cell : console.cells) {
        ASSERT_EQ(cell.character, ' ');
        ASSERT_EQ(cell.attribute, palette::Attribute(screen::kAnswerColour, screen::kBackground));
    }
}

TEST(StartUp, FloatingPointSettingsAreMadeAgainAfterEveryAddOnCall) {
    const FloatingPointControl before = ReadFloatingPointControl();
    SetFloatingPointControl();
    FloatingPointControl control = ReadFloatingPointControl();
    EXPECT_EQ(control.x87ControlWord & 0x0F3F, kExtendedControlWord & 0x0F3F);
    EXPECT_EQ(control.sseControl & 0xFFC0u, kSseControl);

    StartHeadlessRun(80, 25);
    int disturbed = 0;
    // Each call leaves 53-bit precision, rounding up and an unmasked overflow behind.
    Recorded().addOnHook = [&] {
        ++disturbed;
        WriteFloatingPointControl({0x0A77, 0x5F00});
    };
    SetUpConsoleWindow(GetModuleHandleA(nullptr));
    Recorded().addOnHook = nullptr;
    EXPECT_EQ(disturbed, 12);
    control = ReadFloatingPointControl();
    EXPECT_EQ(control.x87ControlWord & 0x0F3F, kExtendedControlWord & 0x0F3F);
    EXPECT_EQ(control.sseControl & 0xFFC0u, kSseControl);
    // An overflow gives an infinity instead of a trap, in both units (where long double is no
    // x87 type, its own arithmetic stands in for the x87 unit's).
    volatile long double big = std::numeric_limits<long double>::max();
    volatile double large = 1e300;
    EXPECT_TRUE(__builtin_isinf(big * big));
    EXPECT_TRUE(__builtin_isinf(large * large));
    WriteFloatingPointControl(before);
}

} // namespace
