// Runs a program as the foreground job of the terminal it is started in, as a
// shell with job control does, but keeps waiting while the job is stopped
// where a shell would take the terminal back. So a test can stop the job with
// kill -TSTP and continue it with kill -CONT while it keeps the terminal.
// (Without a job of its own the program's process group would be orphaned,
// and the kernel drops stop signals sent to an orphaned group.)
//
// Usage: job_host PIDFILE PROGRAM [ARGUMENTS...]. Writes the job's process
// number to PIDFILE and exits with its status, or 128 + n when signal n ended it.
#include <cerrno>
#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    std::signal(SIGTTOU, SIG_IGN); // to hand the terminal over from the background
    const pid_t job = fork();
    if (job < 0) {
        return 2;
    }
    if (job == 0) {
        setpgid(0, 0);
        tcsetpgrp(STDIN_FILENO, getpgrp());
        std::signal(SIGTTOU, SIG_DFL);
        execv(argv[2], argv + 2);
        _exit(127);
    }
    setpgid(job, job);
    tcsetpgrp(STDIN_FILENO, job);
    std::ofstream(argv[1]) << job << '\n';
    int status = 0;
    while (waitpid(job, &status, 0) < 0 && errno == EINTR) {
    }
    tcsetpgrp(STDIN_FILENO, getpgrp());
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}
