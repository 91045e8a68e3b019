#include "platform/terminal_text/terminal_style.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// TERM as it may be quoted back to the user: printable ASCII only, and short,
// since the line goes to the very terminal the name failed to describe.
std::string Printable(std::string_view term) {
    constexpr std::size_t kLongest = 40;
    std::string shown;
    for (char c : term.substr(0, kLongest)) {
        shown += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return term.size() > kLongest ? shown + "..." : shown;
}

std::string NoCursorAddressing(const TerminalFacts& facts) {
    const std::string need = "needs a terminal that can place the cursor, and ";
    if (facts.term.empty()) {
        return need + "TERM is not set; set it to the terminal's type (e.g. xterm-256color)";
    }
    return need + "TERM=" + Printable(facts.term) +
           " is not one; run it in a terminal window such as xterm";
}

bool CannotPlaceCursor(const TerminalFacts& facts) {
    if (facts.term.empty() || facts.term == "dumb") {
        return true;
    }
    switch (facts.lookup) {
    case TerminfoLookup::Found:
        return !facts.canPlaceCursor;
    case TerminfoLookup::Hardcopy:
        return true;
    case TerminfoLookup::NotFound:
    case TerminfoLookup::NoDatabase:
        break;
    }
    return false;
}

// Latin-1 and Latin-9 in any of their spellings: "ISO-8859-1" (glibc),
// "ISO8859-1" (macOS, the BSDs), "iso_8859-15".
bool NamesLatin1(std::string_view codeset) {
    std::string bare;
    for (char c : Lower(codeset)) {
        if (c != '-' && c != '_') {
            bare += c;
        }
    }
    return bare == "iso88591" || bare == "iso885915";
}

TerminalEncoding DecideEncoding(const TerminalFacts& facts) {
    // A loaded locale may still answer no codeset (macOS 15 can): then only
    // its name tells, as for one that is not installed.
    if (facts.localeLoaded && !facts.codeset.empty()) {
        if (NamesUtf8(facts.codeset)) {
            return TerminalEncoding::Utf8;
        }
        return NamesLatin1(facts.codeset) ? TerminalEncoding::Latin1 : TerminalEncoding::Ascii;
    }
    // A locale named but not installed (common in containers, and over SSH
    // from a machine that has it): the name still tells how the terminal
    // encodes, as terminal programs commonly take it.
    return NamesUtf8(facts.localeName) ? TerminalEncoding::Utf8 : TerminalEncoding::Ascii;
}

// Without an entry, what the names of the common 8-colour consoles say, and
// 16 colours for the rest, as nearly every ECMA-48 terminal today shows them.
TerminalColours ColoursByName(const std::string& term) {
    const bool eight = term == "linux" || term == "ansi" || term.rfind("vt", 0) == 0 ||
                       term == "cons25" || term == "sun";
    return eight ? TerminalColours::Eight : TerminalColours::Sixteen;
}

TerminalColours DecideColours(const TerminalFacts& facts) {
    if (!facts.noColor.empty()) {
        return TerminalColours::None;
    }
    const std::string colorTerm = Lower(facts.colorTerm);
    if (colorTerm == "truecolor" || colorTerm == "24bit") {
        return TerminalColours::Sixteen;
    }
    if (facts.lookup != TerminfoLookup::Found) {
        return ColoursByName(facts.term);
    }
    if (facts.colours >= 16) {
        return TerminalColours::Sixteen;
    }
    return facts.colours >= 8 ? TerminalColours::Eight : TerminalColours::None;
}

} // namespace

bool NamesUtf8(std::string_view name) {
    const std::string lower = Lower(name);
    return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
}

bool CodesetNamesUtf8(std::string_view localeName) {
    // The modifier comes last and may itself hold a dot.
    const std::string_view beforeModifier = localeName.substr(0, localeName.find('@'));
    const std::size_t dot = beforeModifier.find('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string codeset = Lower(beforeModifier.substr(dot + 1));
    return codeset == "utf-8" || codeset == "utf8";
}

TerminalVerdict DecideTerminal(const TerminalFacts& facts) {
    TerminalVerdict verdict;
    if (CannotPlaceCursor(facts)) {
        verdict.problem = NoCursorAddressing(facts);
        return verdict;
    }
    verdict.style.encoding = DecideEncoding(facts);
    verdict.style.colours = DecideColours(facts);
    // Terminal.app takes a title but ignores the push and pop that would give
    // its own back at exit, so the window would keep the tool's title.
    verdict.style.keepsTitle = facts.termProgram == "Apple_Terminal";
    return verdict;
}
