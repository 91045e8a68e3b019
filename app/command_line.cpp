#include "app/command_line.h"

#include "app/help_closing.h"
#include "app/model/screen_texts.h"
#include "app/views/view_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

// getopt_long rather than a parser of our own or a library: glibc, macOS, the
// BSDs and MinGW-w64 all have it, so it adds no dependency (the program may
// depend only on the standard library and the platform), and users meet the
// option syntax they know from other tools (--plan=FILE, -hV, --vers, "--").
#include <getopt.h>

namespace {

constexpr int kStatusUsageError = 2;

// Values of the long options that have no short form, beyond every character.
constexpr int kJsonOption = 256;
constexpr int kPlanOption = 257;
constexpr int kMarkoutOption = 258;
constexpr int kUnitOption = 259;

// ":" first: a missing file name comes back as ':' (with optopt naming --plan) rather
// than as an unknown option.
// No "+": options may follow the answers (orvane 5 4 n 4 0.5 120 --json), as with
// most GNU tools. No option starts with a digit or a dot, so an argument that does
// after its dash is a negative answer (see HideNegativeAnswers).
constexpr const char* kShortOptions = ":hV";
const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"json", no_argument, nullptr, kJsonOption},
    {"plan", required_argument, nullptr, kPlanOption},
    {"markout", no_argument, nullptr, kMarkoutOption},
    {"unit", required_argument, nullptr, kUnitOption},
    {nullptr, 0, nullptr, 0},
};

constexpr std::string_view kAnswersUsage = "orvane [--json] [--plan FILE] [--] ANSWER1 ... ANSWER6";

// The argument as the user can read it back, in quotes.
std::string Quoted(std::string_view argument) {
    return "'" + ShownBytes(argument) + "'";
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    return start == std::string_view::npos ? "" : text.substr(start, end - start + 1);
}

CommandLineRequest Refused(std::string message) {
    CommandLineRequest request;
    request.kind = RunKind::print;
    request.printed = {kStatusUsageError, "", "orvane: " + message + "\n"};
    return request;
}

CommandLineRequest Printed(std::string text) {
    CommandLineRequest request;
    request.kind = RunKind::print;
    request.printed.standardOutput = std::move(text);
    return request;
}

// The long name of the option whose value getopt_long answers with.
std::string_view LongName(int value) {
    for (const option& known : kLongOptions) {
        if (known.name != nullptr && known.val == value) {
            return known.name;
        }
    }
    return "";
}

// The option getopt_long refused. A long option's argument always counts as used
// up, so it is the one before optind; a short one is named by its letter, since
// getopt may still stand inside a group such as -xV. A known long option refused
// is one given a value it does not take (--json=1): optopt names it then.
CommandLineRequest RefusedOption(const std::vector<char*>& arguments) {
    const bool isLong = optopt == 0 || optopt == 'h' || optopt == 'V' || optopt >= kJsonOption;
    if (isLong && optopt != 0) {
        return Refused("option '--" + std::string(LongName(optopt)) +
                       "' takes no value; try 'orvane --help'");
    }
    if (isLong) {
        return Refused("unknown option " + Quoted(arguments[static_cast<std::size_t>(optind - 1)]) +
                       "; try 'orvane --help'");
    }
    const char letter = static_cast<char>(optopt);
    return Refused("unknown option " + Quoted(std::string("-") + letter) + "; try 'orvane --help'");
}

// "-3", "-.5", "-1e3": a dash, then a digit or a dot.
bool ReadsAsNegativeNumber(std::string_view argument) {
    return argument.size() >= 2 && argument[0] == '-' &&
           (std::isdigit(static_cast<unsigned char>(argument[1])) != 0 || argument[1] == '.');
}

// getopt_long would take "-3" for an option: it is handed a copy without the
// dash, which it takes for an answer, and Restored gives the argument back.
struct HiddenAnswers {
    std::vector<std::string> copies; // reserved for every argument, so never moved
    std::vector<char*> originals;    // in step with copies
};

