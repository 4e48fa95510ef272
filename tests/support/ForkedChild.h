#pragma once

#include <cstdio>
#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

// Forked children for the tests that need a second program or a crash. A
// child reports through its exit code only and never returns into the test
// runner.
namespace orvex::test {

// Exit code of a child that could not give up root.
inline constexpr int kCannotDropRoot = 77;

inline pid_t startChild(const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 98;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    return pid;
}

// The child's wait status.
inline int waitChild(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return status;
}

inline int runInChild(const std::function<int()>& body) { return waitChild(startChild(body)); }

// Permission bits stop nothing for root, so a child that must meet them runs
// as the unprivileged user "nobody" instead.
inline bool dropRoot()
{
    if (::geteuid() != 0)
        return true;
    constexpr uid_t nobody = 65534;
    return ::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0;
}

} // namespace orvex::test
