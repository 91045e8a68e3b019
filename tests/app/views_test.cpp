// The views made without a terminal agree with the results screen: each answer
// set is typed into the headless questionnaire and given as arguments, and the
// rows, the JSON (read by Python's parser) and the plan (read as XML) must show
// what the screen shows.
#include "app/model/screen_texts.h"
#include "app/model/shown_results.h"
#include "app/runs.h"
#include "app/views/markout_text.h"
#include "app/views/plan_view.h"
#include "console/console.h"
#include "tests/golden/golden_screen.h"
#include "tests/headless/headless_console.h"
#include "tests/headless/headless_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// The README's worked examples and the fixed runs of the end-to-end tests.
const Texts kAnswerSets[] = {
    {"5", "4", "n", "4", "0.5", "120"},
    {"4", "3", "Y", "3", "1", "110"},
    {"20", "20", "N", "20", "1", "110"},
    {"5.000000", "4", "n", "4", "0.5", "120"},
    {"5.0000000000", "4", "n", "4", "0.5", "120"},
    {"5", "4", "n", "4", "0.5", "120abc"},
    {"abc", "-3", "N", "", "0.5", "120"},
    {"-3", "4", "n", "4", "0.5", "120"},
};

struct Shown {
    std::string label; // without trailing blanks
    std::string text;
    bool over;
    bool operator==(const Shown&) const = default;
};

std::string TrimmedRight(const std::string& text) {
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// The results as the headless run's final screen shows them.
std::vector<Shown> ScreenResults(const Texts& answers) {
    EXPECT_EQ(RunHeadless(answers), 0);
    const int valueColumn = screen::kAnswerColumn - 1;
    const WORD exceeded = screen::kBackground * 16 + screen::kExceededColour;
    std::vector<Shown> shown;
    int row = 0;
    while (row < 25 && ScreenRow(row).rfind(screen::kResultLabels[0], 0) != 0) {
        ++row;
    }
    for (; row < 25 && ScreenRow(row).rfind("   ", 0) == 0; ++row) {
        const std::string text = ScreenRow(row);
        if (TrimmedRight(text).empty()) {
            break;
        }
        const WORD colour = HeadlessConsole().cells[CellIndex(80, valueColumn, row)].attribute;
        shown.push_back({TrimmedRight(text.substr(0, valueColumn)),
                         TrimmedRight(text.substr(valueColumn)), colour == exceeded});
    }
    return shown;
}

CommandLineRequest Given(const Texts& answers, std::vector<const char*> options = {}) {
    options.insert(options.begin(), "orvane");
    options.push_back("--"); // for the negative answers
    for (const std::string& answer : answers) {
        options.push_back(answer.c_str());
    }
    CommandLineRequest command = ReadCommandLine(static_cast<int>(options.size()), options.data());
    EXPECT_EQ(command.kind, RunKind::givenAnswers) << command.printed.standardError;
    return command;
}

bool SameCells(const std::vector<ScreenCell>& a, const std::vector<ScreenCell>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.character == y.character && x.attribute == y.attribute;
    });
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(Views, RowsShowWhatTheScreenShows) {
    const std::string marker = "  over the maximum ";
    for (const Texts& answers : kAnswerSets) {
        SCOPED_TRACE(answers[0] + " " + answers[5]);
        const std::vector<Shown> expected = ScreenResults(answers);
        ASSERT_GE(expected.size(), 5u);
        const CommandLineRequest command = Given(answers);
        const LayoutResult layout = ComputeLayout(command.answers.set);
        for (const bool colour : {false, true}) {
            std::vector<Shown> rows;
            for (const std::string& line : Lines(GivenAnswersOutput(command, layout, colour))) {
                std::string value = line.substr(screen::kAnswerColumn - 1);
                const bool coloured = value.rfind("\x1b[", 0) == 0;
                EXPECT_EQ(coloured, colour && value.find(marker) != std::string::npos) << line;
                value = value.substr(coloured ? value.find('m') + 1 : 0);
                const std::size_t mark = value.find(marker);
                rows.push_back({TrimmedRight(line.substr(0, screen::kAnswerColumn - 1)),
                                value.substr(0, mark), mark != std::string::npos});
            }
            EXPECT_EQ(rows, expected);
        }
    }
}

