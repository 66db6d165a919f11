#include "gui/main_window.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "app/shell/shell_actions.h"
#include "app/shell/window_features.h"
#include "gui/help_window.h"
#include "gui/log_viewer.h"
#include "gui/qt_event_loop.h"
#include "gui/qt_ui.h"
#include "gui/tray.h"
#include "qt_test_helpers.h"
#include "support/temp_dir.h"
#include "support/text_files.h"
#include "support/virtual_time.h"

namespace bv::gui {
namespace {

using guitest::frontModal;
using guitest::later;

struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
};

// Answers the message box that the next step opens with button, noting what it said.
void answerBox(QMessageBox::StandardButton button, BoxSeen& seen)
{
    later([button, &seen] {
        QMessageBox* box = frontModal<QMessageBox>();
        ASSERT_NE(box, nullptr) << "no message box opened";
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        ++seen.count;
        ASSERT_NE(box->button(button), nullptr);
        box->button(button)->click();
    });
}

QList<QMenu*> menusOf(const QMenuBar* bar)
{
    QList<QMenu*> menus;
    for (QAction* action : bar->actions())
        if (action->menu() != nullptr)
            menus.push_back(action->menu());
    return menus;
}

QAction* menuAction(const QMainWindow& window, const QString& text)
{
    for (QMenu* menu : menusOf(window.menuBar()))
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return action;
    return nullptr;
}

class RunningTransfer : public app::TransferCycleControl {
  public:
    bool running() const override { return true; }
    void cancel() override {}
    void start() override {}
};

class MainWindowTest : public testing::Test {
  protected:
    MainWindowTest()
    {
        window.attach(ui);
        app::addShellActions(window.commands(), app);
        window.setOnClosed([this] { closedCalls++; });
        app.start({}, units::RegionalSettings{});
    }

    QString viewerText() const { return window.viewer()->toPlainText(); }

    testsupport::TempDir dir{"bv-main-window"};
    QtEventLoop loop;
    QtUi ui;
    testsupport::VirtualTime clock;
    app::Application app{ui, loop, clock, dir.path(), app::Edition::WithDialUp};
    MainWindow window{app};
    int closedCalls = 0;
};

TEST_F(MainWindowTest, MenusCarryTheExactTextsAndOnlyTheirShortcutLabels)
{
    EXPECT_EQ(window.windowTitle(), "Brisvane Viraraz");
    EXPECT_FALSE(window.windowIcon().isNull());
    const QList<QMenu*> menus = menusOf(window.menuBar());
    ASSERT_EQ(menus.size(), 5);
    for (int m = 0; m < menus.size(); ++m) {
        const app::Menu& expected = app::mainMenu()[static_cast<std::size_t>(m)];
        EXPECT_EQ(menus[m]->title(),
                  QString::fromUtf8(expected.title.data(), qsizetype(expected.title.size())));
        const QList<QAction*> actions = menus[m]->actions();
        ASSERT_EQ(actions.size(), qsizetype(expected.items.size()));
        for (int i = 0; i < actions.size(); ++i) {
            const app::MenuItem& item = expected.items[static_cast<std::size_t>(i)];
            EXPECT_EQ(actions[i]->isSeparator(), item.command == 0);
            if (item.command == 0)
                continue;
            EXPECT_EQ(actions[i]->text().toStdString(), item.text);
            // The label after the tab is all: the keys are the window's shortcuts.
            EXPECT_TRUE(actions[i]->shortcut().isEmpty()) << item.text;
        }
    }
    EXPECT_NE(menuAction(window, "&Exit"), nullptr);
}

TEST_F(MainWindowTest, EveryQuickKeyIsAWindowShortcutCtrlQIncluded)
{
    QStringList keys;
    for (const QShortcut* shortcut : window.findChildren<QShortcut*>())
        keys << shortcut->key().toString();
    for (const app::Accelerator& key : app::quickKeys())
        EXPECT_TRUE(keys.contains(QStringLiteral("Ctrl+") + QChar(key.key))) << key.key;
    EXPECT_TRUE(keys.contains("Ctrl+Q"));
}

TEST_F(MainWindowTest, ToolbarHasItsTwelvePositionsWithImagesAndTooltips)
{
    const QList<QAction*> actions = window.toolbar()->actions();
    const auto entries = app::toolbarEntries();
    ASSERT_EQ(actions.size(), qsizetype(entries.size()));
    for (int i = 0; i < actions.size(); ++i) {
        const app::ToolbarEntry& entry = entries[static_cast<std::size_t>(i)];
        EXPECT_EQ(actions[i]->isSeparator(), entry.command == 0) << i;
        if (entry.command == 0)
            continue;
        EXPECT_TRUE(actions[i]->toolTip().startsWith(
            QString::fromUtf8(entry.toolTip.data(), qsizetype(entry.toolTip.size()))))
            << i;
        EXPECT_FALSE(actions[i]->icon().pixmap(QSize(16, 15)).isNull()) << i;
    }
    EXPECT_EQ(window.toolbar()->iconSize(), QSize(16, 15));
    QAction* toggle = window.toolbarAction(app::CmdDisableTransfers);
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isCheckable());
    // The pressed toggle shows the other image of the strip.
    const QImage released =
        toggle->icon().pixmap(QSize(16, 15), QIcon::Normal, QIcon::Off).toImage();
    const QImage pressed = toggle->icon().pixmap(QSize(16, 15), QIcon::Normal, QIcon::On).toImage();
    EXPECT_NE(released, pressed);
}

