#include "tests/e2e/host_process.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace e2e {

std::vector<std::string> ProgramArguments(const std::string& path) {
    std::vector<std::string> words;
    std::istringstream launcher(ORVANE_PROGRAM_LAUNCHER);
    for (std::string word; launcher >> word;)
        words.push_back(word);
    words.push_back(path);
    return words;
}

DetachedResult RunWithoutTerminal(const std::string& path, std::chrono::milliseconds limit,
                                  const std::vector<std::string>& arguments) {
    std::vector<std::string> words = ProgramArguments(path);
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunDetached(words, limit);
}

// ---- time and files ----

void SleepMilliseconds(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

void WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string MakeTemporaryDirectory() {
    std::string pattern = "/tmp/orvane-e2e-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error(std::string("mkdtemp failed: ") + std::strerror(errno));
    }
    return pattern;
}

void RemoveDirectoryTree(const std::string& path) {
    if (path.rfind("/tmp/orvane-e2e-", 0) != 0) {
        return; // only what MakeTemporaryDirectory made
    }
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

} // namespace e2e
