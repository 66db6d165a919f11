#include "app/base/string_table.h"
#include "app/base/text_pattern.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/base/strings_setup.h"
#include "app/base/strings_weather.h"

namespace bv::app {
namespace {

struct QuotedText {
    int id;
    const char* text;
};

// Texts as the program quotes them, character for character.
constexpr QuotedText kQuoted[] = {
    {40190, "Station Communication Error. Check station settings."},
    {40232, "----"},
    {40144, "N"},
    {40159, "NNW"},
    {40171, "winddir.gif"},
    {40175, "intempg.gif"},
    {40185, "windrung.gif"},
    {40333, "rising"},
    {40131, "Soil Temp"},
    {40260, "Daily ET"},
    {40195, "Waiting to redial.... 2'nd attempt (of %d) in %d seconds."},
    {40263, " Copied file from \"%s\"  to  \"%s\"   local drive."},
    {40267, "Error in transferring file \"%s\" to FTP site. "},
    {40300, "Error setting  FTP directory path '%s'."},
    {40037, "It is recommended that with the current settings, the upload interval\n be set to "
            "higher than 1 minute. Modify current settings ?"},
    {40224, " Dialup aborted by user. "},
    {40259, "Archive  file name is empty. Please enter a valid name through Archive setup."},
    {40402, "Date\t\tTime\tInside\tOutside\tHiOut\tLowOut\tOut\tInside\tDew\tWind\tBarom\tWind"
            "\tHiWind\tWind\tRain\n"},
    {40407, "    \t\t    \tTemp\tTemp\tTemp\tTemp\tHum\tWet\tRad\tEnergy\tDays\tPress\tSpeed\tSpeed"
            "\tDir\tChill\tRun\tRain\tRate\tPoint\tIndex\t\n"},
    {40424, "File \"%s\" not found."},
    {40434, "Confirm"},
    {40491, "Error in connecting. Check your Dial-up settings."},
    {82, " \"From\"  Time is after  \"To\"  time .\""},
    {2, "Please set the time on your station."},
    {8, "Please set up the times at which your Darnex4 or Tirrel program should run. You should "
        "only do this if you want Darnex4 or Tirrel program to download the archive data in its "
        "database at a particular time during the day."},
};

TEST(StringTable, NumberedTextsReadExactlyAsQuoted)
{
    for (const auto& q : kQuoted)
        EXPECT_EQ(text(q.id), q.text) << "text " << q.id;
}

TEST(StringTable, NumberedRangesFollowTheirIndex)
{
    for (std::size_t i = 0; i < strings::kCompassPoints.size(); ++i)
        EXPECT_EQ(text(40144 + static_cast<int>(i)), strings::kCompassPoints[i].text);
    for (std::size_t i = 0; i < strings::kCurrentImageFiles.size(); ++i)
        EXPECT_EQ(text(40160 + static_cast<int>(i)), strings::kCurrentImageFiles[i].text);
    for (std::size_t i = 0; i < strings::kGraphImageFiles.size(); ++i)
        EXPECT_EQ(text(40175 + static_cast<int>(i)), strings::kGraphImageFiles[i].text);
    EXPECT_EQ(text(40152), "S");
    EXPECT_EQ(text(40165), "windspeed.gif");
}

TEST(StringTable, NumbersAreUniqueAndEveryEntryIsFound)
{
    for (const auto table : {mainStringTable(), installerStringTable()}) {
        std::set<int> seen;
        for (const auto& entry : table) {
            EXPECT_TRUE(seen.insert(entry.id).second) << "number " << entry.id << " twice";
            EXPECT_FALSE(entry.text.empty()) << "number " << entry.id;
        }
    }
    for (const auto& entry : mainStringTable())
        EXPECT_EQ(text(entry.id), entry.text);
    for (const auto& entry : installerStringTable())
        EXPECT_EQ(installerText(entry.id), entry.text);
}

TEST(StringTable, UnknownNumbersGiveAnEmptyText)
{
    for (int id : {0, -1, 9, 40000, 40172, 40201, 99999})
        EXPECT_TRUE(text(id).empty()) << id;
    EXPECT_TRUE(installerText(40190).empty());
}

TEST(StringTable, InstallerNumbersAreItsOwn)
{
    EXPECT_EQ(installerText(4), "Error");
    EXPECT_EQ(installerText(29), "Warning");
    EXPECT_EQ(installerText(32), "Error copying %s.");
    EXPECT_EQ(installerText(36), strings::setup::kPreviousInstallation.text);
    EXPECT_NE(text(4), installerText(4));
}

TEST(StringTable, LoadTextCutsAtTheBufferLimit)
{
    const std::string longest(text(8));
    ASSERT_GT(longest.size(), kEventTextLimit);
    EXPECT_EQ(loadText(8, kMessageBoxTextLimit), longest.substr(0, 150));
    EXPECT_EQ(loadText(8, kEventTextLimit), longest.substr(0, 199));
    EXPECT_EQ(loadText(40190, kMessageBoxTextLimit), text(40190));
    EXPECT_EQ(loadText(12345, kEventTextLimit), "");
}

} // namespace
} // namespace bv::app

TEST(FillPattern, PlaceholdersTakeTheArgumentsInOrder)
{
    struct Case {
        std::string_view pattern;
        std::initializer_list<std::string_view> args;
        std::string expected;
    };
    const Case cases[] = {
        {"Converted template %s .", {"a.htm"}, "Converted template a.htm ."},
        {"Unable to Login to the FTP server '%s' with user '%s'.",
         {"h", "u"},
         "Unable to Login to the FTP server 'h' with user 'u'."},
        {"Error (%ld) now", {"12029"}, "Error (12029) now"},
        {"%d'th attempt (of %d) in %d seconds.",
         {"4", "5", "9"},
         "4'th attempt (of 5) in 9 seconds."},
        {"100%% done, %s", {"x"}, "100% done, x"},
        {"no argument %s left", {}, "no argument  left"},
        {"a lone % and %x stay", {"unused"}, "a lone % and %x stay"},
        {"trailing %", {}, "trailing %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bv::app::fillPattern(c.pattern, c.args), c.expected) << c.pattern;
}
