#include "app/shell/command_table.h"
#include "app/shell/walkthrough.h"
#include "shell_dialog_fixture.h"

namespace bv::app::test {
namespace {

using platform::MessageResult;
using testsupport::FakeDialogView;

class WalkthroughTest : public ShellDialogTest {
  protected:
    // Answers the step dialogs with buttons, in order.
    void answerSteps(std::vector<int> buttons)
    {
        steps_ = std::move(buttons);
        ui.onDialog("WALKTHROUGH", [this](FakeDialogView& v) {
            ASSERT_LT(next_, steps_.size());
            texts.push_back(v.text(walkthrough::kTextField));
            v.click(steps_[next_++]);
        });
    }
    void run()
    {
        runWalkthrough(host, shell, gate, [this](int command) {
            commands.push_back(command);
            EXPECT_FALSE(gate.allowed()) << "automatic work waits for the walkthrough";
        });
    }

    std::vector<int> commands;
    std::vector<std::string> texts;

  private:
    std::vector<int> steps_;
    std::size_t next_ = 0;
};

constexpr int kOk = platform::IdOk;
constexpr int kCancel = platform::IdCancel;
constexpr int kSkip = walkthrough::kSkip;

TEST_F(WalkthroughTest, SkippingEveryStepOpensNothing)
{
    ui.queueAnswer(MessageResult::Yes);
    ui.queueAnswer(MessageResult::No);
    answerSteps(std::vector<int>(8, kSkip));
    run();
    EXPECT_TRUE(commands.empty());
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[1], "Please set the time on your station.");
    EXPECT_TRUE(gate.allowed());
}

TEST_F(WalkthroughTest, CancelEndsAtOnceKeepingWhatEarlierStepsDid)
{
    ui.queueAnswer(MessageResult::Yes);
    answerSteps({kOk, kOk, kCancel});
    run();
    EXPECT_EQ(commands, (std::vector<int>{CmdStation, CmdTime}));
    EXPECT_EQ(ui.boxes().size(), 1u) << "no closing question after Cancel";
    EXPECT_TRUE(gate.allowed());
}

TEST_F(WalkthroughTest, OkOpensEachDialogInOrderAndYesGoesBackToTheFirstStep)
{
    ui.queueAnswer(MessageResult::Yes);
    ui.queueAnswer(MessageResult::Yes); // go back
    std::vector<int> buttons(8, kOk);
    buttons.push_back(kOk);
    buttons.push_back(kCancel);
    answerSteps(buttons);
    run();
    EXPECT_EQ(commands, (std::vector<int>{CmdStation, CmdTime, CmdArchive, CmdUnits, CmdData,
                                          CmdInternet, CmdPager, CmdSchedule, CmdStation}));
}

TEST_F(WalkthroughTest, NoToTheOpeningQuestionShowsNoStep)
{
    ui.queueAnswer(MessageResult::No);
    answerSteps({});
    run();
    EXPECT_TRUE(texts.empty());
    EXPECT_EQ(ui.boxes().at(0).request.caption, "Walkthrough");
}

} // namespace
} // namespace bv::app::test
