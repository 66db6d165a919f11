#include "app/shell/help_file.h"

#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/shell/application.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::app {
namespace {

const std::string kShippedHelp = "<html><a name=\"contents\">Help</a><a name=\"topic40\"></a>";

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

// Files larger than limitBytes cannot be written while it lives (writes fail
// with EFBIG, as on a full disk, instead of raising SIGXFSZ).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limitBytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = limitBytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST(HelpFile, ANewStationDirectoryGetsTheShippedCopy)
{
    testsupport::TempDir station("bv-help");
    EXPECT_FALSE(installHelpFile(station.path(), kShippedHelp));
    EXPECT_EQ(readFile(station.path() / "Viraraz.hlp"), kShippedHelp);
}

TEST(HelpFile, WhateverIsThereByThatNameIsLeftAlone)
{
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path& helpFile)> prepare;
    };
    const Case cases[] = {
        {"the user's own file",
         [](const std::filesystem::path& helpFile) { writeFile(helpFile, "my notes"); }},
        {"an empty file", [](const std::filesystem::path& helpFile) { writeFile(helpFile, ""); }},
        {"a dangling link",
         [](const std::filesystem::path& helpFile) {
             std::filesystem::create_symlink(helpFile.parent_path() / "elsewhere.html", helpFile);
         }},
    };
    for (const Case& c : cases) {
        testsupport::TempDir station("bv-help");
        const auto helpFile = station.path() / "Viraraz.hlp";
        c.prepare(helpFile);
        const std::string before = readFile(helpFile);
        EXPECT_FALSE(installHelpFile(station.path(), kShippedHelp)) << c.name;
        EXPECT_EQ(readFile(helpFile), before) << c.name;
        EXPECT_FALSE(std::filesystem::exists(station.path() / "elsewhere.html")) << c.name;
    }
}

TEST(HelpFile, AFailedWriteLeavesNoCutFileAndIsLoggedAndTriedAgainNextStart)
{
    testsupport::TempDir station("bv-help");
    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    Application app(ui, time, time, station.path(), Edition::WithoutDialUp);
    app.start({}, {});
    const std::string largeHelp(64 * 1024, 'x');
    {
        const FileSizeLimit limit(4096);
        const std::error_code error = app.provideHelpFile(largeHelp);
        EXPECT_EQ(error, std::errc::file_too_large);
    }
    EXPECT_FALSE(std::filesystem::exists(station.path() / "Viraraz.hlp"));
    EXPECT_NE(readFile(app.eventLog().path()).find("Could not write the help file Viraraz.hlp: "),
              std::string::npos);

    EXPECT_FALSE(app.provideHelpFile(largeHelp));
    EXPECT_EQ(readFile(station.path() / "Viraraz.hlp"), largeHelp);
}

TEST(HelpFile, AMissingStationDirectoryIsAnError)
{
    testsupport::TempDir parent("bv-help");
    EXPECT_EQ(installHelpFile(parent.path() / "gone", kShippedHelp),
              std::errc::no_such_file_or_directory);
}

} // namespace
} // namespace bv::app
