#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace bv::cli::test {

// viraraz simulate running in dir; terminated when the object goes, so a
// failing test leaves no server behind. What it writes on err goes to
// simulate.err in dir.
class Simulator {
  public:
    Simulator(const std::filesystem::path& dir, std::vector<std::string> args)
        : errPath_(dir / "simulate.err")
    {
        args.insert(args.begin(), {VIRARAZ_PROGRAM, "--station-dir", dir.string(), "simulate"});
        std::vector<char*> argv;
        for (auto& word : args)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (posix_spawn(&pid_, VIRARAZ_PROGRAM, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Simulator() { terminate(); }
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    bool started() const { return pid_ > 0; }
    // SIGTERM, then the exit status (-1 when it did not exit normally).
    int terminate()
    {
        if (pid_ <= 0)
            return -1;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string err() const
    {
        std::ifstream in(errPath_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Waits up to 5 s for the link to the pseudo-terminal.
    static bool awaitLink(const std::filesystem::path& link)
    {
        for (int i = 0; i < 100 && !std::filesystem::is_symlink(link); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return std::filesystem::is_symlink(link);
    }

  private:
    std::filesystem::path errPath_;
    pid_t pid_ = -1;
};

} // namespace bv::cli::test
