#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/base/dialog_host.h"
#include "app/base/shell.h"
#include "gui/qt_ui.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/pager_alarms_dialog.h"
#include "paging/pager_setup_dialog.h"
#include "qt_test_helpers.h"
#include "support/virtual_time.h"

namespace bv::guitest {
namespace {

using namespace paging::pager_alarms_dialog;

// The paging dialogs drawn by the Qt renderer, with a nested dialog on top.
class PagingDialogsQt : public QtDialogTest {};

TEST_F(PagingDialogsQt, PagerAlarmsOpenFromPagerSetupAndStoreWhatWasTyped)
{
    paging::PagerSetupDialog setup(config, shell, station.path().toStdString(), {});
    later([] {
        QDialog* dialog = frontModal();
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->objectName(), "SETUP_PAGER");
        later([dialog] {
            QDialog* alarms = frontModal();
            ASSERT_NE(alarms, nullptr);
            ASSERT_EQ(alarms->objectName(), "PAGER_ALARMS");
            qobject_cast<QLineEdit*>(controlOf(alarms, kFirstHigh + paging::OutsideTemp))
                ->setText("95.5");
            auto* quantity = qobject_cast<QComboBox*>(controlOf(alarms, kFirstQuantity));
            ASSERT_EQ(quantity->count(), 13);
            quantity->setCurrentIndex(paging::WindDirection + 1);
            emit quantity->activated(paging::WindDirection + 1); // as the user's choice
            EXPECT_TRUE(controlOf(alarms, kFirstCompass)->isVisibleTo(alarms));
            EXPECT_FALSE(controlOf(alarms, kFirstLimit)->isVisibleTo(alarms));
            clickButton(controlOf(alarms, platform::IdOk));
            later([dialog] { clickButton(controlOf(dialog, platform::IdOk)); });
        });
        clickButton(controlOf(dialog, paging::pager_setup_dialog::kAlarms));
    });
    EXPECT_EQ(setup.run(host), platform::IdOk);
    EXPECT_EQ(paging::alarmLimit(config, paging::OutsideTemp, paging::LimitSide::High), 95.5f);
    EXPECT_EQ(config.andAlarmParam[0], paging::WindDirection + 1);
    EXPECT_EQ(config.andAlarmValue[0], 0.0f);
}

} // namespace
} // namespace bv::guitest