TEST_F(MainWindowTest, ExitAsksAndNoKeepsTheProgramRunning)
{
    window.show();
    BoxSeen seen;
    answerBox(QMessageBox::No, seen);
    menuAction(window, "&Exit")->trigger();
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.title, "Confirm");
    EXPECT_EQ(seen.text, "Exit Brisvane Viraraz ?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_TRUE(window.isVisible());

    // The title bar's close asks the same.
    answerBox(QMessageBox::No, seen);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(seen.count, 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(closedCalls, 0);

    answerBox(QMessageBox::Yes, seen);
    window.toolbarAction(app::CmdExit)->trigger();
    EXPECT_EQ(seen.count, 3);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closedCalls, 1);
}

TEST_F(MainWindowTest, ToggleClosesAndReopensTheGateAndWarnsOnce)
{
    QAction* toggle = window.toolbarAction(app::CmdDisableTransfers);
    BoxSeen seen;
    answerBox(QMessageBox::Ok, seen);
    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_FALSE(app.gate().allowed());
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.text, "Please remember to enable  transfers (once you are done editing your "
                         "settings) by clicking this toolbar button again.");

    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(app.gate().allowed());
    EXPECT_EQ(seen.count, 1);
}

TEST_F(MainWindowTest, ViewLogShowsTheLogAndEveryNewEventReloadsIt)
{
    ASSERT_EQ(app.eventLog().logEvent(" first event "), 0);
    EXPECT_FALSE(window.viewer()->isVisibleTo(&window));
    window.toolbarAction(app::CmdViewLog)->trigger();
    EXPECT_TRUE(window.viewer()->isVisibleTo(&window));
    EXPECT_TRUE(window.viewer()->isReadOnly());
    EXPECT_TRUE(viewerText().contains("first event"));

    ASSERT_EQ(app.eventLog().logEvent(" second event "), 0);
    const QStringList lines = viewerText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(" second event "));
    EXPECT_TRUE(lines[1].endsWith(" first event "));

    menuAction(window, "&Close View\tCtrl+C")->trigger();
    EXPECT_FALSE(window.viewer()->isVisibleTo(&window));
}

