#include <string>
#include <vector>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/dialog_view.h"
#include "support/fake_dialog_view.h"
#include "support/scripted_ui.h"

namespace bv::testsupport {
namespace {

using platform::ControlKind;
using platform::IdCancel;
using platform::IdOk;
using platform::MessageButtons;
using platform::MessageResult;
using platform::Notification;

enum : int {
    kGroupA = 10,
    kRadioA1,
    kRadioA2,
    kGroupB,
    kRadioB1,
    kCheck,
    kList,
    kMultiList,
    kSpin,
    kEdit,
    kButton,
};

// A dialog logic that only records what it is sent.
class RecordingClient : public platform::DialogClient {
  public:
    RecordingClient()
    {
        template_.name = "TEST_DIALOG";
        template_.title = "Test";
        auto& c = template_.controls;
        c = {
            controlSpec(kGroupA, ControlKind::GroupBox),
            controlSpec(kRadioA1, ControlKind::RadioButton),
            controlSpec(kRadioA2, ControlKind::RadioButton),
            controlSpec(kGroupB, ControlKind::GroupBox),
            controlSpec(kRadioB1, ControlKind::RadioButton),
            controlSpec(kCheck, ControlKind::CheckBox),
            controlSpec(kList, ControlKind::DropDownList),
            controlSpec(kMultiList, ControlKind::ListBox),
            controlSpec(kSpin, ControlKind::SpinBox),
            controlSpec(kEdit, ControlKind::Edit, "start"),
            controlSpec(kButton, ControlKind::PushButton),
            controlSpec(IdOk, ControlKind::PushButton),
        };
        c[1].parent = c[2].parent = kGroupA;
        c[4].parent = kGroupB;
        c[7].multiSelect = true;
        c[8].maximum = 127;
        c[9].maxLength = 5;
    }
    const platform::DialogTemplate& dialogTemplate() const override { return template_; }
    void onOpen(platform::DialogView&) override { events.push_back("open"); }
    void onCommand(platform::DialogView& view, int id, Notification what) override
    {
        events.push_back(std::to_string(id) + ":" + std::to_string(static_cast<int>(what)));
        if (id == IdOk || id == IdCancel)
            view.end(id);
    }
    void onTimer(platform::DialogView&, int timerId) override
    {
        events.push_back("timer " + std::to_string(timerId));
    }

    std::vector<std::string> events;

