#include <memory>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/dialog_host.h"
#include "app/base/event_log.h"
#include "app/base/shell.h"
#include "app/shell/about_dialog.h"
#include "app/shell/logger_schedule_dialog.h"
#include "app/shell/range_dialog.h"
#include "app/shell/units_dialog.h"
#include "app/shell/walkthrough.h"
#include "gui/qt_dialog_view.h"
#include "gui/qt_ui.h"
#include "images/setup_images_dialog.h"
#include "paging/advanced_dialog.h"
#include "paging/pager_alarms_dialog.h"
#include "paging/pager_entry_dialog.h"
#include "paging/pager_setup_dialog.h"
#include "paging/weather_items_dialog.h"
#include "platform/clock_setter.h"
#include "publish/data_dialog.h"
#include "publish/dial_dialog.h"
#include "publish/internet_dialog.h"
#include "qt_test_helpers.h"
#include "recording_client.h"
#include "setup/setup_dialog.h"
#include "station/archive_dialog.h"
#include "station/archive_transfer.h"
#include "station/classic_link.h"
#include "station/current_weather_dialog.h"
#include "station/download_dialog.h"
#include "station/set_time_dialog.h"
#include "station/station_detector.h"
#include "station/station_setup_dialog.h"
#include "support/virtual_time.h"

namespace bv::guitest {
namespace {

// A dial line that is never used: the gallery only draws the dialog.
class IdleLine final : public publish::DialLine {
  public:
    bool startDial() override { return false; }
    std::vector<publish::DialUpdate> poll() override { return {}; }
    void hangUp() override {}
};

// A PC clock that is never set: the gallery only draws the dialog.
class IdleClock final : public platform::ClockSetter {
  public:
    int setLocalTime(const platform::WallTime&) override { return 0; }
};

// Every dialog of the programs drawn by the Qt renderer as it opens: each
// control is there, pictures are found, no two controls of one parent overlap,
// no caption is cut and no edit is too narrow to show a few characters. With
// BV_SNAPSHOT_DIR set, each dialog is saved as NAME.png there.
class DialogGallery : public QtDialogTest {
  protected:
    static void expectTidy(const QWidget* window, const platform::DialogTemplate& spec)
    {
        const int minimumEditWidth = 3 * window->fontMetrics().averageCharWidth();
        std::vector<const QWidget*> shown;
        for (const platform::ControlSpec& control : spec.controls) {
            const QWidget* widget = controlOf(window, control.id);
            ASSERT_NE(widget, nullptr) << control.id;
            if (!widget->isVisibleTo(window))
                continue;
            const auto* label = qobject_cast<const QLabel*>(widget);
            const auto* button = qobject_cast<const QAbstractButton*>(widget);
            if ((label != nullptr && !label->wordWrap()) || button != nullptr) {
                EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                    << "cut caption of " << control.id << " \"" << control.caption << '"';
            }
            if (control.kind == platform::ControlKind::Picture) {
                EXPECT_FALSE(label == nullptr || label->pixmap().isNull())
                    << "no picture \"" << control.caption << '"';
            }
            if (qobject_cast<const QLineEdit*>(widget) != nullptr) {
                EXPECT_GE(widget->width(), minimumEditWidth) << "narrow edit " << control.id;
            }
            for (const QWidget* other : shown) {
                if (other->parentWidget() == widget->parentWidget()) {
                    EXPECT_FALSE(other->geometry().intersects(widget->geometry()))
                        << other->objectName().toStdString() << " overlaps " << control.id;
                }
            }
            shown.push_back(widget);
        }
    }

    static QDialog* shownDialog(const std::string& templateName)
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<QDialog*>(widget);
            if (window != nullptr && window->isVisible() &&
                window->objectName().toStdString() == templateName)
                return window;
        }
        return nullptr;
    }

    // Opens the dialog as the program does (its own opening fills it) and
    // cancels it; a dialog whose opening talks to a station is drawn from its
    // template alone.
    void draw(app::Dialog& dialog, const QString& name, bool opensItself)
    {
        SCOPED_TRACE(name.toStdString());
        const auto look = [&](QDialog* window) {
            ASSERT_NE(window, nullptr);
            ASSERT_EQ(window->objectName().toStdString(), dialog.templateName());
            expectTidy(window, dialog.dialogTemplate());
            snapshot(window, name);
        };
        if (!opensItself) {
            RecordingClient client(dialog.dialogTemplate());
            gui::QtDialogView view(client, nullptr);
            client.onOpenDo = [&](platform::DialogView&) {
                later([&] {
                    look(view.window());
                    view.end(platform::IdCancel);
                });
            };
            view.run();
            return;
        }
        // The dialog's own opening may run events before its window shows.
        std::function<void()> whenShown = [&] {
            QDialog* window = shownDialog(dialog.templateName());
            if (window == nullptr)
                return later(whenShown);
            look(window);
            QTest::keyClick(window, Qt::Key_Escape);
        };
        later(whenShown);
        host.runModal(dialog);
    }

