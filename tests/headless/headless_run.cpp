#include "tests/headless/headless_run.h"

#include "app/flow/winmain.h"
#include "console/console.h"
#include "tests/headless/headless_console.h"

void StartHeadlessRun(int width, int height) {
    StartHeadlessConsole(width, height);
    StartConsole();
}

void TypeAnswers(const std::vector<std::string>& answers) {
    for (const std::string& answer : answers) {
        PushTyping(answer);
        PushKey({VK_RETURN, 0x1C, 13, 0});
    }
}

int RunTypedAhead(const std::vector<std::string>& answers) {
    TypeAnswers(answers);
    PushTyping("q");
    return WINMAIN(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), 10);
}

int RunHeadless(const std::vector<std::string>& answers) {
    StartHeadlessRun();
    return RunTypedAhead(answers);
}
