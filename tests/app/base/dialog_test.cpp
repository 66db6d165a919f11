#include "app/base/dialog.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/base/dialog_host.h"
#include "support/scripted_ui.h"

namespace bv::app {
namespace {

using platform::ControlKind;
using platform::DialogView;
using platform::IdCancel;
using platform::IdOk;
using platform::Notification;
using testsupport::controlSpec;
using testsupport::FakeDialogView;
using testsupport::ScriptedUi;

constexpr int kRangeButton = 1050;
constexpr int kHelpButton = 4;
constexpr int kNameEdit = 1001;

platform::DialogTemplate makeTemplate(std::string name, int helpTopic)
{
    platform::DialogTemplate t;
    t.name = std::move(name);
    t.title = t.name;
    t.helpTopic = helpTopic;
    t.controls = {
        controlSpec(kNameEdit, ControlKind::Edit),
        controlSpec(kRangeButton, ControlKind::PushButton, "&Range..."),
        controlSpec(kHelpButton, ControlKind::PushButton, "&Help"),
        controlSpec(IdOk, ControlKind::PushButton, "OK"),
        controlSpec(IdCancel, ControlKind::PushButton, "Cancel"),
    };
    return t;
}

// A dialog that logs what reaches its handler; OK and Cancel end it, and the
// Range button runs the inner dialog when it has one.
class LoggingDialog : public Dialog {
  public:
    LoggingDialog(std::string name, int helpTopic, LoggingDialog* inner = nullptr)
        : Dialog(makeTemplate(std::move(name), helpTopic), kHelpButton), inner_(inner)
    {
    }

    std::vector<std::string> log;
    int innerResult = -1;

  protected:
    void handleOpen(DialogView& view) override
    {
        log.push_back("open");
        view.setText(kNameEdit, templateName());
    }
    void handleCommand(DialogView& view, int id, Notification) override
    {
        log.push_back("command " + std::to_string(id));
        if (id == kRangeButton && inner_ != nullptr)
            innerResult = inner_->run(host());
        if (id == IdOk || id == IdCancel)
            end(view, id);
    }
    void handleTimer(DialogView&, int timerId) override
    {
        log.push_back("timer " + std::to_string(timerId));
    }

  private:
    LoggingDialog* inner_;
};

TEST(Dialog, InnerDialogGetsItsOwnCommandsAndTheOuterContinuesAfterIt)
{
    ScriptedUi ui;
    DialogHost host(ui);
    LoggingDialog inner("SETUP_RANGE", 90);
    LoggingDialog outer("SETUP_INTERNET", 100, &inner);
    std::vector<std::size_t> openCounts;

    ui.onDialog("SETUP_INTERNET", [&](FakeDialogView& v) {
        EXPECT_EQ(v.text(kNameEdit), "SETUP_INTERNET");
        v.click(kRangeButton);
        openCounts.push_back(host.openDialogs().size());
        v.enterText(kNameEdit, "after");
        v.click(IdOk);
    });
    ui.onDialog("SETUP_RANGE", [&](FakeDialogView& v) {
        openCounts.push_back(host.openDialogs().size());
        EXPECT_EQ(host.activeDialog(), &inner);
        EXPECT_EQ(v.text(kNameEdit), "SETUP_RANGE");
        v.enterText(kNameEdit, "inner");
        v.click(IdCancel);
    });

    EXPECT_EQ(outer.run(host), IdOk);
    EXPECT_EQ(inner.innerResult, -1);
    EXPECT_EQ(outer.innerResult, IdCancel);
    EXPECT_EQ(inner.log, (std::vector<std::string>{"open", "command 1001", "command 2"}));
    EXPECT_EQ(outer.log,
              (std::vector<std::string>{"open", "command 1050", "command 1001", "command 1"}));
    EXPECT_EQ(openCounts, (std::vector<std::size_t>{2, 1}));
    EXPECT_TRUE(host.openDialogs().empty());
    EXPECT_EQ(ui.openedDialogs(), (std::vector<std::string>{"SETUP_INTERNET", "SETUP_RANGE"}));
    EXPECT_FALSE(outer.isOpen());
}

TEST(Dialog, TheSameDialogCanRunAgainAfterItClosed)
{
    ScriptedUi ui;
    DialogHost host(ui);
    LoggingDialog dialog("SETUP_UNITS", 40);
    int runs = 0;
    ui.onDialog("SETUP_UNITS", [&](FakeDialogView& v) { v.click(++runs == 1 ? IdOk : IdCancel); });
    EXPECT_EQ(dialog.run(host), IdOk);
    EXPECT_EQ(dialog.run(host), IdCancel);
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"open", "command 1", "open", "command 2"}));
}

