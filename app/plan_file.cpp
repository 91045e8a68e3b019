#include "app/plan_file.h"

#include "app/plan_view.h"
#include "app/view_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// 0 when the whole text reached the file, else the errno of the first failure.
int WriteFile(const std::string& path, const std::string& text) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return errno != 0 ? errno : EIO;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int cause = written ? 0 : (errno != 0 ? errno : EIO);
    // A full disk may show only when the buffer is flushed on closing.
    if (std::fclose(file) != 0 && cause == 0) {
        cause = errno != 0 ? errno : EIO;
    }
    return cause;
}

} // namespace

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
    const int cause = WriteFile(command.planPath, svg);
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
