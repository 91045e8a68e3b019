// The real-time signals where the system has them (Linux, FreeBSD, NetBSD).
#include "platform/posix/terminal_signals.h"

#include <csignal>

SignalRange RealTimeSignals() {
    return {SIGRTMIN, SIGRTMAX};
}
