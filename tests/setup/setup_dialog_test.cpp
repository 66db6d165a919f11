#include <sys/stat.h>

#include <cerrno>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/base/dialog_host.h"
#include "setup/setup_dialog.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace bv::setup {
namespace {

namespace fs = std::filesystem;
using platform::MessageResult;
using testsupport::FakeDialogView;

using testsupport::readText;
using testsupport::writeText;

// A distribution directory beside an installation directory and the user's
// XDG places, all in one temporary directory.
class SetupDialogTest : public ::testing::Test {
  protected:
    SetupDialogTest()
    {
        fs::create_directories(distribution);
        places = {root.path() / "data", root.path() / "config", root.path() / "Desktop"};
        header = parseInstallHeader("Brisvane Viraraz Setup\nBackground\nInstall now?\n"
                                    "Install the upgrade.\n/opt/bv\nIDI_ICON1.svg\nhollit\n");
        for (const char* name : {"hollit", "Readme.txt", "sample.htx", "ticker.htm", "ticker.js",
                                 "IDI_ICON1.svg", "setup", "install.hdr", "INSTALL.HDR"})
            writeText(distribution / name, std::string("release ") + name);
        fs::permissions(distribution / "hollit", fs::perms::owner_all);
    }

    // Runs the dialog, typing dir into "Install To:" and pressing Install.
    int install(const std::string& dir)
    {
        ui.onDialog("SETUP", [&](FakeDialogView& v) {
            EXPECT_EQ(v.caption(), "Brisvane Viraraz Setup");
            EXPECT_EQ(v.text(setup_dialog::kInstallTo), "/opt/bv");
            EXPECT_EQ(v.text(setup_dialog::kDescription), "Install the upgrade.");
            v.enterText(setup_dialog::kInstallTo, dir);
            v.click(platform::IdOk);
            if (!v.ended())
                v.click(platform::IdCancel);
        });
        app::DialogHost host(ui);
        SetupDialog dialog(ui, header, distribution, places);
        return dialog.run(host);
    }

    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : ui.boxes())
            texts.push_back(box.request.text.substr(0, 30));
        return texts;
    }

    testsupport::TempDir root;
    fs::path distribution = root.path() / "dist";
    fs::path target = root.path() / "home" / "wx";
    XdgPlaces places;
    InstallHeader header;
    testsupport::ScriptedUi ui;
};

TEST_F(SetupDialogTest, InstallsOnlyOverAnEarlierInstallation)
{
    EXPECT_EQ(install(target.string()), platform::IdCancel);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Can only install the upgrade o"}));
    EXPECT_TRUE(fs::is_directory(target)) << "the directory is made before the proof is asked";
    EXPECT_FALSE(fs::exists(target / "Readme.txt"));
}

TEST_F(SetupDialogTest, UpgradeKeepsTheUsersFilesAndPlacesTheSamplesInANewTemplatesDirectory)
{
    fs::create_directories(target);
    writeText(target / "hollit", "old program");
    writeText(target / "config.dat", "the user's settings");
    writeText(distribution / "config.dat", "settings of the release");
    writeText(root.path() / "notes.txt", "the user's notes");
    fs::create_symlink(root.path() / "notes.txt", target / "Readme.txt");
    ui.queueAnswer(MessageResult::Yes); // a previous installation was detected
    ui.queueAnswer(MessageResult::No);  // no desktop shortcut

    EXPECT_EQ(install(target.string() + "/"), platform::IdOk);

    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"A previous installation was de",
                                                    "Create Desktop Shortcut ?",
                                                    "The program installed correctl"}));
    EXPECT_EQ(readText(target / "hollit"), "release hollit");
    EXPECT_TRUE((fs::status(target / "hollit").permissions() & fs::perms::owner_exec) !=
                fs::perms::none);
    EXPECT_EQ(readText(target / "config.dat"), "the user's settings");
    EXPECT_EQ(readText(root.path() / "notes.txt"), "the user's notes");
    EXPECT_EQ(readText(target / "Readme.txt"), "release Readme.txt");
    for (const char* absent : {"setup", "install.hdr", "INSTALL.HDR", "sample.htx"})
        EXPECT_FALSE(fs::exists(target / absent)) << absent;
    for (const char* sample : {"sample.htx", "ticker.htm", "ticker.js"})
        EXPECT_EQ(readText(target / "templates" / sample), std::string("release ") + sample);
    EXPECT_TRUE(fs::is_directory(target / "Images"));
    EXPECT_TRUE(fs::is_directory(target / "Download"));

    const std::string entry =
        readText(places.dataHome / "applications/brisvane-viraraz/Brisvane Viraraz.desktop");
    EXPECT_NE(entry.find("\nExec=\"" + (target / "brisvane-viraraz").string() + "\"\n"),
              std::string::npos)
        << entry;
    EXPECT_TRUE(fs::exists(places.dataHome / "applications/brisvane-viraraz/Readme.desktop"));
    EXPECT_FALSE(fs::exists(places.desktopDir / "Brisvane Viraraz.desktop"));
}

TEST_F(SetupDialogTest, AnExistingTemplatesDirectoryStaysUntouched)
{
    fs::create_directories(target / "templates");
    writeText(target / "hollit", "old program");
    writeText(target / "templates" / "sample.htx", "the user's own page");
    ui.queueAnswer(MessageResult::Yes);
    ui.queueAnswer(MessageResult::Yes); // desktop shortcut

    EXPECT_EQ(install(target.string()), platform::IdOk);
    EXPECT_EQ(readText(target / "templates" / "sample.htx"), "the user's own page");
    EXPECT_EQ(readText(target / "sample.htx"), "release sample.htx");
    EXPECT_TRUE(fs::exists(places.desktopDir / "Brisvane Viraraz.desktop"));
}

TEST_F(SetupDialogTest, FailuresKeepTheDialogOpen)
{
    writeText(root.path() / "home", "a file where a directory should be");
    ui.onDialog("SETUP", [&](FakeDialogView& v) {
        v.enterText(setup_dialog::kInstallTo, "");
        v.click(platform::IdOk);
        EXPECT_EQ(v.text(setup_dialog::kInstallTo), "/opt/bv") << "the proposal comes back";
        v.enterText(setup_dialog::kInstallTo, target.string());
        v.click(platform::IdOk);
        EXPECT_FALSE(v.ended());
        v.click(platform::IdCancel);
    });
    app::DialogHost host(ui);
    SetupDialog dialog(ui, header, distribution, places);
    EXPECT_EQ(dialog.run(host), platform::IdCancel);
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].request.text, "Enter a valid path");
    EXPECT_EQ(ui.boxes()[1].request.text, "Could not create '" + (root.path() / "home").string() +
                                              "'.  Error " + std::to_string(EEXIST) + ".");
}

} // namespace
} // namespace bv::setup
