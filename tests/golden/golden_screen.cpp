#include "tests/golden/golden_screen.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace golden {

std::string GoldenFilePath(const std::string& file) {
    return std::string(ORVANE_GOLDEN_DIR) + "/" + file;
}

namespace {

const char* const kBlockNames[] = {"text", "foreground", "background"};

std::string PathOf(const std::string& name) {
    return GoldenFilePath(name + ".screen");
}

bool IsHexRow(const std::string& row) {
    return row.size() == static_cast<size_t>(kWidth) &&
           row.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// The 25 rows of one block, after its name line.
std::vector<std::string> ReadBlock(std::istream& in, const std::string& path, const char* name,
                                   int& lineNumber) {
    auto fail = [&](const std::string& why) {
        throw std::runtime_error(path + ":" + std::to_string(lineNumber) + ": " + why);
    };
    std::string line;
    ++lineNumber;
    if (!std::getline(in, line) || line != name) {
        fail(std::string("expected the line \"") + name + "\"");
    }
    std::vector<std::string> rows;
    const bool text = std::string(name) == "text";
    for (int row = 1; row <= kHeight; ++row) {
        ++lineNumber;
        if (!std::getline(in, line)) {
            fail("the file ends inside the block");
        }
        if (text) {
            if (line.size() != static_cast<size_t>(kWidth) + 2 || line.front() != '|' ||
                line.back() != '|') {
                fail("expected 80 characters between two bars");
            }
            line = line.substr(1, static_cast<size_t>(kWidth));
        } else if (!IsHexRow(line)) {
            fail("expected 80 hex digits");
        }
        rows.push_back(line);
    }
    return rows;
}

} // namespace

int ColourAt(const std::vector<std::string>& block, int row, int column) {
    const char digit = block.at(static_cast<size_t>(row - 1)).at(static_cast<size_t>(column - 1));
    return digit <= '9' ? digit - '0' : digit - 'a' + 10;
}

GoldenScreen ReadGoldenScreen(const std::string& name) {
    const std::string path = PathOf(name);
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error(path + ": cannot be read (ORVANE_UPDATE_GOLDEN=1 makes it)");
    }
    int lineNumber = 0;
    GoldenScreen screen;
    screen.text = ReadBlock(in, path, kBlockNames[0], lineNumber);
    screen.foreground = ReadBlock(in, path, kBlockNames[1], lineNumber);
    screen.background = ReadBlock(in, path, kBlockNames[2], lineNumber);
    return screen;
}

void WriteGoldenScreen(const std::string& name, const GoldenScreen& screen) {
    std::ostringstream out;
    const std::vector<std::string>* blocks[] = {&screen.text, &screen.foreground,
                                                &screen.background};
    for (int b = 0; b < 3; ++b) {
        out << kBlockNames[b] << '\n';
        for (const std::string& row : *blocks[b]) {
            out << (b == 0 ? "|" + row + "|" : row) << '\n';
        }
    }
    const std::string path = PathOf(name);
    std::ofstream file(path, std::ios::trunc);
    file << out.str();
    if (!file.flush()) {
        throw std::runtime_error(path + ": cannot be written");
    }
}

bool UpdatingGoldenScreens() {
    const char* update = std::getenv("ORVANE_UPDATE_GOLDEN");
    return update != nullptr && *update != '\0';
}

} // namespace golden
