// The entry on POSIX: the arguments are the bytes the shell passed, UTF-8
// under a UTF-8 locale.
#include "app/program_start.h"

int main(int argc, char* argv[]) {
    return StartProgram(argc, argv);
}
