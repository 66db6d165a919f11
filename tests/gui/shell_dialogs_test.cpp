#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/config_file.h"
#include "app/base/dialog_host.h"
#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/shell/about_dialog.h"
#include "app/shell/range_dialog.h"
#include "app/shell/units_dialog.h"
#include "gui/help_window.h"
#include "gui/qt_ui.h"
#include "qt_test_helpers.h"
#include "support/virtual_time.h"

namespace bv::guitest {
namespace {

// The shell's dialogs as the user sees them: the real logic in the Qt renderer.
class ShellDialogsQt : public QtDialogTest {
  protected:
    ShellDialogsQt() { ui.setStationDirectory(QStringLiteral(BV_HELP_DIR)); }

    int runUnits(std::function<void(QDialog*)> act)
    {
        later([act] {
            QDialog* dialog = frontModal();
            ASSERT_NE(dialog, nullptr);
            ASSERT_EQ(dialog->objectName(), "SETUP_UNITS");
            act(dialog);
        });
        return app::runUnitsDialog(launcher, config, stationSession, [this] {
            ASSERT_FALSE(app::saveConfig(config, station.path().toStdString()));
        });
    }

    app::AutoTaskGate gate;
    app::SettingsDialogLauncher launcher{host, gate};
    bv::station::StationSession stationSession{
        bv::station::PortServices{time, time, ui, [] { return nullptr; },
                                  [](int port) { return "COM" + std::to_string(port); }},
        {}};
};

TEST_F(ShellDialogsQt, UnitsOkStoresTheChosenButtonsAndSavesTheFile)
{
    config.baroUnit = 3;
    EXPECT_EQ(runUnits([](QDialog* dialog) {
                  snapshot(dialog, QStringLiteral("units"));
                  EXPECT_EQ(dialog->windowTitle(), "Choose Units");
                  EXPECT_TRUE(qobject_cast<QAbstractButton*>(controlOf(dialog, 1218))->isChecked());
                  clickButton(controlOf(dialog, 1214));
                  clickButton(controlOf(dialog, 1217));
                  clickButton(controlOf(dialog, 1037));
                  clickButton(controlOf(dialog, 1040));
                  clickButton(controlOf(dialog, platform::IdOk));
              }),
              platform::IdOk);
    EXPECT_EQ(config.tempUnit, 1);
    EXPECT_EQ(config.baroUnit, 2);
    EXPECT_EQ(config.rainUnit, 1);
    EXPECT_EQ(config.windUnit, 2);
    EXPECT_EQ(stationSession.settings().units.wind, units::WindUnit::KmPerHour);
    app::ConfigRecord saved;
    ASSERT_EQ(app::loadConfig(saved, station.path().toStdString()), app::ConfigLoad::Loaded);
    EXPECT_EQ(saved.baroUnit, 2);
}

TEST_F(ShellDialogsQt, UnitsEscapeCancelsWithoutSaving)
{
    EXPECT_EQ(runUnits([](QDialog* dialog) {
                  clickButton(controlOf(dialog, 1214));
                  QTest::keyClick(dialog, Qt::Key_Escape);
              }),
              platform::IdCancel);
    EXPECT_EQ(config.tempUnit, 0);
    EXPECT_FALSE(QFile::exists(station.filePath("config.dat")));
}

TEST_F(ShellDialogsQt, F1InTheUnitsDialogOpensItsHelpBesideIt)
{
    runUnits([this](QDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(controlOf(dialog, 1213), Qt::Key_F1);
        gui::HelpWindow* help = ui.helpWindow();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->parentWidget(), dialog); // usable while the dialog is modal
        EXPECT_EQ(help->browser()->source().fragment(), "topic40");
        clickButton(controlOf(dialog, platform::IdCancel));
    });
}

TEST_F(ShellDialogsQt, RangeWithToBeforeFromIsRefusedAndLeavesTheRangeAlone)
{
    app::DayRange range;
    const app::DayRange before = range;
    QString warning;
    QString caption;
    later([&] {
        QDialog* dialog = frontModal();
        ASSERT_NE(dialog, nullptr);
        snapshot(dialog, QStringLiteral("range"));
        clickButton(controlOf(dialog, 1051));
        for (const auto& [id, text] : {std::pair{1050, "5:00p"}, std::pair{1006, "9:00a"}}) {
            auto* edit = qobject_cast<QLineEdit*>(controlOf(dialog, id));
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
        later([&] {
            auto* box = frontModal<QMessageBox>();
            ASSERT_NE(box, nullptr);
            warning = box->text();
            caption = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        clickButton(controlOf(dialog, platform::IdOk));
        EXPECT_TRUE(dialog->isVisible());
        clickButton(controlOf(dialog, platform::IdCancel));
    });
    EXPECT_EQ(app::runRangeDialog(host, shell, range), platform::IdCancel);
    EXPECT_EQ(caption, "Warning");
    EXPECT_EQ(warning, " \"From\"  Time is after  \"To\"  time .\"");
    EXPECT_EQ(range, before);
}

TEST_F(ShellDialogsQt, AboutBoxIsYellowOnBlueAndADoubleClickTurnsThePage)
{
    later([] {
        QDialog* box = frontModal();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "About BrisvaneViraraz");
        auto* title = qobject_cast<QLabel*>(controlOf(box, app::about_dialog::kLines[0]));
        EXPECT_EQ(title->palette().color(QPalette::Window), QColor(0, 0, 255));
        EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        const QString firstPage = title->text();
        snapshot(box, QStringLiteral("about"));
        QTest::mouseDClick(controlOf(box, app::about_dialog::kLogo), Qt::LeftButton);
        EXPECT_NE(title->text(), firstPage);
        snapshot(box, QStringLiteral("about-credits"));
        QTest::mouseDClick(title, Qt::LeftButton);
        EXPECT_EQ(title->text(), firstPage);
        clickButton(controlOf(box, platform::IdOk));
    });
    EXPECT_EQ(app::runAboutBox(host), platform::IdOk);
}

} // namespace
} // namespace bv::guitest
