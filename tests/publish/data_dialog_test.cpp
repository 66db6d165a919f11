#include "publish/data_dialog.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "app/shell/shell_dialog_fixture.h"

#include "support/temp_dir.h"

namespace bv::publish {
namespace {

using namespace data_dialog;
using platform::MessageResult;
using testsupport::FakeDialogView;

class DataDialogTest : public app::test::ShellDialogTest {
  protected:
    int run(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("DATASETUP", std::move(script));
        DataDialogServices services;
        services.stationDir = dir.path();
        services.runSetupImages = [](app::ConfigRecord& c) {
            c.historyImages[10] = true;
            return 1;
        };
        services.save = [this] {
            ++saves;
            return saveError;
        };
        return runDataDialog(launcher, shell, config, std::move(services));
    }
    std::string filesDat() const
    {
        std::ifstream in(dir.path() / "files.dat");
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string path(const char* relative) const { return (dir.path() / relative).string(); }

    testsupport::TempDir dir{"bv-data-dialog"};
    app::ConfigRecord config;
    std::error_code saveError;
    int saves = 0;
};

TEST_F(DataDialogTest, OpensWithTheListTheImagesAndTheArchiveFile)
{
    std::ofstream(dir.path() / "files.dat") << "/web/index.htx\r\n/web/logo.gif\n";
    config.currentImages[1] = true;
    config.currentImages[0] = true;
    config.historyImages[0] = true;
    config.historyImages[10] = true;
    config.stationModel = 4; // Tirrel D: soil temperature in slot 0
    config.uploadArchiveFile = true;
    run([&](FakeDialogView& v) {
        EXPECT_EQ(v.items(kFiles), (std::vector<std::string>{"/web/index.htx", "/web/logo.gif"}));
        EXPECT_EQ(v.items(kImages), (std::vector<std::string>{
                                        path("Images/soil.gif"), path("Images/soilg.gif"),
                                        path("Images/outtemp.gif"), path("Images/windrung.gif")}));
        EXPECT_TRUE(v.checked(kUploadArchive));
        EXPECT_EQ(v.text(kArchivePath), path("Download/download.txt"));
        EXPECT_EQ(v.text(kExtension), "htm");
        v.click(platform::IdCancel);
    });
}

TEST_F(DataDialogTest, AddRemoveAndOkWriteTheList)
{
    ui.queueFiles({"/web/a.htx", "/web/b.gif"});
    ui.queueFiles({"/web/a.htx"});         // already listed
    ui.queueAnswer(MessageResult::Ok);     // Select a file first.
    ui.queueAnswer(MessageResult::Cancel); // Remove File ... ? Cancel
    ui.queueAnswer(MessageResult::Ok);     // Remove File ... ? OK
    EXPECT_EQ(run([&](FakeDialogView& v) {
                  v.click(kRemove); // nothing selected
                  v.click(kAdd);
                  v.click(kAdd);
                  v.choose(kFiles, 0);
                  v.click(kRemove);
                  v.sendCommand(platform::IdDeleteKey);
                  v.enterText(kExtension, "html");
                  v.click(platform::IdOk);
              }),
              platform::IdOk);
    EXPECT_EQ(ui.pickerStarts().front(), path("templates"));
    ASSERT_EQ(ui.boxes().size(), 3u);
    EXPECT_EQ(ui.boxes()[0].request.text, "Select a file first.");
    EXPECT_EQ(ui.boxes()[1].request.text, "Remove File /web/a.htx ?");
    EXPECT_EQ(ui.boxes()[1].request.caption, "Confirm");
    EXPECT_EQ(filesDat(), "/web/b.gif\n");
    EXPECT_EQ(config.templateExtension, "html");
    EXPECT_EQ(saves, 1);
}

TEST_F(DataDialogTest, RefusesTheTemplatesOwnExtension)
{
    for (const char* extension : {"htx", "HTX"}) {
        ui = testsupport::ScriptedUi{};
        run([&](FakeDialogView& v) {
            v.enterText(kExtension, extension);
            v.click(platform::IdOk);
            EXPECT_FALSE(v.ended());
            EXPECT_EQ(v.focus(), kExtension);
            v.click(platform::IdCancel);
        });
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].request.caption, "Error");
        EXPECT_EQ(config.templateExtension, "htm");
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "files.dat"));
    }
}

TEST_F(DataDialogTest, TheArchiveFileNeedsAName)
{
    config.archiveFileName = "x";
    run([&](FakeDialogView& v) {
        v.click(kUploadArchive);
        EXPECT_FALSE(v.checked(kUploadArchive));
        v.click(platform::IdOk);
    });
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].request.text,
              "Archive  file name is empty. Please enter a valid name through Archive setup.");
    EXPECT_FALSE(config.uploadArchiveFile);
}

TEST_F(DataDialogTest, CancelKeepsNothingSetupImagesChose)
{
    run([&](FakeDialogView& v) {
        v.click(kSelectImages);
        EXPECT_EQ(v.items(kImages), std::vector<std::string>{path("Images/windrung.gif")});
        v.click(platform::IdCancel);
    });
    EXPECT_FALSE(config.historyImages[10]);
}

TEST_F(DataDialogTest, AFailedWriteIsReportedAndTheDialogStaysOpen)
{
    saveError = std::make_error_code(std::errc::no_space_on_device);
    run([&](FakeDialogView& v) {
        v.enterText(kExtension, "php");
        v.click(platform::IdOk);
        EXPECT_FALSE(v.ended());
        v.click(platform::IdCancel);
    });
    EXPECT_EQ(config.templateExtension, "htm");
    std::filesystem::remove(dir.path() / "files.dat");
    std::filesystem::create_directory(dir.path() / "files.dat"); // cannot be written
    saveError = {};
    ui = testsupport::ScriptedUi{};
    run([&](FakeDialogView& v) {
        v.click(platform::IdOk);
        EXPECT_FALSE(v.ended());
        v.click(platform::IdCancel);
    });
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxes()[0].request.text.starts_with("The list of files could not be saved: "));
}

} // namespace
} // namespace bv::publish
