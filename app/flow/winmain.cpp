#include "app/flow/winmain.h"

#include "app/flow/questionnaire.h"
#include "app/flow/results_screen.h"
#include "app/flow/window_setup.h"
#include "console/console.h"

int WINMAIN(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RunToResults(instance);
    WaitKey();
    return 0;
}

ShownLayout RunToResults(HINSTANCE instance) {
    SetUpConsoleWindow(instance);
    ShowBanner();
    const Answers answers = AskQuestions();
    const LayoutResult layout = ComputeLayout(answers.set, answers.angle);
    ShowResultTable(answers, layout);
    return {answers, layout};
}
