#include "platform/message_box.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint16_t kBoxAttribute = 0x70;    // black on light grey
constexpr std::uint16_t kButtonAttribute = 0x1F; // bright white on blue: the button Enter presses
constexpr std::uint16_t kTitleAttribute = 0x1F;
constexpr int kPadding = 2; // blanks between the frame and the text
const std::string kButton = "[  OK  ]";

// Code page 437 double-line frame pieces.
constexpr unsigned char kTopLeft = 0xC9, kTopRight = 0xBB, kBottomLeft = 0xC8, kBottomRight = 0xBC,
                        kHorizontal = 0xCD, kVertical = 0xBA;

std::vector<std::string> WrapText(const std::string& text, int columns) {
    std::vector<std::string> lines;
    std::string rest = text;
    while (static_cast<int>(rest.size()) > columns) {
        std::size_t cut = rest.rfind(' ', static_cast<std::size_t>(columns));
        if (cut == std::string::npos || cut == 0) {
            cut = static_cast<std::size_t>(columns);
        }
        lines.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
        rest.erase(0, rest.find_first_not_of(' ') == std::string::npos
                          ? rest.size()
                          : rest.find_first_not_of(' '));
    }
    lines.push_back(rest);
    return lines;
}

void Put(Overlay& box, int x, int y, unsigned char character, std::uint16_t attribute) {
    if (x >= 0 && y >= 0 && x < box.width && y < box.height) {
        box.cells[CellIndex(box.width, x, y)] = {character, attribute};
    }
}

void PutText(Overlay& box, int x, int y, const std::string& text, std::uint16_t attribute) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        Put(box, x + static_cast<int>(i), y, static_cast<unsigned char>(text[i]), attribute);
    }
}

} // namespace

Overlay LayOutMessageBox(const std::string& title, const std::string& text, int width, int height) {
    const int widest = std::max(1, width - 2 - 2 * kPadding);
    const std::vector<std::string> lines = WrapText(text, widest);
    int inner = static_cast<int>(kButton.size());
    for (const std::string& line : lines) {
        inner = std::max(inner, static_cast<int>(line.size()));
    }
    inner = std::max(inner, static_cast<int>(title.size()) + 2);
    Overlay box;
    box.width = std::min(inner + 2 * kPadding + 2, std::max(width, 1));
    box.height = static_cast<int>(lines.size()) + 6;
    box.left = std::max(0, (width - box.width) / 2);
    box.top = std::max(0, (height - box.height) / 2);
    box.cells.assign(CellCount(box.width, box.height), ScreenCell{' ', kBoxAttribute});

    const int right = box.width - 1;
    const int bottom = box.height - 1;
    for (int x = 1; x < right; ++x) {
        Put(box, x, 0, kHorizontal, kBoxAttribute);
        Put(box, x, bottom, kHorizontal, kBoxAttribute);
    }
    for (int y = 1; y < bottom; ++y) {
        Put(box, 0, y, kVertical, kBoxAttribute);
        Put(box, right, y, kVertical, kBoxAttribute);
    }
    Put(box, 0, 0, kTopLeft, kBoxAttribute);
    Put(box, right, 0, kTopRight, kBoxAttribute);
    Put(box, 0, bottom, kBottomLeft, kBoxAttribute);
    Put(box, right, bottom, kBottomRight, kBoxAttribute);

    PutText(box, (box.width - static_cast<int>(title.size()) - 2) / 2, 0, " " + title + " ",
            kTitleAttribute);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        PutText(box, 1 + kPadding, 2 + static_cast<int>(i), lines[i], kBoxAttribute);
    }
    PutText(box, (box.width - static_cast<int>(kButton.size())) / 2, bottom - 2, kButton,
            kButtonAttribute);
    return box;
}
