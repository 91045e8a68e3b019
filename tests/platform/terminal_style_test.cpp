#include "platform/posix/terminal_facts.h"
#include "platform/terminal_text/terminal_style.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace {

// The facts of a usable xterm-like terminal under a UTF-8 locale that is installed.
TerminalFacts Xterm256() {
    TerminalFacts facts;
    facts.term = "xterm-256color";
    facts.lookup = TerminfoLookup::Found;
    facts.colours = 256;
    facts.canPlaceCursor = true;
    facts.localeLoaded = true;
    facts.codeset = "UTF-8";
    facts.localeName = "C.UTF-8";
    return facts;
}

TEST(TerminalStyle, ColoursFromTerminfoNoColorAndColorterm) {
    constexpr auto kNone = TerminalColours::None;
    constexpr auto kEight = TerminalColours::Eight;
    constexpr auto kSixteen = TerminalColours::Sixteen;
    struct Case {
        const char* name;
        const char* term;
        TerminfoLookup lookup;
        int colours;
        const char* colorTerm;
        const char* noColor;
        TerminalColours expected;
    };
    const TerminfoLookup found = TerminfoLookup::Found;
    const TerminfoLookup missing = TerminfoLookup::NotFound;
    const Case cases[] = {
        {"256 colours", "xterm-256color", found, 256, "", "", kSixteen},
        {"exactly 16", "xterm-16color", found, 16, "", "", kSixteen},
        {"8 colours", "linux", found, 8, "", "", kEight},
        {"an entry of 8 even for an xterm", "xterm", found, 8, "", "", kEight},
        {"no colours in the entry", "vt100", found, -1, "", "", kNone},
        {"2 colours", "mono", found, 2, "", "", kNone},
        {"truecolor lifts 8", "xterm", found, 8, "truecolor", "", kSixteen},
        {"24bit lifts none", "vt100", found, -1, "24bit", "", kSixteen},
        {"COLORTERM in capitals", "vt100", found, -1, "TrueColor", "", kSixteen},
        {"other COLORTERM values do not", "vt100", found, -1, "yes", "", kNone},
        {"NO_COLOR beats 256", "xterm-256color", found, 256, "", "1", kNone},
        {"NO_COLOR beats truecolor", "xterm-256color", found, 256, "truecolor", "0", kNone},
        {"no entry: 16 by default", "my-emulator", missing, -1, "", "", kSixteen},
        {"no entry: known 8-colour name", "linux", missing, -1, "", "", kEight},
        {"no database: vt names", "vt220", TerminfoLookup::NoDatabase, -1, "", "", kEight},
        {"no entry and NO_COLOR", "my-emulator", missing, -1, "", "x", kNone},
    };
    for (const Case& c : cases) {
        TerminalFacts facts = Xterm256();
        facts.term = c.term;
        facts.lookup = c.lookup;
        facts.colours = c.colours;
        facts.colorTerm = c.colorTerm;
        facts.noColor = c.noColor;
        const TerminalVerdict verdict = DecideTerminal(facts);
        EXPECT_EQ(verdict.problem, "") << c.name;
        EXPECT_EQ(verdict.style.colours, c.expected) << c.name;
        EXPECT_FALSE(verdict.style.keepsTitle) << c.name;
    }
    // Of the environment, TERM_PROGRAM decides only the title: Terminal.app's
    // is left alone, since it would not come back at exit.
    for (const char* program : {"Apple_Terminal", "iTerm.app", "apple_terminal"}) {
        TerminalFacts facts = Xterm256();
        facts.termProgram = program;
        const TerminalVerdict verdict = DecideTerminal(facts);
        EXPECT_EQ(verdict.style.keepsTitle, std::string(program) == "Apple_Terminal") << program;
        EXPECT_EQ(verdict.style.colours, TerminalColours::Sixteen) << program;
    }
}

TEST(TerminalStyle, EncodingFromTheLocaleOrItsName) {
    struct Case {
        const char* name;
        bool loaded;
        const char* codeset;
        const char* localeName;
        TerminalEncoding expected;
    };
    const Case cases[] = {
        {"installed UTF-8", true, "UTF-8", "C.UTF-8", TerminalEncoding::Utf8},
        {"installed Latin-1", true, "ISO-8859-1", "de_DE", TerminalEncoding::Latin1},
        {"installed Latin-9", true, "ISO-8859-15", "de_DE@euro", TerminalEncoding::Latin1},
        {"Latin-1 as macOS and FreeBSD spell it", true, "ISO8859-1", "de_DE.ISO8859-1",
         TerminalEncoding::Latin1},
        {"Latin-9 as macOS and FreeBSD spell it", true, "ISO8859-15", "fr_FR.ISO8859-15",
         TerminalEncoding::Latin1},
        {"a Latin-2 codeset is not Latin-1", true, "ISO8859-2", "pl_PL.ISO8859-2",
         TerminalEncoding::Ascii},
        // macOS 15 may load a locale and answer no codeset: its name tells.
        {"loaded, no codeset, name says UTF-8", true, "", "en_US.UTF-8", TerminalEncoding::Utf8},
        {"loaded, no codeset, name says nothing", true, "", "en_US", TerminalEncoding::Ascii},
        {"C", true, "ANSI_X3.4-1968", "C", TerminalEncoding::Ascii},
        {"no locale set at all", true, "ANSI_X3.4-1968", "", TerminalEncoding::Ascii},
        // The codeset of a loaded locale decides, not what the name suggests.
        {"loaded, name says UTF-8, codeset not", true, "ANSI_X3.4-1968", "C.UTF-8",
         TerminalEncoding::Ascii},
        {"not installed, UTF-8", false, "ANSI_X3.4-1968", "en_US.UTF-8", TerminalEncoding::Utf8},
        {"not installed, utf8", false, "ANSI_X3.4-1968", "de_DE.utf8", TerminalEncoding::Utf8},
        {"not installed, Utf-8 with modifier", false, "ANSI_X3.4-1968", "fr_FR.Utf-8@euro",
         TerminalEncoding::Utf8},
        {"not installed, Latin-1 by name", false, "ANSI_X3.4-1968", "de_DE.ISO-8859-1",
         TerminalEncoding::Ascii},
        {"not installed, no codeset", false, "ANSI_X3.4-1968", "en_US", TerminalEncoding::Ascii},
        {"not installed, utf 8 spelt apart", false, "ANSI_X3.4-1968", "en_US.UTF_8",
         TerminalEncoding::Ascii},
    };
    for (const Case& c : cases) {
        TerminalFacts facts = Xterm256();
        facts.localeLoaded = c.loaded;
        facts.codeset = c.codeset;
        facts.localeName = c.localeName;
        EXPECT_EQ(DecideTerminal(facts).style.encoding, c.expected) << c.name;
    }
}