void HideNegativeAnswers(std::vector<char*>& arguments, HiddenAnswers& hidden) {
    hidden.copies.reserve(arguments.size());
    for (char*& argument : arguments) {
        if (argument != nullptr && ReadsAsNegativeNumber(argument)) {
            hidden.originals.push_back(argument);
            hidden.copies.emplace_back(argument + 1);
            argument = hidden.copies.back().data();
        }
    }
}

char* Restored(char* argument, const HiddenAnswers& hidden) {
    for (std::size_t i = 0; i < hidden.copies.size(); ++i) {
        if (argument == hidden.copies[i].data()) {
            return hidden.originals[i];
        }
    }
    return argument;
}

// "orvane: answer 3 (Is the surround ... [Y/N]?) was 'yes': You must respond either Y or N"
CommandLineRequest RefusedAnswer(int number, std::string_view prompt, std::string_view given,
                                 std::string_view error) {
    return Refused("answer " + std::to_string(number) + " (" + std::string(Trimmed(prompt)) +
                   ") was " + Quoted(given) + ": " + std::string(Trimmed(error)));
}

// Six answers, read and checked by the questionnaire's rules.
CommandLineRequest GivenAnswers(CommandLineRequest request, const std::vector<char*>& given) {
    if (given.size() != kAnswerCount) {
        return Refused("six answers needed, " + std::to_string(given.size()) +
                       " given; usage: " + std::string(kAnswersUsage));
    }
    AnswerTexts texts;
    std::copy(given.begin(), given.end(), texts.begin());
    request.answers = ReadAnswers(texts);
    if (request.answers.refused == kYesNoAnswer) {
        return RefusedAnswer(kYesNoAnswer, screen::kFixedPrompt, texts[2], screen::kYesNoError);
    }
    if (request.answers.refused == kAngleAnswer) {
        return RefusedAnswer(kAngleAnswer, screen::kAnglePrompt, texts[5], screen::kAngleError);
    }
    request.kind = RunKind::givenAnswers;
    return request;
}

} // namespace

CommandLineRequest ReadCommandLine(int argc, const char* const argv[]) {
    // getopt_long reorders the array it is given (never the texts): a copy of
    // our own, ending in the null pointer it looks for, with a name in front.
    static char kName[] = "orvane";
    static char kEmpty[] = "";
    std::vector<char*> arguments = {kName};
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(argv[i] != nullptr ? const_cast<char*>(argv[i]) : kEmpty);
    }
    const int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    HiddenAnswers hidden;
    HideNegativeAnswers(arguments, hidden);

    // Its state is global: 0 asks glibc, the BSDs, macOS and MinGW alike for a
    // fresh start, so that every call reads its own arguments; the messages are ours.
    optind = 0;
    opterr = 0;
    CommandLineRequest request;
    for (;;) {
        const int option =
            getopt_long(count, arguments.data(), kShortOptions, kLongOptions, nullptr);
        if (option == -1) {
            break;
        }
        if (option == 'h') {
            return Printed(UsageText());
        }
        if (option == 'V') {
            return Printed(VersionText());
        }
        if (option == kJsonOption) {
            request.json = true;
        } else if (option == kPlanOption && optarg != nullptr && *optarg != '\0') {
            request.planPath = Restored(optarg, hidden);
        } else if (option == kPlanOption || (option == ':' && optopt == kPlanOption)) {
            // ':' alone is no proof: the BSDs' and MinGW's getopt_long also answer it for
            // an option that takes no value and was given one (--json=1).
            return Refused("--plan needs a file name ('-' for standard output); "
                           "try 'orvane --help'");
        } else if (option == kMarkoutOption) {
            request.markout = true;
        } else if (option == kUnitOption || (option == ':' && optopt == kUnitOption)) {
            const bool given = option == kUnitOption && optarg != nullptr;
            const std::string name = given ? Restored(optarg, hidden) : "";
            const std::optional<LengthUnit> unit = ReadLengthUnit(name);
            if (!unit) {
                return Refused((!given ? std::string("--unit needs a unit name")
                                       : "unknown unit " + Quoted(name)) +
                               "; the units are " + std::string(AcceptedUnitNames()));
            }
            request.unit = *unit;
        } else {
            return RefusedOption(arguments);
        }
    }
    std::vector<char*> given(arguments.begin() + optind, arguments.begin() + count);
    for (char*& answer : given) {
        answer = Restored(answer, hidden);
    }
    if (given.empty() && !request.json) {
        return request; // the questionnaire, with the plan when asked for
    }
    return GivenAnswers(std::move(request), given);
}

