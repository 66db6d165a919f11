#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "paging/alarm_codes.h"
#include "paging/pager_entry.h"
#include "paging/send_queue.h"
#include "support/temp_dir.h"

namespace bv::paging {
namespace {

void writeFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PagerEntryLine, WrittenInTheFileFormatAndReadBack)
{
    PagerEntry entry;
    entry.name = "Storm";
    entry.kind = EntryKind::Telephone;
    entry.connectDelaySec = 6;
    entry.beeps = 3;
    entry.number = "5551234";
    const std::string line = formatPagerLine(entry);
    EXPECT_EQ(line, "Storm\t\t\t\t\t2\t6\t3\t5551234\t0\t\x01\x02\x01\x02\t2\t");
    EXPECT_EQ(parsePagerLine(line), entry);
    EXPECT_EQ(entryNameOf(line), "Storm");
    // Fields end at blanks as well as tabs.
    EXPECT_EQ(parsePagerLine("Storm 2 6 3 5551234 0 \x01\x02\x01\x02 2"), entry);
}

TEST(PagerEntryLine, MalformedAndOverLongLinesAreNoEntries)
{
    const std::string name49(49, 'n');
    const std::string good = "\t\t\t\t\t0\t6\t0\t1234\t0\t\x01\x02\x01\x02\t2\t";
    ASSERT_TRUE(parsePagerLine(name49 + good));
    const std::string bad[] = {
        name49 + "n" + good,                                   // name of 50
        "My Pager" + good,                                     // a blank in the name
        "P\t\t\t\t\t4\t6\t0\t1234\t0\t\x01\x02\x01\x02\t2\t",  // kind 4
        "P\t\t\t\t\t0\t6x\t0\t1234\t0\t\x01\x02\x01\x02\t2\t", // not a number
        "P\t\t\t\t\t0\t-6\t0\t1234\t0\t\x01\x02\x01\x02\t2\t", // negative delay
        "P\t\t\t\t\t0\t6\t0\t1234\t0\t\x01\x02\x01\t2\t",      // three code bytes
        "P\t\t\t\t\t0\t6\t0\t1234\t0\t\x01\x02\x01\x02\t",     // no access delay
        "P\t\t\t\t\t0\t6\t0\t" + std::string(50, '9') + "\t0\t\x01\x02\x01\x02\t2\t",
        "P" + good + std::string(250, ' '), // over 250 characters
        "",
    };
    for (const std::string& line : bad)
        EXPECT_EQ(parsePagerLine(line), std::nullopt) << line;
}

TEST(PagerFile, SkipsAndLogsLinesThatAreNoEntries)
{
    testsupport::TempDir dir;
    const auto file = dir.path() / kPagerFileName;
    writeFile(file, "A\t\t\t\t\t0\t6\t0\t1\t0\t\x01\x02\x01\x02\t2\t\r\n" + std::string(5000, 'x') +
                        "\nB\t\t\t\t\t1\t6\t0\t2\t77\t\x02\x03\x03\x02\t2\t\n");
    std::vector<std::string> log;
    const auto lines = readPagerFile(file, [&log](const std::string& s) { log.push_back(s); });
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0].text, "A\t\t\t\t\t0\t6\t0\t1\t0\t\x01\x02\x01\x02\t2\t");
    EXPECT_EQ((*lines)[1].entry.access, "77");
    EXPECT_EQ((*lines)[1].entry.advanced.baudRate, AdvancedSettings::kBaud2400);
    EXPECT_EQ(log, std::vector<std::string>{"Skipped line 2 of pager.dat: not a pager entry."});
    EXPECT_EQ(readPagerFile(dir.path() / "none.dat", nullptr), std::nullopt);

    ASSERT_TRUE(writePagerFile(file, {(*lines)[1].text, (*lines)[0].text}));
    EXPECT_EQ(readFile(file), (*lines)[1].text + "\n" + (*lines)[0].text + "\n");
}

TEST(AlarmCodesFile, ThirteenCodesOfTwentyCharacters)
{
    testsupport::TempDir dir;
    const auto file = dir.path() / kAlarmCodesFileName;
    writeFile(file, "11\r\n" + std::string(30, '7') + "\n\n44\n");
    const auto codes = readAlarmCodes(file);
    ASSERT_TRUE(codes);
    EXPECT_EQ((*codes)[0], "11");
    EXPECT_EQ((*codes)[1], std::string(20, '7'));
    EXPECT_EQ((*codes)[2], "");
    EXPECT_EQ((*codes)[3], "44");
    EXPECT_EQ((*codes)[12], "");
    EXPECT_EQ(readAlarmCodes(dir.path() / "none.dat"), std::nullopt);

    ASSERT_TRUE(writeAlarmCodes(file, *codes));
    EXPECT_EQ(readFile(file), "11\n" + std::string(20, '7') + "\n\n44\n" + std::string(9, '\n'));
}

TEST(AlarmCodesFile, CodesValidForTheEntryKind)
{
    EXPECT_EQ(pageCode("12 *3", EntryKind::Numeric), "12 *3");
    EXPECT_EQ(pageCode("12 *3", EntryKind::Telephone), "12 *3");
    EXPECT_EQ(pageCode("HOT1", EntryKind::Numeric), "9999");
    EXPECT_EQ(pageCode("HOT 1*", EntryKind::AlphaNumeric), "HOT 1*");
    EXPECT_EQ(pageCode("HOT-1", EntryKind::AlphaNumeric), "9999");
    EXPECT_EQ(pageCode("", EntryKind::AlphaNumeric), "9999");
}

// A page line longer than any fixed buffer keeps the pairs in step.
TEST(SendQueue, ReadsWholeLinesPairByPair)
{
    testsupport::TempDir dir;
    const auto file = dir.path() / kSendQueueFileName;
    const std::string a = "A\t\t\t\t\t0\t6\t0\t1\t0\t\x01\x02\x01\x02\t2\t";
    const std::string b = "B\t\t\t\t\t1\t6\t0\t2\t0\t\x01\x02\x01\x02\t2\t";
    {
        SendQueueWriter writer(file);
        ASSERT_TRUE(writer.isOpen());
        writer.add(a, "1*" + std::string(400, '5') + "*#,,,;ATH0\r\n");
        writer.add("garbage", "1-Alarm x\n");
        writer.add(b, "1-Alarm 12  85 \n");
        EXPECT_TRUE(writer.close());
        EXPECT_EQ(writer.pairs(), 3);
    }
    std::vector<std::string> log;
    SendQueueReader reader(file, [&log](const std::string& s) { log.push_back(s); });
    const auto first = reader.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->entryLine, a);
    EXPECT_EQ(first->pageLine, "1*" + std::string(400, '5') + "*#,,,;ATH0\r");
    const auto second = reader.next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->entry.name, "B");
    EXPECT_EQ(second->pageLine, "1-Alarm 12  85 ");
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_EQ(log, std::vector<std::string>{"Skipped line 3 of sendpages.dat: not a pager entry."});
}

} // namespace
} // namespace bv::paging
