// The tool waiting for a key costs next to nothing: started on a pseudo-terminal
// of its own and left 2 s at its first question, 2 s with the error box up and
// 2 s at "press any key", it must not spend more than a tenth of that time on a
// CPU. A wait that spins uses all of it, on any machine however loaded; a wait
// that blocks uses almost none, so the margin needs no tuning.
#include "tests/process/process_figures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kSpellSeconds = 2;
constexpr double kMostCpuShare = 0.10;

// One spell of waiting, and the share of one core the child used over it (all of it when
// it could not be measured). Where a running process cannot be read (no Linux /proc) the
// spell is only waited out, and the share over the whole run, taken at its end, stands for
// all three.
void ExpectSpellBlocks(const PtyChild& child, const char* where) {
    if (!RunningProcessFiguresKnown()) {
        DrainUntil(child.master, nullptr, After(kSpellSeconds));
        return;
    }
    const Spell spell = MeasureSpell(child, kSpellSeconds);
    EXPECT_LE(spell.ok ? spell.cpuShare : 1, kMostCpuShare) << where;
}

TEST(IdleWait, EveryWaitForAKeyBlocksInsteadOfSpinning) {
    PtyChild child = SpawnOnPty(ORVANE_EXECUTABLE, PtyEnvironment(), 80, 25);
    ASSERT_GE(child.pid, 0);

    ASSERT_TRUE(TypeAndAwait(child, "", "Maximum front-back spacing"));
    ExpectSpellBlocks(child, "at the first question");

    ASSERT_TRUE(TypeAndAwait(child, "5\r4\rmaybe\r", "ERROR"));
    ExpectSpellBlocks(child, "with the error box up");

    ASSERT_TRUE(TypeAndAwait(child, "\rn\r4\r0.5\r120\r", "press any key to quit"));
    ExpectSpellBlocks(child, "at press any key");

    ASSERT_EQ(write(child.master, "x", 1), 1);
    std::string stream;
    int status = -1;
    rusage usage{};
    const Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
    while (wait4(child.pid, &status, WNOHANG, &usage) == 0 && Clock::now() < limit) {
        ReadSome(child.master, stream, 100);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_LE(LifeCpuShare(child, usage), kMostCpuShare) << "over the whole run";
    close(child.master);
}

} // namespace
