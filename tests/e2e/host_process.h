// What the end-to-end tests need of this machine besides the programs they start: how a built
// program is started, waiting, and scratch files.
#pragma once

#include "tests/process/child_process.h"

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

// Runs the built program at `path` (through the emulator of a cross build) with `arguments`
// and no controlling terminal, as RunDetached does.
DetachedResult RunWithoutTerminal(const std::string& path, std::chrono::milliseconds limit,
                                  const std::vector<std::string>& arguments = {});

// The words that start a built program: the emulator's, where the build is for another
// processor, then the program's path.
std::vector<std::string> ProgramArguments(const std::string& path);

// Polls `condition` every 20 ms until it holds or `limit` has passed; true if it held.
template <typename Condition> bool WaitUntil(Condition condition, std::chrono::milliseconds limit);

void SleepMilliseconds(int ms);

// Whole contents of a file, or "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& text);

// A fresh private directory under /tmp, e.g. "/tmp/orvane-e2e-Ab12Cd".
std::string MakeTemporaryDirectory();
// Removes a directory made by MakeTemporaryDirectory and everything in it.
void RemoveDirectoryTree(const std::string& path);

template <typename Condition> bool WaitUntil(Condition condition, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        SleepMilliseconds(20);
    }
}

} // namespace e2e
