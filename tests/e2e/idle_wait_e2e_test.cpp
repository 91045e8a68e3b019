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

// Types bytes, then takes output until `text` has arrived in full (blanks and
// escape sequences aside) or 10 s have passed.
bool TypeAndAwait(const PtyChild& child, std::string& stream, const std::string& keys,
                  const std::string& text) {
    if (!keys.empty() &&
        write(child.master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
        return false;
    }
    const Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
    const std::size_t from = stream.size();
    while (Clock::now() < limit) {
        if (ArrivalOffset(stream.substr(from), text) != std::string::npos) {
            return true;
        }
        ReadSome(child.master, stream, 100);
    }
    return false;
}

// CPU share of one core the child used over one spell of waiting.
double WaitingShare(const PtyChild& child, std::string& stream) {
    const ProcessFigures before = ReadProcessFigures(child.pid);
    const Clock::time_point start = Clock::now();
    DrainUntil(child.master, &stream,
               start + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(kSpellSeconds)));
    const ProcessFigures after = ReadProcessFigures(child.pid);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    if (!before.ok || !after.ok || wall <= 0) {
        return 1;
    }
    return (after.cpuSeconds - before.cpuSeconds) / wall;
}

TEST(IdleWait, EveryWaitForAKeyBlocksInsteadOfSpinning) {
    PtyChild child = SpawnOnPty(ORVANE_EXECUTABLE, PtyEnvironment(), 80, 25);
    ASSERT_GE(child.pid, 0);
    std::string stream;

    ASSERT_TRUE(TypeAndAwait(child, stream, "", "Maximum front-back spacing"));
    EXPECT_LE(WaitingShare(child, stream), kMostCpuShare) << "at the first question";

    ASSERT_TRUE(TypeAndAwait(child, stream, "5\r4\rmaybe\r", "ERROR"));
    EXPECT_LE(WaitingShare(child, stream), kMostCpuShare) << "with the error box up";

    ASSERT_TRUE(TypeAndAwait(child, stream, "\rn\r4\r0.5\r120\r", "press any key to quit"));
    EXPECT_LE(WaitingShare(child, stream), kMostCpuShare) << "at press any key";

    ASSERT_EQ(write(child.master, "x", 1), 1);
    int status = -1;
    const Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
    while (waitpid(child.pid, &status, WNOHANG) == 0 && Clock::now() < limit) {
        ReadSome(child.master, stream, 100);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    close(child.master);
}

} // namespace