TEST(Dialog, AnOpenDialogIsNotOpenedASecondTime)
{
    ScriptedUi ui;
    DialogHost host(ui);
    LoggingDialog dialog("SETUP_RANGE", 90);
    LoggingDialog outer("SETUP_INTERNET", 100, &dialog);
    ui.onDialog("SETUP_INTERNET", [&](FakeDialogView& v) {
        v.click(kRangeButton);
        v.click(IdOk);
    });
    ui.onDialog("SETUP_RANGE", [&](FakeDialogView& v) {
        EXPECT_EQ(dialog.run(host), IdCancel); // refused: it is this very dialog
        v.click(IdOk);
    });
    EXPECT_EQ(outer.run(host), IdOk);
    EXPECT_EQ(outer.innerResult, IdOk);
    EXPECT_EQ(ui.openedDialogs().size(), 2u);
}

TEST(Dialog, F1AndTheHelpButtonOpenTheTopicWithoutReachingTheHandler)
{
    ScriptedUi ui;
    DialogHost host(ui);
    LoggingDialog dialog("SETUP_UNITS", 40);
    ui.onDialog("SETUP_UNITS", [](FakeDialogView& v) {
        v.sendCommand(platform::IdHelpKey);
        v.click(kHelpButton);
        v.sendCommand(platform::IdDeleteKey);
        v.click(IdCancel);
    });
    EXPECT_EQ(dialog.run(host), IdCancel);
    EXPECT_EQ(ui.helpTopics(), (std::vector<int>{40, 40}));
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"open", "command 1538", "command 2"}));
}

TEST(Dialog, WithoutAHelpTopicF1IsTheDialogsOwnCommand)
{
    ScriptedUi ui;
    DialogHost host(ui);
    LoggingDialog dialog("ABOUT", 0);
    ui.onDialog("ABOUT", [](FakeDialogView& v) {
        v.sendCommand(platform::IdHelpKey);
        v.click(IdOk);
    });
    dialog.run(host);
    EXPECT_TRUE(ui.helpTopics().empty());
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"open", "command 1537", "command 1"}));
}

TEST(Dialog, KeyCommandsGoToTheInnermostRunningDialog)
{
    ScriptedUi ui;
    DialogHost host(ui);
    EXPECT_FALSE(host.sendKeyCommand(platform::IdDeleteKey));
    LoggingDialog inner("SETUP_RANGE", 90);
    LoggingDialog outer("SETUP_PAGER", 50, &inner);
    ui.onDialog("SETUP_PAGER", [&](FakeDialogView& v) {
        v.click(kRangeButton);
        EXPECT_TRUE(host.sendKeyCommand(platform::IdDeleteKey));
        v.click(IdOk);
    });
    ui.onDialog("SETUP_RANGE", [&](FakeDialogView& v) {
        EXPECT_TRUE(host.sendKeyCommand(platform::IdDeleteKey));
        EXPECT_TRUE(host.sendKeyCommand(platform::IdHelpKey));
        v.click(IdOk);
    });
    outer.run(host);
    EXPECT_EQ(inner.log, (std::vector<std::string>{"open", "command 1538", "command 1"}));
    EXPECT_EQ(outer.log,
              (std::vector<std::string>{"open", "command 1050", "command 1538", "command 1"}));
    EXPECT_EQ(ui.helpTopics(), std::vector<int>{90});
}

// A dialog that ends itself from its first timer tick, as the archive
// download ends when the last block is in.
class TimedDialog : public Dialog {
  public:
    TimedDialog() : Dialog(makeTemplate("DOWNLOAD", 0)) {}
    int ticks = 0;

  protected:
    void handleOpen(DialogView& view) override { view.startTimer(1, 100); }
    void handleCommand(DialogView& view, int id, Notification) override { end(view, id); }
    void handleTimer(DialogView& view, int) override
    {
        if (++ticks == 2)
            end(view, IdOk);
    }
};

TEST(Dialog, TimersTickUntilTheDialogEnds)
{
    ScriptedUi ui;
    DialogHost host(ui);
    TimedDialog dialog;
    ui.onDialog("DOWNLOAD", [](FakeDialogView& v) {
        EXPECT_EQ(v.timerPeriod(1), 100);
        while (v.timerRunning(1))
            v.fireTimer(1);
    });
    EXPECT_EQ(dialog.run(host), IdOk);
    EXPECT_EQ(dialog.ticks, 2);
}

TEST(Dialog, CommandsOutsideARunAreDropped)
{
    LoggingDialog dialog("SETUP_UNITS", 40);
    FakeDialogView view(dialog); // a view that never opened the dialog
    view.click(IdOk);
    EXPECT_TRUE(dialog.log.empty());
    EXPECT_FALSE(view.ended());
}

TEST(Dialog, TemplateNamesAreAtMostNineteenCharacters)
{
    EXPECT_NO_THROW(LoggingDialog("SETUP_NINETEEN_CHRS", 0));
    EXPECT_THROW(LoggingDialog("SETUP_TWENTY_CHARSXX", 0), std::invalid_argument);
}

} // namespace
} // namespace bv::app
