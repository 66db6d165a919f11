#include "units/regional_settings.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "platform/linux/locale_formats.h"

namespace bv::units {
namespace {

using DO = DateOrder;

TEST(RegionalSettings, DerivedFromLocaleFormats)
{
    const struct {
        const char* dateFormat;
        const char* timeFormat;
        RegionalSettings expected;
    } cases[] = {
        {"%m/%d/%Y", "%r", {DO::MonthDayYear, '/', false, ':'}},
        {"%d.%m.%Y", "%T", {DO::DayMonthYear, '.', true, ':'}},
        {"%d/%m/%y", "%H:%M:%S", {DO::DayMonthYear, '/', true, ':'}},
        {"%Y-%m-%d", "%H:%M:%S", {DO::YearMonthDay, '-', true, ':'}},
        {"%Y. %m. %d.", "%H:%M:%S", {DO::YearMonthDay, '.', true, ':'}},
        {"%D", "%I:%M:%S %p", {DO::MonthDayYear, '/', false, ':'}},
        {"%F", "%R", {DO::YearMonthDay, '-', true, ':'}},
        {"%d.%m.%Y", "%H.%M.%S", {DO::DayMonthYear, '.', true, '.'}},
        {"%Od.%Om.%EY", "%OH:%OM", {DO::DayMonthYear, '.', true, ':'}},
        {"%-d/%-m/%Y", "%-I:%M %p", {DO::DayMonthYear, '/', false, ':'}},
        {"%e %B %Y", "%k:%M", {DO::DayMonthYear, '-', true, ':'}},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5",
         "%H\xE6\x99\x82%M\xE5\x88\x86",
         {DO::YearMonthDay, '-', true, ':'}},
        {"%p %I:%M", "%p %I:%M", {DO::MonthDayYear, '-', false, ':'}},
        {"%%%d/%m", "%H%M", {DO::DayMonthYear, '/', true, ':'}},
        {"", "", {}},
        {"%", "%", {}},
        {"no fields", "at all", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(deriveRegionalSettings(c.dateFormat, c.timeFormat), c.expected)
            << '"' << c.dateFormat << "\" \"" << c.timeFormat << '"';
    }
}

TEST(RegionalSettings, DefaultsAreMonthFirstDashTwelveHourColon)
{
    const RegionalSettings defaults;
    EXPECT_EQ(defaults.dateOrder, DO::MonthDayYear);
    EXPECT_EQ(defaults.dateSeparator, '-');
    EXPECT_FALSE(defaults.clock24);
    EXPECT_EQ(defaults.timeSeparator, ':');
}

TEST(LocaleFormats, NeutralLocalesGiveNoFormats)
{
    for (const char* name : {"", "C", "POSIX", "C.UTF-8", "C.utf8", "POSIX@euro"}) {
        EXPECT_TRUE(platform::isNeutralLocaleName(name)) << name;
        EXPECT_FALSE(platform::readLocaleTimeFormats(name).has_value()) << name;
    }
    for (const char* name : {"en_US.UTF-8", "de_DE", "Croatian", "CA"}) {
        EXPECT_FALSE(platform::isNeutralLocaleName(name)) << name;
    }
    EXPECT_FALSE(platform::readLocaleTimeFormats("xx_NOWHERE.UTF-8").has_value());
}

// Sets one environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setValue(value);
    }
    ~ScopedEnv() { setValue(old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void setValue(const char* value)
    {
        if (value) {
            setenv(name_, value, 1);
        } else {
            unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LocaleFormats, TheEnvironmentChoosesTheTimeLocale)
{
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv time("LC_TIME", "de_DE.UTF-8");
    ScopedEnv lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(platform::userTimeLocaleName(), "de_DE.UTF-8");
    {
        ScopedEnv cLocale("LC_ALL", "C.UTF-8");
        EXPECT_EQ(platform::userTimeLocaleName(), "C.UTF-8");
        EXPECT_EQ(readRegionalSettings(), RegionalSettings{});
    }
    {
        ScopedEnv empty("LC_TIME", "");
        EXPECT_EQ(platform::userTimeLocaleName(), "en_US.UTF-8");
    }
}

// Compiles real locales from the system's locale sources into a private directory
// (LOCPATH), so the test does not depend on which locales the machine has installed.
class InstalledLocale : public testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        const std::string command =
            "mkdir -p '" + directory_ + "'" + compileCommand("en_US") + compileCommand("fi_FI");
        compiled_ = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        EXPECT_EQ(std::system(("rm -rf '" + directory_ + "'").c_str()), 0);
    }
    static std::string compileCommand(const std::string& name)
    {
        return " && localedef -i " + name + " -f UTF-8 '" + directory_ + "/" + name +
               ".UTF-8' >/dev/null 2>&1";
    }
    void SetUp() override
    {
        if (!compiled_) {
            GTEST_SKIP() << "localedef or the locale sources are missing";
        }
    }

    inline static const std::string directory_ = testing::TempDir() + "bv_units_locales";
    inline static bool compiled_ = false;
};

TEST_F(InstalledLocale, GivesTheRegionalSettingsOfItsFormats)
{
    ScopedEnv path("LOCPATH", directory_.c_str());
    ScopedEnv all("LC_ALL", nullptr);
    const struct {
        const char* locale;
        RegionalSettings expected;
    } cases[] = {
        {"en_US.UTF-8", {DO::MonthDayYear, '/', false, ':'}},
        {"fi_FI.UTF-8", {DO::DayMonthYear, '.', true, '.'}},
    };
    for (const auto& c : cases) {
        ScopedEnv time("LC_TIME", c.locale);
        EXPECT_EQ(readRegionalSettings(), c.expected) << c.locale;
    }
    // The process locale is left as it was.
    EXPECT_STREQ(std::setlocale(LC_TIME, nullptr), "C");
}

} // namespace
} // namespace bv::units
