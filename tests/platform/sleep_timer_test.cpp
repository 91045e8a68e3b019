// The emulated timer behind Sleep: never shorter than asked, and once its time
// is up, over as soon as a key is queued, with no periodic wake-up while none is.
#include "platform/posix/sleep_timer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

struct SleepCase {
    const char* what;
    std::chrono::steady_clock::duration elapsed;
    int askedMs;
    bool queueHoldsRecord;
    int keyDecidesInMs;
    int expectedWaitMs;
};

TEST(SleepTimer, WaitsItsTimeThenForAKey) {
    const SleepCase cases[] = {
        {"a 1 ms sleep just begun waits its millisecond", microseconds(0), 1, false, -1, 1},
        {"a part of a millisecond left rounds up, never to 0", microseconds(300), 1, false, -1, 1},
        {"a long pause waits all of it", microseconds(0), 2000, false, -1, 2000},
        {"keys typed during a pause do not shorten it", milliseconds(500), 2000, true, -1, 1500},
        {"time up with a key queued: over", microseconds(1000), 1, true, -1, 0},
        {"time up long ago with a key queued: over", milliseconds(90000), 1, true, -1, 0},
        {"time up, nothing typed: wait for input without a timeout", microseconds(1000), 1, false,
         -1, -1},
        {"time up, a lone ESC 30 ms from its timeout: wake for it", milliseconds(5), 1, false, 30,
         30},
        {"a lone ESC due before the pause ends: wake for it", microseconds(0), 2000, false, 20, 20},
        {"a lone ESC due after the pause ends: the pause first", microseconds(0), 10, false, 40,
         10},
        {"a zero sleep with a key queued: over at once", microseconds(0), 0, true, -1, 0},
        {"a zero sleep with nothing typed: wait for input", microseconds(0), 0, false, -1, -1},
        {"a negative length counts as zero", microseconds(0), -5, true, -1, 0},
    };
    for (const SleepCase& c : cases) {
        EXPECT_EQ(SleepWaitMs(c.elapsed, c.askedMs, c.queueHoldsRecord, c.keyDecidesInMs),
                  c.expectedWaitMs)
            << c.what;
    }
}

} // namespace
