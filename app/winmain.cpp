#include "app/winmain.h"

#include "app/layout.h"
#include "app/questionnaire.h"
#include "app/results_screen.h"

int WINMAIN(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    SetUpConsoleWindow(instance);
    ShowBanner();
    const AnswerSet answers = AskQuestions();
    const LayoutResult layout = ComputeLayout(answers);
    ShowResults(answers, layout);
    return 0;
}
