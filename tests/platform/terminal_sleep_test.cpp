// The emulated Sleep and the error box's wait on a fake terminal and clock:
// how long a sleep lasts, what it does with keys typed meanwhile, and that
// nothing waits in a loop while no key comes.
#include "platform/posix/console_model.h"
#include "platform/posix/terminal.h"
#include "tests/platform/fake_terminal.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using fake::Fake;
using fake::FakeTerminalScope;
using fake::Happening;
using fake::StartTyping;
using std::chrono::milliseconds;

fake::KeyboardEvent TypedAt(int ms, const std::string& bytes) {
    return {milliseconds(ms), Happening::Typed, bytes};
}

bool NoZeroTimeout() {
    const std::vector<int>& timeouts = Fake().waitTimeouts;
    return std::find(timeouts.begin(), timeouts.end(), 0) == timeouts.end();
}

TEST(TerminalSleep, LastsItsTimeThenEndsAtTheFirstKey) {
    struct Case {
        const char* name;
        int askedMs;  // the length of the sleep
        int keyAtMs;  // when a key is typed
        int endsAtMs; // when the sleep ends
    };
    const Case cases[] = {
        {"typed ahead: over at once, for the look that follows", 10, 0, 0},
        {"typed ahead, a 1 ms sleep", 1, 0, 0},
        {"typed during the time: the whole time all the same", 10, 3, 10},
        {"typed after the time: at once", 10, 30, 30},
        {"a 1 ms sleep and a key much later", 1, 5000, 5000},
        {"no time asked and a key waiting", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        StartTyping({TypedAt(c.keyAtMs, "k")});
        SleepOnTerminal(c.askedMs);
        EXPECT_EQ(Fake().now, milliseconds(c.endsAtMs));
        EXPECT_EQ(fake::QueuedKeys(), "k") << "decoded into the queue, down and up";
        EXPECT_TRUE(NoZeroTimeout());
    }
}

// The line editor's loop over a paste of 8,000 characters: a 1 ms sleep, then a look that
// takes one key. No sleep waits while keys are typed, and the next blocks as ever.
TEST(TerminalSleep, APasteIsTakenWithoutWaitingAndThenTheWaitBlocks) {
    FakeTerminalScope scope;
    const std::string paste(8000, '9');
    StartTyping({TypedAt(0, paste)});
    for (std::size_t taken = 0; taken < paste.size(); ++taken) {
        SleepOnTerminal(1);
        ASSERT_EQ(fake::QueuedKeys().substr(0, 1), "9") << "after " << taken << " keys";
        TheConsole().input.erase(TheConsole().input.begin(), TheConsole().input.begin() + 2);
    }
    EXPECT_EQ(Fake().now, milliseconds(0));
    EXPECT_EQ(Fake().waitTimeouts, std::vector<int>{});
    EXPECT_THROW(SleepOnTerminal(1), fake::BlockedForEver);
    EXPECT_EQ(Fake().waitTimeouts, (std::vector<int>{1, -1}));
}

TEST(TerminalSleep, WithNothingTypedItBlocksWithoutWakingUp) {
    struct Case {
        const char* name;
        std::vector<fake::KeyboardEvent> script;
        std::vector<int> timeouts; // of every wait, -1 for none
        int blocksAtMs;            // when it blocks for ever
    };
    const Case cases[] = {
        {"nothing at all", {}, {1, -1}, 1},
        {"a readiness that holds no byte",
         {{milliseconds(100), Happening::Spurious, ""}},
         {1, -1, -1},
         100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        StartTyping(c.script);
        // The fake throws where the real select would block for ever: the
        // sleep has no timer of its own to wake it.
        EXPECT_THROW(SleepOnTerminal(1), fake::BlockedForEver);
        EXPECT_EQ(Fake().waitTimeouts, c.timeouts);
        EXPECT_EQ(Fake().now, milliseconds(c.blocksAtMs));
    }
}

TEST(TerminalSleep, ALoneEscapeIsTheEscapeKeyAfterItsTimeout) {
    struct Case {
        const char* name;
        std::vector<fake::KeyboardEvent> script;
        int endsAtMs;     // when the sleep ends
        const char* keys; // the key-down characters queued
        DWORD altState;   // control-key state of the first key
    };
    const Case cases[] = {
        {"a lone ESC", {TypedAt(5, "\x1b")}, 55, "\x1b", 0},
        {"ESC and then a key soon: Alt with it",
         {TypedAt(5, "\x1b"), TypedAt(25, "x")},
         25,
         "x",
         LEFT_ALT_PRESSED},
        {"ESC and then a key too late: Escape, then the key",
         {TypedAt(5, "\x1b"), TypedAt(80, "x")},
         55,
         "\x1b",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        StartTyping(c.script);
        SleepOnTerminal(1);
        EXPECT_EQ(Fake().now, milliseconds(c.endsAtMs));
        EXPECT_EQ(fake::QueuedKeys(), c.keys);
        ASSERT_FALSE(TheConsole().input.empty());
        EXPECT_EQ(TheConsole().input.front().Event.KeyEvent.dwControlKeyState & LEFT_ALT_PRESSED,
                  c.altState);
        EXPECT_TRUE(NoZeroTimeout());
        // The sleep's own millisecond, a block until the ESC comes, then a
        // wait for its deadline, not for ever.
        EXPECT_EQ(Fake().waitTimeouts, (std::vector<int>{1, -1, 50}));
    }
}

TEST(TerminalSleep, TheErrorBoxTakesTheKeysTypedWhileItShowsAndWaitsWithoutWakingUp) {
    FakeTerminalScope scope;
    StartTyping({TypedAt(100, "x"), TypedAt(300, "\r7")});
    ShowTerminalMessageBox("Error", "The spacing must be a number.");
    EXPECT_EQ(Fake().now, milliseconds(300));
    EXPECT_EQ(fake::QueuedKeys(), "") << "x and Enter went to the box";
    EXPECT_EQ(Fake().waitTimeouts, (std::vector<int>{-1, -1}));
    PumpTerminalInput();
    EXPECT_EQ(fake::QueuedKeys(), "7") << "the key after the one that closed the box stays typed";
}

} // namespace
