// Every text and colour the program puts on the screen, in one place: the
// program, its tests and its benchmarks read them from here.
#pragma once

#include "console/palette.h"

#include <array>
#include <string_view>

namespace screen {

// --- colours: every cell is on bright white ---
constexpr int kBackground = palette::kBrightWhite;
constexpr int kAnswerColour = palette::kBlack;       // banner, typed answers, values
constexpr int kPromptColour = palette::kDarkGrey;    // questions, labels, closing line
constexpr int kExceededColour = palette::kBrightRed; // a value above its maximum

// The screen buffer's width once the window is set up (80 x 25).
constexpr int kScreenWidth = 80;

// Answers and values start here on their row; the longest prompt and label end at 70.
constexpr int kAnswerColumn = 73;

// --- window and banner ---
constexpr std::string_view kWindowTitle = "Orvane 6.0 Layout Assistant";
constexpr std::string_view kBannerTitle = "   Orvane 6.0 Layout Assistant v1";
constexpr std::string_view kBannerCredit = "   Speaker placement for six-channel listening rooms";
constexpr std::string_view kBannerAddress = "   https://orvane.example/layout";

// --- questions, in the order asked ---
constexpr std::string_view kFrontBackPrompt =
    "   Maximum front-back spacing of the front and surround speakers?";
constexpr std::string_view kSideSidePrompt =
    "   Maximum side-side spacing of the left-side and right-side speakers?";
constexpr std::string_view kFixedPrompt =
    "   Is the surround speaker side-to-side spacing fixed [Y/N]?";
constexpr std::string_view kFixedSpacingPrompt =
    "   Side-to-side spacing of the surround speakers?";
constexpr std::string_view kMaximumSpacingPrompt =
    "   Maximum side-to-side spacing of the surround speakers?";
constexpr std::string_view kHeightPrompt =
    "   Height of surround speakers above the listening position?";
constexpr std::string_view kAnglePrompt =
    "   Angular position of surround speakers in degrees [110 to 145]?";

// --- refusals ---
constexpr std::string_view kErrorTitle = "  ERROR";
constexpr std::string_view kYesNoError = "You must respond either Y or N  ";
constexpr std::string_view kAngleError =
    "You must respond with an angle between 110 and 145 degrees  ";

// --- results, in screen order; the sixth only when the surround spacing is free ---
constexpr std::array<std::string_view, 6> kResultLabels = {
    "   Front-back spacing of the front L/R and surround speakers",
    "   Front-back spacing of the front L/R and front side speakers",
    "   Front-back spacing of the front L/R speakers and listening position",
    "   Listening distance and side-side spacing of the front L/R speakers",
    "   Side-side spacing of the front left-side and right-side speakers",
    "   Side-side spacing of the surround speakers",
};
constexpr std::string_view kClosingLine = "   press any key to quit";

} // namespace screen
