// Whole runs of the program on the headless console: keys in, the final
// screen compared cell by cell with its file in tests/golden/, so a failure
// names the cell that differs. ORVANE_UPDATE_GOLDEN=1 rewrites the files from
// these runs instead (the update_golden_screens target does that).
#include "app/model/screen_texts.h"
#include "console/console.h"
#include "tests/golden/golden_screen.h"
#include "tests/golden/screen_compare.h"
#include "tests/headless/headless_console.h"
#include "tests/headless/headless_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using golden::GoldenScreen;

constexpr WORD kPromptAttribute = palette::Attribute(screen::kPromptColour, screen::kBackground);
constexpr int kFirstResultRow = 16;

char HexDigit(int colour) {
    return "0123456789abcdef"[colour & 15];
}

GoldenScreen ConsoleScreen(const ConsoleModel& console) {
    GoldenScreen screen;
    for (int row = 0; row < golden::kHeight; ++row) {
        std::string text, foreground, background;
        for (int column = 0; column < golden::kWidth; ++column) {
            const ScreenCell& cell = console.cells[static_cast<size_t>(row * 80 + column)];
            text += static_cast<char>(cell.character);
            foreground += HexDigit(cell.attribute);
            background += HexDigit(cell.attribute >> 4);
        }
        screen.text.push_back(text);
        screen.foreground.push_back(foreground);
        screen.background.push_back(background);
    }
    return screen;
}

// The console shows the golden screen `name`, or, when updating, becomes it.
void ExpectGoldenScreen(const std::string& name) {
    SCOPED_TRACE("tests/golden/" + name + ".screen");
    const ConsoleModel& console = HeadlessConsole();
    ASSERT_EQ(console.cells.size(), 80u * 25u);
    const GoldenScreen shown = ConsoleScreen(console);
    if (golden::UpdatingGoldenScreens()) {
        golden::WriteGoldenScreen(name, shown);
        return;
    }
    // Colours as a terminal would number them in the failure messages (console 12 is SGR 9).
    golden::ExpectSameCells(golden::GoldenInPane(shown, 1),
                            golden::GoldenInPane(golden::ReadGoldenScreen(name), 1),
                            "the headless console");
}

// The worked values, apart from the files: value k at the answer column of
// row 16 + k in its colour, a row of blanks where there is no sixth line.
void ExpectValues(const std::vector<std::string>& values, const std::vector<int>& colours) {
    const ConsoleModel& console = HeadlessConsole();
    for (size_t k = 0; k < 6; ++k) {
        const int y = kFirstResultRow - 1 + static_cast<int>(k);
        const std::string tail = ScreenRow(y).substr(screen::kAnswerColumn - 1);
        if (k >= values.size()) {
            EXPECT_EQ(ScreenRow(y), std::string(80, ' ')) << "row of line 6";
            continue;
        }
        EXPECT_EQ(tail, values[k] + std::string(8 - values[k].size(), ' ')) << "row " << y + 1;
        const ScreenCell& first = console.cells[static_cast<size_t>(y * 80 + 72)];
        EXPECT_EQ(first.attribute, palette::Attribute(colours[k], screen::kBackground))
            << "row " << y + 1;
    }
}

// What a finished run leaves besides its cells.
void ExpectRunEnded(int beeps) {
    const ConsoleModel& console = HeadlessConsole();
    EXPECT_EQ(console.cursorY + 1, 25);
    EXPECT_EQ(console.cursorX + 1, 1);
    EXPECT_FALSE(console.cursorVisible);
    EXPECT_EQ(console.textAttribute, kPromptAttribute);
    EXPECT_EQ(Recorded().beeps, beeps);
    // The key that ended the run is still in the input buffer.
    ASSERT_FALSE(console.input.empty());
    EXPECT_EQ(console.input.front().Event.KeyEvent.uChar.AsciiChar, 'q');
}

constexpr int kBlack = screen::kAnswerColour;
constexpr int kRed = screen::kExceededColour;
const std::vector<std::string> kTypicalValues = {"3.20", "0.69", "2.05", "2.36", "3.87", "4.00"};
const std::vector<int> kSixBlack = {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack};

