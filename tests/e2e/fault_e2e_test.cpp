// A real memory fault (not a signal sent from outside) still hands the
// terminal back, and then ends the program by that very fault.
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_grid.h"

#include <gtest/gtest.h>

#include <csignal>

namespace e2e::fault {
namespace {

using std::chrono::seconds;

const std::string kDriver = MODE_DRIVER;

TEST(RealFault, HandsTheTerminalBackAndEndsByTheFault) {
    TerminalRun driver;
    // A sanitizer's own fault handler would report and exit instead.
    PrepareTerminalRun(driver,
                       "ulimit -c 0; ASAN_OPTIONS=handle_segv=0 " + ShellQuote(kDriver) + " fault");
    ReleaseWrappedRun(driver.run);
    ASSERT_TRUE(WaitForRowText(driver.terminal, 1, "   fault, waiting", seconds(5)))
        << CaptureText(driver.terminal);
    SendText(driver.terminal, "f");
    // A write to a read-only page is SIGSEGV on Linux and the BSDs, SIGBUS on macOS.
    ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(driver, {128 + SIGSEGV, 128 + SIGBUS}));
    const Screen after = CaptureScreen(driver.terminal);
    EXPECT_TRUE(after.cursorVisible);
    EXPECT_EQ(RowText(after, 1).substr(0, 17), "   fault, waiting");
}

} // namespace
} // namespace e2e::fault
