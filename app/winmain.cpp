#include "app/winmain.h"

#include "app/layout.h"
#include "app/plan_file.h"
#include "app/questionnaire.h"
#include "app/results_screen.h"
#include "console/console.h"

int WINMAIN(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunInteractive(CommandLineOutcome{}, instance).exitStatus;
}

CommandLineOutcome RunInteractive(const CommandLineOutcome& command, HINSTANCE instance) {
    SetUpConsoleWindow(instance);
    ShowBanner();
    const AnswerSet answers = AskQuestions();
    const LayoutResult layout = ComputeLayout(answers);
    ShowResultTable(answers, layout);
    const CommandLineOutcome delivered = DeliverPlan(command, answers, layout);
    WaitKey();
    return delivered;
}
