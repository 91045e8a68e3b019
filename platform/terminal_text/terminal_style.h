// What the terminal can do, decided from what its terminfo entry, the
// environment and the locale say. Pure: the facts are read elsewhere
// (terminal_facts.h), so every combination can be tried in a table.
#pragma once

#include "platform/terminal_text/presenter.h"

#include <string>
#include <string_view>

// What looking TERM up in the terminfo database gave.
enum class TerminfoLookup {
    Found,      // an entry was read: colours and canPlaceCursor hold
    NotFound,   // no entry for TERM (or only a generic one that tells nothing)
    NoDatabase, // no terminfo database at all
    Hardcopy,   // a printing terminal: no screen to place anything on
};

// Everything the decision looks at.
struct TerminalFacts {
    std::string term;                                 // TERM, empty when unset
    TerminfoLookup lookup = TerminfoLookup::NotFound; // what terminfo said about TERM
    int colours = -1;            // terminfo "colors", -1 when the entry has none
    bool canPlaceCursor = false; // terminfo "cup" is present
    std::string colorTerm;       // COLORTERM, empty when unset
    std::string noColor;         // NO_COLOR, empty when unset
    std::string termProgram;     // TERM_PROGRAM, empty when unset
    bool localeLoaded = false;   // setlocale(LC_CTYPE, "") was called and succeeded
    std::string codeset;         // nl_langinfo(CODESET) of the locale in force
    std::string localeName;      // the first non-empty of LC_ALL, LC_CTYPE and LANG
};

// The decision: a style to draw in, or why the tool cannot run here.
struct TerminalVerdict {
    std::string problem; // one line for the user (no program name, no newline); empty when usable
    TerminalStyle style; // how to draw when usable
};

TerminalVerdict DecideTerminal(const TerminalFacts& facts);

// Whether a locale or codeset name says UTF-8, in any of its spellings:
// "en_US.UTF-8", "C.utf8" and "de_DE.Utf-8@euro" do, "en_US" and "C" do not.
bool NamesUtf8(std::string_view name);

// Whether the codeset part of a locale name (language[_territory][.codeset][@modifier])
// is UTF-8: "en_US.UTF-8" and "C.utf8@euro" are, "de_DE@utf8", "UTF-8" and "x.utf8x"
// are not. Such a locale decides UTF-8 whether it is installed or not.
bool CodesetNamesUtf8(std::string_view localeName);
