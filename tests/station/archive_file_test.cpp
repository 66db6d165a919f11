#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "archive_records.h"
#include "station/archive_download.h"
#include "station/archive_file.h"
#include "station/archive_text.h"
#include "support/temp_dir.h"

namespace bv::station::testing {
namespace {

const platform::WallTime kNow{2026, 3, 20, 10, 0, 0, 0, 5};

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::uint8_t> memoryOf(const std::vector<std::vector<std::uint8_t>>& records,
                                   std::size_t bytes)
{
    std::vector<std::uint8_t> memory;
    for (const auto& r : records)
        memory.insert(memory.end(), r.begin(), r.end());
    memory.resize(bytes, 0);
    return memory;
}

std::string writtenFile(const StationModel& model, const std::vector<std::uint8_t>& memory,
                        const DumpPlan& plan, const ArchiveDecoding& decoding)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "download.txt";
    const auto lines = archiveLines(memory, plan, model, decoding, kNow, {});
    const ArchiveFileResult result =
        writeArchiveFile(path, ArchiveFileMode::Replace, archiveHeader(model.family), lines, {});
    EXPECT_FALSE(result.error) << result.error.message();
    return readFile(path);
}

TEST(ArchiveTextFile, TirrelRecordsMatchTheGoldenFile)
{
    TirrelRecordFields leaf{.barometer = 29920,
                            .humidity = 55,
                            .wind = 10,
                            .highWind = 22,
                            .direction = 4,
                            .rainTips = 25,
                            .soil = 7,
                            .air = 725,
                            .hour = 14,
                            .minute = 30,
                            .day = 12,
                            .month = 3,
                            .highAir = 801,
                            .lowAir = 650,
                            .degreeDays = 123,
                            .et = 15,
                            .windRun = 42,
                            .solar = 650,
                            .energy = 123,
                            .rainRate = 5};
    TirrelRecordFields markers{.hour = 23, .minute = 45, .day = 31, .month = 12};
    TirrelRecordFields frost{.barometer = 30150,
                             .humidity = 99,
                             .wind = 30,
                             .highWind = 45,
                             .direction = 15,
                             .rainTips = 300,
                             .soil = 400,
                             .air = -45,
                             .hour = 9,
                             .minute = 30,
                             .day = 20,
                             .month = 3,
                             .highAir = -20,
                             .lowAir = -80,
                             .degreeDays = -5,
                             .et = 0,
                             .windRun = 900,
                             .solar = 0,
                             .energy = 0,
                             .rainRate = 0};
    const auto memory =
        memoryOf({tirrelRecord(leaf), tirrelRecord(markers), tirrelRecord(frost)}, 128);
    EXPECT_EQ(writtenFile(stationModels()[5], memory, {0, 3, 1}, tirrelDecoding()),
              readFile(BV_GOLDEN_DIR "/archive_tirrel.txt"));
}

TEST(ArchiveTextFile, ClassicRecordsMatchTheGoldenFile)
{
    ClassicRecordFields mild{.barometer = 29920,
                             .insideHum = 0,
                             .outsideHum = 64,
                             .rainTips = 12,
                             .inside = 700,
                             .outside = 620,
                             .wind = 0,
                             .direction = 8,
                             .highOutside = 655,
                             .highWind = 3,
                             .hour = 14,
                             .minute = 30,
                             .day = 12,
                             .month = 3,
                             .lowOutside = 600};
    ClassicRecordFields noHigh{.insideHum = 150, .outside = 500, .wind = 5, .highWind = 9};
    const auto memory = memoryOf({classicRecord(mild), classicRecord(noHigh)}, 128);
    EXPECT_EQ(writtenFile(stationModels()[1], memory, {0, 2, 1}, classicDecoding()),
              readFile(BV_GOLDEN_DIR "/archive_classic.txt"));
}

TEST(ArchiveTextFile, AWrappedRingIsWrittenOldestFirstWithoutUnwrittenRecords)
{
    const StationModel& model = stationModels()[4];
    auto at = [](int day, int hour) {
        return tirrelRecord({.air = 600, .hour = hour, .minute = 0, .day = day, .month = 3});
    };
    std::vector<std::uint8_t> memory(32768, 0); // never written: month 0
    const auto last = at(10, 8);
    std::copy(last.begin(), last.end(), memory.begin() + 1014 * 32);
    const auto first = at(10, 9);
    std::copy(first.begin(), first.end(), memory.begin());
    const auto second = at(10, 10);
    std::copy(second.begin(), second.end(), memory.begin() + 32);
    const auto lines = archiveLines(memory, {1014, 1015, 256}, model, tirrelDecoding(), kNow, {});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text.substr(0, 18), " 3-10-2026\t 8:00a\t");
    EXPECT_EQ(lines[1].text.substr(0, 18), " 3-10-2026\t 9:00a\t");
    EXPECT_EQ(lines[2].text.substr(0, 18), " 3-10-2026\t10:00a\t");
}

