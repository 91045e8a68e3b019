// The entry on Windows. wmain (linked with -municode) takes the command line
// as typed, in UTF-16: a narrow main would get it through the ANSI code page,
// whose best-fit mapping turns a full-width "－－plan" into an option and
// "１２０" into a number, and a name such as "東京.svg" into "??.svg". The
// program gets UTF-8, as on POSIX, so every answer and path is the same text
// on every system.
#include "app/program_start.h"

#include "windows_console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// CP_UTF8 has no best fit: a lone surrogate becomes U+FFFD, never a look-alike.
std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string converted(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
    converted.pop_back(); // the terminating zero
    return converted;
}

// "/?" asks for the help, as of Windows' own tools; not as the value of --plan,
// nor after "--", where it is an answer (and refused as one).
std::vector<std::string> TypedArguments(int argc, const wchar_t* const argv[]) {
    std::vector<std::string> arguments;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        std::string argument = Utf8(argv[i] != nullptr ? argv[i] : L"");
        const bool planValue = !arguments.empty() && arguments.back() == "--plan";
        if (i > 0 && !optionsEnded && !planValue && argument == "/?") {
            argument = "--help";
        }
        optionsEnded = optionsEnded || (i > 0 && !planValue && argument == "--");
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

} // namespace

extern "C" int wmain(int argc, wchar_t* argv[]) {
    // Rows, JSON and the plan on standard output are the bytes the POSIX build
    // writes, lines ending in LF, whether they go to a file, a pipe or the console.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<std::string> arguments = TypedArguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    return StartProgram(static_cast<int>(pointers.size()), pointers.data());
}
