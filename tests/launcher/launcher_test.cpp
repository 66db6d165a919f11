#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "launcher/launch_plan.h"
#include "support/temp_dir.h"

namespace bv::launcher {
namespace {

namespace fs = std::filesystem;

TEST(LaunchPlan, ChoosesTheBuildAndPassesOnTheSwitch)
{
    struct Row {
        bool dialUp;
        std::string_view tail;
        std::string_view command;
        int exitCode;
    };
    const Row rows[] = {
        {true, "/x -D", "hollit -d", 1},     {false, "", "hollit1 ", -1},
        {false, "-debug", "hollit1 -d", -1}, {true, "", "hollit ", 1},
        {true, "x-dy", "hollit -d", 1},      {false, "/d -x D", "hollit1 ", -1},
    };
    for (const Row& row : rows) {
        const LaunchPlan plan = planLaunch(row.dialUp, row.tail);
        EXPECT_EQ(plan.commandText(), row.command) << row.tail;
        EXPECT_EQ(plan.exitCode(), row.exitCode) << row.tail;
    }
    EXPECT_EQ(planLaunch(true, "").missingProgramText(),
              "Unable to find the file hollit.exe. Make sure it is in the same directory.");
    EXPECT_EQ(commandTail({"/x", "-D"}), "/x -D");
}

void writeFile(const fs::path& path, std::string_view text, fs::perms mode = fs::perms::owner_all)
{
    std::ofstream(path) << text;
    fs::permissions(path, mode);
}

TEST(LaunchPlan, DialUpNeedsAnExecutablePppdAndAPeersDirectory)
{
    testsupport::TempDir dir;
    const fs::path pppd = dir.path() / "pppd";
    const fs::path peers = dir.path() / "peers";
    EXPECT_FALSE(dialUpAvailable(pppd, peers)); // neither
    writeFile(pppd, "#!/bin/sh\n", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(peers);
    EXPECT_FALSE(dialUpAvailable(pppd, peers)); // pppd not executable
    fs::permissions(pppd, fs::perms::owner_all);
    EXPECT_TRUE(dialUpAvailable(pppd, peers));
    EXPECT_FALSE(dialUpAvailable(pppd, pppd));   // peers is a file
    EXPECT_FALSE(dialUpAvailable(peers, peers)); // pppd is a directory
}

// A fake build that records its path and arguments in "ran-<name>" beside it.
void writeFakeBuild(const fs::path& dir, std::string_view name)
{
    writeFile(dir / name, "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > \"$(dirname \"$0\")/ran-" +
                              std::string(name) + ".tmp\"\nmv \"$(dirname \"$0\")/ran-" +
                              std::string(name) + ".tmp\" \"$(dirname \"$0\")/ran-" +
                              std::string(name) + "\"\n");
}

std::string waitForFile(const fs::path& path)
{
    for (int i = 0; i < 500 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Started {
    int exitCode = 0;
    std::string err;
};

// Runs a copy of the launcher from workDir with no display, so an error box
// becomes a line on stderr.
Started runLauncher(const fs::path& launcher, const fs::path& workDir, std::string_view args)
{
    const fs::path errFile = workDir / "stderr.txt";
    const std::string command =
        "cd '" + workDir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
        launcher.string() + "' " + std::string(args) + " 2>'" + errFile.string() + "'";
    const int status = std::system(command.c_str());
    Started started;
    started.exitCode = WIFEXITED(status) ? static_cast<signed char>(WEXITSTATUS(status)) : 99;
    started.err = waitForFile(errFile);
    return started;
}

TEST(Launcher, StartsTheBuildBesideItselfNeverOneInTheCurrentDirectory)
{
    testsupport::TempDir installed;
    testsupport::TempDir current;
    const fs::path launcher = installed.path() / "brisvane-viraraz";
    fs::copy_file(BV_LAUNCHER, launcher);
    for (const std::string_view name : {"hollit", "hollit1"}) {
        writeFakeBuild(installed.path(), name);
        writeFakeBuild(current.path(), name); // decoys
    }
    const LaunchPlan plan = planLaunch(dialUpAvailable(), "-debug");

    const Started started = runLauncher(launcher, current.path(), "-debug");
    EXPECT_EQ(started.exitCode, plan.exitCode());
    EXPECT_EQ(waitForFile(installed.path() / ("ran-" + plan.program)),
              (installed.path() / plan.program).string() + "\n-d\n");
    EXPECT_FALSE(fs::exists(current.path() / ("ran-" + plan.program)));
    EXPECT_EQ(started.err, "");
}

TEST(Launcher, ReportsAMissingBuildAndDoesNotTryTheOther)
{
    testsupport::TempDir installed;
    const fs::path launcher = installed.path() / "brisvane-viraraz";
    fs::copy_file(BV_LAUNCHER, launcher);
    const LaunchPlan plan = planLaunch(dialUpAvailable(), "");
    const std::string other = plan.program == "hollit" ? "hollit1" : "hollit";
    writeFakeBuild(installed.path(), other);

    const Started started = runLauncher(launcher, installed.path(), "");
    EXPECT_EQ(started.exitCode, plan.exitCode());
    EXPECT_EQ(started.err,
              "Error Starting Viraraz: " + std::string(plan.missingProgramText()) + "\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fs::exists(installed.path() / ("ran-" + other)));
}

} // namespace
} // namespace bv::launcher
