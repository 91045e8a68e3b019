// The look of a message box: a double frame with the title in its top edge,
// the text, and an OK button, centred on the terminal.
#pragma once

#include "platform/screen_cells.h"

#include <string>

// The box for a terminal of the given size; the text is wrapped at blanks when
// the box would not fit the terminal's width.
Overlay LayOutMessageBox(const std::string& title, const std::string& text, int width, int height);
