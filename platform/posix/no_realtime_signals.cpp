// No real-time signals here (macOS, OpenBSD).
#include "platform/posix/terminal_signals.h"

SignalRange RealTimeSignals() {
    return {1, 0};
}