bool HavePython() {
    return std::system("python3 -c '' > /dev/null 2>&1") == 0;
}

// Reads each file named on its command line, .json with Python's JSON parser (NaN and
// Infinity, which Python would take, refused as not JSON), the others as XML, and
// prints per result or dimension line four words, then "END":
//   JSON: key, the value's bits as read back ("null" for null), over (0 or 1), text
//   plan: data-key, data-over, the number of over marks, the dimension label
const char* const kReadViews = R"(
import json, struct, sys, xml.etree.ElementTree as tree
def refuse(constant): raise ValueError(constant)
bits = lambda v: "null" if v is None else str(struct.unpack("<Q", struct.pack("<d", v))[0])
ns = "{http://www.w3.org/2000/svg}"
for name in sys.argv[1:]:
    if name.endswith(".json"):
        d = json.load(open(name), parse_constant=refuse)
        print("listeningDistance", bits(d["listeningDistance"]), 0, "-")
        for key, r in d["results"].items():
            print(key, bits(r["value"]), int(r["over"]), r["text"])
    else:
        for g in tree.parse(name).iter(ns + "g"):
            if g.get("class") == "dimension":
                texts = lambda kind: [t.text for t in g.iter(ns + "text") if t.get("class") == kind]
                print(g.get("data-key"), g.get("data-over"), len(texts("over-mark")), *texts("dimension-label"))
    print("END")
)";

struct ParsedLine {
    std::string key, number, flag, text;
};