TEST(ArchiveTextFile, RecordsWithoutAYearTakeThisYearOrTheOneBefore)
{
    struct Case {
        int nowMonth;
        int recordMonth;
        int year;
    };
    for (const Case c : {Case{1, 12, 2025}, Case{1, 1, 2026}, Case{6, 6, 2026}, Case{6, 7, 2025},
                         Case{12, 11, 2026}}) {
        const platform::WallTime now{2026, c.nowMonth, 15, 12, 0, 0, 0, 0};
        EXPECT_EQ(recordTime({c.recordMonth, 1, 0, 0}, now).year, c.year)
            << c.recordMonth << " in " << c.nowMonth;
    }
}

// Appending: lines stamped 12 March 2026 at the given times.
std::vector<ArchiveLine> marchLines(std::initializer_list<std::pair<int, int>> times)
{
    std::vector<ArchiveLine> lines;
    for (const auto& [hour, minute] : times) {
        ArchiveLine line;
        line.stamp = units::DateTime(3, 12, 2026);
        line.stamp.setTime(hour, minute);
        line.text = "rec " + std::to_string(hour) + ":" + std::to_string(minute) + "\n";
        lines.push_back(line);
    }
    return lines;
}

TEST(ArchiveTextFile, AppendingAddsOnlyWhatIsLaterThanTheLastDatedLine)
{
    const std::string header = archiveHeader(StationFamily::Classic);
    struct Case {
        const char* name;
        std::string before;
        std::string added;
    };
    const std::string last = " 3-12-2026\t 2:30p\t1\t2\n";
    const Case cases[] = {
        {"empty file", "", header + "rec 14:0\nrec 14:30\nrec 15:0\n"},
        {"last line 14:30", header + " 3-11-2026\t 9:00p\t1\n" + last, "rec 15:0\n"},
        {"short lines after it", last + "\n\n", "rec 15:0\n"},
        {"a dashed line after it", last + "----\t----\t1\n", "rec 15:0\n"},
        {"header only", header, "rec 14:0\nrec 14:30\nrec 15:0\n"},
        {"last line without its line feed", last + " 3-12-2026\t 3:00p\t1",
         "\nrec 15:0\n"}, // a line cut short does not count: its record comes again
        {"carriage returns", " 3-12-2026\t 2:30p\t1\r\n", "rec 15:0\n"},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const auto path = dir.path() / "a.txt";
        if (!c.before.empty() || std::string(c.name) != "empty file")
            writeFile(path, c.before);
        const auto result = writeArchiveFile(path, ArchiveFileMode::Append, header,
                                             marchLines({{14, 0}, {14, 30}, {15, 0}}), {});
        EXPECT_FALSE(result.error) << c.name;
        EXPECT_EQ(readFile(path), c.before + c.added) << c.name;
    }
}

TEST(ArchiveTextFile, AFileThatCannotBeWrittenIsAnErrorAndLeavesWhatWasThere)
{
    testsupport::TempDir dir;
    const auto lines = marchLines({{14, 0}});
    for (const ArchiveFileMode mode : {ArchiveFileMode::Append, ArchiveFileMode::Replace}) {
        const auto missing =
            writeArchiveFile(dir.path() / "Download" / "a.txt", mode, "h\n", lines, {});
        EXPECT_TRUE(missing.error);
        EXPECT_EQ(missing.linesWritten, 0);
    }
    const auto full = writeArchiveFile("/dev/full", ArchiveFileMode::Append, "h\n", lines, {});
    EXPECT_TRUE(full.error) << "a full disk";
    EXPECT_EQ(full.linesWritten, 0);
}

} // namespace
} // namespace bv::station::testing
