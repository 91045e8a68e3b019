#include "platform/posix/sleep_timer.h"

#include <algorithm>

int SleepWaitMs(std::chrono::steady_clock::duration elapsed, int askedMs, bool queueHoldsRecord,
                int keyDecidesInMs) {
    const auto asked = std::chrono::milliseconds(std::max(askedMs, 0));
    if (elapsed >= asked) {
        return queueHoldsRecord ? 0 : keyDecidesInMs;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(asked - elapsed).count();
    const int leftMs = static_cast<int>(std::max<long long>(left, 1));
    return keyDecidesInMs < 0 ? leftMs : std::min(leftMs, keyDecidesInMs);
}
