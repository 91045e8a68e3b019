// The console's 16 colours by number (bit 0 blue, bit 1 green, bit 2 red, bit 3
// intensity); a cell's attribute is background * 16 + foreground.
#pragma once

namespace palette {

constexpr int kBlack = 0;
constexpr int kBlue = 1;
constexpr int kGreen = 2;
constexpr int kCyan = 3;
constexpr int kRed = 4;
constexpr int kMagenta = 5;
constexpr int kBrown = 6;
constexpr int kLightGrey = 7;
constexpr int kDarkGrey = 8;
constexpr int kBrightBlue = 9;
constexpr int kBrightGreen = 10;
constexpr int kBrightCyan = 11;
constexpr int kBrightRed = 12;
constexpr int kBrightMagenta = 13;
constexpr int kYellow = 14;
constexpr int kBrightWhite = 15;

// The attribute of a cell in these colours: Attribute(kBrightRed, kBrightWhite) is 0xFC.
constexpr int Attribute(int foreground, int background) {
    return background * 16 + foreground;
}

} // namespace palette
