// Whole runs of the program on the headless console: keys in, the final
// screen compared cell by cell, so a failure names the cell that differs.
#include "app/winmain.h"
#include "console/console.h"
#include "platform/posix/headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr WORD kAnswer = 0xF0;   // black on bright white
constexpr WORD kPrompt = 0xF8;   // dark grey on bright white
constexpr WORD kExceeded = 0xFC; // bright red on bright white

const KeyPress kEnter{VK_RETURN, 0x1C, 13, 0};

const char* const kPrompts[] = {
    "   Maximum front-back spacing of the front and surround speakers?",
    "   Maximum side-side spacing of the left-side and right-side speakers?",
    "   Is the surround speaker side-to-side spacing fixed [Y/N]?",
    "   Maximum side-to-side spacing of the surround speakers?",
    "   Height of surround speakers above the listening position?",
    "   Angular position of surround speakers in degrees [110 to 145]?",
};
const char* const kFixedSpacingPrompt = "   Side-to-side spacing of the surround speakers?";
const char* const kLabels[] = {
    "   Front-back spacing of the front L/R and surround speakers",
    "   Front-back spacing of the front L/R and front side speakers",
    "   Front-back spacing of the front L/R speakers and listening position",
    "   Listening distance and side-side spacing of the front L/R speakers",
    "   Side-side spacing of the front left-side and right-side speakers",
    "   Side-side spacing of the surround speakers",
};

struct Screen {
    std::vector<ScreenCell> cells = std::vector<ScreenCell>(80 * 25, ScreenCell{' ', kAnswer});
    void Put(int row, int column, const std::string& text, WORD attribute) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            cells[(row - 1) * 80 + column - 1 + i] = {static_cast<unsigned char>(text[i]),
                                                      attribute};
        }
    }
};

void TypeAnswers(const std::vector<std::string>& answers) {
    for (const std::string& answer : answers) {
        PushTyping(answer);
        PushKey(kEnter);
    }
    PushTyping("q"); // the key that ends the run
}

// Runs the program to its end; returns its exit status.
int RunProgram(const std::vector<std::string>& answers) {
    StartHeadlessConsole(80, 25);
    StartConsole();
    TypeAnswers(answers);
    return WINMAIN(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), 10);
}

// The expected screen of a run whose answers all stand on rows 8 to 13.
Screen ExpectedScreen(const std::vector<std::string>& answers, const char* const values[6],
                      const WORD colours[6]) {
    Screen screen;
    screen.Put(2, 1, "   Orvane 6.0 Layout Assistant v1", kAnswer);
    for (int q = 0; q < 6; ++q) {
        const char* prompt = q == 3 && answers[2] == "Y" ? kFixedSpacingPrompt : kPrompts[q];
        screen.Put(8 + q, 1, prompt, kPrompt);
        screen.Put(8 + q, 73, answers[q], kAnswer);
    }
    for (int k = 0; k < 6; ++k) {
        if (values[k] != nullptr) {
            screen.Put(16 + k, 1, kLabels[k], kPrompt);
            screen.Put(16 + k, 73, values[k], colours[k]);
        }
    }
    screen.Put(24, 1, "   press any key to quit", kPrompt);
    return screen;
}