TEST_F(MainWindowTest, PrintingAHiddenViewerSaysThereIsNothingToPrint)
{
    BoxSeen seen;
    answerBox(QMessageBox::Ok, seen);
    menuAction(window, "&Print... \tCtrl+P")->trigger();
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.text, "Nothing to print.");
}

TEST_F(MainWindowTest, ShortcutKeysRunTheirCommands)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(window.viewer()->isVisible());

    BoxSeen seen;
    answerBox(QMessageBox::No, seen);
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(seen.text, "Exit Brisvane Viraraz ?");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, PluggedCommandsAreEnabledInMenusAndToolbar)
{
    QAction* units = menuAction(window, "&Units...\tCtrl+U");
    EXPECT_TRUE(units->isEnabled());
    EXPECT_TRUE(menuAction(window, "&About...")->isEnabled());
    EXPECT_TRUE(window.toolbarAction(app::CmdViewLog)->isEnabled());

    QMenu* setup = menusOf(window.menuBar())[1];
    window.show();
    setup->popup(window.mapToGlobal(QPoint(40, 20)));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(setup));
    guitest::snapshot(setup, "setup_menu");
    setup->hide();
}

// The window as hollit and hollit1 wire it.
class WiredWindowTest : public testing::TestWithParam<app::Edition> {
  protected:
    WiredWindowTest()
    {
        window.attach(ui);
        app.start({}, units::RegionalSettings{});
    }

    testsupport::TempDir dir{"bv-wired-window"};
    QtEventLoop loop;
    QtUi ui;
    testsupport::VirtualTime clock;
    app::Application app{ui, loop, clock, dir.path(), GetParam()};
    MainWindow window{app};
    app::WindowFeatures features{app, window.commands(), window};
};

TEST_P(WiredWindowTest, EveryCommandIsBuiltAndViewAlarmInfoShowsPagerInf)
{
    for (const app::Menu& menu : app::mainMenu())
        for (const app::MenuItem& item : menu.items) {
            if (item.command != 0) {
                EXPECT_TRUE(window.commands().available(item.command)) << item.text;
            }
        }
    for (const QAction* action : window.findChildren<QAction*>())
        EXPECT_FALSE(action->toolTip().contains("Not available"))
            << action->toolTip().toStdString();
    for (const int command : {app::CmdDial, app::CmdHangUp, app::CmdStartTransfer})
        EXPECT_TRUE(window.toolbarAction(command)->isEnabled()) << command;

    testsupport::writeText(dir.path() / "pager.inf", "an older report");
    window.commands().execute(40201); // Ctrl+I
    EXPECT_TRUE(window.commands().viewerShown());
    EXPECT_EQ(window.viewer()->toPlainText(), "Alarms not configured.");
    EXPECT_EQ(testsupport::readText(dir.path() / "pager.inf"), "Alarms not configured.");
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, WiredWindowTest,
                         testing::Values(app::Edition::WithDialUp, app::Edition::WithoutDialUp));

TEST_F(MainWindowTest, MenusGreyWhileATransferRunsAsTheyOpen)
{
    RunningTransfer transfer;
    window.commands().setTransferCycle(&transfer);
    QMenu* setup = menusOf(window.menuBar())[1];
    emit setup->aboutToShow();
    EXPECT_FALSE(menuAction(window, "&Units...\tCtrl+U")->isEnabled());
    EXPECT_FALSE(menuAction(window, "&About...")->isEnabled());
    EXPECT_FALSE(menuAction(window, "&Print... \tCtrl+P")->isEnabled());
    EXPECT_TRUE(menuAction(window, "&Cancel Transfer\tCtrl+E")->isEnabled());
    EXPECT_TRUE(menuAction(window, "&View Log\tCtrl+V")->isEnabled());

    window.commands().setToolbarBusy(true);
    EXPECT_TRUE(window.toolbarAction(app::CmdCancelTransfer)->isEnabled());
    EXPECT_FALSE(window.toolbarAction(app::CmdStartTransfer)->isEnabled());
    EXPECT_FALSE(window.toolbarAction(app::CmdDisableTransfers)->isEnabled());
}

