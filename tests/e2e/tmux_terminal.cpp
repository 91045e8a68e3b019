#include "tests/e2e/tmux_terminal.h"

#include "tests/e2e/host_process.h"

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace e2e {

namespace {

constexpr const char* kSession = "main";

std::string UniqueServerName(const char* role) {
    static std::atomic<int> counter{0};
    return "orvane-e2e-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" + role;
}

ProgramResult Tmux(const std::string& server, std::vector<std::string> args) {
    std::vector<std::string> argv = {"tmux", "-L", server, "-f", "/dev/null"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
}

std::string TmuxOrThrow(const std::string& server, const std::vector<std::string>& args) {
    ProgramResult result = Tmux(server, args);
    if (result.exitCode != 0) {
        std::string line;
        for (const std::string& arg : args) {
            line += " " + arg;
        }
        std::string why = result.exitCode == 127 ? " (is tmux installed?)" : "";
        throw std::runtime_error("tmux -L " + server + line + " failed with status " +
                                 std::to_string(result.exitCode) + why);
    }
    return result.standardOut;
}

std::string WithoutNewline(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

// A server with one detached session of the given size running `command`.
std::string StartServer(const std::string& server, const std::string& command, int width,
                        int height) {
    TmuxOrThrow(server, {"start-server",
                         ";",
                         "set-option",
                         "-g",
                         "status",
                         "off",
                         ";",
                         "set-option",
                         "-g",
                         "remain-on-exit",
                         "on",
                         ";",
                         "new-session",
                         "-d",
                         "-s",
                         kSession,
                         "-x",
                         std::to_string(width),
                         "-y",
                         std::to_string(height),
                         "-e",
                         "LC_ALL=C.UTF-8",
                         command});
    return WithoutNewline(
        TmuxOrThrow(server, {"display-message", "-p", "-t", kSession, "#{socket_path}"}));
}

std::string Target() {
    return std::string(kSession) + ":0.0";
}

// The mirror has caught up when every cell the first capture lists shows the
// same glyph and colours in the mirror.
bool MirrorAgrees(const Screen& screen, const Screen& mirror) {
    for (int row = 1; row <= screen.height; ++row) {
        for (int column = 1; column <= screen.width; ++column) {
            const Cell& cell = CellAt(screen, row, column);
            const Cell& shown = CellAt(mirror, row, column);
            if (cell.listed && (cell.glyph != shown.glyph || cell.foreground != shown.foreground ||
                                cell.background != shown.background)) {
                return false;
            }
        }
    }
    return true;
}

void FillUnlistedCells(Screen& screen, const Screen& mirror) {
    for (int row = 0; row < screen.height; ++row) {
        for (int column = 0; column < screen.width; ++column) {
            Cell& cell = screen.rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
            if (!cell.listed) {
                cell = mirror.rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
                cell.listed = false;
            }
        }
    }
}

// Cursor position, visibility and title, read together.
void ReadCursorAndTitle(const TmuxTerminal& terminal, Screen& screen) {
    std::string info = PaneFormat(terminal, "#{cursor_x} #{cursor_y} #{cursor_flag} #{pane_title}");
    int x = 0;
    int y = 0;
    int flag = 1;
    int consumed = 0;
    if (std::sscanf(info.c_str(), "%d %d %d %n", &x, &y, &flag, &consumed) < 3) {
        throw std::runtime_error("unexpected cursor report: " + info);
    }
    screen.cursorColumn = x + 1;
    screen.cursorRow = y + 1;
    screen.cursorVisible = flag != 0;
    screen.title = info.substr(static_cast<size_t>(consumed));
}

} // namespace

// ---- servers ----

TmuxTerminal StartTerminal(const TerminalOptions& options) {
    TmuxTerminal terminal;
    terminal.width = options.width;
    terminal.height = options.height;
    terminal.server = UniqueServerName("run");
    terminal.serverSocket =
        StartServer(terminal.server, options.command, options.width, options.height);
    terminal.mirrorServer = UniqueServerName("mirror");
    std::string client = "exec env -u TMUX tmux -u -L " + terminal.server +
                         " attach-session -f read-only,ignore-size -t " + kSession;
    terminal.mirrorSocket =
        StartServer(terminal.mirrorServer, client, options.width, options.height);
    bool attached =
        WaitUntil([&] { return !Tmux(terminal.server, {"list-clients"}).standardOut.empty(); },
                  std::chrono::seconds(5));
    if (!attached) {
        StopTerminal(terminal);
        throw std::runtime_error("the mirror client did not attach");
    }
    return terminal;
}

void StopTerminal(TmuxTerminal& terminal) {
    for (std::string* server : {&terminal.mirrorServer, &terminal.server}) {
        if (!server->empty()) {
            Tmux(*server, {"kill-server"});
            server->clear();
        }
    }
    for (std::string* socket : {&terminal.mirrorSocket, &terminal.serverSocket}) {
        if (!socket->empty()) {
            unlink(socket->c_str());
            socket->clear();
        }
    }
}

// ---- keys ----

void SendText(const TmuxTerminal& terminal, const std::string& text) {
    TmuxOrThrow(terminal.server, {"send-keys", "-t", Target(), "-l", "--", text});
}

void SendKeys(const TmuxTerminal& terminal, const std::vector<std::string>& keyNames) {
    std::vector<std::string> args = {"send-keys", "-t", Target()};
    args.insert(args.end(), keyNames.begin(), keyNames.end());
    TmuxOrThrow(terminal.server, args);
}

// ---- reading the pane ----

Screen CaptureScreen(const TmuxTerminal& terminal) {
    Screen screen;
    bool agreed = WaitUntil(
        [&] {
            screen = ParseCapture(
                TmuxOrThrow(terminal.server, {"capture-pane", "-p", "-e", "-N", "-t", Target()}),
                terminal.width, terminal.height);
            ReadCursorAndTitle(terminal, screen);
            Screen mirror =
                ParseCapture(TmuxOrThrow(terminal.mirrorServer,
                                         {"capture-pane", "-p", "-e", "-N", "-t", Target()}),
                             terminal.width, terminal.height);
            if (!MirrorAgrees(screen, mirror)) {
                return false;
            }
            FillUnlistedCells(screen, mirror);
            return true;
        },
        std::chrono::seconds(3));
    if (!agreed) {
        throw std::runtime_error("the mirror pane never caught up with the screen:\n" +
                                 ScreenText(screen));
    }
    return screen;
}

std::string CaptureText(const TmuxTerminal& terminal) {
    return TmuxOrThrow(terminal.server, {"capture-pane", "-p", "-t", Target()});
}

std::string CaptureTextWithHistory(const TmuxTerminal& terminal) {
    return TmuxOrThrow(terminal.server, {"capture-pane", "-p", "-S", "-", "-t", Target()});
}

bool WaitForText(const TmuxTerminal& terminal, const std::string& text,
                 std::chrono::milliseconds limit) {
    return WaitUntil([&] { return CaptureText(terminal).find(text) != std::string::npos; }, limit);
}

bool WaitForRowText(const TmuxTerminal& terminal, int row, const std::string& text,
                    std::chrono::milliseconds limit) {
    return WaitUntil(
        [&] {
            std::string capture = CaptureText(terminal);
            size_t start = 0;
            for (int line = 1; line < row && start != std::string::npos; ++line) {
                start = capture.find('\n', start);
                start = start == std::string::npos ? start : start + 1;
            }
            if (start == std::string::npos) {
                return false;
            }
            std::string line = capture.substr(start, capture.find('\n', start) - start);
            return line.find(text) != std::string::npos;
        },
        limit);
}

std::string PaneFormat(const TmuxTerminal& terminal, const std::string& format) {
    return WithoutNewline(
        TmuxOrThrow(terminal.server, {"display-message", "-p", "-t", Target(), format}));
}

bool PaneCommandExited(const TmuxTerminal& terminal) {
    return PaneFormat(terminal, "#{pane_dead}") == "1";
}

void RecordPaneOutput(const TmuxTerminal& terminal, const std::string& path) {
    TmuxOrThrow(terminal.server, {"pipe-pane", "-o", "-t", Target(), "cat >> '" + path + "'"});
}

} // namespace e2e
