// The programs hollit and hollit1 as started from a shell: the headless run in
// a station directory, its clean stop on SIGTERM, and the command line. These
// run the real programs on the real clock (a few seconds).

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/base/config_file.h"
#include "support/temp_dir.h"

extern char** environ;

namespace bv {
namespace {

using namespace std::chrono_literals;

// A started program whose standard output and error are read through one pipe.
class Program {
  public:
    Program(const std::string& path, const std::vector<std::string>& args,
            const std::vector<std::string>& environment)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        std::vector<std::string> words{path};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        std::vector<std::string> env = environment;
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        output_ = fds[0];
    }
    ~Program()
    {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0)
            ::close(output_);
    }

    bool started() const { return pid_ > 0; }

    // Reads output until it contains text or timeout passes.
    bool waitForOutput(const std::string& text, std::chrono::milliseconds timeout)
    {
        const auto until = std::chrono::steady_clock::now() + timeout;
        while (text_.find(text) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            if (left <= 0ms || !readSome(static_cast<int>(left.count())))
                return false;
        }
        return true;
    }

    // Sends a signal and waits for the exit; returns the exit status as waitpid gives it.
    int stop(int signalNumber)
    {
        ::kill(pid_, signalNumber);
        return finish();
    }

    int finish()
    {
        while (readSome(-1)) {
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        exited_ = true;
        return status;
    }

    const std::string& output() const { return text_; }

  private:
    // False at the end of the output or when nothing came within timeoutMs.
    bool readSome(int timeoutMs)
    {
        pollfd watch{output_, POLLIN, 0};
        if (::poll(&watch, 1, timeoutMs) <= 0)
            return false;
        char buffer[512];
        const ssize_t n = ::read(output_, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        text_.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int output_ = -1;
    std::string text_;
    bool exited_ = false;
};

// The environment of this test without the variables that give a program a display.
std::vector<std::string> environmentWithoutDisplay()
{
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (text.rfind("DISPLAY=", 0) != 0 && text.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
            text.rfind("QT_QPA_PLATFORM=", 0) != 0)
            env.push_back(text);
    }
    return env;
}

std::vector<std::string> environmentWithDisplay()
{
    std::vector<std::string> env = environmentWithoutDisplay();
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
    return env;
}

TEST(HollitProgram, HeadlessRunTicksAndSavesConfigOnSigterm)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> environment;
    };
    const Case cases[] = {
        {"--headless", {"--headless", "-d"}, environmentWithDisplay()},
        {"no display", {"-d"}, environmentWithoutDisplay()},
    };
    for (const Case& c : cases) {
        testsupport::TempDir station("bv-hollit-headless");
        app::ConfigRecord before;
        before.localTransferEnabled = true;
        before.downloadEnabled = true;
        before.ftpHost = "ftp.example.org";
        ASSERT_FALSE(app::saveConfig(before, station.path()));

        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--station-dir", station.path().string()});
        Program hollit(BV_HOLLIT, args, c.environment);
        ASSERT_TRUE(hollit.started()) << c.name;
        ASSERT_TRUE(hollit.waitForOutput("running without a window", 10s))
            << c.name << ": " << hollit.output();
        std::this_thread::sleep_for(2500ms);
        const int status = hollit.stop(SIGTERM);
        ASSERT_TRUE(WIFEXITED(status)) << c.name << ": " << hollit.output();
        EXPECT_EQ(WEXITSTATUS(status), 0) << c.name;

        std::smatch ticks;
        const std::string& output = hollit.output();
        ASSERT_TRUE(std::regex_search(output, ticks, std::regex("after ([0-9]+) ticks"))) << output;
        EXPECT_GE(std::stoi(ticks[1]), 2) << c.name;
        EXPECT_NE(output.find("config.dat saved"), std::string::npos) << output;

        app::ConfigRecord after;
        ASSERT_EQ(app::loadConfig(after, station.path()), app::ConfigLoad::Loaded);
        EXPECT_EQ(after.ftpHost, "ftp.example.org") << c.name;
        EXPECT_FALSE(after.localTransferEnabled) << c.name; // "-d" reached the saved file
        EXPECT_FALSE(after.downloadEnabled) << c.name;
        EXPECT_EQ(after.stationDir, station.path().string()) << c.name;
    }
}

TEST(HollitProgram, TheTwoBuildsAndTheirCommandLine)
{
    struct Case {
        const char* program;
        std::vector<std::string> args;
        int exitCode;
        std::string says;
    };
    const Case cases[] = {
        {BV_HOLLIT, {"--version"}, 0, "hollit " BV_VERSION " (with dial-up networking)"},
        {BV_HOLLIT1, {"--version"}, 0, "hollit1 " BV_VERSION " (without dial-up networking)"},
        {BV_HOLLIT1, {"--frobnicate"}, 2, "unknown argument '--frobnicate'"},
        {BV_HOLLIT,
         {"--station-dir", "/nonexistent/station"},
         2,
         "cannot enter the station directory /nonexistent/station"},
    };
    for (const Case& c : cases) {
        Program program(c.program, c.args, environmentWithoutDisplay());
        ASSERT_TRUE(program.started());
        const int status = program.finish();
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << c.args[0];
        EXPECT_NE(program.output().find(c.says), std::string::npos) << program.output();
    }
}

} // namespace
} // namespace bv
