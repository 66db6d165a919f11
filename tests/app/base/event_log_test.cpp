#include "app/base/event_log.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::app {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// "old 0\n" ... "old n-1\n": line 0 is the newest.
std::string numberedLog(int n, const char* eol = "\n")
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "old " + std::to_string(i) + eol;
    return text;
}

class EventLogTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        log.emplace(dir, time, regional);
        log->setChangeListener([this] { ++notifications; });
    }

    fs::path logFile() const { return dir / "event.log"; }

    // 21 June 2000, 2:05 pm, month-day-year with '/' and a 12-hour clock.
    testsupport::VirtualTime time{{2000, 6, 21, 14, 5, 0, 0, 3}};
    units::RegionalSettings regional{units::DateOrder::MonthDayYear, '/', false, ':'};
    testsupport::TempDir tempDir{"bv-eventlog"};
    const fs::path dir = tempDir.path();
    std::optional<EventLog> log;
    int notifications = 0;
};

TEST_F(EventLogTest, FirstEventCreatesTheLogWithOneStampedLine)
{
    ASSERT_EQ(log->logEvent("Hanging up Dialup connection."), 0);
    EXPECT_EQ(readFile(logFile()), "  6/21/00  2:05p Hanging up Dialup connection.\n");
    EXPECT_FALSE(fs::exists(dir / "event.tmp"));
    EXPECT_EQ(notifications, 1);
}

TEST_F(EventLogTest, MessagesKeepTheirOwnBlanks)
{
    ASSERT_EQ(log->logEvent(" Dialup aborted by user. "), 0);
    EXPECT_EQ(readFile(logFile()), "  6/21/00  2:05p  Dialup aborted by user. \n");
}

TEST_F(EventLogTest, LineBreaksInAMessageKeepItOneStampedLine)
{
    ASSERT_EQ(log->logEvent("first"), 0);
    ASSERT_EQ(log->logEvent("550 No such file.\r\n550 Try again.\n"), 0);
    EXPECT_EQ(readFile(logFile()),
              "  6/21/00  2:05p 550 No such file.  550 Try again. \n  6/21/00  2:05p first\n");
}

TEST_F(EventLogTest, TimeStampFollowsTheRegionalFormats)
{
    regional = {units::DateOrder::YearMonthDay, '-', true, '.'};
    time.setLocalTime({2031, 1, 2, 9, 7, 0, 0, 4});
    ASSERT_EQ(log->logEvent("x"), 0);
    EXPECT_EQ(readFile(logFile()), " 31-01-02  9.07 x\n");
}

