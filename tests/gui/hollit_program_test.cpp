// The programs hollit and hollit1 as started from a shell: the headless and the
// windowed run in a station directory, their clean stop on SIGTERM, the help
// file they leave there, and the command line. These run the real programs on
// the real clock (a few seconds).

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
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

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// N of the headless run's last words "after N ticks of timer 1", or -1.
int ticksReported(const std::string& output)
{
    const std::size_t end = output.find(" ticks of timer 1");
    if (end == std::string::npos || end == 0)
        return -1;
    const std::size_t space = output.rfind(' ', end - 1);
    if (space == std::string::npos)
        return -1;
    return std::atoi(output.substr(space + 1, end - space - 1).c_str());
}

// The help file the programs carry (resources/help/Viraraz.hlp).
std::string shippedHelpFile()
{
    return readFile(std::filesystem::path(BV_HELP_DIR) / "Viraraz.hlp");
}

// config.dat as a user left it, with activities that "-d" switches off.
void writeUsersConfig(const std::filesystem::path& stationDir)
{
    app::ConfigRecord before;
    before.localTransferEnabled = true;
    before.downloadEnabled = true;
    before.ftpHost = "ftp.example.org";
    ASSERT_FALSE(app::saveConfig(before, stationDir));
}

// config.dat as saved at the exit of a run with "-d" in stationDir.
void expectSavedAtExit(const std::filesystem::path& stationDir, const char* run)
{
    app::ConfigRecord after;
    ASSERT_EQ(app::loadConfig(after, stationDir), app::ConfigLoad::Loaded) << run;
    EXPECT_EQ(after.ftpHost, "ftp.example.org") << run;
    EXPECT_FALSE(after.localTransferEnabled) << run; // "-d" reached the saved file
    EXPECT_FALSE(after.downloadEnabled) << run;
    EXPECT_EQ(after.stationDir, stationDir.string()) << run;
}

TEST(HollitProgram, HeadlessRunTicksAndSavesConfigOnSigterm)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> environment;
        const char* usersHelpFile; // nullptr: none, the program gives its own
    };
    const Case cases[] = {
        {"--headless", {"--headless", "-d"}, environmentWithDisplay(), "my own help"},
        {"no display", {"-d"}, environmentWithoutDisplay(), nullptr},
    };
    for (const Case& c : cases) {
        testsupport::TempDir station("bv-hollit-headless");
        writeUsersConfig(station.path());
        const auto helpFile = station.path() / "Viraraz.hlp";
        if (c.usersHelpFile != nullptr)
            std::ofstream(helpFile) << c.usersHelpFile;

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

        const std::string& output = hollit.output();
        EXPECT_GE(ticksReported(output), 2) << c.name << ": " << output;
        EXPECT_NE(output.find("config.dat saved"), std::string::npos) << output;
        expectSavedAtExit(station.path(), c.name);
        EXPECT_EQ(readFile(helpFile),
                  c.usersHelpFile != nullptr ? c.usersHelpFile : shippedHelpFile())
            << c.name;
    }
}

TEST(HollitProgram, WindowedRunSavesConfigOnSigtermAndLeavesTheHelpFile)
{
    testsupport::TempDir station("bv-hollit-window");
    writeUsersConfig(station.path());
    Program hollit1(BV_HOLLIT1,
                    {"-d", "--report-startup", "--station-dir", station.path().string()},
                    environmentWithDisplay());
    ASSERT_TRUE(hollit1.started());
    ASSERT_TRUE(hollit1.waitForOutput("window shown and idle", 30s)) << hollit1.output();
    const int status = hollit1.stop(SIGTERM);
    ASSERT_TRUE(WIFEXITED(status)) << hollit1.output();
    EXPECT_EQ(WEXITSTATUS(status), 0) << hollit1.output();
    EXPECT_NE(hollit1.output().find("hollit1: stopped by signal 15"), std::string::npos)
        << hollit1.output();
    expectSavedAtExit(station.path(), "windowed");

    const std::string help = readFile(station.path() / "Viraraz.hlp");
    EXPECT_EQ(help, shippedHelpFile());
    for (const char* anchor :
         {"<a name=\"contents\">", "<a name=\"topic40\">", "<a name=\"topic90\">"})
        EXPECT_NE(help.find(anchor), std::string::npos) << anchor;
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
