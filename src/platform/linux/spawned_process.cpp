#include "platform/linux/spawned_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace bv::platform {
namespace {

// How long a child gets to end after SIGTERM before SIGKILL follows.
constexpr auto kTermGrace = std::chrono::milliseconds(2000);
constexpr auto kReapPoll = std::chrono::milliseconds(10);

class SpawnedProcess final : public ChildProcess {
  public:
    explicit SpawnedProcess(pid_t pid) : pid_(pid) {}
    ~SpawnedProcess() override
    {
        // A child left running is ended, so no orphan holds the port.
        terminate();
    }

    bool running() override
    {
        if (pid_ <= 0)
            return false;
        int status = 0;
        const pid_t reaped = ::waitpid(pid_, &status, WNOHANG);
        if (reaped == 0)
            return true;
        pid_ = 0; // ended (or not ours any more): forget the id
        return false;
    }

    bool terminate() override
    {
        if (!running())
            return false;
        ::kill(-pid_, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + kTermGrace;
        while (std::chrono::steady_clock::now() < deadline) {
            if (!running())
                return true;
            std::this_thread::sleep_for(kReapPoll);
        }
        ::kill(-pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
        return true;
    }

  private:
    pid_t pid_;
};

} // namespace

std::unique_ptr<ChildProcess> SpawningStarter::start(const std::vector<std::string>& words,
                                                     const std::filesystem::path& workingDir,
                                                     std::error_code& error)
{
    error.clear();
    if (words.empty()) {
        error = std::make_error_code(std::errc::invalid_argument);
        return nullptr;
    }
    std::vector<std::string> copies = words;
    std::vector<char*> argv;
    for (std::string& word : copies)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                         fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    if (!workingDir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);

    pid_t pid = 0;
    const bool search = words[0].find('/') == std::string::npos;
    const int result =
        search ? posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ)
               : posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        error = {result, std::generic_category()};
        return nullptr;
    }
    return std::make_unique<SpawnedProcess>(pid);
}

} // namespace bv::platform
