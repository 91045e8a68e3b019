// The error box drawn inside the console, as on a terminal: a desktop message
// box would be invisible or block in a pseudo-console or over SSH.
#pragma once

#include <string>

// Draws the box over the console's window, waits for Enter, Space or Escape
// (keys typed meanwhile go to the box; keys typed before it showed wait for the
// questions), then puts back the cells and the cursor it covered. Returns at once when there is no
// console to draw on or to read keys from.
void ShowConsoleBox(const std::string& title, const std::string& text);