TEST_F(MainWindowTest, RightClickInTheViewerOpensTheMainPopup)
{
    window.show();
    window.commands().execute(app::CmdViewLog);
    QWidget* viewport = window.viewer()->viewport();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                            viewport->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(viewport, &click);
    QMenu* popup = window.popupMenu();
    EXPECT_TRUE(popup->isVisible());
    QStringList titles;
    for (QAction* action : popup->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Setup", "&Communications", "&Display"}));
    popup->hide();
}

TEST_F(MainWindowTest, ViewerSitsBetweenToolbarAndStatusBarWithItsMargins)
{
    window.resize(700, 500);
    window.show();
    window.commands().execute(app::CmdViewLog);
    QCoreApplication::processEvents();
    const QWidget* centre = window.centralWidget();
    const QRect viewer = window.viewer()->geometry();
    EXPECT_EQ(viewer.left(), 2);
    EXPECT_EQ(viewer.top(), 8);
    EXPECT_EQ(viewer.width(), centre->width() - 5);
    EXPECT_EQ(viewer.height(), centre->height() - 12);
    EXPECT_EQ(window.viewer()->font().pointSizeF(), 10.0);
}

TEST_F(MainWindowTest, StatusLineAndHelpContentsReachTheWindow)
{
    app.shell().showStatus("Connecting");
    EXPECT_TRUE(window.statusLabel()->text().endsWith(" Connecting"));
    menuAction(window, "&Contents")->trigger();
    ASSERT_NE(ui.helpWindow(), nullptr);
    EXPECT_TRUE(ui.helpWindow()->isVisible());
    ui.helpWindow()->close();
}

// Without a system tray (the offscreen platform has none) minimising must not
// hide the window where nobody could bring it back.
TEST_F(MainWindowTest, MinimisingWithoutASystemTrayKeepsTheWindowReachable)
{
    ASSERT_FALSE(TrayParking::trayAvailable());
    EXPECT_EQ(window.tray().icon()->toolTip(), "Brisvane Viraraz");
    window.show();
    window.showMinimized();
    QTest::qWait(20);
    EXPECT_FALSE(window.tray().park());
    EXPECT_FALSE(window.tray().parked());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, TimerOneTicksOnTheQtLoop)
{
    EXPECT_TRUE(QTest::qWaitFor([this] { return app.ticks() >= 1; }, 3000));
}

// The window as the user sees it: the background picture in the middle and
// the toolbar images drawn (saved to BV_SNAPSHOT_DIR when set).
TEST_F(MainWindowTest, DrawsTheBackgroundPictureAndTheToolbar)
{
    window.resize(640, 460);
    window.show();
    QCoreApplication::processEvents();
    const QImage shot = window.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    guitest::snapshot(&window, "main_window");
    const QWidget* centre = window.centralWidget();
    const QPoint middle = centre->mapTo(&window, centre->rect().center());
    const QColor grey = window.palette().color(QPalette::Window);
    int pictureRows = 0;
    for (int dy = -100; dy < 100; ++dy)
        if (shot.pixelColor((middle + QPoint(0, dy)) * ratio) != grey)
            ++pictureRows;
    EXPECT_GT(pictureRows, 100) << "the background picture is missing";

    ASSERT_EQ(app.eventLog().logEvent(" Transfer completed "), 0);
    app.shell().showStatus("Transfer completed");
    window.commands().execute(app::CmdViewLog);
    QCoreApplication::processEvents();
    guitest::snapshot(&window, "main_window_viewer");
    const QImage viewer = window.viewer()->viewport()->grab().toImage();
    EXPECT_EQ(viewer.pixelColor(viewer.width() / 2, viewer.height() - 20 * int(ratio)),
              QColor(Qt::white));
}

} // namespace
} // namespace bv::gui
