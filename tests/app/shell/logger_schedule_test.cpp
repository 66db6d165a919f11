#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "app/base/event_log.h"
#include "app/shell/logger_schedule.h"
#include "platform/linux/spawned_process.h"
#include "shell_dialog_fixture.h"
#include "support/temp_dir.h"

namespace bv::app::test {
namespace {

namespace fs = std::filesystem;

TEST(LoggerCommand, SplitsWordsAndRunsInTheProgramsDirectory)
{
    const struct {
        std::string text;
        std::vector<std::string> words;
        std::string workingDir;
    } rows[] = {
        {"/opt/darnex/darnex4 -d /srv/wx/station",
         {"/opt/darnex/darnex4", "-d", "/srv/wx/station"},
         "/opt/darnex"},
        {"\"/opt/my logger/run\" -c 'a b'", {"/opt/my logger/run", "-c", "a b"}, "/opt/my logger"},
        {"darnex4 -d", {"darnex4", "-d"}, "/srv/station"},
        {"  /bin/log\\ ger  x\\\"y ", {"/bin/log ger", "x\"y"}, "/bin"},
        {"/bin/run \"open", {}, "/srv/station"},
        {"", {}, "/srv/station"},
    };
    for (const auto& row : rows) {
        const LoggerCommand command = parseLoggerCommand(row.text, "/srv/station");
        EXPECT_EQ(command.words, row.words) << row.text;
        EXPECT_EQ(command.workingDir, row.workingDir) << row.text;
    }
}

std::string readText(const fs::path& path)
{
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    return text;
}

// The schedule on virtual time, starting a real program: a script that notes
// its working directory and process id beside its own directory, then sleeps.
class LoggerScheduleTest : public ShellDialogTest {
  protected:
    LoggerScheduleTest()
    {
        fs::create_directories(programDir);
        config.loggerEnabled = Flag(true);
        config.loggerDays = {Flag(true), Flag(true),  Flag(true), Flag(true),
                             Flag(true), Flag(false), Flag(false)}; // Monday to Friday
        config.loggerStartMin = 2 * 60;
        config.loggerEndMin = 3 * 60;
        config.stationDir = dir.path().string();
        const fs::path script = programDir / "logger.sh";
        std::ofstream(script) << "#!/bin/sh\npwd > ../pwd\necho $$ > ../pid\nexec sleep 60\n";
        fs::permissions(script, fs::perms::owner_all);
        // An argument holding a path must not move the working directory.
        config.loggerCommand = script.string() + " -d /srv/wx/station";
    }

    // Sets the clock to a weekday (0 = Sunday) and time, and ticks once.
    void tickAt(int weekday, int hour, int minute)
    {
        // 6 December 2026 is a Sunday.
        time.setLocalTime({2026, 12, 6 + weekday, hour, minute, 0, 0, weekday});
        schedule.loggerTick();
    }

    pid_t startedPid()
    {
        for (int i = 0; i < 300 && readText(dir.path() / "pid").empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return static_cast<pid_t>(std::stoi(readText(dir.path() / "pid")));
    }

    testsupport::TempDir dir;
    fs::path programDir = dir.path() / "logger";
    ConfigRecord config;
    EventLog eventLog{dir.path(), time, regional};
    platform::SpawningStarter starter;
    LoggerSchedule schedule{config, gate, time, starter, eventLog, shell};
};

TEST_F(LoggerScheduleTest, WindowCoversTheTickedDaysFromStartToEndInclusive)
{
    const struct {
        int weekday, hour, minute;
        bool in;
    } rows[] = {
        {1, 2, 0, true},   {1, 1, 59, false}, {3, 3, 0, true},  {5, 3, 1, false},
        {6, 2, 30, false}, {0, 2, 30, false}, {2, 2, 30, true},
    };
    for (const auto& row : rows) {
        time.setLocalTime({2026, 12, 6 + row.weekday, row.hour, row.minute, 0, 0, row.weekday});
        EXPECT_EQ(schedule.inLoggerWindow(), row.in)
            << row.weekday << " " << row.hour << ":" << row.minute;
    }
    config.loggerDays = {};
    config.loggerDays[6] = Flag(true); // Sunday only
    time.setLocalTime({2026, 12, 6, 2, 30, 0, 0, 0});
    EXPECT_TRUE(schedule.inLoggerWindow());
}

TEST_F(LoggerScheduleTest, RunsTheProgramInTheWindowAndHoldsOffAutomaticWork)
{
    gate.setHeld(GateHolder::SettingsDialog, true);
    tickAt(1, 2, 0);
    EXPECT_FALSE(schedule.loggerRunning()) << "a dialog is open: wait";
    gate.setHeld(GateHolder::SettingsDialog, false);
    tickAt(1, 2, 1);
    ASSERT_TRUE(schedule.loggerRunning());
    const pid_t pid = startedPid();
    EXPECT_EQ(readText(dir.path() / "pwd"), programDir.string());
    EXPECT_FALSE(gate.allowed());

    gate.setHeld(GateHolder::User, true); // the toolbar toggle meanwhile
    tickAt(1, 3, 0);
    EXPECT_TRUE(schedule.loggerRunning());
    tickAt(1, 3, 1);
    EXPECT_FALSE(schedule.loggerRunning());
    EXPECT_EQ(::kill(pid, 0), -1) << "the program has ended";
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1) << "and was reaped";
    EXPECT_FALSE(gate.allowed()) << "the user's hold stays";
    gate.setHeld(GateHolder::User, false);
    EXPECT_TRUE(gate.allowed());
}

TEST_F(LoggerScheduleTest, SwitchingTheScheduleOffStopsTheProgramAtTheNextTick)
{
    tickAt(2, 2, 30);
    ASSERT_TRUE(schedule.loggerRunning());
    const pid_t pid = startedPid();
    config.loggerEnabled = Flag(false);
    tickAt(2, 2, 31);
    EXPECT_FALSE(schedule.loggerRunning());
    EXPECT_TRUE(gate.allowed());
    EXPECT_EQ(::kill(pid, 0), -1);
}

TEST_F(LoggerScheduleTest, AFailedStartStillHoldsTheWindowAndIsReported)
{
    config.loggerCommand = (programDir / "missing-logger").string();
    tickAt(4, 2, 0);
    EXPECT_TRUE(schedule.loggerRunning());
    EXPECT_FALSE(gate.allowed());
    tickAt(4, 3, 5);
    EXPECT_TRUE(gate.allowed());
    std::vector<std::string> lines;
    std::ifstream log(eventLog.path());
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[0].find("Error.Unable to terminate to Darnex4 program."), std::string::npos);
    EXPECT_NE(lines[1].find("Error.Unable start to Brisvane program."), std::string::npos);
    EXPECT_NE(ui.statusText().find("Error.Unable to terminate to Darnex4 program."),
              std::string::npos);
}

} // namespace
} // namespace bv::app::test