  private:
    platform::DialogTemplate template_;
};

class FakeDialogViewTest : public ::testing::Test {
  protected:
    RecordingClient client;
    FakeDialogView view{client};
};

TEST_F(FakeDialogViewTest, ControlsStartFromTheirTemplate)
{
    EXPECT_EQ(view.caption(), "Test");
    EXPECT_EQ(view.text(kEdit), "start");
    EXPECT_TRUE(view.enabled(kButton));
    EXPECT_TRUE(view.visible(kButton));
    EXPECT_FALSE(view.checked(kCheck));
    EXPECT_EQ(view.currentIndex(kList), -1);
    EXPECT_EQ(view.value(kSpin), 0);
    EXPECT_EQ(view.maximum(kSpin), 127);
}

TEST_F(FakeDialogViewTest, UserActionsChangeStateBeforeTheLogicHearsOfThem)
{
    view.setItems(kList, {"COM1", "COM2"});
    view.click(kCheck);
    view.choose(kList, 1);
    view.enterText(kEdit, "abcdefgh");
    view.changeValue(kSpin, 200);
    EXPECT_TRUE(view.checked(kCheck));
    EXPECT_EQ(view.text(kList), "COM2");
    EXPECT_EQ(view.text(kEdit), "abcde"); // cut at the edit's length limit
    EXPECT_EQ(view.value(kSpin), 127);    // clamped to the range
    EXPECT_EQ(view.text(kSpin), "127");
    EXPECT_EQ(client.events, (std::vector<std::string>{"15:0", "16:2", "19:1", "18:1"}));
}

TEST_F(FakeDialogViewTest, RadioButtonsAreExclusiveWithinTheirGroupBox)
{
    view.setChecked(kRadioA1, true);
    view.setChecked(kRadioB1, true);
    view.click(kRadioA2);
    EXPECT_FALSE(view.checked(kRadioA1));
    EXPECT_TRUE(view.checked(kRadioA2));
    EXPECT_TRUE(view.checked(kRadioB1));
}

TEST_F(FakeDialogViewTest, ListsKeepSelectionsByKind)
{
    view.setItems(kMultiList, {"a", "b", "c"});
    view.setSelected(kMultiList, 0, true);
    view.setSelected(kMultiList, 2, true);
    EXPECT_EQ(view.selectedIndexes(kMultiList), (std::vector<int>{0, 2}));
    view.setItems(kMultiList, {"x"});
    EXPECT_TRUE(view.selectedIndexes(kMultiList).empty());

    view.setItems(kList, {"a", "b"});
    view.setSelected(kList, 1, true);
    EXPECT_EQ(view.currentIndex(kList), 1);
    EXPECT_EQ(view.selectedIndexes(kList), std::vector<int>{1});
    view.setCurrentIndex(kList, -1);
    EXPECT_TRUE(view.selectedIndexes(kList).empty());
}

TEST_F(FakeDialogViewTest, MisuseByTheLogicFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(view.setText(999, "x"), "does not have");
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(view.text(999), ""), "does not have");
    EXPECT_NONFATAL_FAILURE(view.setChecked(kList, true), "no such property");
    EXPECT_NONFATAL_FAILURE(view.setItems(kEdit, {"a"}), "no such property");
    EXPECT_NONFATAL_FAILURE(view.setValue(kCheck, 1), "no such property");
    EXPECT_NONFATAL_FAILURE(view.setCurrentIndex(kList, 0), "holds 0 items");
    EXPECT_NONFATAL_FAILURE(view.setRange(kSpin, 5, 1), "setRange");
    EXPECT_NONFATAL_FAILURE(view.fireTimer(3), "not running");
}

TEST_F(FakeDialogViewTest, TheUserCannotReachDisabledOrHiddenControls)
{
    view.setEnabled(kButton, false);
    EXPECT_NONFATAL_FAILURE(view.click(kButton), "disabled");
    view.setEnabled(kButton, true);
    view.setVisible(kButton, false);
    EXPECT_NONFATAL_FAILURE(view.click(kButton), "hidden");
    EXPECT_TRUE(client.events.empty());
}

TEST_F(FakeDialogViewTest, EndingStopsTimersAndFurtherActions)
{
    view.startTimer(1, 100);
    view.fireTimer(1);
    view.click(IdOk);
    EXPECT_TRUE(view.ended());
    EXPECT_EQ(view.result(), IdOk);
    EXPECT_FALSE(view.timerRunning(1));
    EXPECT_NONFATAL_FAILURE(view.click(kButton), "after the dialog ended");
    EXPECT_EQ(client.events, (std::vector<std::string>{"timer 1", "1:0"}));
}

platform::MessageBoxRequest box(MessageButtons buttons)
{
    platform::MessageBoxRequest request;
    request.caption = "Confirm";
    request.text = "Remove all files ?";
    request.buttons = buttons;
    return request;
}

TEST(ScriptedUi, AnswersFromTheQueueThenTheDefaultThenTheFirstButton)
{
    ScriptedUi ui;
    EXPECT_EQ(ui.messageBox(box(MessageButtons::YesNo)), MessageResult::Yes);
    ui.queueAnswer(MessageResult::No);
    ui.setDefaultAnswer(MessageResult::Cancel);
    EXPECT_EQ(ui.messageBox(box(MessageButtons::YesNo)), MessageResult::No);
    EXPECT_EQ(ui.messageBox(box(MessageButtons::OkCancel)), MessageResult::Cancel);
    ASSERT_EQ(ui.boxes().size(), 3u);
    EXPECT_EQ(ui.boxes()[1].answer, MessageResult::No);
    EXPECT_EQ(ui.boxes()[2].request.text, "Remove all files ?");
}

TEST(ScriptedUi, AnAnswerThatIsNoButtonOfTheBoxFailsTheTest)
{
    ScriptedUi ui;
    ui.queueAnswer(MessageResult::Yes);
    EXPECT_NONFATAL_FAILURE(ui.messageBox(box(MessageButtons::OkCancel)), "not a button");
}

TEST(ScriptedUi, UnscriptedAndUnfinishedDialogsFailTheTest)
{
    ScriptedUi ui;
    RecordingClient client;
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(ui.runModal(client), IdCancel), "no script");
    ui.onDialog("TEST_DIALOG", [](FakeDialogView& v) { v.click(kButton); });
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(ui.runModal(client), IdCancel), "still open");
    EXPECT_EQ(ui.openedDialogs().size(), 2u);
}

} // namespace
} // namespace bv::testsupport
