// A small program for end-to-end tests of stop and continue: it leaves raw
// mode on ("raw") or switches it off ("cooked", as a program that lets the
// terminal edit whole lines would), shows "   <mode>, waiting" and then
// "   key <c>" for each printable key it reads, until it reads 'q'. In mode
// "fault" the key 'f' makes a real memory fault (a write to a read-only page).
#include "console/console.h"
#include "platform/posix/terminal.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A page of a file mapped for reading only: anonymous mappings are not in POSIX 2008.
void WriteToReadOnlyPage() {
    char path[] = "/tmp/orvane-fault-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        return;
    }
    unlink(path);
    const long size = sysconf(_SC_PAGESIZE);
    void* page = ftruncate(fd, size) == 0
                     ? mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_SHARED, fd, 0)
                     : MAP_FAILED;
    close(fd);
    if (page != MAP_FAILED) {
        *static_cast<volatile char*>(page) = 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "raw";
    if (StartTerminalConsole().cause != TerminalRefusalCause::None) {
        std::fputs("mode_driver: no terminal\n", stderr);
        return 1;
    }
    StartConsole();
    SetColor(0, 15);
    ClearScreen();
    if (mode == "cooked") {
        SetTerminalRawMode(false);
    }
    PrintText("   " + mode + ", waiting");
    NewLine();
    for (;;) {
        const unsigned char key = NextCharacter();
        if (key >= 32 && key < 127) {
            PrintText(std::string("   key ") + static_cast<char>(key));
            NewLine();
        }
        if (key == 'f' && mode == "fault") {
            WriteToReadOnlyPage();
        }
        if (key == 'q') {
            break;
        }
    }
    StopTerminalConsole();
    return 0;
}
