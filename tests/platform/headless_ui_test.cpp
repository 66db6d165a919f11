#include "platform/headless/headless_ui.h"

#include <sstream>

#include <gtest/gtest.h>

#include "platform/dialog_view.h"

namespace bv::platform {
namespace {

TEST(HeadlessUi, PoliciesAnswerEveryButtonSet)
{
    struct Case {
        MessageButtons buttons;
        MessageResult declined;
        MessageResult byDefault;
    };
    const Case cases[] = {
        {MessageButtons::Ok, MessageResult::Ok, MessageResult::Ok},
        {MessageButtons::OkCancel, MessageResult::Cancel, MessageResult::Ok},
        {MessageButtons::YesNo, MessageResult::No, MessageResult::Yes},
        {MessageButtons::YesNoCancel, MessageResult::Cancel, MessageResult::Yes},
        {MessageButtons::RetryCancel, MessageResult::Cancel, MessageResult::Retry},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.buttons));
        EXPECT_EQ(answerFor(c.buttons, AnswerPolicy::Decline), c.declined);
        EXPECT_EQ(answerFor(c.buttons, AnswerPolicy::DefaultButton), c.byDefault);
    }
}

TEST(HeadlessUi, BoxesAreLoggedWithTheirAnswer)
{
    std::ostringstream log;
    HeadlessUi ui(log);
    MessageBoxRequest request;
    request.caption = "Warning";
    request.text = "This operation will clear the Archive Memory.";
    request.buttons = MessageButtons::OkCancel;
    EXPECT_EQ(ui.messageBox(request), MessageResult::Cancel);
    EXPECT_EQ(log.str(),
              "Warning: This operation will clear the Archive Memory. [answered Cancel]\n");
}

TEST(HeadlessUi, StatusLinesAreLoggedOncePerChange)
{
    std::ostringstream log;
    HeadlessUi ui(log);
    ui.setStatusText(" 12-07-26  9:00a Sending files");
    ui.setStatusText(" 12-07-26  9:00a Sending files");
    ui.setStatusText("");
    ui.setStatusText(" 12-07-26  9:00a Sending files");
    EXPECT_EQ(log.str(), "status: 12-07-26  9:00a Sending files\n"
                         "status: 12-07-26  9:00a Sending files\n");
}

class NamedDialog : public DialogClient {
  public:
    NamedDialog() { template_.name = "SETUP_UNITS"; }
    const DialogTemplate& dialogTemplate() const override { return template_; }
    void onOpen(DialogView&) override { opened = true; }
    void onCommand(DialogView&, int, Notification) override {}
    void onTimer(DialogView&, int) override {}
    bool opened = false;

  private:
    DialogTemplate template_;
};

TEST(HeadlessUi, DialogsAreCancelledWithoutOpening)
{
    std::ostringstream log;
    HeadlessUi ui(log);
    NamedDialog dialog;
    EXPECT_EQ(ui.runModal(dialog), IdCancel);
    EXPECT_FALSE(dialog.opened);
    EXPECT_NE(log.str().find("SETUP_UNITS"), std::string::npos);
}

} // namespace
} // namespace bv::platform
