// Answers given as arguments, as a script meets them: no controlling terminal,
// standard input from /dev/null, both streams into pipes.
#include "app/model/screen_texts.h"
#include "tests/e2e/host_process.h"

#include "tests/e2e/wrapped_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace e2e::arguments {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;

std::string Trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    return std::string(text.substr(start, text.find_last_not_of(' ') - start + 1));
}

// Status 2, nothing on standard output, one line on standard error that holds
// every one of `named` (the question, the answer given, what is accepted).
TEST(ArgumentsWithoutTerminal, RefusalsEndWithStatusTwoAndOneLine) {
    const std::string yesNo = Trimmed(screen::kFixedPrompt);
    const std::string angle = Trimmed(screen::kAnglePrompt);
    const std::string yesNoError = Trimmed(screen::kYesNoError);
    const std::string angleError = Trimmed(screen::kAngleError);
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> named;
    };
    const Case cases[] = {
        {{"5", "4", "yes", "4", "0.5", "120"}, {"answer 3", yesNo, "'yes'", yesNoError}},
        {{"5", "4", "Y ", "4", "0.5", "120"}, {"answer 3", yesNo, "'Y '", yesNoError}},
        {{"5", "4", "", "4", "0.5", "120"}, {"answer 3", yesNo, "''", yesNoError}},
        {{"5", "4", "n", "4", "0.5", "109.99"}, {"answer 6", angle, "'109.99'", angleError}},
        {{"5", "4", "n", "4", "0.5", "145.01"}, {"answer 6", angle, "'145.01'", angleError}},
        {{"5", "4", "n", "4", "0.5", "145.000000000000001"},
         {"answer 6", angle, "'145.000000000000001'", angleError}},
        {{"5", "4", "n", "4", "0.5", "abc"}, {"answer 6", angle, "'abc'", angleError}},
        {{"5", "4", "n", "4", "0.5"}, {"six answers needed, 5 given", "usage: orvane"}},
        {{"5", "4", "n", "4", "0.5", "120", "7"}, {"six answers needed, 7 given", "usage: orvane"}},
        {{"--json"}, {"six answers needed, 0 given", "usage: orvane"}},
        {{"5", "4", "n", "-4", "0.5", "120", "--json=1"}, {"option '--json' takes no value"}},
        {{"-5", "4", "n", "-4", "-.5", "-120"}, {"answer 6", angle, "'-120'", angleError}},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const std::string& argument : c.arguments) {
            trace += "[" + argument + "]";
        }
        SCOPED_TRACE(trace);
        const DetachedResult result = RunWithoutTerminal(kTool, seconds(5), c.arguments);
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.standardOut, "");
        EXPECT_EQ(result.standardError.find('\n'), result.standardError.size() - 1)
            << "one line: " << result.standardError;
        for (const std::string& name : c.named) {
            EXPECT_NE(result.standardError.find(name), std::string::npos) << result.standardError;
        }
    }
}

TEST(ArgumentsWithoutTerminal, ResultsPlanAndUnwritablePlan) {
    const std::string directory = MakeTemporaryDirectory();
    const std::string plan = directory + "/plan.svg";
    const std::vector<std::string> answers = {"5", "4", "n", "4", "0.5", "120"};
    struct Case {
        std::vector<std::string> options;
        int status;
        const char* outStart; // "" : nothing at all
        bool errorLine;
        bool planWritten;
    };
    const Case cases[] = {
        {{}, 0, screen::kResultLabels[0].data(), false, false},
        {{"--json"}, 0, "{\n", false, false},
        {{"--plan", "-"}, 0, "<?xml", false, false},
        {{"--plan=" + plan}, 0, screen::kResultLabels[0].data(), false, true},
        {{"--plan", directory + "/missing/plan.svg"}, 1, "", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.empty() ? "rows" : c.options.back());
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), answers.begin(), answers.end());
        const DetachedResult result = RunWithoutTerminal(kTool, seconds(5), arguments);
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(result.exitCode, c.status);
        EXPECT_EQ(result.standardOut.rfind(c.outStart, 0), 0u) << result.standardOut;
        EXPECT_EQ(result.standardOut.empty(), *c.outStart == '\0');
        if (c.errorLine) {
            EXPECT_EQ(result.standardError.find('\n'), result.standardError.size() - 1);
            EXPECT_NE(result.standardError.find("missing/plan.svg"), std::string::npos);
        } else {
            EXPECT_EQ(result.standardError, "");
        }
        EXPECT_EQ(ReadWholeFile(plan).rfind("<?xml", 0), c.planWritten ? 0u : std::string::npos);
        std::remove(plan.c_str());
    }
    RemoveDirectoryTree(directory);
}

// The plan over an old file: replaced whole, or the old file kept and nothing
// left beside it. Each case runs in a folder holding keep.svg ("OLD", mode 640)
// and link.svg, a symbolic link to it.
TEST(ArgumentsWithoutTerminal, APlanFileIsReplacedWholeOrNotAtAll) {
    struct Case {
        std::string shell; // {} stands for the tool with its answers
        int status;
        const char* keptStart; // what keep.svg starts with afterwards
        mode_t mode;           // keep.svg's permissions afterwards
        const char* error;     // in standard error; "" for nothing there
    };
    const Case cases[] = {
        {"ulimit -f 4; trap '' XFSZ; {} --plan keep.svg", 1, "OLD", 0640, "File too large"},
        {"ulimit -f 4; {} --plan link.svg", 1, "OLD", 0640, "File too large"},
        {"{} --plan keep.svg", 0, "<?xml", 0640, ""},
        {"{} --plan link.svg && test -L link.svg", 0, "<?xml", 0640, ""},
        {"rm keep.svg; umask 077; {} --plan link.svg", 0, "<?xml", 0600, ""},
        {"{} --plan /dev/null && test -c /dev/null", 0, "OLD", 0640, ""},
    };
    const std::string tool = ShellQuote(kTool) + " 5 4 n 4 0.5 120 > /dev/null";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shell);
        const std::string folder = MakeTemporaryDirectory();
        const std::string kept = folder + "/keep.svg";
        WriteWholeFile(kept, "OLD");
        chmod(kept.c_str(), 0640);
        std::filesystem::create_symlink("keep.svg", folder + "/link.svg");
        std::string shell = "cd " + ShellQuote(folder) + " && " + c.shell;
        shell.replace(shell.find("{}"), 2, tool);
        const DetachedResult result = RunWithoutTerminal("/bin/sh", seconds(5), {"-c", shell});
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(result.exitCode, c.status) << result.standardError;
        EXPECT_EQ(result.standardError.empty(), *c.error == '\0') << result.standardError;
        EXPECT_NE(result.standardError.find(c.error), std::string::npos) << result.standardError;
        EXPECT_EQ(ReadWholeFile(kept).rfind(c.keptStart, 0), 0u);
        struct stat status {};
        EXPECT_EQ(stat(kept.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.mode);
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"keep.svg", "link.svg"}));
        RemoveDirectoryTree(folder);
    }
}

} // namespace
} // namespace e2e::arguments
