#include "tests/e2e/wrapped_run.h"

#include "tests/e2e/host_process.h"

#include <cstdlib>
#include <sstream>

namespace e2e {

namespace {

std::string InRun(const WrappedRun& run, const std::string& name) {
    return run.directory + "/" + name;
}

} // namespace

WrappedRun PrepareWrappedRun(const std::string& programCommand) {
    WrappedRun run{MakeTemporaryDirectory()};
    // The status file appears last, by rename, so a test that sees it can read
    // everything else. The interrupt and quit keys signal the script too, as it
    // shares the program's process group: it waits for the program and records.
    std::string script = "trap : INT QUIT\n"
                         "cd " +
                         ShellQuote(run.directory) +
                         "\n"
                         "while [ ! -e go ]; do sleep 0.01; done\n"
                         "stty -a > stty-before.txt; stty -g > stty-before.g\n" +
                         programCommand +
                         "\n"
                         "status=$?\n"
                         "stty -a > stty-after.txt; stty -g > stty-after.g\n"
                         "echo $status > status.tmp && mv status.tmp status\n"
                         "exec sleep 3600\n";
    WriteWholeFile(InRun(run, "run.sh"), script);
    return run;
}

std::string WrappedRunCommand(const WrappedRun& run) {
    return "sh " + ShellQuote(InRun(run, "run.sh"));
}

std::string PaneOutputPath(const WrappedRun& run) {
    return InRun(run, "pane-output");
}

void ReleaseWrappedRun(const WrappedRun& run) {
    WriteWholeFile(InRun(run, "go"), "");
}

bool WrappedRunFinished(const WrappedRun& run) {
    return FileExists(InRun(run, "status"));
}

int WrappedRunStatus(const WrappedRun& run) {
    if (!WrappedRunFinished(run)) {
        return -1;
    }
    return std::stoi(ReadWholeFile(InRun(run, "status")));
}

std::string SttyBefore(const WrappedRun& run) {
    return ReadWholeFile(InRun(run, "stty-before.txt"));
}
std::string SttyAfter(const WrappedRun& run) {
    return ReadWholeFile(InRun(run, "stty-after.txt"));
}
std::string SttySettingsBefore(const WrappedRun& run) {
    return ReadWholeFile(InRun(run, "stty-before.g"));
}
std::string SttySettingsAfter(const WrappedRun& run) {
    return ReadWholeFile(InRun(run, "stty-after.g"));
}

bool SttyHasMode(const std::string& sttyText, const std::string& mode) {
    std::istringstream words(sttyText);
    std::string word;
    while (words >> word) {
        if (word == mode) {
            return true;
        }
    }
    return false;
}

std::string ProgramCommand(const std::string& path) {
    const char* given = std::getenv("ORVANE_E2E_COMMAND");
    if (given != nullptr && *given != '\0') {
        return given;
    }
    std::string command;
    for (const std::string& word : ProgramArguments(path))
        command += (command.empty() ? "" : " ") + ShellQuote(word);
    return command;
}

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

void RemoveWrappedRun(WrappedRun& run) {
    RemoveDirectoryTree(run.directory);
    run.directory.clear();
}

} // namespace e2e
