#include "publish/internet_dialog.h"

#include <gtest/gtest.h>

#include "app/shell/shell_dialog_fixture.h"

namespace bv::publish {
namespace {

using namespace internet_dialog;
using platform::MessageResult;
using testsupport::FakeDialogView;

class InternetDialogTest : public app::test::ShellDialogTest {
  protected:
    InternetDialogTest() { config.localServerConnection = true; }
    int run(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("SETUP_FTP", std::move(script));
        InternetDialogServices services;
        services.phonebookEntries = {"isp", "work"};
        services.runRange = [this](app::DayRange& range) {
            range.enabled = true;
            return ranges++, 1;
        };
        services.save = [this] {
            ++saves;
            return saveError;
        };
        return runInternetDialog(launcher, shell, config, std::move(services));
    }
    // A complete FTP setting that passes every check.
    void fillFtp(FakeDialogView& v)
    {
        v.enterText(kHost, "ftp.example.org");
        v.enterText(kFtpUser, "wx");
        v.enterText(kFtpPassword, "pw");
    }
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : ui.boxes())
            texts.push_back(box.request.text);
        return texts;
    }

    app::ConfigRecord config;
    std::error_code saveError;
    int saves = 0;
    int ranges = 0;
};

TEST_F(InternetDialogTest, OpensWithTheStoredSettings)
{
    config.transferIntervalSec = 2 * 3600 + 3 * 60 + 4;
    config.dialupEntry = "work";
    config.dialAttempts = 0; // none stored: 5
    config.dialRetryWaitSec = 12;
    config.localServerConnection = true;
    config.ftpPort = 2121;
    run([](FakeDialogView& v) {
        EXPECT_EQ(v.text(kHours), "2");
        EXPECT_EQ(v.text(kMinutes), "3");
        EXPECT_EQ(v.text(kSeconds), "4");
        EXPECT_EQ(v.text(kPort), "2121");
        EXPECT_EQ(v.currentIndex(kPhonebook), 1);
        EXPECT_EQ(v.value(kAttemptsSpin), 5);
        EXPECT_EQ(v.value(kRetryWaitSpin), 12);
        EXPECT_TRUE(v.checked(kLocalServer));
        EXPECT_TRUE(v.checked(kConnectDuringTransfer));
        for (int id : kDialUpControls)
            EXPECT_FALSE(v.enabled(id)) << id;
        v.click(kDialUp);
        for (int id : kDialUpControls)
            EXPECT_TRUE(v.enabled(id)) << id;
        v.click(platform::IdCancel);
    });
}

TEST_F(InternetDialogTest, OkStoresEveryFieldAndSaves)
{
    EXPECT_EQ(run([&](FakeDialogView& v) {
                  fillFtp(v);
                  v.enterText(kPort, "2121");
                  v.enterText(kRemotePath, "www");
                  v.enterText(kHours, "1");
                  v.enterText(kMinutes, "30");
                  v.enterText(kSeconds, "5");
                  v.click(kDialUp);
                  v.choose(kPhonebook, 0);
                  v.enterText(kDialUser, "du");
                  v.enterText(kDialPassword, "dp");
                  v.click(kStayConnected);
                  v.changeValue(kAttemptsSpin, 7);
                  v.click(kInternetTransfer);
                  v.click(kLocalTransfer);
                  v.enterText(kLocalPath, "/srv/www");
                  v.click(platform::IdOk);
              }),
              platform::IdOk);
    EXPECT_EQ(config.ftpHost, "ftp.example.org");
    EXPECT_EQ(config.ftpPort, 2121); // kept whole, not its low byte
    EXPECT_EQ(config.ftpRemotePath, "www");
    EXPECT_EQ(config.transferIntervalSec, 5405);
    EXPECT_EQ(config.dialupEntry, "isp");
    EXPECT_FALSE(config.localServerConnection);
    EXPECT_TRUE(config.stayConnected);
    EXPECT_EQ(config.dialAttempts, 7);
    EXPECT_EQ(config.localTransferPath, "/srv/www/");
    EXPECT_TRUE(config.internetTransferEnabled && config.localTransferEnabled);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(InternetDialogTest, ChecksAskInTurnAndNoSendsTheUserBackToTheControl)
{
    struct Case {
        const char* name;
        std::function<void(FakeDialogView&)> setUp;
        std::string question;
        int focus; // 0: the question does not focus a control
        MessageResult back = MessageResult::No;
    };
    const Case cases[] = {
        {"short interval while dialling per transfer",
         [](FakeDialogView& v) {
             v.enterText(kHours, "0");
             v.enterText(kMinutes, "1");
             v.enterText(kSeconds, "0");
         },
         "It is recommended that with the current settings, the upload interval\n be set to "
         "higher than 1 minute. Modify current settings ?",
         0, MessageResult::Yes},
        {"empty host", [](FakeDialogView& v) { v.enterText(kHost, ""); },
         "Invalid FTP Host entry . Continue?", kHost},
        {"empty user", [](FakeDialogView& v) { v.enterText(kFtpUser, ""); },
         "Invalid FTP User Name entry . Continue?", kFtpUser},
        {"empty password", [](FakeDialogView& v) { v.enterText(kFtpPassword, ""); },
         "Invalid FTP User Password entry . Continue?", kFtpPassword},
        {"port 1", [](FakeDialogView& v) { v.enterText(kPort, "1"); },
         "Invalid FTP Port entry . Continue?", kPort},
        {"port beyond 65535", [](FakeDialogView& v) { v.enterText(kPort, "70000"); },
         "Invalid FTP Port entry . Continue?", kPort},
        {"dial-up without a password",
         [](FakeDialogView& v) {
             v.click(kDialUp);
             v.choose(kPhonebook, 1);
             v.enterText(kDialUser, "du");
         },
         "Invalid entry for Dial-up user name and password. Continue?", kDialUser},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        config = app::ConfigRecord{};
        config.localServerConnection = true;
        config.internetTransferEnabled = true;
        ui = testsupport::ScriptedUi{};
        saves = 0;
        // Back to the dialog, nothing kept; then Cancel.
        ui.queueAnswer(c.back);
        int focus = -1;
        EXPECT_EQ(run([&](FakeDialogView& v) {
                      fillFtp(v);
                      c.setUp(v);
                      v.click(platform::IdOk);
                      EXPECT_FALSE(v.ended());
                      focus = v.focus();
                      v.click(platform::IdCancel);
                  }),
                  platform::IdCancel);
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].request.text, c.question);
        if (c.focus != 0) {
            EXPECT_EQ(focus, c.focus);
        }
        EXPECT_EQ(config.ftpHost, "") << "Cancel keeps nothing of what OK stored before the check";
        EXPECT_EQ(saves, 0);
        // The other answer accepts the entry as it stands.
        ui.queueAnswer(c.back == MessageResult::No ? MessageResult::Yes : MessageResult::No);
        EXPECT_EQ(run([&](FakeDialogView& v) {
                      fillFtp(v);
                      c.setUp(v);
                      v.click(platform::IdOk);
                  }),
                  platform::IdOk);
        EXPECT_EQ(saves, 1);
    }
}

