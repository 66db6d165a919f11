#include "app/base/shell.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "app/base/string_table.h"
#include "app/base/strings_station.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"

namespace bv::app {
namespace {

using platform::BusyFrame;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;
using testsupport::ScriptedUi;
using testsupport::VirtualTime;

class ShellTest : public ::testing::Test {
  protected:
    ScriptedUi ui;
    VirtualTime time{{2001, 3, 5, 13, 5, 42, 0, 1}};
    units::RegionalSettings regional;
    Shell shell{ui, time, regional};
};

TEST_F(ShellTest, StatusLineCarriesTheMomentInRegionalFormat)
{
    shell.showStatus("Downloading archive");
    EXPECT_EQ(ui.statusText(), "  3-05-01  1:05p Downloading archive");

    regional.dateOrder = units::DateOrder::YearMonthDay;
    regional.dateSeparator = '/';
    regional.clock24 = true;
    time.advance(60'000);
    shell.showStatus("Done");
    EXPECT_EQ(ui.statusText(), " 01/03/05 13:06 Done");

    shell.clearStatus();
    EXPECT_EQ(ui.statusText(), "");
}

TEST_F(ShellTest, BusyCursorAlternatesBetweenItsTwoFrames)
{
    for (int i = 0; i < 5; ++i)
        shell.setBusyCursor();
    EXPECT_EQ(ui.busyFrames(),
              (std::vector<BusyFrame>{BusyFrame::Cup1, BusyFrame::Cup2, BusyFrame::Cup1,
                                      BusyFrame::Cup2, BusyFrame::Cup1}));
}

TEST_F(ShellTest, MessageBoxesHaveTheirFixedCaptionsButtonsAndIcons)
{
    struct Expected {
        std::string caption;
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
        bool owned;
    };
    ui.queueAnswer(MessageResult::Ok);
    ui.queueAnswer(MessageResult::Ok);
    ui.queueAnswer(MessageResult::No);
    ui.queueAnswer(MessageResult::Yes);
    ui.queueAnswer(MessageResult::Ok);

    shell.errorBox("Select a file first.");
    shell.warningBox("Station Communication Error. Check station settings.",
                     BoxOwner::ActiveWindow);
    EXPECT_EQ(shell.askBox("Invalid download file name. Modify entry?"), MessageResult::No);
    EXPECT_EQ(shell.confirmBox("Exit Brisvane Viraraz ?", MessageButtons::YesNo),
              MessageResult::Yes);
    shell.outOfMemoryBox();

    const Expected expected[] = {
        {"Error", "Select a file first.", MessageButtons::Ok, MessageIcon::None, false},
        {"Warning", "Station Communication Error. Check station settings.", MessageButtons::Ok,
         MessageIcon::None, true},
        {"Warning", "Invalid download file name. Modify entry?", MessageButtons::YesNo,
         MessageIcon::Stop, false},
        {"Confirm", "Exit Brisvane Viraraz ?", MessageButtons::YesNo, MessageIcon::Question, false},
        {"Error", "Not enough memory to complete operation.  Please exit windows.",
         MessageButtons::Ok, MessageIcon::None, false},
    };
    ASSERT_EQ(ui.boxes().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const platform::MessageBoxRequest& got = ui.boxes()[i].request;
        EXPECT_EQ(got.caption, expected[i].caption);
        EXPECT_EQ(got.text, expected[i].text);
        EXPECT_EQ(got.buttons, expected[i].buttons);
        EXPECT_EQ(got.icon, expected[i].icon);
        EXPECT_EQ(got.hasOwner, expected[i].owned);
    }
}

TEST_F(ShellTest, BoxesComeUpWithTheArrowCursor)
{
    shell.setBusyCursor();
    shell.errorBox("Error.Unable start to Brisvane program.");
    shell.setBusyCursor();
    shell.askBox("Continue?");
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_FALSE(ui.boxes()[0].busyCursorShown);
    EXPECT_FALSE(ui.boxes()[1].busyCursorShown);
}

TEST_F(ShellTest, ErrorBoxIdShowsTheTableTextCutAt150Characters)
{
    const auto table = mainStringTable();
    ASSERT_FALSE(table.empty());
    const auto longest =
        std::max_element(table.begin(), table.end(), [](const auto& a, const auto& b) {
            return a.text.size() < b.text.size();
        });
    ASSERT_GT(longest->text.size(), kMessageBoxTextLimit) << "no text long enough to be cut";
    shell.errorBoxId(longest->id);
    shell.errorBoxId(strings::kStationCommError.id);
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].request.caption, "Error");
    EXPECT_EQ(ui.boxes()[0].request.text, std::string(longest->text.substr(0, 150)));
    EXPECT_EQ(ui.boxes()[1].request.text, "Station Communication Error. Check station settings.");
}

} // namespace
} // namespace bv::app
