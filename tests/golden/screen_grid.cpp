#include "tests/golden/screen_grid.h"
#include "tests/process/terminal_stream.h"

#include <cstdint>
#include <stdexcept>

namespace golden {

namespace {

// ---- SGR parameters ----

// The current colours while walking the capture.
struct Pen {
    int foreground = kDefaultColour; // colour for the next cells' text
    int background = kDefaultColour; // colour behind the next cells
    bool bold = false;               // SGR 1 until 22
    bool underline = false;          // SGR 4 until 24
    bool reverse = false;            // SGR 7 until 27
};

// Parameters of one CSI sequence: each entry holds a parameter and its
// colon-separated sub-parameters ("38:5:9" is one entry {38, 5, 9}).
using Parameters = std::vector<std::vector<int>>;

Parameters SplitParameters(const std::string& text) {
    Parameters params(1, std::vector<int>(1, 0));
    for (char c : text) {
        if (c == ';') {
            params.push_back(std::vector<int>(1, 0));
        } else if (c == ':') {
            params.back().push_back(0);
        } else if (c >= '0' && c <= '9') {
            params.back().back() = params.back().back() * 10 + (c - '0');
        }
    }
    return params;
}

// Reads an extended colour (38/48 forms) starting at params[index]; advances
// index past whatever it used. Handles "38;5;n", "38;2;r;g;b" and "38:5:n".
int ExtendedColour(const Parameters& params, size_t& index) {
    const std::vector<int>& head = params[index];
    std::vector<int> parts(head.begin() + 1, head.end());
    if (parts.empty()) {
        for (size_t next = index + 1; next < params.size(); ++next) {
            parts.push_back(params[next][0]);
        }
    }
    size_t used = 0;
    int colour = kDefaultColour;
    if (!parts.empty() && parts[0] == 5 && parts.size() >= 2) {
        colour = parts[1];
        used = 2;
    } else if (!parts.empty() && parts[0] == 2) {
        colour = kDirectColour;
        used = parts.size() >= 4 ? 4 : parts.size();
    }
    if (head.size() == 1) {
        index += used;
    }
    return colour;
}

void ApplySgr(const std::string& text, Pen& pen) {
    Parameters params = SplitParameters(text);
    for (size_t i = 0; i < params.size(); ++i) {
        int p = params[i][0];
        if (p == 0) {
            pen = Pen{};
        } else if (p == 1 || p == 22) {
            pen.bold = p == 1;
        } else if (p == 4 || p == 24) {
            pen.underline = p == 4;
        } else if (p == 7 || p == 27) {
            pen.reverse = p == 7;
        } else if (p >= 30 && p <= 37) {
            pen.foreground = p - 30;
        } else if (p >= 90 && p <= 97) {
            pen.foreground = p - 90 + 8;
        } else if (p == 39) {
            pen.foreground = kDefaultColour;
        } else if (p >= 40 && p <= 47) {
            pen.background = p - 40;
        } else if (p >= 100 && p <= 107) {
            pen.background = p - 100 + 8;
        } else if (p == 49) {
            pen.background = kDefaultColour;
        } else if (p == 38) {
            pen.foreground = ExtendedColour(params, i);
        } else if (p == 48) {
            pen.background = ExtendedColour(params, i);
        }
    }
}

// ---- escape sequences and UTF-8 ----

// Skips the escape sequence starting at capture[pos] (an ESC); applies it to the
// pen when it is SGR. Returns the position after it.
size_t ConsumeEscape(const std::string& capture, size_t pos, Pen& pen) {
    const size_t end = EscapeSequenceEnd(capture, pos);
    if (end <= capture.size() && pos + 1 < capture.size() && capture[pos + 1] == '[' &&
        capture[end - 1] == 'm') {
        ApplySgr(capture.substr(pos + 2, end - pos - 3), pen);
    }
    return end;
}

size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xf0) {
        return 4;
    }
    if (lead >= 0xe0) {
        return 3;
    }
    if (lead >= 0xc0) {
        return 2;
    }
    return 1;
}

uint32_t CodePoint(const std::string& utf8) {
    auto lead = static_cast<unsigned char>(utf8[0]);
    if (utf8.size() == 1) {
        return lead;
    }
    uint32_t value = lead & (0x3fu >> (utf8.size() - 1));
    for (size_t i = 1; i < utf8.size(); ++i) {
        value = (value << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3fu);
    }
    return value;
}

// Combining marks join the glyph before them instead of taking a cell.
bool IsCombining(uint32_t cp) {
    return (cp >= 0x300 && cp <= 0x36f) || (cp >= 0x1ab0 && cp <= 0x1aff) ||
           (cp >= 0x1dc0 && cp <= 0x1dff) || (cp >= 0x20d0 && cp <= 0x20ff) ||
           (cp >= 0xfe20 && cp <= 0xfe2f) || cp == 0x200d || cp == 0xfe0f;
}

} // namespace

// ---- the grid ----

Screen ParseCapture(const std::string& capture, int width, int height) {
    Screen screen;
    screen.width = width;
    screen.height = height;
    screen.rows.assign(static_cast<size_t>(height), std::vector<Cell>(static_cast<size_t>(width)));
    Pen pen;
    int row = 0;
    int column = 0;
    size_t pos = 0;
    while (pos < capture.size()) {
        char c = capture[pos];
        if (c == '\x1b') {
            pos = ConsumeEscape(capture, pos, pen);
            continue;
        }
        if (c == '\n') {
            ++row;
            column = 0;
            ++pos;
            continue;
        }
        size_t length = Utf8Length(static_cast<unsigned char>(c));
        std::string glyph = capture.substr(pos, length);
        pos += length;
        if (row >= height) {
            continue;
        }
        auto& cells = screen.rows[static_cast<size_t>(row)];
        if (IsCombining(CodePoint(glyph)) && column > 0) {
            cells[static_cast<size_t>(column - 1)].glyph += glyph;
            continue;
        }
        if (column < width) {
            cells[static_cast<size_t>(column)] = Cell{
                glyph, pen.foreground, pen.background, true, pen.bold, pen.underline, pen.reverse};
        }
        ++column;
    }
    return screen;
}

const Cell& CellAt(const Screen& screen, int row, int column) {
    if (row < 1 || row > screen.height || column < 1 || column > screen.width) {
        throw std::out_of_range("cell " + std::to_string(row) + "," + std::to_string(column) +
                                " is off the screen");
    }
    return screen.rows[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
}

std::string RowText(const Screen& screen, int row) {
    std::string text;
    for (int column = 1; column <= screen.width; ++column) {
        text += CellAt(screen, row, column).glyph;
    }
    return text;
}

std::string ScreenText(const Screen& screen) {
    std::string text;
    for (int row = 1; row <= screen.height; ++row) {
        std::string line = RowText(screen, row);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

int ConsoleToSgr(int consoleColour) {
    return (consoleColour & 0x8) | ((consoleColour & 0x1) << 2) | (consoleColour & 0x2) |
           ((consoleColour & 0x4) >> 2);
}

} // namespace golden
