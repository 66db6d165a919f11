#include <set>

#include <QCoreApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "app/shell/logger_schedule_dialog.h"
#include "app/shell/range_dialog.h"
#include "app/shell/units_dialog.h"
#include "gui/help_window.h"
#include "images/setup_images_dialog.h"
#include "paging/dialog_ids.h"
#include "publish/data_dialog.h"
#include "publish/internet_dialog.h"
#include "station/archive_dialog.h"
#include "station/current_weather_dialog.h"
#include "station/set_time_dialog.h"
#include "station/station_setup_dialog.h"

namespace bv::guitest {
namespace {

// The help file shipped with the program (resources/help/Viraraz.hlp).
const QString kHelpFile = QStringLiteral(BV_HELP_DIR "/Viraraz.hlp");

struct Links {
    std::set<QString> anchors; // names
    std::set<QString> targets; // "#name" links, without the '#'
};

Links linksOf(const QTextDocument& document)
{
    Links links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                links.anchors.insert(name);
            if (format.anchorHref().startsWith(u'#'))
                links.targets.insert(format.anchorHref().mid(1));
        }
    }
    return links;
}

TEST(HelpFile, HasTheContentsAndTheTopicsOfTheDialogsAndNoBrokenLinks)
{
    gui::HelpWindow window;
    window.showTopic(kHelpFile, 0);
    const Links links = linksOf(*window.browser()->document());
    EXPECT_TRUE(links.anchors.count(QStringLiteral("contents")));
    // Every topic a dialog's Help button or F1 opens. A new dialog adds its
    // topic here and its section to the help file.
    const int dialogTopics[] = {
        station::station_setup_dialog::kHelpTopic,
        station::set_time_dialog::kHelpTopic,
        station::archive_dialog::kHelpTopic,
        station::current_weather::kHelpTopic,
        app::units_dialog::kHelpTopic,
        publish::data_dialog::kHelpTopic,
        images::setup_images::kHelpTopic,
        paging::kPagerSetupHelpTopic,
        paging::kPagerEntryHelpTopic,
        paging::kAdvancedHelpTopic,
        paging::kWeatherItemsHelpTopic,
        paging::kPagerAlarmsHelpTopic,
        app::range_dialog::kHelpTopic,
        publish::internet_dialog::kHelpTopic,
        app::logger_dialog::kHelpTopic,
    };
    for (const int topic : dialogTopics) {
        EXPECT_TRUE(links.anchors.count(gui::helpAnchor(topic))) << topic;
        EXPECT_TRUE(links.targets.count(gui::helpAnchor(topic))) << topic << " not in the contents";
    }
    for (const QString& target : links.targets)
        EXPECT_TRUE(links.anchors.count(target)) << target.toStdString();
    EXPECT_EQ(gui::helpAnchor(0), "contents");
    EXPECT_EQ(gui::helpAnchor(90), "topic90");
}

TEST(HelpFile, OpensAtTheTopicsPlace)
{
    gui::HelpWindow window;
    window.resize(500, 300);
    window.showTopic(kHelpFile, 0);
    QCoreApplication::processEvents();
    const int contentsAt = window.browser()->verticalScrollBar()->value();
    window.showTopic(kHelpFile, 90);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.browser()->source().fragment(), "topic90");
    EXPECT_GT(window.browser()->verticalScrollBar()->value(), contentsAt);
    EXPECT_TRUE(window.browser()->toPlainText().contains("Choosing units"));
}

} // namespace
} // namespace bv::guitest
