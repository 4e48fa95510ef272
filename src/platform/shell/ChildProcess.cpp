#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <thread>

#include <fcntl.h>
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
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK);
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

int waitFor(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

CapturedRun runAndCapture(const std::vector<std::string>& arguments)
{
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
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(ends[0], buffer, sizeof buffer);
        if (n > 0)
            run.output.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(ends[0]);
    run.exitStatus = waitFor(child);
    return run;
}

int startDetached(const std::vector<std::string>& arguments)
{
    SpawnSetup setup;
    pid_t child = 0;
    if (const int error = setup.spawn(arguments, child); error != 0)
        return error;
    // The browser may run for hours; only its exit status is collected, so
    // that it leaves no zombie behind.
    std::thread([child] { waitFor(child); }).detach();
    return 0;
}

} // namespace orvex::platform
