#include "tests/process/process_figures.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/time.h>
#include <unistd.h>
#include <vector>

ProcessFigures ReadProcessFigures(pid_t pid) {
    ProcessFigures figures;
    const std::string folder = "/proc/" + std::to_string(pid);
    std::ifstream stat(folder + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) {
        return figures;
    }
    // Fields after the command name, which may itself hold blanks: state is the
    // first, utime and stime the 12th and 13th.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::vector<std::string> values{std::istream_iterator<std::string>(fields), {}};
    if (values.size() < 13) {
        return figures;
    }
    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    figures.cpuSeconds = (std::stod(values[11]) + std::stod(values[12])) / tick;
    std::ifstream status(folder + "/status");
    while (std::getline(status, line)) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            figures.contextSwitches += std::stol(line.substr(line.find(':') + 1));
        }
    }
    figures.ok = true;
    return figures;
}

bool RunningProcessFiguresKnown() {
    return access("/proc/self/stat", R_OK) == 0;
}

Spell MeasureSpell(const PtyChild& child, double seconds) {
    Spell spell;
    const ProcessFigures before = ReadProcessFigures(child.pid);
    const auto start = std::chrono::steady_clock::now();
    DrainUntil(child.master, nullptr, After(seconds));
    const ProcessFigures after = ReadProcessFigures(child.pid);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    spell.ok = before.ok && after.ok && wall > 0;
    spell.cpuShare = (after.cpuSeconds - before.cpuSeconds) / wall;
    spell.wakeUpsPerSecond =
        static_cast<double>(after.contextSwitches - before.contextSwitches) / wall;
    return spell;
}

double LifeCpuShare(const PtyChild& child, const rusage& usage) {
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - child.started).count();
    return wall > 0 ? (seconds(usage.ru_utime) + seconds(usage.ru_stime)) / wall : 1;
}