TEST_F(EventLogTest, NewestLineComesFirst)
{
    ASSERT_EQ(log->logEvent("first"), 0);
    time.advance(60'000);
    ASSERT_EQ(log->logEvent("second"), 0);
    EXPECT_EQ(readFile(logFile()), "  6/21/00  2:06p second\n  6/21/00  2:05p first\n");
    EXPECT_EQ(notifications, 2);
}

TEST_F(EventLogTest, LogEventIdUsesTheStringTable)
{
    ASSERT_EQ(log->logEventId(40190), 0);
    EXPECT_EQ(readFile(logFile()),
              "  6/21/00  2:05p Station Communication Error. Check station settings.\n");
}

TEST_F(EventLogTest, CapKeepsTheNewest10001Lines)
{
    // As after 10001 earlier events: two more leave the 10001 newest.
    writeFile(logFile(), numberedLog(10001));
    ASSERT_EQ(log->logEvent("a"), 0);
    ASSERT_EQ(log->logEvent("b"), 0);
    const auto got = lines(readFile(logFile()));
    ASSERT_EQ(got.size(), 10001u);
    EXPECT_EQ(got[0], "  6/21/00  2:05p b");
    EXPECT_EQ(got[1], "  6/21/00  2:05p a");
    EXPECT_EQ(got[2], "old 0");
    EXPECT_EQ(got.back(), "old 9998");
    EXPECT_EQ(readFile(logFile()).back(), '\n');
}

TEST_F(EventLogTest, WindowsLineEndsAreReadAndWrittenBackAsLineFeeds)
{
    writeFile(logFile(), numberedLog(3, "\r\n"));
    ASSERT_EQ(log->logEvent("new"), 0);
    EXPECT_EQ(readFile(logFile()), "  6/21/00  2:05p new\nold 0\nold 1\nold 2\n");
}

TEST_F(EventLogTest, LongLinesCountAsSeveralAgainstTheCap)
{
    const std::string longLine(300, 'L'); // three pieces: 148, 148, 4 and the line end
    writeFile(logFile(), longLine + "\n" + numberedLog(10000));
    ASSERT_EQ(log->logEvent("new"), 0);
    const auto got = lines(readFile(logFile()));
    ASSERT_EQ(got.size(), 1u + 1u + 9997u);
    EXPECT_EQ(got[1], longLine);
    EXPECT_EQ(got.back(), "old 9996");
}

TEST_F(EventLogTest, StaleTemporaryFileIsReplaced)
{
    writeFile(logFile(), "old 0\n");
    writeFile(dir / "event.tmp", "left over from a crash\n");
    ASSERT_EQ(log->logEvent("new"), 0);
    EXPECT_EQ(readFile(logFile()), "  6/21/00  2:05p new\nold 0\n");
    EXPECT_FALSE(fs::exists(dir / "event.tmp"));
}

TEST_F(EventLogTest, UncreatableTemporaryFileKeepsTheOldLog)
{
    writeFile(logFile(), numberedLog(5));
    fs::create_directory(dir / "event.tmp");
    EXPECT_EQ(log->logEvent("lost"), -1);
    EXPECT_EQ(readFile(logFile()), numberedLog(5));
    EXPECT_EQ(notifications, 0);
}

TEST_F(EventLogTest, UnreadableLogIsNotReplaced)
{
    fs::create_directory(logFile()); // opens, but every read fails
    EXPECT_EQ(log->logEvent("lost"), -1);
    EXPECT_TRUE(fs::is_directory(logFile()));
    EXPECT_FALSE(fs::exists(dir / "event.tmp"));
    EXPECT_EQ(notifications, 0);
}

TEST_F(EventLogTest, MissingStationDirectoryFails)
{
    EventLog elsewhere(dir / "no-such-dir", time, regional);
    EXPECT_EQ(elsewhere.logEvent("lost"), -1);
}

TEST_F(EventLogTest, FullDiskHalfWayThroughTheWriteKeepsTheOldLog)
{
    const std::string old = numberedLog(10001);
    writeFile(logFile(), old);
    // A child process whose files may not grow past 4 KiB: the write of the
    // new log fails part-way, as on a full disk.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::_Exit(log->logEvent("lost") == -1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "logEvent did not report the failed write";
    EXPECT_EQ(readFile(logFile()), old);
    EXPECT_FALSE(fs::exists(dir / "event.tmp"));
}

struct PieceCase {
    const char* name;
    std::string oldLog;
    std::size_t maxPieces;
    std::string copied;
};

class CopyLogPiecesTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(CopyLogPiecesTest, Copies)
{
    std::string out = "top\n";
    copyLogPieces(GetParam().oldLog, GetParam().maxPieces, out);
    EXPECT_EQ(out, "top\n" + GetParam().copied);
}

const std::string k148(148, 'x');
const std::string k150(150, 'y');

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyLogPiecesTest,
    ::testing::Values(PieceCase{"Empty", "", 5, ""},
                      PieceCase{"StopsAtTheCap", "a\nb\nc\n", 2, "a\nb\n"},
                      PieceCase{"CrLfBecomesLf", "a\r\nb\r\n", 5, "a\nb\n"},
                      PieceCase{"LoneCarriageReturnStays", "a\rb\n", 5, "a\rb\n"},
                      PieceCase{"LastLineWithoutLineEnd", "a\nb", 5, "a\nb"},
                      PieceCase{"ExactPieceLengthTakesTwo", k148 + "\nz\n", 2, k148 + "\n"},
                      PieceCase{"LongLineCutAtTheCap", k150 + "\nz\n", 1, k150.substr(0, 148)},
                      PieceCase{"LongLineWhole", k150 + "\nz\n", 3, k150 + "\nz\n"},
                      PieceCase{"BlankLinesArePieces", "\n\n\nq\n", 3, "\n\n\n"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace bv::app
