// The tool waiting for a key costs next to nothing: started on a pseudo-terminal
// of its own and left 2 s at its first question, 2 s with the error box up and
// 2 s at "press any key", it must not spend more than a tenth of that time on a
// CPU. A wait that spins uses all of it, on any machine however loaded; a wait
// that blocks uses almost none, so the margin needs no tuning.
#include "bench/pty_child.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kSpellSeconds = 2;
constexpr double kMostCpuShare = 0.10;

// CPU share of one core the child used over one spell of waiting; all of it
// when it could not be measured.
double WaitingShare(const PtyChild& child) {
    const Spell spell = MeasureSpell(child, kSpellSeconds);
    return spell.ok ? spell.cpuShare : 1;
}

TEST(IdleWait, EveryWaitForAKeyBlocksInsteadOfSpinning) {
    PtyChild child = SpawnOnPty(ORVANE_EXECUTABLE, PtyEnvironment(), 80, 25);
    ASSERT_GE(child.pid, 0);

    ASSERT_TRUE(TypeAndAwait(child, "", "Maximum front-back spacing"));
    EXPECT_LE(WaitingShare(child), kMostCpuShare) << "at the first question";

    ASSERT_TRUE(TypeAndAwait(child, "5\r4\rmaybe\r", "ERROR"));
    EXPECT_LE(WaitingShare(child), kMostCpuShare) << "with the error box up";

    ASSERT_TRUE(TypeAndAwait(child, "\rn\r4\r0.5\r120\r", "press any key to quit"));
    EXPECT_LE(WaitingShare(child), kMostCpuShare) << "at press any key";

    ASSERT_EQ(write(child.master, "x", 1), 1);
    std::string stream;
    int status = -1;
    const Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
    while (waitpid(child.pid, &status, WNOHANG) == 0 && Clock::now() < limit) {
        ReadSome(child.master, stream, 100);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    close(child.master);
}

} // namespace
