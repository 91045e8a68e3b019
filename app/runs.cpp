#include "app/runs.h"

#include "app/flow/winmain.h"
#include "app/views/json_view.h"
#include "app/views/markout_text.h"
#include "app/views/plan_view.h"
#include "app/views/result_rows.h"
#include "app/views/view_text.h"
#include "console/console.h"
#include "platform/file_save.h"
#include "platform/output_colour.h"

#include <cstdlib>
#include <cstring>

namespace {

// NO_COLOR set to anything but the empty text turns colour off, as on the screen.
bool ColourWanted() {
    const char* noColour = std::getenv("NO_COLOR");
    return (noColour == nullptr || *noColour == '\0') && StandardOutputTakesColour();
}

} // namespace

std::string GivenAnswersOutput(const CommandLineRequest& request, const LayoutResult& layout,
                               bool colour) {
    if (request.planPath == "-") {
        return "";
    }
    if (request.json) {
        return LayoutJson(request.answers, layout, ToolAndVersion(), request.unit);
    }
    if (request.markout) {
        return MarkoutText(request.answers, layout, request.unit);
    }
    return ResultRowsText(request.answers, layout, colour);
}

CommandLineOutput AnswerWithoutTerminal(const CommandLineRequest& request) {
    const LayoutResult layout = ComputeLayout(request.answers.set, request.answers.angle);
    CommandLineOutput output = DeliverPlan(request.planPath, request.answers, layout, request.unit);
    if (output.status == 0) {
        output.standardOutput += GivenAnswersOutput(request, layout, ColourWanted());
    }
    return output;
}

CommandLineOutput RunInteractive(const CommandLineRequest& request, HINSTANCE instance) {
    const ShownLayout shown = RunToResults(instance);
    CommandLineOutput delivered =
        DeliverPlan(request.planPath, shown.answers, shown.layout, request.unit);
    WaitKey();
    // The sheet waits for the hand-back with the plan; a plan on standard output has it alone.
    if (request.markout && delivered.status == 0 && request.planPath != "-") {
        delivered.standardOutput = MarkoutText(shown.answers, shown.layout, request.unit);
    }
    return delivered;
}

CommandLineOutput DeliverPlan(const std::string& planPath, const Answers& answers,
                              const LayoutResult& layout, LengthUnit unit) {
    if (planPath.empty()) {
        return {};
    }
    const std::string svg = PlanSvg(answers, layout, ToolAndVersion(), unit);
    if (planPath == "-") {
        return {0, svg, ""};
    }
    const int cause = SaveFile(planPath, svg);
    if (cause != 0) {
        return {1, "",
                "orvane: cannot write the plan to '" + ShownBytes(planPath) +
                    "': " + std::strerror(cause) + "\n"};
    }
    return {};
}
