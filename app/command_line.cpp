#include "app/command_line.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr int kStatusUsageError = 2;

// The argument as the user can read it back: control bytes (an escape sequence
// pasted by mistake) are shown as \xNN instead of reaching the terminal.
std::string Quoted(std::string_view argument) {
    static const char kHex[] = "0123456789abcdef";
    std::string text = "'";
    for (const char c : argument) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0xf];
        } else {
            text += c;
        }
    }
    return text + "'";
}

CommandLineOutcome Refused(std::string_view argument, bool isOption) {
    CommandLineOutcome outcome;
    outcome.runTool = false;
    outcome.exitStatus = kStatusUsageError;
    outcome.standardError = std::string("orvane: ") +
                            (isOption ? "unknown option " : "unexpected argument ") +
                            Quoted(argument) + "; try 'orvane --help'\n";
    return outcome;
}

CommandLineOutcome Printed(std::string text) {
    CommandLineOutcome outcome;
    outcome.runTool = false;
    outcome.standardOutput = std::move(text);
    return outcome;
}

} // namespace

CommandLineOutcome ReadCommandLine(int argc, const char* const argv[]) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i] != nullptr ? argv[i] : "";
        if (optionsEnded) {
            return Refused(argument, false);
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return Printed(UsageText());
        } else if (argument == "--version" || argument == "-V") {
            return Printed(VersionText());
        } else {
            return Refused(argument, argument.size() > 1 && argument[0] == '-');
        }
    }
    return {};
}

std::string UsageText() {
    return "Usage: orvane\n"
           "       orvane --help | --version\n"
           "\n"
           "Asks six questions about your listening room and shows where to place the\n"
           "six speakers of a 6.0 surround layout: the listening distance and the\n"
           "spacings to measure out, in the unit you answer in.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "  -V, --version  show the version and exit\n"
           "\n"
           "Start it without arguments in a terminal of 80 x 25 or larger.\n"
           "The manual: man orvane\n";
}

std::string VersionText() {
    return std::string("orvane 6.0, build ") + BuildVersion() + "\n";
}

int WriteCommandLineOutcome(const CommandLineOutcome& outcome) {
    std::fputs(outcome.standardError.c_str(), stderr);
    const bool written = std::fputs(outcome.standardOutput.c_str(), stdout) >= 0;
    if (std::fflush(stdout) != 0 || !written) {
        std::fputs("orvane: cannot write to standard output\n", stderr);
        return 1;
    }
    return outcome.exitStatus;
}
