// Runs a piece of a test in a child process: for a save that must be cut
// off half-way, for permission checks that must bind even when the tests
// run as root, and for a second process working beside the test.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>

namespace wdtest {

// The user and group "nobody" on Debian.
constexpr uid_t kNobody = 65534;

// The exit code of a waitpid() status, or 128 + the signal that ended it.
inline int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

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
        if (unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
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
    return exitCodeOf(status);
}

// A child process that runs `body` while the test goes on. The body gets
// the writing end of a pipe: a byte written there (write() is safe in a
// signal handler too) is what waitReady() waits for, so the test knows the
// child has got somewhere. The child leaves by _exit, like inChildProcess;
// one still running when the object goes is killed.
class RunningChild {
public:
    explicit RunningChild(const std::function<int(int readyFd)> &body)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        std::fflush(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            int code = 126;
            try {
                code = body(fds[1]);
            } catch (...) {
            }
            ::_exit(code);
        }
        ::close(fds[1]);
        readFd_ = fds[0];
    }
    ~RunningChild()
    {
        if (running())
            kill();
        if (readFd_ >= 0)
            ::close(readFd_);
    }
    RunningChild(const RunningChild &) = delete;
    RunningChild &operator=(const RunningChild &) = delete;

    bool started() const { return pid_ > 0; }
    // Waits for the child's next byte; false when it ended without one.
    bool waitReady()
    {
        char c;
        ssize_t n;
        while ((n = ::read(readFd_, &c, 1)) < 0 && errno == EINTR) {
        }
        return n == 1;
    }
    // True while the child runs; never waits.
    bool running()
    {
        if (pid_ <= 0 || code_ != kRunning)
            return false;
        int status = 0;
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == 0)
            return true;
        code_ = done == pid_ ? exitCodeOf(status) : -1;
        return false;
    }
    // Waits for the child to end; its exit code as inChildProcess gives it.
    int wait()
    {
        if (pid_ <= 0)
            return -1;
        if (code_ == kRunning) {
            int status = 0;
            while (::waitpid(pid_, &status, 0) < 0)
                if (errno != EINTR)
                    return code_ = -1;
            code_ = exitCodeOf(status);
        }
        return code_;
    }
    // Ends the child with SIGKILL, as a crash or a kill -9 would, and waits.
    int kill()
    {
        if (pid_ > 0 && code_ == kRunning)
            ::kill(pid_, SIGKILL);
        return wait();
    }

private:
    static constexpr int kRunning = -2;
    pid_t pid_ = -1;
    int readFd_ = -1;
    int code_ = kRunning;
};

}  // namespace wdtest
