#include "app/base/strings_shell.h"
#include "app/shell/range_dialog.h"
#include "shell_dialog_fixture.h"

namespace bv::app::test {
namespace {

using namespace range_dialog;
using platform::MessageResult;
using testsupport::FakeDialogView;

class RangeDialogTest : public ShellDialogTest {
  protected:
    int runWith(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("SETUP_RANGE", std::move(script));
        return runRangeDialog(host, shell, range);
    }

    DayRange range;
};

TEST_F(RangeDialogTest, TemplateHasTheDaysTheSwitchAndTheTwoTimes)
{
    const struct {
        int id;
        const char* caption;
    } expected[] = {
        {1051, "Mon"}, {1052, "Tue"}, {1053, "Wed"},          {1054, "Thu"},   {1055, "Fri"},
        {1056, "Sat"}, {1057, "Sun"}, {1046, "Enable Range"}, {1212, "&Help"},
    };
    runWith([&](FakeDialogView& v) {
        EXPECT_EQ(v.dialogTemplate().name, "SETUP_RANGE");
        EXPECT_EQ(v.dialogTemplate().title, "Range");
        EXPECT_EQ(v.dialogTemplate().helpTopic, 90);
        for (const auto& e : expected)
            EXPECT_EQ(captionOf(v, e.id), e.caption) << e.id;
        EXPECT_EQ(v.dialogTemplate().find(kFromEdit)->kind, platform::ControlKind::Edit);
        EXPECT_EQ(v.dialogTemplate().find(kToEdit)->kind, platform::ControlKind::Edit);
        v.click(platform::IdCancel);
    });
}

TEST_F(RangeDialogTest, OpensWithTheRangeInTheRegionalTimeFormat)
{
    range.days = {Flag(true),  Flag(false), Flag(true), Flag(false),
                  Flag(false), Flag(false), Flag(true)};
    range.enabled = Flag(true);
    range.fromMin = 30;
    range.toMin = 1439;
    runWith([](FakeDialogView& v) {
        EXPECT_TRUE(v.checked(1057));  // Sunday
        EXPECT_FALSE(v.checked(1051)); // Monday
        EXPECT_TRUE(v.checked(1052));  // Tuesday
        EXPECT_TRUE(v.checked(1056));  // Saturday
        EXPECT_TRUE(v.checked(kEnableRange));
        EXPECT_EQ(v.text(kFromEdit), "12:30a");
        EXPECT_EQ(v.text(kToEdit), "11:59p");
        v.click(platform::IdCancel);
    });
    regional.clock24 = true;
    runWith([](FakeDialogView& v) {
        EXPECT_EQ(v.text(kFromEdit), " 0:30");
        EXPECT_EQ(v.text(kToEdit), "23:59");
        v.click(platform::IdCancel);
    });
}

TEST_F(RangeDialogTest, MondayToFridayFromEightToEightIsAccepted)
{
    EXPECT_EQ(runWith([](FakeDialogView& v) {
                  v.click(1057); // Sunday off
                  v.click(1056); // Saturday off
                  v.click(kEnableRange);
                  v.enterText(kFromEdit, "8:00a");
                  v.enterText(kToEdit, "8:00a");
                  v.click(platform::IdOk);
              }),
              platform::IdOk);
    const std::array<Flag, 7> weekdays = {Flag(false), Flag(true), Flag(true), Flag(true),
                                          Flag(true),  Flag(true), Flag(false)};
    EXPECT_EQ(range.days, weekdays);
    EXPECT_TRUE(static_cast<bool>(range.enabled));
    EXPECT_EQ(range.fromMin, 480);
    EXPECT_EQ(range.toMin, 480);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RangeDialogTest, ToBeforeFromIsRefusedAndCancelAfterwardsChangesNothing)
{
    const DayRange before = range;
    EXPECT_EQ(runWith([&](FakeDialogView& v) {
                  v.click(1051);
                  v.click(kEnableRange);
                  v.enterText(kFromEdit, "5:00p");
                  v.enterText(kToEdit, "9:15a");
                  v.click(platform::IdOk);
                  EXPECT_FALSE(v.ended());
                  EXPECT_EQ(v.focus(), kToEdit);
                  v.click(platform::IdCancel);
              }),
              platform::IdCancel);
    EXPECT_EQ(range, before);
    ASSERT_EQ(ui.boxes().size(), 1u);
    const platform::MessageBoxRequest& box = ui.boxes()[0].request;
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, " \"From\"  Time is after  \"To\"  time .\"");
    EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
}

TEST_F(RangeDialogTest, ARefusedRangeCanBeCorrected)
{
    runWith([](FakeDialogView& v) {
        v.enterText(kFromEdit, "17:00");
        v.enterText(kToEdit, "16:59");
        v.click(platform::IdOk);
        v.enterText(kToEdit, "23:00");
        v.click(platform::IdOk);
    });
    EXPECT_EQ(range.fromMin, 1020);
    EXPECT_EQ(range.toMin, 1380);
}

TEST_F(RangeDialogTest, AnUnreadableTimeAsksWhetherToCorrectIt)
{
    range.fromMin = 60;
    range.toMin = 120;
    const struct {
        const char* from;
        const char* to;
        std::vector<MessageResult> answers;
        bool ended;
        std::int32_t fromMin, toMin;
        std::vector<std::string_view> questions;
    } cases[] = {
        // Yes: back to the dialog, nothing stored.
        {"7:30 ap", "3:00a", {MessageResult::Yes}, false, 60, 120, {strings::kInvalidFromTime}},
        // No: the old from-time stays, the to-time is still read.
        {"25:00", "3:00a", {MessageResult::No}, true, 60, 180, {strings::kInvalidFromTime}},
        {"0:30", "10:60", {MessageResult::No}, true, 30, 120, {strings::kInvalidToTime}},
        {"x",
         "",
         {MessageResult::No, MessageResult::No},
         true,
         60,
         120,
         {strings::kInvalidFromTime, strings::kInvalidToTime}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " / " + c.to);
        DayRange start = range;
        ui = testsupport::ScriptedUi();
        for (MessageResult answer : c.answers)
            ui.queueAnswer(answer);
        runWith([&](FakeDialogView& v) {
            v.enterText(kFromEdit, c.from);
            v.enterText(kToEdit, c.to);
            v.click(platform::IdOk);
            EXPECT_EQ(v.ended(), c.ended);
            if (!v.ended())
                v.click(platform::IdCancel);
        });
        EXPECT_EQ(range.fromMin, c.fromMin);
        EXPECT_EQ(range.toMin, c.toMin);
        ASSERT_EQ(ui.boxes().size(), c.questions.size());
        for (std::size_t i = 0; i < c.questions.size(); ++i) {
            const platform::MessageBoxRequest& box = ui.boxes()[i].request;
            EXPECT_EQ(box.text, c.questions[i]);
            EXPECT_EQ(box.caption, "Warning");
            EXPECT_EQ(box.buttons, platform::MessageButtons::YesNo);
        }
        range = start;
    }
}

TEST_F(RangeDialogTest, AnHourAloneKeepsTheMinuteOfTheStoredTime)
{
    range.fromMin = 8 * 60 + 45;
    runWith([](FakeDialogView& v) {
        v.enterText(kFromEdit, "9a");
        v.click(platform::IdOk);
    });
    EXPECT_EQ(range.fromMin, 9 * 60 + 45);
}

TEST_F(RangeDialogTest, NestsInsideAnotherDialogAndOpensTopic90)
{
    runWith([](FakeDialogView& v) {
        v.click(kHelpButton);
        v.sendCommand(platform::IdHelpKey);
        v.click(platform::IdCancel);
    });
    EXPECT_EQ(ui.helpTopics(), (std::vector<int>{90, 90}));
}

} // namespace
} // namespace bv::app::test
