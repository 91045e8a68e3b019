// The command line decides before the terminal is touched: which arguments run
// the tool, which print and end, and what a refused argument says.
#include "app/command_line.h"
#include "app/help_closing.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

CommandLineRequest Read(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "orvane");
    return ReadCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

// Too few or too many answers: the usage line.
const char* const kOneAnswer =
    "orvane: six answers needed, 1 given; usage: orvane [--json] [--plan FILE] [--] ANSWER1 ... "
    "ANSWER6\n";

const char* const kSevenAnswers =
    "orvane: six answers needed, 7 given; usage: orvane [--json] [--plan FILE] [--] ANSWER1 ... "
    "ANSWER6\n";

const char* const kUnits = "; the units are m, cm, mm, ft and in\n";

TEST(CommandLine, EachArgumentListGetsItsAction) {
    enum Action { runs, usage, version, refused, answered };
    struct Case {
        std::vector<const char*> arguments;
        Action expect;
        std::string message; // standard error when refused
    };
    const Case cases[] = {
        {{}, runs, ""},
        {{"--"}, runs, ""},
        {{"--help"}, usage, ""},
        {{"-h"}, usage, ""},
        {{"--version"}, version, ""},
        {{"-V"}, version, ""},
        // The first deciding argument wins, as getopt would have it.
        {{"--help", "--bogus"}, usage, ""},
        {{"-V", "-h"}, version, ""},
        // Short options group and long ones shorten, as getopt_long has it.
        {{"-hV"}, usage, ""},
        {{"--hel"}, usage, ""},
        {{"--vers"}, version, ""},
        {{"--", "--help"}, refused, kOneAnswer},
        {{"--bogus", "--help"}, refused, "orvane: unknown option '--bogus'; try 'orvane --help'\n"},
        {{"-v"}, refused, "orvane: unknown option '-v'; try 'orvane --help'\n"},
        {{"-xh"}, refused, "orvane: unknown option '-x'; try 'orvane --help'\n"},
        {{"--help=x"}, refused, "orvane: option '--help' takes no value; try 'orvane --help'\n"},
        {{"--json=1"}, refused, "orvane: option '--json' takes no value; try 'orvane --help'\n"},
        {{"--vers=", "5"},
         refused,
         "orvane: option '--version' takes no value; try 'orvane --help'\n"},
        {{"5"}, refused, kOneAnswer},
        {{"-"}, refused, kOneAnswer},
        {{""}, refused, kOneAnswer},
        {{"a b"}, refused, kOneAnswer},
        {{"--json"},
         refused,
         "orvane: six answers needed, 0 given; usage: orvane [--json] [--plan FILE] [--] "
         "ANSWER1 ... ANSWER6\n"},
        {{"--markout", "--unit=in"}, runs, ""},
        {{"--markout=1"},
         refused,
         "orvane: option '--markout' takes no value; try 'orvane --help'\n"},
        {{"--unit"}, refused, std::string("orvane: --unit needs a unit name") + kUnits},
        {{"--unit=yd", "--json"}, refused, std::string("orvane: unknown unit 'yd'") + kUnits},
        {{"--unit="}, refused, std::string("orvane: unknown unit ''") + kUnits},
        {{"--unit=FT"}, refused, std::string("orvane: unknown unit 'FT'") + kUnits},
        {{"5", "4", "n", "4", "0.5", "120", "--unit=ft", "--markout"}, answered, ""},
        {{"--plan"},
         refused,
         "orvane: --plan needs a file name ('-' for standard output); try 'orvane --help'\n"},
        {{"--plan="},
         refused,
         "orvane: --plan needs a file name ('-' for standard output); try 'orvane --help'\n"},
        {{"--plan", "p.svg"}, runs, ""},
        {{"5", "4", "n", "4", "0.5", "120"}, answered, ""},
        {{"5", "4", "n", "4", "0.5", "120", "--json", "--plan", "-"}, answered, ""},
        {{"--", "-3", "4", "n", "4", "0.5", "120"}, answered, ""},
        {{"--", "5", "4", "n", "4", "0.5", "120", "--json"}, refused, kSevenAnswers},
        // No option starts with a digit or a dot: these are negative answers.
        {{"-3", "4", "n", "4", "0.5", "120"}, answered, ""},
        {{"5", "-.5", "n", "-1e3", "-0", "120", "--json"}, answered, ""},
        {{"-3x", "4", "n", "4", "0.5", "120", "--", "--json"}, refused, kSevenAnswers},
        // Control bytes never reach the terminal raw.
        {{"-\x1b[2J\n"}, refused, "orvane: unknown option '-\\x1b'; try 'orvane --help'\n"},
        {{"--\x1b[2J"}, refused, "orvane: unknown option '--\\x1b[2J'; try 'orvane --help'\n"},
        {{"5", "4", "x\x7f", "4", "0.5", "120"},
         refused,
         "orvane: answer 3 (Is the surround speaker side-to-side spacing fixed [Y/N]?) was "
         "'x\\x7f': You must respond either Y or N\n"},
        {{"5", "4", "\xc3\xa9t\xc3\xa9", "4", "0.5", "120"},
         refused,
         "orvane: answer 3 (Is the surround speaker side-to-side spacing fixed [Y/N]?) was "
         "'\xc3\xa9t\xc3\xa9': You must respond either Y or N\n"},
        {{"5", "4", "n", "4", "0.5", "1\n20"},
         refused,
         "orvane: answer 6 (Angular position of surround speakers in degrees [110 to 145]?) was "
         "'1\\x0a20': You must respond with an angle between 110 and 145 degrees\n"},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const char* argument : c.arguments) {
            trace += std::string("[") + argument + "]";
        }
        SCOPED_TRACE(trace);
        const CommandLineRequest request = Read(c.arguments);
        const CommandLineOutput& outcome = request.printed;
        EXPECT_EQ(request.kind == RunKind::interactive, c.expect == runs);
        if (c.expect == runs || c.expect == answered) {
            EXPECT_EQ(outcome.standardOutput + outcome.standardError, "");
            EXPECT_EQ(outcome.status, 0);
            // The answers as given, the options wherever they stood.
            std::vector<std::string> answers;
            for (const char* argument : c.arguments) {
                const std::string_view text = argument;
                if (text.rfind("--", 0) != 0 && text != "-" && text != "p.svg") {
                    answers.push_back(argument);
                }
            }
            const AnswerTexts& given = request.answers.given;
            EXPECT_EQ(std::vector<std::string>(given.begin(), given.end()),
                      c.expect == answered ? answers : std::vector<std::string>(6));
            continue;
        }
        EXPECT_EQ(request.kind, RunKind::print);
        EXPECT_EQ(outcome.status, c.expect == refused ? 2 : 0);
        const std::string expectedOut = c.expect == usage     ? UsageText()
                                        : c.expect == version ? VersionText()
                                                              : "";
        EXPECT_EQ(outcome.standardOutput, expectedOut);
        EXPECT_EQ(outcome.standardError, c.message);
    }
}

TEST(CommandLine, UsageAndVersionTexts) {
    const std::string usage = UsageText();
    EXPECT_EQ(usage.rfind("Usage: orvane\n", 0), 0u) << usage;
    for (const char* option :
         {"-h, --help", "-V, --version", "--json", "--plan FILE", "orvane -- -3 4 n 4 0.5 120"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    // Where the manual is, as this system keeps it, in the last line.
    const std::string_view closing = HelpClosingLine();
    EXPECT_EQ(usage.substr(usage.size() - closing.size()), closing);
    std::size_t lineStart = 0;
    while (lineStart < usage.size()) {
        const std::size_t lineEnd = usage.find('\n', lineStart);
        ASSERT_NE(lineEnd, std::string::npos) << "ends with a newline";
        EXPECT_LE(lineEnd - lineStart, 79u) << usage.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
    }

    const std::string version = VersionText();
    EXPECT_EQ(version, std::string("orvane 6.0, build ") + BuildVersion() + "\n");
    EXPECT_EQ(version.find('\n'), version.size() - 1) << "one line";
    EXPECT_EQ(std::string(BuildVersion()).rfind(ORVANE_PROJECT_VERSION, 0), 0u) << BuildVersion();
}

} // namespace
