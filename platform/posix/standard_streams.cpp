#include "platform/standard_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// Each closed one gets /dev/null (every system has it, /dev/full not) opened
// the other way round, as glibc fills them for set-user-ID programs: write-only
// as standard input, read-only as standard output and error, so every use
// fails as on a closed descriptor. Taken in order, each opened file gets the
// lowest free number, its own.
void ReserveStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int opened = open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
            if (opened >= 0 && opened != fd) {
                close(opened);
            }
        }
    }
}
