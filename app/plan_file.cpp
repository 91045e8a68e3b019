#include "app/plan_file.h"

#include "app/plan_view.h"
#include "app/view_text.h"
#include "platform/file_save.h"

#include <cstring>

CommandLineOutcome DeliverPlan(const CommandLineOutcome& command, const AnswerSet& answers,
                               const LayoutResult& layout) {
    CommandLineOutcome outcome;
    outcome.runTool = false;
    if (command.planPath.empty()) {
        return outcome;
    }
    const std::string svg = PlanSvg(answers, layout, ToolAndVersion());
    if (command.planPath == "-") {
        outcome.standardOutput = svg;
        return outcome;
    }
    const int cause = SaveFile(command.planPath, svg);
    if (cause != 0) {
        CommandLineOutcome failed;
        failed.runTool = false;
        failed.exitStatus = 1;
        failed.standardError = "orvane: cannot write the plan to '" + ShownBytes(command.planPath) +
                               "': " + std::strerror(cause) + "\n";
        return failed;
    }
    return outcome;
}