TEST_F(InternetDialogTest, RefusesWhatCannotWork)
{
    struct Case {
        const char* name;
        std::function<void(FakeDialogView&)> setUp;
        std::string error;
    };
    const Case cases[] = {
        {"dial-up without an entry", [](FakeDialogView& v) { v.click(kDialUp); },
         "You have selected an Invalid Dial-up Connection. Please create an Entry using Windows "
         "Dial-up Networking."},
        {"relative local path",
         [](FakeDialogView& v) {
             v.click(kLocalTransfer);
             v.enterText(kLocalPath, "www");
         },
         "Error in local path entry.  Please enter the full directory path."},
        {"empty local path, which would mean the root directory",
         [](FakeDialogView& v) {
             v.click(kLocalTransfer);
             v.enterText(kLocalPath, "");
         },
         "Error in local path entry.  Please enter the full directory path."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui = testsupport::ScriptedUi{};
        run([&](FakeDialogView& v) {
            c.setUp(v);
            v.click(platform::IdOk);
            EXPECT_FALSE(v.ended());
            v.click(platform::IdCancel);
        });
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].request.caption, "Error");
        EXPECT_EQ(ui.boxes()[0].request.text, c.error);
    }
    // A relative or empty path is no matter while local transfer is off.
    ui = testsupport::ScriptedUi{};
    EXPECT_EQ(run([](FakeDialogView& v) {
                  v.enterText(kLocalPath, "www");
                  v.click(platform::IdOk);
              }),
              platform::IdOk);
    EXPECT_EQ(config.localTransferPath, "www/");
}

TEST_F(InternetDialogTest, AFailedSaveIsReportedAndTheDialogStaysOpenWithNothingKept)
{
    saveError = std::make_error_code(std::errc::read_only_file_system);
    run([&](FakeDialogView& v) {
        v.enterText(kRemotePath, "changed");
        v.click(platform::IdOk);
        EXPECT_FALSE(v.ended());
        v.click(platform::IdCancel);
    });
    EXPECT_EQ(config.ftpRemotePath, "public_html");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].request.text,
              "The settings could not be saved: " + saveError.message());
}

TEST_F(InternetDialogTest, DayRangeAndBrowseEditTheCopyUntilOk)
{
    ui.queueDirectory("/srv/pages");
    run([&](FakeDialogView& v) {
        v.click(kDayRangeButton);
        v.click(kBrowse);
        EXPECT_EQ(v.text(kLocalPath), "/srv/pages/");
        v.click(platform::IdCancel);
    });
    EXPECT_EQ(ranges, 1);
    EXPECT_FALSE(config.transferRange.enabled);
    run([&](FakeDialogView& v) {
        v.click(kDayRangeButton);
        v.click(kBrowse); // cancelled: the path stays
        EXPECT_EQ(v.text(kLocalPath), "");
        v.click(platform::IdOk);
    });
    EXPECT_TRUE(config.transferRange.enabled);
}

} // namespace
} // namespace bv::publish
