#include "platform/shell/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvex::platform {
namespace {

// posix_spawn's attributes and file actions, freed on every way out.
class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawnattr_init(&attributes_);
        // The program must not inherit signals blocked in this process.
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes_, &none);
        // A group of its own, so that a helper that hangs can be killed with
        // everything it started.
        posix_spawnattr_setpgroup(&attributes_, 0);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t* actions() { return &actions_; }

    // The errno of a failed start, else 0.
    int spawn(const std::vector<std::string>& arguments, pid_t& child)
    {
        if (arguments.empty() || arguments.front().empty())
            return ENOENT;
        std::vector<char*> argv;
        argv.reserve(arguments.size() + 1);
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        return posix_spawnp(&child, argv[0], &actions_, &attributes_, argv.data(), environ);
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

using Clock = std::chrono::steady_clock;

int exitStatusOf(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int waitFor(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return exitStatusOf(status);
}

// The child's exit status once it ends before `deadline`; nullopt if it is
// still running then.
std::optional<int> waitUntil(pid_t child, Clock::time_point deadline)
{
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child)
            return exitStatusOf(status);
        if (ended < 0 && errno != EINTR)
            return -1;
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Kills the child's whole group and collects the child.
void killGroup(pid_t child)
{
    kill(-child, SIGKILL);
    waitFor(child);
}

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1000));
}

// A pipe whose ends are not handed to unrelated children started meanwhile.
bool closeOnExecPipe(int (&ends)[2])
{
    if (pipe(ends) != 0)
        return false;
    for (const int end : ends)
        fcntl(end, F_SETFD, FD_CLOEXEC);
    return true;
}

} // namespace

CapturedRun runAndCapture(const std::vector<std::string>& arguments, std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    CapturedRun run;
    int ends[2];
    if (!closeOnExecPipe(ends)) {
        run.startError = errno;
        return run;
    }
    SpawnSetup setup;
    posix_spawn_file_actions_adddup2(setup.actions(), ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(setup.actions(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    run.startError = setup.spawn(arguments, child);
    close(ends[1]);
    if (run.startError != 0) {
        close(ends[0]);
        return run;
    }
    // Reads until the end of the output or the deadline: a helper that
    // hangs, or leaves a process holding the pipe, must not hang the window.
    char buffer[4096];
    bool ended = false;
    while (!ended && Clock::now() < deadline) {
        pollfd ready{ends[0], POLLIN, 0};
        const int polled = poll(&ready, 1, millisecondsUntil(deadline));
        if (polled < 0 && errno != EINTR)
            break;
        if (polled <= 0)
            continue;
        const ssize_t n = read(ends[0], buffer, sizeof buffer);
        if (n > 0)
            run.output.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            ended = true;
    }
    close(ends[0]);
    const std::optional<int> status = ended ? waitUntil(child, deadline) : std::nullopt;
    if (!status) {
        killGroup(child);
        run.timedOut = true;
        return run;
    }
    run.exitStatus = *status;
    return run;
}

Launch startWatched(const std::vector<std::string>& arguments, std::chrono::milliseconds limit)
{
    Launch launch;
    SpawnSetup setup;
    pid_t child = 0;
    launch.startError = setup.spawn(arguments, child);
    if (launch.startError != 0)
        return launch;
    if (const std::optional<int> status = waitUntil(child, Clock::now() + limit)) {
        launch.exitStatus = *status;
        return launch;
    }
    // The browser may run for hours; only its exit status is collected, so
    // that it leaves no zombie behind.
    launch.running = true;
    std::thread([child] { waitFor(child); }).detach();
    return launch;
}

} // namespace orvex::platform
