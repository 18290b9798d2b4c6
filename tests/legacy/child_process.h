// Runs a piece of a test in a child process: for a save that must be cut
// off half-way, and for permission checks that must bind even when the
// tests run as root.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>

namespace wdtest {

// The user and group "nobody" on Debian.
constexpr uid_t kNobody = 65534;

// Runs `body` in a forked child and returns its exit code, 128 + the signal
// that ended it, or -1 when no child could be made. The child never returns
// into the test: it leaves by _exit, so no fixture or leak check runs twice.
// With `unprivileged`, a child of root first becomes "nobody", so that
// permission bits bind it.
inline int inChildProcess(const std::function<int()> &body, bool unprivileged = false)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (unprivileged && ::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(125);
        int code = 126;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

} // namespace wdtest