// The names the reader decides UTF-8 from without loading the locale: only the
// codeset part counts, as setlocale would read the name.
TEST(TerminalStyle, CodesetOfALocaleName) {
    const std::pair<const char*, bool> cases[] = {
        {"en_US.UTF-8", true},
        {"C.utf8", true},
        {"fr_FR.Utf-8@euro", true},
        {"C.UTF-8@x.y", true},
        {"de_DE@utf8", false},
        {"de_DE@euro.UTF-8", false},
        {"UTF-8", false},
        {"en_US.UTF-8x", false},
        {"en_US.UTF_8", false},
        {"de_DE.ISO-8859-1", false},
        {"en_US", false},
        {"", false},
        {".utf8", true},
        {"en_US.", false},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(CodesetNamesUtf8(name), expected) << name;
    }
}

TEST(TerminalStyle, TerminalsThatCannotPlaceTheCursorAreRefusedByName) {
    struct Case {
        const char* name;
        std::string term;
        TerminfoLookup lookup;
        bool cup;
        const char* shown; // how the message names TERM
    };
    const Case cases[] = {
        {"dumb", "dumb", TerminfoLookup::Found, false, "TERM=dumb "},
        {"dumb without a database", "dumb", TerminfoLookup::NoDatabase, false, "TERM=dumb "},
        {"unset", "", TerminfoLookup::NotFound, false, "TERM is not set"},
        {"an entry without cup", "lpr", TerminfoLookup::Found, false, "TERM=lpr "},
        {"hardcopy", "tty33", TerminfoLookup::Hardcopy, false, "TERM=tty33 "},
        {"control bytes are not echoed", std::string("x\x1b[2J\ny"), TerminfoLookup::Found, false,
         "TERM=x?[2J?y "},
        {"a long name is cut", std::string(300, 'a'), TerminfoLookup::Found, false,
         "TERM=aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa... "},
    };
    for (const Case& c : cases) {
        TerminalFacts facts = Xterm256();
        facts.term = c.term;
        facts.lookup = c.lookup;
        facts.canPlaceCursor = c.cup;
        const std::string problem = DecideTerminal(facts).problem;
        EXPECT_EQ(problem.rfind("needs a terminal that can place the cursor", 0), 0u) << c.name;
        EXPECT_NE(problem.find(c.shown), std::string::npos) << c.name << ": " << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << c.name;
        EXPECT_LT(problem.size(), 160u) << c.name;
    }
    for (TerminfoLookup lookup : {TerminfoLookup::NotFound, TerminfoLookup::NoDatabase}) {
        TerminalFacts facts = Xterm256();
        facts.term = "my-emulator";
        facts.lookup = lookup;
        EXPECT_EQ(DecideTerminal(facts).problem, "") << "no entry: ECMA-48 is assumed";
    }
}

// The reader against the terminfo database this machine has (ncurses-base
// always holds these entries).
TEST(TerminalFacts, ReadFromTheTerminfoDatabase) {
    struct Case {
        const char* term;
        TerminfoLookup lookup;
        int colours;
        bool cup;
    };
    const Case cases[] = {
        {"xterm-256color", TerminfoLookup::Found, 256, true},
        {"linux", TerminfoLookup::Found, 8, true},
        {"vt100", TerminfoLookup::Found, -1, true},
        {"dumb", TerminfoLookup::Found, -1, false},
        {"no-such-terminal-at-all", TerminfoLookup::NotFound, -1, false},
    };
    const char* saved = std::getenv("TERM");
    const std::string before = saved != nullptr ? saved : "";
    for (const Case& c : cases) {
        setenv("TERM", c.term, 1);
        const TerminalFacts facts = ReadTerminalFacts(-1);
        EXPECT_EQ(facts.term, c.term);
        EXPECT_EQ(facts.lookup, c.lookup) << c.term;
        EXPECT_EQ(facts.colours, c.colours) << c.term;
        EXPECT_EQ(facts.canPlaceCursor, c.cup) << c.term;
    }
    if (saved != nullptr) {
        setenv("TERM", before.c_str(), 1);
    } else {
        unsetenv("TERM");
    }
}

} // namespace
