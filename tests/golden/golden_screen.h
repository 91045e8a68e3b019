// The screen a whole run ends on, kept in a file under tests/golden/ so that
// the run on the emulated console and the runs in real terminals compare with
// the same cells. A file holds three blocks of 25 rows: the text between bars,
// then one hex digit a cell for the console colour of its text, then one for
// the colour behind it.
#pragma once

#include <string>
#include <vector>

namespace golden {

constexpr int kWidth = 80;  // the tool's screen buffer
constexpr int kHeight = 25; // ditto

struct GoldenScreen {
    std::vector<std::string> text;       // text[row - 1]: 80 characters
    std::vector<std::string> foreground; // foreground[row - 1]: 80 hex digits, console colours
    std::vector<std::string> background; // the same for the colour behind each cell
};

// The console colour of the cell at row, column (from 1) from one of the blocks.
int ColourAt(const std::vector<std::string>& block, int row, int column);

// Reads tests/golden/<name>.screen; throws std::runtime_error, naming the file
// and the line, when it is missing or not in the shape above.
GoldenScreen ReadGoldenScreen(const std::string& name);

// Writes tests/golden/<name>.screen in the shape ReadGoldenScreen reads.
void WriteGoldenScreen(const std::string& name, const GoldenScreen& screen);

// The path of a file kept beside the golden screens, e.g. "plan.svg".
std::string GoldenFilePath(const std::string& file);

// True when the environment asks for the files to be rewritten from the runs
// (ORVANE_UPDATE_GOLDEN set and not empty) instead of compared with.
bool UpdatingGoldenScreens();

} // namespace golden