void ExpectScreen(const Screen& expected) {
    const ConsoleModel& console = HeadlessConsole();
    ASSERT_EQ(console.cells.size(), expected.cells.size());
    int differences = 0;
    for (int row = 1; row <= 25; ++row) {
        if (row == 3 || row == 4) {
            continue; // credit and web-address rows are checked by the start-up tests
        }
        for (int column = 1; column <= 80; ++column) {
            const ScreenCell& got = console.cells[(row - 1) * 80 + column - 1];
            const ScreenCell& want = expected.cells[(row - 1) * 80 + column - 1];
            if ((got.character != want.character || got.attribute != want.attribute) &&
                ++differences <= 10) {
                ADD_FAILURE() << "row " << row << ", column " << column << ": expected '"
                              << want.character << "' in " << std::hex << want.attribute
                              << ", got '" << got.character << "' in " << got.attribute;
            }
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST(WholeRun, FinalScreensOfTheWorkedRuns) {
    struct Case {
        std::vector<std::string> answers;
        const char* values[6];
        WORD colours[6];
    };
    const Case cases[] = {
        {{"5", "4", "n", "4", "0.5", "120"},
         {"3.20", "0.69", "2.05", "2.36", "3.87", "4.00"},
         {kAnswer, kAnswer, kAnswer, kAnswer, kAnswer, kAnswer}},
        {{"4", "3", "Y", "3", "1", "110"},
         {"2.18", "0.55", "1.63", "1.88", "3.09", nullptr},
         {kAnswer, kAnswer, kAnswer, kAnswer, kExceeded, 0}},
        {{"20", "20", "N", "20", "1", "110"},
         {"12.90", "3.13", "9.26", "10.69", "17.51", "20.00"},
         {kAnswer, kAnswer, kAnswer, kAnswer, kAnswer, kAnswer}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers[0] + " " + c.answers[2]);
        EXPECT_EQ(RunProgram(c.answers), 0);
        ExpectScreen(ExpectedScreen(c.answers, c.values, c.colours));
        const ConsoleModel& console = HeadlessConsole();
        EXPECT_EQ(console.cursorY + 1, 25);
        EXPECT_EQ(console.cursorX + 1, 1);
        EXPECT_FALSE(console.cursorVisible);
        EXPECT_EQ(console.textAttribute, kPrompt);
        EXPECT_EQ(console.beeps, 0);
        // The key that ended the run is still in the input buffer.
        ASSERT_FALSE(console.input.empty());
        EXPECT_EQ(console.input.front().Event.KeyEvent.uChar.AsciiChar, 'q');
    }
}

TEST(WholeRun, RefusedAnswersBeepShowTheBoxAreBlankedAndAskedAgain) {
    const std::vector<std::string> answers = {"5",   "4",      "yes",    "Y ",
                                              "",    " n",     "n",      "4",
                                              "0.5", "109.99", "145.01", "145.000000000000001",
                                              "abc", "",       "120abc"};
    std::vector<int> beepsAtEachBox;
    StartHeadlessConsole(80, 25);
    StartConsole();
    HeadlessConsole().addOnHook = [&] { beepsAtEachBox.push_back(HeadlessConsole().beeps); };
    TypeAnswers(answers);
    EXPECT_EQ(WINMAIN(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), 10), 0);
    HeadlessConsole().addOnHook = nullptr;

    std::vector<std::string> boxes;
    for (const AddOnCall& call : HeadlessConsole().addOnCalls) {
        if (call.name == "ConsoleMessageBox") {
            EXPECT_EQ(call.texts[1], "  ERROR");
            EXPECT_EQ(call.numbers, (std::vector<long>{0, 0, 0}));
            boxes.push_back(call.texts[0]);
        }
    }
    const std::string yesNo = "You must respond either Y or N  ";
    const std::string angle = "You must respond with an angle between 110 and 145 degrees  ";
    EXPECT_EQ(boxes, (std::vector<std::string>{yesNo, yesNo, yesNo, yesNo, angle, angle, angle,
                                               angle, angle}));
    // Every box came right after its own beep: 12 set-up calls, then one box per beep.
    const std::vector<int> expectedBeeps = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(beepsAtEachBox, expectedBeeps);
    EXPECT_EQ(HeadlessConsole().beeps, 9);

    const WORD colours[6] = {kAnswer, kAnswer, kAnswer, kAnswer, kAnswer, kAnswer};
    const char* values[6] = {"3.20", "0.69", "2.05", "2.36", "3.87", "4.00"};
    // The screen keeps the letter as typed; the angle text is kept whole.
    ExpectScreen(ExpectedScreen({"5", "4", "n", "4", "0.5", "120abc"}, values, colours));
}

TEST(WholeRun, AnswersThatAreNotNumbersOrNegativeAreTakenWithoutComplaint) {
    EXPECT_EQ(RunProgram({"abc", "-3", "N", "", "0.5", "120"}), 0);
    EXPECT_EQ(HeadlessConsole().beeps, 0);
    // -3 / (2 sin 55 degrees) is the smallest limit: the listening distance on row 19.
    EXPECT_EQ(ScreenRow(18).substr(72), "-1.83   ");
}

} // namespace
