#include "gui/pager_status_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

#include "app/shell/application.h"
#include "gui/main_window.h"
#include "gui/qt_event_loop.h"
#include "gui/qt_ui.h"
#include "paging/pager_entry.h"
#include "paging/pager_status.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::gui {
namespace {

// The main window's pager status window driven by the status engine, as the
// paging feature plugs them together: the engine finds the window through
// the Application. The modem stays silent; a telephone page needs no answer.
TEST(PagerStatusWindow, ShowsInTheMiddleUpdatesAndCancelsTheQueue)
{
    const testsupport::TempDir dir{"bv-pager-window"};
    QtEventLoop qtLoop;
    QtUi ui;
    testsupport::VirtualTime time;
    app::Application app{ui, qtLoop, time, dir.path(), app::Edition::WithDialUp};
    MainWindow window{app};
    window.resize(801, 601);
    window.show();

    testsupport::ScriptedUi portUi;
    testsupport::LambdaPeer modem;
    testsupport::MemoryWire wire{time, modem};
    station::ClassicPort port{station::PortServices{
        time, time, portUi, wire.factory(), [](int n) { return "COM" + std::to_string(n); }}};
    paging::PagerStatus status{paging::PagerStatusServices{
        time, port,
        [] {
            return paging::ModemSetup{2, "ATZ"};
        },
        [](const std::string&) {}, [](std::string_view) {}, [] {}, [](bool) {}, [](int) {}}};
    status.setView([&app] { return app.pagerStatusView(); });

    paging::PagerEntry home;
    home.name = "Home";
    home.kind = paging::EntryKind::Telephone;
    const auto queue = dir.path() / "sendpages.dat";
    std::ofstream(queue) << paging::formatPagerLine(home) << "\nATDT1234#,,;ATH0\r\n"
                         << paging::formatPagerLine(home) << "\nATDT1234#,,;ATH0\r\n";
    int finished = 0;
    status.sendQueue(queue, [&finished] { ++finished; });
    time.pause(5000); // inside the first call's 40-second wait

    const PagerStatusWindow* shown = window.pagerStatusWindow();
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->isVisible());
    // ((801 - 299) / 2, (601 - 79) / 2), 300 x 80.
    EXPECT_EQ(shown->geometry(), QRect(251, 261, 300, 80));
    EXPECT_EQ(shown->statusText()->text(), "Sending alarm to Telephone entry \"Home\".");
    EXPECT_EQ(shown->cancelButton()->text(), "&Cancel");

    QTest::mouseClick(shown->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(shown->isVisible());
    EXPECT_FALSE(status.running());
    EXPECT_FALSE(port.isOpen()) << "Cancel hangs up";
    time.pause(60000);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(wire.openCount(), 1) << "the second page is dropped";
}

} // namespace
} // namespace bv::gui
