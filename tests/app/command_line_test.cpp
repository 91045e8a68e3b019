// The command line decides before the terminal is touched: which arguments run
// the tool, which print and end, and what a refused argument says.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLineOutcome Read(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "orvane");
    return ReadCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLine, EachArgumentListGetsItsAction) {
    enum Expect { runs, usage, version, refused };
    struct Case {
        std::vector<const char*> arguments;
        Expect expect;
        const char* message; // standard error when refused
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
        {{"--", "--help"}, refused, "orvane: unexpected argument '--help'; try 'orvane --help'\n"},
        {{"--bogus", "--help"}, refused, "orvane: unknown option '--bogus'; try 'orvane --help'\n"},
        {{"-v"}, refused, "orvane: unknown option '-v'; try 'orvane --help'\n"},
        {{"-hV"}, refused, "orvane: unknown option '-hV'; try 'orvane --help'\n"},
        {{"--help=x"}, refused, "orvane: unknown option '--help=x'; try 'orvane --help'\n"},
        {{"--hel"}, refused, "orvane: unknown option '--hel'; try 'orvane --help'\n"},
        {{"5"}, refused, "orvane: unexpected argument '5'; try 'orvane --help'\n"},
        {{"-"}, refused, "orvane: unexpected argument '-'; try 'orvane --help'\n"},
        {{""}, refused, "orvane: unexpected argument ''; try 'orvane --help'\n"},
        {{"a b"}, refused, "orvane: unexpected argument 'a b'; try 'orvane --help'\n"},
        // Control bytes never reach the terminal raw.
        {{"-\x1b[2J\n"}, refused, "orvane: unknown option '-\\x1b[2J\\x0a'; try 'orvane --help'\n"},
        {{"x\x7f"}, refused, "orvane: unexpected argument 'x\\x7f'; try 'orvane --help'\n"},
        {{"\xc3\xa9t\xc3\xa9"},
         refused,
         "orvane: unexpected argument '\xc3\xa9t\xc3\xa9'; try 'orvane --help'\n"},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const char* argument : c.arguments) {
            trace += std::string("[") + argument + "]";
        }
        SCOPED_TRACE(trace);
        const CommandLineOutcome outcome = Read(c.arguments);
        EXPECT_EQ(outcome.runTool, c.expect == runs);
        if (c.expect == runs) {
            EXPECT_EQ(outcome.standardOutput + outcome.standardError, "");
            continue;
        }
        EXPECT_EQ(outcome.exitStatus, c.expect == refused ? 2 : 0);
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
    for (const char* option : {"-h, --help", "-V, --version", "man orvane"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
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
