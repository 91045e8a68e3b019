#include "platform/terminal_text/presenter.h"

#include "platform/terminal_text/codepage437.h"

namespace {

// Console colour bits are blue, green, red; SGR's are red, green, blue.
int SgrColour(int consoleColour) {
    return (consoleColour & 2) | ((consoleColour & 1) << 2) | ((consoleColour & 4) >> 2);
}

// Black, the two greys and white carry no meaning of their own; the program's
// screen is drawn in them, and the terminal's own colours stand for them.
bool Chromatic(int consoleColour) {
    return consoleColour != 0 && consoleColour != 7 && consoleColour != 8 && consoleColour != 15;
}

void AppendNumber(std::string& out, int value) {
    out += std::to_string(value);
}

void MoveTo(std::string& out, int x, int y) {
    out += "\x1b[";
    AppendNumber(out, y + 1);
    out += ';';
    AppendNumber(out, x + 1);
    out += 'H';
}

// The shortest way from where the terminal cursor is: one step left (a
// Backspace in the line editor) costs a single byte.
void MoveFrom(PresenterState& state, std::string& out, int x, int y) {
    if (state.atY == y && state.atX >= 0) {
        if (x == state.atX) {
            return;
        }
        if (x == state.atX - 1) {
            out += '\b';
            state.atX = x;
            return;
        }
    }
    MoveTo(out, x, y);
    state.atX = x;
    state.atY = y;
}

bool SameCell(const ScreenCell& a, const ScreenCell& b) {
    return a.character == b.character && a.attribute == b.attribute;
}

// Starts from a cleared terminal in its own colours: everything shown is margin.
void ClearTerminal(PresenterState& state, const Frame& next, std::string& out) {
    out += "\x1b[?7l\x1b[0m\x1b[H\x1b[2J";
    state.shown.width = next.width;
    state.shown.height = next.height;
    state.shown.cells.assign(CellCount(next.width, next.height), ScreenCell{' ', kMarginAttribute});
    state.atX = 0;
    state.atY = 0;
    state.sgr = kMarginAttribute;
    state.valid = true;
}

void SendTitle(PresenterState& state, const std::string& title, const TerminalStyle& style,
               std::string& out) {
    if (!state.titleSaved) {
        out += "\x1b[22;0t";
        state.titleSaved = true;
    }
    out += "\x1b]2;";
    for (char c : title) {
        AppendGlyph(out, static_cast<unsigned char>(c), style.encoding);
    }
    out += '\a';
    state.shown.title = title;
}

} // namespace

void AppendGlyph(std::string& out, unsigned char byte, TerminalEncoding encoding) {
    const char32_t glyph = Cp437ToUnicode(byte);
    switch (encoding) {
    case TerminalEncoding::Utf8:
        AppendUtf8(out, glyph);
        return;
    case TerminalEncoding::Latin1:
        if ((glyph >= 32 && glyph < 127) || (glyph >= 0xA0 && glyph <= 0xFF)) {
            out += static_cast<char>(glyph);
        } else {
            out += Cp437ToAscii(byte);
        }
        return;
    case TerminalEncoding::Ascii:
        out += Cp437ToAscii(byte);
        return;
    }
}

void AppendSgr(std::string& out, std::uint16_t attribute, const TerminalStyle& style) {
    if (attribute == kMarginAttribute) {
        out += "\x1b[0m";
        return;
    }
    const int foreground = attribute & 15;
    const int background = (attribute >> 4) & 15;
    if (style.colours == TerminalColours::None) {
        // Reverse video rather than bold and underline: it is the one attribute
        // every video terminal shows (underline is missing on some consoles or
        // drawn as a colour, bold is often only a shade brighter), and it marks
        // the whole cell, so a value over its maximum reads as a highlighted
        // block as the red did.
        out += Chromatic(foreground) || Chromatic(background) ? "\x1b[0;7m" : "\x1b[0m";
        return;
    }
    out += "\x1b[";
    if (style.colours == TerminalColours::Sixteen) {
        AppendNumber(out, SgrColour(foreground) + (foreground & 8 ? 90 : 30));
        out += ';';
        AppendNumber(out, SgrColour(background) + (background & 8 ? 100 : 40));
    } else {
        // Eight colours: a bright foreground becomes bold, which most such
        // terminals show bright; bright backgrounds fall back to their base colour.
        out += foreground & 8 ? "0;1;" : "0;";
        AppendNumber(out, SgrColour(foreground) + 30);
        out += ';';
        AppendNumber(out, SgrColour(background) + 40);
    }
    out += 'm';
}

namespace {

// With fewer colours, different attributes may look the same (all plain
// without colours): nothing is sent between two of them. With sixteen, every
// attribute looks different.
void AppendSgrChange(std::string& out, int from, std::uint16_t to, const TerminalStyle& style) {
    std::string next;
    AppendSgr(next, to, style);
    if (from >= 0 && style.colours != TerminalColours::Sixteen) {
        std::string now;
        AppendSgr(now, static_cast<std::uint16_t>(from), style);
        if (now == next) {
            return;
        }
    }
    out += next;
}

} // namespace

void RenderFrame(PresenterState& state, const Frame& next, const TerminalStyle& style,
                 std::string& out) {
    if (!state.valid || state.shown.width != next.width || state.shown.height != next.height) {
        ClearTerminal(state, next, out);
    }
    for (int y = 0; y < next.height; ++y) {
        for (int x = 0; x < next.width; ++x) {
            const std::size_t i = CellIndex(next.width, x, y);
            const ScreenCell& cell = next.cells[i];
            if (SameCell(cell, state.shown.cells[i])) {
                continue;
            }
            MoveFrom(state, out, x, y);
            if (state.sgr != cell.attribute) {
                AppendSgrChange(out, state.sgr, cell.attribute, style);
                state.sgr = cell.attribute;
            }
            AppendGlyph(out, cell.character, style.encoding);
            state.shown.cells[i] = cell;
            // Line wrap is off, so the last column holds the cursor; say it is unknown.
            state.atX = x + 1 < next.width ? x + 1 : -1;
            state.atY = y;
        }
    }
    if (!style.keepsTitle && next.title != state.shown.title) {
        SendTitle(state, next.title, style, out);
    }
    if (next.cursorVisible) {
        MoveFrom(state, out, next.cursorX, next.cursorY);
        if (!state.cursorShown) {
            out += "\x1b[?25h";
        }
    } else if (state.cursorShown) {
        out += "\x1b[?25l";
    }
    state.cursorShown = next.cursorVisible;
    state.shown.cursorX = next.cursorX;
    state.shown.cursorY = next.cursorY;
    state.shown.cursorVisible = next.cursorVisible;
}

std::string RestoreSequence(const PresenterState& state, int promptRow) {
    std::string out = "\x1b[0m\x1b[?7h\x1b[?25h";
    if (state.titleSaved) {
        out += "\x1b[23;0t";
    }
    if (!state.valid) {
        return out; // nothing drawn yet: the terminal's cursor is still where it was
    }
    const int height = state.shown.height;
    if (promptRow < height) {
        MoveTo(out, 0, promptRow < 0 ? 0 : promptRow);
    } else {
        MoveTo(out, 0, height - 1);
        out += "\r\n";
    }
    return out;
}
