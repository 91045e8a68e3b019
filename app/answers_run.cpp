#include "app/answers_run.h"

#include "app/json_view.h"
#include "app/plan_file.h"
#include "app/questionnaire.h"
#include "app/result_rows.h"
#include "platform/floating_point.h"
#include "platform/output_colour.h"

#include <array>
#include <cstdlib>

namespace {

// NO_COLOR set to anything but the empty text turns colour off, as on the screen.
bool ColourWanted() {
    const char* noColour = std::getenv("NO_COLOR");
    return (noColour == nullptr || *noColour == '\0') && StandardOutputTakesColour();
}

} // namespace

AnswerSet GivenAnswerSet(const CommandLineOutcome& command) {
    const std::vector<std::string>& given = command.answers;
    return ReadAnswers(
        {given[0], given[1], NormalisedYesNo(given[2]), given[3], given[4], given[5]});
}

std::string GivenAnswersOutput(const CommandLineOutcome& command, const AnswerSet& answers,
                               const LayoutResult& layout, bool colour) {
    if (command.planPath == "-") {
        return "";
    }
    if (command.json) {
        const std::vector<std::string>& given = command.answers;
        return LayoutJson({given[0], given[1], given[2], given[3], given[4], given[5]}, answers,
                          layout, ToolAndVersion());
    }
    return ResultRowsText(answers, layout, colour);
}

int AnswerWithoutTerminal(const CommandLineOutcome& command) {
    if (command.answers.size() != 6 || command.exitStatus != 0) {
        return WriteCommandLineOutcome(command);
    }
    // The same settings as the interactive run, so that every bit agrees with the screen.
    SetFloatingPointControl();
    const AnswerSet answers = GivenAnswerSet(command);
    const LayoutResult layout = ComputeLayout(answers);
    CommandLineOutcome outcome = DeliverPlan(command, answers, layout);
    if (outcome.exitStatus == 0) {
        outcome.standardOutput += GivenAnswersOutput(command, answers, layout, ColourWanted());
    }
    return WriteCommandLineOutcome(outcome);
}
