#include <gtest/gtest.h>

#include <vector>

#include "paging/page_line.h"

namespace bv::paging {
namespace {

PagerEntry entryOf(EntryKind kind)
{
    PagerEntry entry;
    entry.name = "Pager";
    entry.kind = kind;
    entry.number = "1234";
    return entry;
}

AlarmCodes codesOf(std::initializer_list<std::pair<int, const char*>> set)
{
    AlarmCodes codes;
    for (const auto& [index, code] : set)
        codes[static_cast<std::size_t>(index)] = code;
    return codes;
}

TEST(PageLine, AlarmLinesOfEveryKind)
{
    const AlarmCodes codes = codesOf({{1, "12"}, {3, "13"}, {9, "4 5"}, {11, "77"}, {12, "A1"}});
    AlarmHits twoQuantities;
    twoQuantities.quantities = {{1, 85}, {3, 90}};
    AlarmHits negative;
    negative.quantities = {{9, -5}};
    AlarmHits andAlarm;
    andAlarm.andAlarms = {{0, {90.6, -100}}};
    AlarmHits andAlarmNegative;
    andAlarmNegative.andAlarms = {{1, {-3.7, 45.5}}};
    AlarmHits emptyCode;
    emptyCode.quantities = {{0, 70}};

    struct Case {
        EntryKind kind;
        const AlarmHits& hits;
        const char* expected;
    };
    const Case cases[] = {
        {EntryKind::Numeric, twoQuantities, "1*12*85*13*90*#,,,;ATH0\r\n"},
        {EntryKind::Numeric, negative, "1*4 5**5*#,,,;ATH0\r\n"},
        {EntryKind::Numeric, andAlarm, "1*77 *91*9999*#,,,;ATH0\r\n"},
        // "A1" is no numeric code.
        {EntryKind::Numeric, andAlarmNegative, "1*9999 **4*46*#,,,;ATH0\r\n"},
        {EntryKind::Numeric, emptyCode, "1*9999*70*#,,,;ATH0\r\n"},
        {EntryKind::AlphaNumeric, twoQuantities, "1-Alarm 12  85 13  90 \n"},
        {EntryKind::AlphaNumeric, negative, "1-Alarm 4 5  -5 \n"},
        {EntryKind::AlphaNumeric, andAlarm, "1-Alarm 77 90 9999 \n"},
        {EntryKind::AlphaNumeric, andAlarmNegative, "1-Alarm A1 -3 45 \n"},
        {EntryKind::AlphaNumeric, emptyCode, "1-Alarm 9999  70 \n"},
        {EntryKind::PcSpeaker, twoQuantities, "PC Speaker\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(alarmPageLine(entryOf(c.kind), c.hits, codes), c.expected);
}

TEST(PageLine, TelephoneDialsWaitsAndBeeps)
{
    PagerEntry phone = entryOf(EntryKind::Telephone);
    phone.connectDelaySec = 6;
    phone.beeps = 2;
    AlarmHits hits;
    hits.quantities = {{1, 85}};
    EXPECT_EQ(alarmPageLine(phone, hits, {}), "ATDT1234@,,,,11,11#,,;ATH0\r\n");
    EXPECT_EQ(stationErrorPageLine(phone), "ATDT1234@,,,,22,22#,,;ATH0\r\n");

    phone.advanced.quietAnswer = AdvancedSettings::kNoQuietAnswer;
    phone.connectDelaySec = 5; // a started two seconds counts whole
    phone.beeps = 1;
    EXPECT_EQ(alarmPageLine(phone, hits, {}), "ATDT1234,,,,11#,,;ATH0\r\n");
    EXPECT_EQ(weatherPageLine(phone, std::vector<int>{1, 2}), std::nullopt);
}

TEST(PageLine, WeatherAndStationErrorLines)
{
    const std::vector<int> values = {71, -3, 2992, 9999};
    EXPECT_EQ(weatherPageLine(entryOf(EntryKind::Numeric), values),
              "0*71**3*2992*9999*#,,,;ATH0\r\n");
    EXPECT_EQ(weatherPageLine(entryOf(EntryKind::AlphaNumeric), values),
              "0- Weather 71 -3 2992 9999 \n");
    EXPECT_EQ(weatherPageLine(entryOf(EntryKind::PcSpeaker), values), std::nullopt);
    EXPECT_EQ(stationErrorPageLine(entryOf(EntryKind::Numeric)), "99999999#,,,;ATH0\r\n");
    EXPECT_EQ(stationErrorPageLine(entryOf(EntryKind::AlphaNumeric)), "Station Error.\n");
    EXPECT_EQ(stationErrorPageLine(entryOf(EntryKind::PcSpeaker)), "PC Speaker\n");
}

// Every alarm met with 20-character codes passes the queue's line length: the
// line keeps the items that fit whole and always ends in its tail.
TEST(PageLine, LongLinesKeepWholeItemsAndTheirTail)
{
    AlarmCodes codes;
    for (std::string& code : codes)
        code = "12345678901234567890";
    AlarmHits hits;
    for (int q = 0; q < 11; ++q)
        hits.quantities.push_back({q, -1234});
    hits.andAlarms = {{0, {-1234, -1234}}, {1, {-1234, -1234}}};

    const std::string numeric = alarmPageLine(entryOf(EntryKind::Numeric), hits, codes);
    EXPECT_LE(numeric.size(), kMaxQueueLineChars);
    // "1*" and eight items of 27 characters fit in front of the 11 of the tail.
    EXPECT_EQ(numeric.size(), 2 + 8 * 27 + 11u);
    EXPECT_TRUE(numeric.ends_with("**1234*#,,,;ATH0\r\n")) << numeric;

    const std::string alpha = alarmPageLine(entryOf(EntryKind::AlphaNumeric), hits, codes);
    EXPECT_LE(alpha.size(), kMaxQueueLineChars);
    EXPECT_EQ(alpha.size(), 8 + 8 * 28 + 1u);
    EXPECT_TRUE(alpha.ends_with(" -1234 \n")) << alpha;

    PagerEntry phone = entryOf(EntryKind::Telephone);
    phone.beeps = 200;
    const std::string dial = alarmPageLine(phone, hits, codes);
    EXPECT_LE(dial.size(), kMaxQueueLineChars);
    EXPECT_TRUE(dial.ends_with(",11#,,;ATH0\r\n")) << dial;
}

} // namespace
} // namespace bv::paging
