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

// A program running beside the test; terminated when the object goes, so a
// failing test leaves nothing behind. Its output goes to files.
class ChildProcess {
  public:
    // program is looked up on PATH when it has no slash.
    ChildProcess(const std::string& program, std::vector<std::string> args,
                 const std::filesystem::path& outPath, const std::filesystem::path& errPath)
    {
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& word : args)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (posix_spawnp(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ChildProcess() { terminate(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

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

    // Waits up to 5 s for a link to a pseudo-terminal.
    static bool awaitLink(const std::filesystem::path& link)
    {
        for (int i = 0; i < 100 && !std::filesystem::is_symlink(link); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return std::filesystem::is_symlink(link);
    }

  private:
    pid_t pid_ = -1;
};

// viraraz simulate running in dir. What it writes on err goes to
// simulate.err in dir.
class Simulator : public ChildProcess {
  public:
    Simulator(const std::filesystem::path& dir, std::vector<std::string> args)
        : ChildProcess(VIRARAZ_PROGRAM, withCommand(dir, std::move(args)), "/dev/null",
                       dir / "simulate.err"),
          errPath_(dir / "simulate.err")
    {
    }

    std::string err() const
    {
        std::ifstream in(errPath_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    static std::vector<std::string> withCommand(const std::filesystem::path& dir,
                                                std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--station-dir", dir.string(), "simulate"});
        return args;
    }

    std::filesystem::path errPath_;
};

} // namespace bv::cli::test