TEST(WholeRun, FinalScreensOfTheWorkedRuns) {
    struct Case {
        const char* golden; // tests/golden/<golden>.screen
        std::vector<std::string> answers;
        std::vector<std::string> values; // five or six
        std::vector<int> colours;
    };
    const Case cases[] = {
        {"typical_run", {"5", "4", "n", "4", "0.5", "120"}, kTypicalValues, kSixBlack},
        {"fixed_spacing_over_maximum",
         {"4", "3", "Y", "3", "1", "110"},
         {"2.18", "0.55", "1.63", "1.88", "3.09"},
         {kBlack, kBlack, kBlack, kBlack, kRed}},
        {"values_of_ten_and_more",
         {"20", "20", "N", "20", "1", "110"},
         {"12.90", "3.13", "9.26", "10.69", "17.51", "20.00"},
         kSixBlack},
        {"first_answer_to_column_80",
         {"5.000000", "4", "n", "4", "0.5", "120"},
         kTypicalValues,
         kSixBlack},
        {"first_answer_wrapped",
         {"5.0000000000", "4", "n", "4", "0.5", "120"},
         kTypicalValues,
         kSixBlack},
        // The rest of a pasted answer fills the rows the table comes to.
        {"long_paste_under_the_results",
         {"5", "4", "n", "4 " + std::string(600, '9'), "0.5", "120"},
         kTypicalValues,
         kSixBlack},
        // Values of 8 characters and more take the next row too: the labels
        // after them move down, and their values with them (the golden screen).
        {"values_of_eight_characters_and_more", {"1e6", "1e6", "N", "1e6", "1", "110"}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        EXPECT_EQ(RunHeadless(c.answers), 0);
        ExpectGoldenScreen(c.golden);
        if (!c.values.empty()) {
            ExpectValues(c.values, c.colours);
        }
        ExpectRunEnded(0);
    }
}

// An answer of 8 characters or more leaves the cursor on the next row: the
// second prompt is pushed a row down, where the third one covers it, while the
// answers stay on the rows the anchors give.
TEST(WholeRun, LongFirstAnswerMovesTheFollowingPrompts) {
    for (const std::string first : {"5.000000", "5.0000000000"}) {
        SCOPED_TRACE(first);
        EXPECT_EQ(RunHeadless({first, "4", "n", "4", "0.5", "120"}), 0);
        const std::string wrapped = first.size() > 8 ? first.substr(8) : "";
        EXPECT_EQ(ScreenRow(7).substr(screen::kAnswerColumn - 1), first.substr(0, 8));
        EXPECT_EQ(ScreenRow(8),
                  wrapped + std::string(72 - wrapped.size(), ' ') + "4" + std::string(7, ' '));
        EXPECT_EQ(ScreenRow(9),
                  std::string(screen::kFixedPrompt) + " speakers?" + "  n" + std::string(7, ' '));
    }
}

TEST(WholeRun, RefusedAnswersBeepShowTheBoxAreBlankedAndAskedAgain) {
    const std::vector<std::string> answers = {"5",   "4",      "yes",    "Y ",
                                              "",    " n",     "n",      "4",
                                              "0.5", "109.99", "145.01", "145.000000000000001",
                                              "abc", "",       "120abc"};
    std::vector<int> beepsAtEachBox;
    StartHeadlessRun();
    Recorded().addOnHook = [&] { beepsAtEachBox.push_back(Recorded().beeps); };
    EXPECT_EQ(RunTypedAhead(answers), 0);
    Recorded().addOnHook = nullptr;

    std::vector<std::string> boxes;
    for (const AddOnCall& call : Recorded().addOnCalls) {
        if (call.name == "ConsoleMessageBox") {
            EXPECT_EQ(call.texts[1], screen::kErrorTitle);
            EXPECT_EQ(call.numbers, (std::vector<long>{0, 0, 0}));
            boxes.push_back(call.texts[0]);
        }
    }
    const std::string yesNo(screen::kYesNoError);
    const std::string angle(screen::kAngleError);
    EXPECT_EQ(boxes, (std::vector<std::string>{yesNo, yesNo, yesNo, yesNo, angle, angle, angle,
                                               angle, angle}));
    // Every box came right after its own beep: 12 set-up calls, then one box per beep.
    const std::vector<int> expectedBeeps = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(beepsAtEachBox, expectedBeeps);
    ExpectRunEnded(9);

    // The screen keeps the letter as typed; the angle text is kept whole.
    ExpectGoldenScreen("refused_answers");
    ExpectValues(kTypicalValues, kSixBlack);
    EXPECT_EQ(ScreenRow(9).substr(screen::kAnswerColumn - 1), "n       ");
    EXPECT_EQ(ScreenRow(12).substr(screen::kAnswerColumn - 1), "120abc  ");
}

TEST(WholeRun, AnswersThatAreNotNumbersOrNegativeAreTakenWithoutComplaint) {
    EXPECT_EQ(RunHeadless({"abc", "-3", "N", "", "0.5", "120"}), 0);
    ExpectRunEnded(0);
    ExpectGoldenScreen("answers_not_numbers");
    // -3 / (2 sin 55 degrees) is the smallest limit: the listening distance on row 19.
    EXPECT_EQ(ScreenRow(18).substr(72), "-1.83   ");
}

} // namespace