// The parsed lines of each view, in the order given.
std::vector<std::vector<ParsedLine>> ParsedViews(const std::vector<std::string>& views,
                                                 const std::vector<std::string>& suffixes) {
    std::string command = "python3 -c '" + std::string(kReadViews) + "'";
    // Named for the test, since CTest runs the cases of this file side by side.
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (std::size_t i = 0; i < views.size(); ++i) {
        const std::string file = ::testing::TempDir() + "orvane-view-" + test + "-" +
                                 std::to_string(i) + suffixes[i % suffixes.size()];
        std::ofstream(file, std::ios::binary) << views[i];
        command += " " + file;
    }
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[4096];
    for (std::size_t got; pipe != nullptr && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    std::vector<std::vector<ParsedLine>> parsed(1);
    for (const std::string& line : Lines(output)) {
        if (line == "END") {
            parsed.emplace_back();
            continue;
        }
        std::istringstream in(line);
        ParsedLine p;
        in >> p.key >> p.number >> p.flag >> p.text;
        parsed.back().push_back(p);
    }
    EXPECT_EQ(parsed.size(), views.size() + 1) << "a view did not parse:\n" << output;
    parsed.resize(views.size());
    return parsed;
}

std::string Bits(double value) {
    return std::isfinite(value) ? std::to_string(std::bit_cast<std::uint64_t>(value)) : "null";
}

const std::map<std::string, double LayoutResult::*> kFields = {
    {"frontSurroundSpacing", &LayoutResult::frontSurroundSpacing},
    {"frontSideSpacing", &LayoutResult::frontSideSpacing},
    {"frontListenerSpacing", &LayoutResult::frontListenerSpacing},
    {"listeningDistance", &LayoutResult::listeningDistance},
    {"sidePairSpacing", &LayoutResult::sidePairSpacing},
    {"surroundPairSpacing", &LayoutResult::surroundPairSpacing},
};

// Each answer set's JSON and plan, parsed: the JSON's numbers read back to
// ComputeLayout's bits, its texts and marks are `expected` (in screen order),
// and so are the plan's dimension labels and marks.
void ExpectJsonAndPlan(const std::vector<Texts>& answerSets,
                       const std::vector<std::vector<Shown>>& expected) {
    std::vector<std::string> views;
    std::vector<LayoutResult> layouts;
    for (const Texts& answers : answerSets) {
        const CommandLineRequest command = Given(answers, {"--json"});
        layouts.push_back(ComputeLayout(command.answers.set));
        views.push_back(GivenAnswersOutput(command, layouts.back(), false));
        views.push_back(PlanSvg(command.answers, layouts.back(), "orvane test"));
    }
    const std::vector<std::vector<ParsedLine>> parsed = ParsedViews(views, {".json", ".svg"});
    for (std::size_t i = 0; i < answerSets.size(); ++i) {
        SCOPED_TRACE(answerSets[i][0] + " " + answerSets[i][3] + " " + answerSets[i][5]);
        const std::vector<ParsedLine>& json = parsed[2 * i];
        const std::vector<ParsedLine>& plan = parsed[2 * i + 1];
        const std::vector<Shown>& shown = expected[i];
        ASSERT_EQ(json.size(), shown.size() + 1);
        ASSERT_EQ(plan.size(), shown.size());
        EXPECT_EQ(json[0].number, Bits(layouts[i].listeningDistance));
        for (std::size_t k = 0; k < shown.size(); ++k) {
            SCOPED_TRACE(json[k + 1].key);
            EXPECT_EQ(json[k + 1].number, Bits(layouts[i].*kFields.at(json[k + 1].key)));
            EXPECT_EQ(json[k + 1].flag, shown[k].over ? "1" : "0");
            EXPECT_EQ(json[k + 1].text, shown[k].text);
            EXPECT_EQ(plan[k].key, json[k + 1].key);
            EXPECT_EQ(plan[k].number, shown[k].over ? "true" : "false");
            EXPECT_EQ(plan[k].flag, shown[k].over ? "1" : "0");
            EXPECT_EQ(plan[k].text, shown[k].text);
        }
    }
}

TEST(Views, JsonAndPlanParseAndAgreeWithTheScreen) {
    if (!HavePython()) {
        GTEST_SKIP() << "python3 is not installed";
    }
    std::vector<std::vector<Shown>> screens;
    for (const Texts& answers : kAnswerSets) {
        screens.push_back(ScreenResults(answers));
    }
    ExpectJsonAndPlan({std::begin(kAnswerSets), std::end(kAnswerSets)}, screens);
}

// Infinite and not-a-number results (too long for the screen's row), a zero
// listening distance and a negative surroundRadius: still one valid JSON object,
// null for the numbers, the texts as FormatMask gives them, and a plan that parses.
TEST(Views, NonFiniteAndDegenerateResultsStayValid) {
    if (!HavePython()) {
        GTEST_SKIP() << "python3 is not installed";
    }
    const std::vector<Texts> cases = {
        {"4", "3", "Y", "1e999", "1", "110"},
        {"1e999", "1e999", "N", "1e999", "1e999", "120"},
        {"0", "4", "N", "4", "0.5", "120"},
        {"5", "4", "n", "4", "3", "120"},
    };
    std::vector<std::vector<Shown>> expected;
    for (const Texts& answers : cases) {
        const Answers given = Given(answers).answers;
        expected.emplace_back();
        for (const ShownResult& line : ShownResults(given, ComputeLayout(given.set))) {
            expected.back().push_back({std::string(line.label), line.text, line.over});
        }
    }
    ExpectJsonAndPlan(cases, expected);
}

// An answer in valid UTF-8 comes back as typed; every other byte above 127, and
// every control byte, as its own \u00NN.
TEST(Views, JsonWritesUtf8AnswersAsCharactersAndOtherBytesEscaped) {
    const struct {
        const char* given;
        const char* written;
    } cases[] = {
        {"120\xc2\xb0", "120\xc2\xb0"},
        {"120 \xe2\x82\xac \xf0\x9f\x94\x8a", "120 \xe2\x82\xac \xf0\x9f\x94\x8a"},
        {"120\xb0", "120\\u00b0"},                                  // Latin-1
        {"120\xc2", "120\\u00c2"},                                  // cut short
        {"120\xc0\xb0", "120\\u00c0\\u00b0"},                       // overlong
        {"120\xed\xa0\x80", "120\\u00ed\\u00a0\\u0080"},            // a surrogate
        {"120\xf4\x90\x80\x80", "120\\u00f4\\u0090\\u0080\\u0080"}, // above U+10FFFF
        {"120\x7f\x1b\"\\", "120\\u007f\\u001b\\\"\\\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        const CommandLineRequest command = Given({"5", "4", "n", "4", "0.5", c.given}, {"--json"});
        const std::string json =
            GivenAnswersOutput(command, ComputeLayout(command.answers.set), false);
        EXPECT_NE(json.find("\"given\": \"" + std::string(c.written) + "\""), std::string::npos)
            << json;
    }
}

// The view's text against tests/golden/<file>, or written there when updating.
void ExpectGoldenFile(const std::string& text, const std::string& file) {
    const std::string golden = golden::GoldenFilePath(file);
    if (golden::UpdatingGoldenScreens()) {
        std::ofstream(golden, std::ios::binary) << text;
    }
    std::ifstream in(golden, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, expected) << "rewrite with ORVANE_UPDATE_GOLDEN=1 after looking at it";
}

TEST(Views, PlanOfTheWorkedExampleMatchesItsGoldenFile) {
    const Answers given = Given({"5", "4", "n", "4", "0.5", "120"}).answers;
    ExpectGoldenFile(PlanSvg(given, ComputeLayout(given.set), "orvane 6.0, build golden"),
                     "plan_5_4_n_4_0.5_120.svg");
}

TEST(Views, MarkoutSheetInFeetMatchesItsGoldenFile) {
    const CommandLineRequest command =
        Given({"7.5", "6", "n", "6", "1.5", "135"}, {"--markout", "--unit", "ft"});
    ExpectGoldenFile(GivenAnswersOutput(command, ComputeLayout(command.answers.set), false),
                     "markout_7.5_6_n_6_1.5_135_ft.txt");
}

// The interactive run with --plan: the same screen cell for cell, the plan on
// disk by the time the key is awaited, a failure kept for after the hand-back.
TEST(Views, InteractiveRunDeliversThePlanWithoutChangingTheScreen) {
    const Texts answers = {"4", "3", "Y", "3", "1", "110"};
    ScreenResults(answers);
    const std::vector<ScreenCell> plain = HeadlessConsole().cells;
    const Answers given = Given(answers).answers;
    const std::string svg = PlanSvg(given, ComputeLayout(given.set), ToolAndVersion());
    const std::string svgInCm =
        PlanSvg(given, ComputeLayout(given.set), ToolAndVersion(), LengthUnit::cm);
    const std::string sheet = MarkoutText(given, ComputeLayout(given.set), LengthUnit::cm);
    const std::string file = ::testing::TempDir() + "orvane-interactive-plan.svg";
    const std::string noFile = ::testing::TempDir() + "no-such-directory/plan.svg";
    std::remove(file.c_str());
    struct Case {
        std::string path;
        bool markout; // with --markout --unit cm: the sheet after the hand-back
        int status;
        std::string standardOutput;
        bool errorLine;
    };
    const Case cases[] = {
        {file, false, 0, "", false}, {"-", false, 0, svg, false},   {noFile, false, 1, "", true},
        {"", true, 0, sheet, false}, {file, true, 0, sheet, false}, {"-", true, 0, svgInCm, false},
        {noFile, true, 1, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + (c.markout ? " --markout" : ""));
        StartHeadlessRun();
        TypeAnswers(answers);
        // The first wait without keys is the final key's: look, then press it.
        bool looked = false;
        Recorded().idleHandler = [&] {
            if (!looked) {
                looked = true;
                EXPECT_TRUE(SameCells(HeadlessConsole().cells, plain)) << "the screen changed";
                std::ifstream in(file, std::ios::binary);
                const std::string written((std::istreambuf_iterator<char>(in)), {});
                EXPECT_EQ(written, c.path != file ? "" : c.markout ? svgInCm : svg);
                PushTyping("q");
            }
        };
        CommandLineRequest command;
        command.planPath = c.path;
        command.markout = c.markout;
        command.unit = c.markout ? LengthUnit::cm : LengthUnit::none;
        const CommandLineOutput run = RunInteractive(command, GetModuleHandleA(nullptr));
        Recorded().idleHandler = nullptr;
        EXPECT_TRUE(looked);
        EXPECT_TRUE(SameCells(HeadlessConsole().cells, plain));
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.standardOutput, c.standardOutput);
        EXPECT_EQ(run.standardError.empty(), !c.errorLine) << run.standardError;
        EXPECT_EQ(run.standardError.find('\n'),
                  c.errorLine ? run.standardError.size() - 1 : std::string::npos);
        std::remove(file.c_str());
    }
}

} // namespace