    station::PortServices ports{time, time, ui, [] { return nullptr; },
                                [](int port) { return "COM" + std::to_string(port); }};
};

TEST_F(DialogGallery, EveryDialogIsDrawnTidily)
{
    station::ClassicPort port(ports);
    station::ClassicLink link(port);
    station::ArchiveTransfer transfer(link, link.model(), {});
    station::StationDetector detector(ports);
    station::StationSession session(ports, {});
    app::EventLog log(station.path().toStdString(), time, regional);
    IdleLine line;
    IdleClock pcClock;
    app::DayRange range;
    paging::AdvancedSettings advanced;
    paging::PagerEntry entry;
    const std::filesystem::path dir = station.path().toStdString();

    config.stationDir = dir.string();
    struct Entry {
        QString name;
        std::unique_ptr<app::Dialog> dialog;
        bool opensItself;
    };
    std::vector<Entry> dialogs;
    const auto add = [&](const char* name, std::unique_ptr<app::Dialog> dialog,
                         bool opensItself = true) {
        dialogs.push_back({QString::fromLatin1(name), std::move(dialog), opensItself});
    };
    add("units", std::make_unique<app::UnitsDialog>(config, session));
    add("range", std::make_unique<app::RangeDialog>(shell, range));
    add("about", std::make_unique<app::AboutBox>());
    add("schedule", std::make_unique<app::LoggerScheduleDialog>(shell, config));
    add("station_setup",
        std::make_unique<station::StationSetupDialog>(
            shell, config, [&detector](const station::StationDetector::Offer& offer) {
                return detector.detect(offer);
            }));
    add("archive", std::make_unique<station::ArchiveDialog>(shell, config, link, 10));
    add("set_time",
        std::make_unique<station::SetTimeDialog>(shell, pcClock, station::StationMessages{}, link,
                                                 station::StationTime{2026, 12, 8, 9, 30}));
    add("current_weather", std::make_unique<station::CurrentWeatherDialog>(shell, session), false);
    add("download", std::make_unique<station::DownloadDialog>(transfer, false), false);
    add("internet",
        std::make_unique<publish::InternetDialog>(
            shell, config, publish::InternetDialogServices{true, {"provider"}, {}, {}}));
    add("data", std::make_unique<publish::DataDialog>(shell, config,
                                                      publish::DataDialogServices{dir, {}, {}}));
    add("dialup", std::make_unique<publish::DialDialog>(line, log, time, 1, 1));
    add("setup_images", std::make_unique<images::SetupImagesDialog>(config));
    add("pager_setup", std::make_unique<paging::PagerSetupDialog>(config, shell, dir,
                                                                  paging::PagerSetupServices{}));
    add("pager_entry", std::make_unique<paging::PagerEntryDialog>(shell, entry));
    add("pager_advanced", std::make_unique<paging::AdvancedDialog>(advanced));
    add("pager_alarms", std::make_unique<paging::PagerAlarmsDialog>(config, dir / "alarm.dat"));
    add("pager_weather", std::make_unique<paging::WeatherItemsDialog>(config));
    add("setup",
        std::make_unique<setup::SetupDialog>(ui, setup::InstallHeader{}, dir, setup::XdgPlaces{}));
    for (const Entry& item : dialogs)
        draw(*item.dialog, item.name, item.opensItself);
}

// The walkthrough's step dialog is its own: drawn as the walkthrough shows it.
TEST_F(DialogGallery, TheWalkthroughStepIsDrawnTidily)
{
    app::AutoTaskGate gate;
    later([this] {
        auto* question = frontModal<QMessageBox>();
        ASSERT_NE(question, nullptr);
        later([] {
            QDialog* step = frontModal();
            ASSERT_NE(step, nullptr);
            EXPECT_GE(controlOf(step, app::walkthrough::kTextField)->width(),
                      40 * step->fontMetrics().averageCharWidth());
            snapshot(step, QStringLiteral("walkthrough"));
            clickButton(controlOf(step, platform::IdCancel));
        });
        question->button(QMessageBox::Yes)->click();
    });
    app::runWalkthrough(host, shell, gate, [](int) {});
}

} // namespace
} // namespace bv::guitest
