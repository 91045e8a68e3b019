// A fake terminal and clock behind the terminal session's table of system
// calls: the keyboard follows a script of timed events, the screen records
// what is written and can be made slow, full or gone, and time moves only when
// a wait would block. Nothing waits for real and nothing ends the process.
//
// The keyboard tells what happens only through select's readable set and read,
// as a terminal does on macOS, where poll answers POLLNVAL whatever was typed:
// the table has no poll and the fake takes no exceptional set, so only a
// read's end of file or error can end the session.
#pragma once

#include "platform/posix/terminal_system.h"

#include <chrono>
#include <csignal>
#include <cstddef>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fake {

using std::chrono::milliseconds;

constexpr int kKeyboardFd = 10; // what opening /dev/tty gives
constexpr int kScreenFd = 1;    // standard output, a terminal here
constexpr int kPipeReadFd = 20; // the signal pipe
constexpr int kPipeWriteFd = 21;

// What happens at the keyboard, and when.
enum class Happening {
    Typed,     // bytes arrive
    HangUp,    // the line hangs up: select reports it readable, reads fail with EIO
    Spurious,  // select reports it readable, and the next read finds nothing (EAGAIN)
    ReadError, // a read fails with `error`
    EndOfFile, // a read gives 0
};

struct KeyboardEvent {
    milliseconds at;   // time since the fake terminal was installed
    Happening what;    // what happens
    std::string bytes; // the bytes typed, for Typed
    int error = 0;     // errno, for ReadError
};

struct FakeTerminal {
    std::chrono::microseconds now{0};  // the fake clock, from installation
    std::vector<KeyboardEvent> script; // in time order
    std::size_t happened = 0;          // events of the script that have happened
    std::string typed;                 // bytes arrived, not yet read
    bool hungUp = false;               // a HangUp has happened
    int readError = 0;                 // a ReadError has happened
    bool endOfFile = false;            // an EndOfFile has happened
    bool spurious = false;             // a Spurious has happened, not yet read
    int interruptedReads = 0;          // the next reads of the keyboard fail with EINTR

    std::string screen;                // every byte the screen took
    std::string errorOutput;           // everything written to standard error
    std::size_t writeChunk = SIZE_MAX; // the most bytes one write takes
    int interruptedWrites = 0;         // the next writes fail with EINTR
    int fullWrites = 0;                // the next writes fail with EAGAIN
    std::size_t writeLimit = SIZE_MAX; // after so many bytes writes fail with EIO
    int screenCopyFd = -1;             // a real descriptor that gets the screen's bytes too
    int waitsForRoom = 0;              // selects for writing on the screen
    std::vector<int> waitTimeouts;     // the timeout of every other select, in order (-1: none)

    termios modes{};                               // the modes the device holds
    int openError = 0;                             // opening /dev/tty fails with this
    int openedFd = kKeyboardFd;                    // what opening /dev/tty gives
    int getModesError = 0;                         // tcgetattr fails with this
    int interruptedGetModes = 0;                   // the next tcgetattr calls fail with EINTR
    int setModesError = 0;                         // tcsetattr fails with this
    int interruptedSetModes = 0;                   // the next tcsetattr calls fail with EINTR
    int pipeError = 0;                             // making the pipe fails with this
    int pipeEnds[2] = {kPipeReadFd, kPipeWriteFd}; // what making the pipe gives
    int actionErrorSignal = 0;                     // sigaction for this signal fails
    bool foreground = true;                        // the tool's process group owns the terminal
    int wakeUps = 0;                               // bytes waiting in the signal pipe
    int width = 80;                                // terminal columns
    int height = 25;                               // terminal rows

    std::set<int> openFds;                   // opened or made, not yet closed
    std::map<int, struct sigaction> actions; // every action set, by signal
};

// The signals whose action is not the default now.
std::set<int> CaughtSignals();

// The fake in use.
FakeTerminal& Fake();

// The modes a fresh fake terminal holds: line editing, echo and key signals on.
termios CookedModes();

// A fresh fake, put behind the session's table.
void InstallFakeTerminal();

// Detaches any session still attached and puts the real calls back.
void RemoveFakeTerminal();

// The fake installed for the life of a test's scope, however the test ends.
struct FakeTerminalScope {
    FakeTerminalScope() { InstallFakeTerminal(); }
    ~FakeTerminalScope() { RemoveFakeTerminal(); }
    FakeTerminalScope(const FakeTerminalScope&) = delete;
    FakeTerminalScope& operator=(const FakeTerminalScope&) = delete;
};

// Moves the fake clock on, letting what the script holds for that span happen.
void Advance(milliseconds span);

// What the fake exit throws instead of ending the process.
struct Exited {
    int status; // the exit status asked for
};

// The exit status `run` asked the fake exit for, or -1 when it returned.
template <typename Run> int ExitStatusOf(Run run) {
    try {
        run();
    } catch (const Exited& exited) {
        return exited.status;
    }
    return -1;
}

// The key-down characters in the console's input queue, in order; each must
// be followed by its key-up.
std::string QueuedKeys();

// Attaches the console to the fake terminal; false when that is refused.
bool StartOnFake();

// Attaches to the fake terminal in raw mode, the script given (a failure when refused).
void StartTyping(std::vector<KeyboardEvent> script);

// Thrown by a select that would block for ever: nothing in the script is left
// to wake it, so the real program would hang there.
struct BlockedForEver : std::runtime_error {
    BlockedForEver() : std::runtime_error("select would block for ever") {}
};

} // namespace fake
