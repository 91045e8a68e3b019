#include "platform/posix/terminal_facts.h"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <vector>

// Last: it defines a macro for every capability name.
#include <term.h>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string FirstLocaleVariable() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        std::string value = Variable(name);
        if (!value.empty()) {
            return value;
        }
    }
    return "";
}

// A name as terminfo's functions take it: writable, since older headers
// (macOS's ncurses 5.7) declare them with char* where newer ones say const
// char*, and a writable buffer suits both.
std::vector<char> Writable(const std::string& text) {
    return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

// Only what the entry says about colours and cursor addressing is used: the
// sequences themselves stay the fixed ECMA-48 set (CUP, SGR, DECTCEM), which
// every terminal with such an entry understands, so a frame is composed the
// same way everywhere and can be tested without a terminfo database.
void ReadTerminfo(TerminalFacts& facts, int fd) {
    int error = 0;
    // With an error pointer, setupterm reports instead of printing and
    // exiting; it gives 0 (curses' OK) when it read an entry.
    if (setupterm(Writable(facts.term).data(), fd, &error) != 0) {
        facts.lookup = error == 1    ? TerminfoLookup::Hardcopy
                       : error == -1 ? TerminfoLookup::NoDatabase
                                     : TerminfoLookup::NotFound;
        return;
    }
    facts.lookup = TerminfoLookup::Found;
    const int colours = tigetnum(Writable("colors").data());
    facts.colours = colours >= 0 ? colours : -1;
    const char* cup = tigetstr(Writable("cup").data());
    facts.canPlaceCursor = cup != nullptr && cup != reinterpret_cast<const char*>(-1);
    del_curterm(cur_term);
}

} // namespace

TerminalFacts ReadTerminfoEntry(int fd) {
    TerminalFacts facts;
    facts.term = Variable("TERM");
    if (!facts.term.empty()) {
        ReadTerminfo(facts, fd);
    }
    return facts;
}

TerminalFacts ReadTerminalFacts(int fd) {
    TerminalFacts facts;
    facts.term = Variable("TERM");
    facts.colorTerm = Variable("COLORTERM");
    facts.noColor = Variable("NO_COLOR");
    facts.termProgram = Variable("TERM_PROGRAM");
    facts.localeName = FirstLocaleVariable();
    // A locale named with the UTF-8 codeset gives UTF-8 loaded or not, so it is
    // left unloaded: setlocale would map and touch some 150 KB of character
    // tables and conversion cache that nothing in the run reads.
    if (!CodesetNamesUtf8(facts.localeName)) {
        facts.localeLoaded = std::setlocale(LC_CTYPE, "") != nullptr;
        facts.codeset = nl_langinfo(CODESET);
    }
    if (!facts.term.empty()) {
        ReadTerminfo(facts, fd);
    }
    return facts;
}
