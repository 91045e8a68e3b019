// Two builds of the tool side by side, each in its own 80 x 25 terminal, given
// the same keys: every cell (glyph and colours) and the cursor's visibility
// must agree at each step. The second build is the command line that
// ORVANE_E2E_COMMAND gives (orvane.exe under Wine); without it there is
// nothing to compare and the test is skipped. The results screens are
// compared with their golden screens too.
#include "app/model/screen_texts.h"
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_compare.h"
#include "tests/golden/screen_grid.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace e2e::same_cells {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;

// What to wait for after a step's keys, on both sides.
enum class Until { editorOnRow, box, closingLine, exit };

struct Step {
    std::string text; // typed as it stands, may be empty
    std::string key;  // then this key by its tmux name, may be empty
    Until until;      // what both sides must show before comparing
    int row = 0;      // for editorOnRow
};

struct Scenario {
    const char* name;
    const char* golden; // tests/golden/<golden>.screen: the results screen both must show
    std::vector<Step> steps;
};

// Cells compared and cells that differed, over every comparison of the run.
int comparedCells = 0;
int differingCells = 0;

// Waits until the side shows what the step waits for.
bool WaitForStep(const TerminalRun& side, const Step& step, std::chrono::milliseconds limit) {
    switch (step.until) {
    case Until::editorOnRow:
        return WaitUntil([&] { return EditorWaitsAt(side.terminal, step.row); }, limit);
    case Until::box:
        return WaitForText(side.terminal, "╔", limit);
    case Until::closingLine:
        return WaitForText(side.terminal, std::string(screen::kClosingLine), limit);
    case Until::exit:
        return WaitUntil([&] { return WrappedRunFinished(side.run); }, limit);
    }
    return false;
}

void ExpectSameScreens(const Screen& posix, const Screen& other, const std::string& where) {
    comparedCells += posix.width * posix.height;
    differingCells += ExpectSameCells(other, posix, where + ", against POSIX");
    EXPECT_EQ(other.cursorVisible, posix.cursorVisible) << where << ": cursor visibility";
}

void RunSideBySide(const Scenario& scenario, const std::string& otherCommand) {
    TerminalRun posix;
    TerminalRun other;
    StartTerminalRun(posix, {.command = ShellQuote(kTool)});
    StartTerminalRun(other, {.command = otherCommand});
    for (size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        const std::string where = "step " + std::to_string(i + 1);
        for (TerminalRun* side : {&posix, &other}) {
            if (!step.text.empty()) {
                SendText(side->terminal, step.text);
            }
            if (!step.key.empty()) {
                SendKeys(side->terminal, {step.key});
            }
        }
        for (TerminalRun* side : {&posix, &other}) {
            ASSERT_TRUE(WaitForStep(*side, step, seconds(10)))
                << where << (side == &posix ? " (POSIX)" : " (other)") << ":\n"
                << CaptureText(side->terminal);
        }
        const Screen posixScreen = CaptureScreen(posix.terminal);
        const Screen otherScreen = CaptureScreen(other.terminal);
        ExpectSameScreens(posixScreen, otherScreen, where);
        if (step.until == Until::closingLine) {
            ExpectSameCells(otherScreen, GoldenInPane(golden::ReadGoldenScreen(scenario.golden), 1),
                            where + ", against tests/golden/" + scenario.golden + ".screen",
                            {.blankForegrounds = false});
        }
        // After the run the title is the shell's business: cmd sets its own.
        if (step.until != Until::exit) {
            EXPECT_EQ(otherScreen.title, posixScreen.title) << where << ": window title";
        }
    }
    EXPECT_EQ(WrappedRunStatus(other.run), WrappedRunStatus(posix.run));
    EXPECT_EQ(WrappedRunStatus(other.run), 0);
}

Step Answer(const std::string& text, int nextRow) {
    return {text, "Enter", Until::editorOnRow, nextRow};
}

TEST(SameCellsAsPosix, EveryStepOfWholeRuns) {
    const char* other = std::getenv("ORVANE_E2E_COMMAND");
    if (other == nullptr || *other == '\0') {
        GTEST_SKIP() << "no second build to compare with (ORVANE_E2E_COMMAND)";
    }
    const Scenario scenarios[] = {
        {"typical run with both refusals",
         "typical_run",
         {{"", "", Until::editorOnRow, 8},
          Answer("5", 9),
          Answer("4", 10),
          {"yes", "Enter", Until::box},
          {"", "Escape", Until::editorOnRow, 10},
          // An accented letter goes through code page 437 both ways.
          {"é", "Enter", Until::box},
          {"", "Enter", Until::editorOnRow, 10},
          Answer("n", 11),
          Answer("4", 12),
          Answer("0.5", 13),
          {"150", "Enter", Until::box},
          {"1", "Space", Until::editorOnRow, 13},
          {"120", "Enter", Until::closingLine},
          {"", "q", Until::exit}}},
        {"fixed spacing, values in red",
         "fixed_spacing_over_maximum",
         {{"", "", Until::editorOnRow, 8},
          Answer("4", 9),
          Answer("3", 10),
          Answer("Y", 11),
          Answer("3", 12),
          Answer("1", 13),
          {"110", "Enter", Until::closingLine},
          {"", "Escape", Until::exit}}},
        {"long answer that wraps",
         "first_answer_wrapped",
         {{"", "", Until::editorOnRow, 8},
          Answer("5.0000000000", 9),
          Answer("4", 10),
          Answer("n", 11),
          Answer("4", 12),
          Answer("0.5", 13),
          {"120", "Enter", Until::closingLine},
          {"", "Enter", Until::exit}}},
    };
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        RunSideBySide(scenario, other);
    }
    std::printf("cells compared: %d, differing: %d\n", comparedCells, differingCells);
    RecordProperty("cellsCompared", comparedCells);
    RecordProperty("cellsDiffering", differingCells);
}

} // namespace
} // namespace e2e::same_cells
