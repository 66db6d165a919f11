#include "platform/linux/spawned_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <thread>

extern char** environ;

namespace bv::platform {
namespace {

// How long a child gets to end after SIGTERM before SIGKILL follows.
constexpr auto kTermGrace = std::chrono::milliseconds(2000);
constexpr auto kReapPoll = std::chrono::milliseconds(10);
constexpr int kSecretFd = 3;
constexpr std::size_t kReadChunk = 4096;

// Both ends of a pipe, closed when the scope ends unless taken.
struct Pipe {
    int read = -1;
    int write = -1;
    bool open() { return ::pipe2(&read, O_CLOEXEC) == 0; }
    ~Pipe()
    {
        for (const int fd : {read, write})
            if (fd >= 0)
                ::close(fd);
    }
};

std::error_code systemError()
{
    return {errno, std::system_category()};
}

std::error_code writeSecret(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemError();
        done += static_cast<std::size_t>(n);
    }
    return {};
}

class SpawnedProcess final : public ChildProcess {
  public:
    SpawnedProcess(pid_t pid, int outputFd) : pid_(pid), output_(outputFd) {}
    ~SpawnedProcess() override
    {
        // A child left running is ended, so no orphan holds a port.
        if (!released_)
            terminate();
        if (output_ >= 0)
            ::close(output_);
    }
    SpawnedProcess(const SpawnedProcess&) = delete;
    SpawnedProcess& operator=(const SpawnedProcess&) = delete;

    bool running() override
    {
        if (pid_ <= 0)
            return false;
        int status = 0;
        const pid_t reaped = ::waitpid(pid_, &status, WNOHANG);
        if (reaped == 0)
            return true;
        if (reaped == pid_ && WIFEXITED(status))
            exitStatus_ = WEXITSTATUS(status);
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

    std::string takeOutput() override
    {
        std::string text;
        if (output_ < 0)
            return text;
        std::array<char, kReadChunk> buffer{};
        for (;;) {
            const ssize_t n = ::read(output_, buffer.data(), buffer.size());
            if (n <= 0)
                break;
            text.append(buffer.data(), static_cast<std::size_t>(n));
        }
        return text;
    }

    int exitStatus() const override { return exitStatus_; }
    void release() override { released_ = true; }

  private:
    pid_t pid_;
    int output_;
    int exitStatus_ = -1;
    bool released_ = false;
};

} // namespace

std::unique_ptr<ChildProcess> SpawningStarter::start(const std::vector<std::string>& words,
                                                     const std::filesystem::path& workingDir,
                                                     std::error_code& error,
                                                     const SpawnOptions& options)
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

    Pipe output;
    Pipe secret;
    if ((options.captureOutput && !output.open()) ||
        (!options.secretOnFd3.empty() && !secret.open())) {
        error = systemError();
        return nullptr;
    }
    if (!options.secretOnFd3.empty()) {
        // Written before the start: a password is far smaller than a pipe.
        error = writeSecret(secret.write, options.secretOnFd3);
        ::close(secret.write);
        secret.write = -1;
        if (error)
            return nullptr;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (options.captureOutput) {
        posix_spawn_file_actions_adddup2(&actions, output.write, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output.write, STDERR_FILENO);
    } else {
        for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
            posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_WRONLY, 0);
    }
    if (!options.secretOnFd3.empty())
        posix_spawn_file_actions_adddup2(&actions, secret.read, kSecretFd);
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
    int outputFd = -1;
    if (options.captureOutput) {
        outputFd = output.read;
        output.read = -1;
        ::fcntl(outputFd, F_SETFL, O_NONBLOCK);
    }
    return std::make_unique<SpawnedProcess>(pid, outputFd);
}

} // namespace bv::platform
