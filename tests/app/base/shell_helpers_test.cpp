#include "app/base/shell_helpers.h"

#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace bv::app {
namespace {

TEST(ShellHelpers, IsBlank)
{
    EXPECT_FALSE(isBlank(static_cast<const char*>(nullptr)));
    EXPECT_TRUE(isBlank(""));
    EXPECT_TRUE(isBlank(" "));
    EXPECT_TRUE(isBlank("    "));
    EXPECT_FALSE(isBlank(" x "));
    EXPECT_FALSE(isBlank("\t"));
    EXPECT_FALSE(isBlank(std::string_view("  \0", 3)));
    EXPECT_TRUE(isBlank(std::string("   ")));
}

TEST(ShellHelpers, TextValidators)
{
    struct Case {
        const char* text;
        bool alphanumericCode;
        bool numericCode;
        bool number;
        bool printable;
    };
    const Case cases[] = {
        {"", false, false, false, false},           {"12", true, true, true, true},
        {"12*3 4", true, true, false, true},        {"AB c*9", true, false, false, true},
        {"-12.5", false, false, true, true},        {"1,5", false, false, false, true},
        {"#", false, false, false, true},           {" ", true, true, false, true},
        {"a\tb", false, false, false, false},       {"ab\x7f", false, false, false, false},
        {"caf\xc3\xa9", false, false, false, true}, // UTF-8 letters are no ASCII letters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(isAlphanumericCode(c.text), c.alphanumericCode);
        EXPECT_EQ(isNumericCode(c.text), c.numericCode);
        EXPECT_EQ(isNumberText(c.text), c.number);
        EXPECT_EQ(isPrintableText(c.text), c.printable);
    }
}

TEST(ShellHelpers, FileSize)
{
    const auto dir = std::filesystem::path(testing::TempDir()) / "bv_file_size";
    std::filesystem::create_directories(dir);
    const auto empty = dir / "empty.dat";
    const auto full = dir / "event.log";
    std::ofstream(empty).close();
    std::ofstream(full, std::ios::binary) << std::string(1740, 'x');
    EXPECT_EQ(fileSize(empty), 0);
    EXPECT_EQ(fileSize(full), 1740);
    EXPECT_EQ(fileSize(dir / "missing.dat"), -1);
    EXPECT_EQ(fileSize(dir), -1);
    std::filesystem::remove_all(dir);
}

TEST(ShellHelpers, CenteredRectKeepsTheSizeAndCentresOnTheScreen)
{
    struct Case {
        WindowRect window;
        int screenWidth;
        int screenHeight;
        WindowRect centred;
    };
    const Case cases[] = {
        {{0, 0, 400, 300}, 1024, 768, {311, 233, 711, 533}},
        {{50, 60, 451, 261}, 800, 600, {199, 199, 600, 400}},
        // A window larger than the screen goes above and left of its corner.
        {{0, 0, 1200, 900}, 1024, 768, {-88, -66, 1112, 834}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window.right);
        EXPECT_EQ(centeredRect(c.window, c.screenWidth, c.screenHeight), c.centred);
    }
}

} // namespace
} // namespace bv::app