std::string UsageText() {
    return "Usage: orvane\n"
           "       orvane [--markout] [--unit NAME] [--plan FILE]\n"
           "       " +
           std::string(kAnswersUsage) +
           "\n"
           "       orvane --markout [--unit NAME] [--plan FILE] [--] ANSWER1 ... ANSWER6\n"
           "       orvane --help | --version\n"
           "\n"
           "Asks six questions about your listening room and shows where to place the\n"
           "six speakers of a 6.0 surround layout: the listening distance and the\n"
           "spacings to measure out, in the unit you answer in.\n"
           "\n"
           "Given the six answers as arguments, in the order the questions ask them\n"
           "(front-back maximum, side-side maximum, Y/N, surround spacing, height,\n"
           "angle), it asks nothing and needs no terminal: it prints the results as\n"
           "the screen shows them, one a line, a value over its maximum marked\n"
           "\"over the maximum\". A refused answer ends with one line on standard\n"
           "error and status 2. A negative answer (-3, -.5) is an answer, not an\n"
           "option; after -- every argument is an answer.\n"
           "\n"
           "  --json         print the answers and results as one JSON object instead\n"
           "  --plan FILE    also draw the layout into FILE as an SVG picture (top and\n"
           "                 side view); with - the picture alone goes to standard\n"
           "                 output; without answers, FILE is written once the\n"
           "                 results are on the screen\n"
           "  --markout      print the marking-out sheet instead of the rows: steps\n"
           "                 that put every speaker's mark on the floor with a tape\n"
           "                 alone, the tapes that check them, the heights and the\n"
           "                 receiver's distance; without answers, it is printed once\n"
           "                 the terminal is handed back (--json always holds it)\n"
           "  --unit NAME    the unit of the answers, m, cm, mm, ft or in, named on\n"
           "                 the sheet and the plan; with ft or in its lengths also\n"
           "                 in feet, inches and sixteenths (2' 4 3/8\")\n"
           "  -h, --help     show this help and exit\n"
           "  -V, --version  show the version and exit\n"
           "\n"
           "Examples:\n"
           "  orvane 5 4 n 4 0.5 120\n"
           "  orvane --json 4 3 Y 3 1 110\n"
           "  orvane --plan room.svg 5 4 n 4 0.5 120\n"
           "  orvane --markout --unit ft 7.5 6 n 6 1.5 120\n"
           "  orvane -- -3 4 n 4 0.5 120\n"
           "\n"
           "Start it without answers in a terminal of 80 x 25 or larger.\n" +
           std::string(HelpClosingLine());
}

std::string VersionText() {
    return std::string("orvane 6.0, build ") + BuildVersion() + "\n";
}

std::string ToolAndVersion() {
    std::string text = VersionText();
    text.pop_back();
    return text;
}

int WriteOutput(const CommandLineOutput& output) {
    std::fputs(output.standardError.c_str(), stderr);
    const bool written = std::fwrite(output.standardOutput.data(), 1, output.standardOutput.size(),
                                     stdout) == output.standardOutput.size();
    // The stream's error too: a C runtime may report a failed flush only there.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !written) {
        std::fputs("orvane: cannot write to standard output\n", stderr);
        return 1;
    }
    return output.status;
}
