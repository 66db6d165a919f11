#include "publish/dial_dialog.h"

#include <array>

#include "app/base/event_log.h"
#include "app/base/strings_publish.h"
#include "app/base/template_builder.h"
#include "app/base/text_pattern.h"
#include "platform/event_loop.h"

namespace bv::publish {

using namespace dial_dialog;
namespace strings = app::strings;

namespace {

constexpr int kEndConnected = 1;
constexpr int kEndCancelled = 2;
constexpr int kEndFailed = 3;
constexpr int kPollMs = 100;
constexpr int kSecondMs = 1000;
// The connected and failed texts stay this long before the dialog closes.
constexpr int kLingerMs = 2000;
constexpr int kStatusWidthChars = 44;
// Forth and back through the four pictures.
constexpr std::array<const char*, 6> kFrames = {"DIAL1", "DIAL2", "DIAL3",
                                                "DIAL4", "DIAL3", "DIAL2"};

platform::DialogTemplate dialTemplate()
{
    app::TemplateBuilder b("DIALUP", std::string(strings::kDialupDialogTitle), 0);
    b.add(kAnimation, platform::ControlKind::Picture, kFrames[0], 0);
    b.add(kStatusText, platform::ControlKind::StaticText, "", 1).widthChars = kStatusWidthChars;
    b.button(platform::IdCancel, "&Cancel", 0);
    b.dialogTemplate().unattended = true;
    return b.take();
}

std::string number(int value)
{
    return std::to_string(value);
}

} // namespace

DialDialog::DialDialog(DialLine& line, app::EventLog& log, platform::EventLoop& loop,
                       int dialAttempts, int retryWaitSec)
    : Dialog(dialTemplate()), line_(line), log_(log), loop_(loop), dialAttempts_(dialAttempts),
      retryWaitSec_(retryWaitSec)
{
}

void DialDialog::handleOpen(platform::DialogView& view)
{
    view.startTimer(kSecondTimer, kSecondMs);
    view.startTimer(kPollTimer, kPollMs);
    startDial(view);
}

void DialDialog::startDial(platform::DialogView& view)
{
    ++attempts_;
    countdown_ = 1;
    view.setText(kStatusText, std::string(strings::kDialOpeningPort.text));
    line_.startDial();
}

void DialDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == platform::IdCancel)
        finish(view, kAborted, kEndCancelled);
}

void DialDialog::handleTimer(platform::DialogView& view, int timerId)
{
    if (timerId == kSecondTimer) {
        tickSecond(view);
        return;
    }
    for (const DialUpdate& update : line_.poll()) {
        apply(view, update);
        if (!running())
            return;
    }
}

void DialDialog::apply(platform::DialogView& view, const DialUpdate& update)
{
    if (!update.error.empty())
        log_.logEvent(update.error);
    if (!update.state)
        return;
    switch (*update.state) {
    case DialState::Dialing:
        view.setText(kStatusText, std::string(strings::kDialDialing.text));
        break;
    case DialState::Authenticating:
        view.setText(kStatusText, std::string(strings::kDialAuthenticating.text));
        break;
    case DialState::Connected:
        view.setText(kStatusText, std::string(strings::kDialConnected.text));
        result_ = kConnected;
        view.killTimer(kSecondTimer);
        view.killTimer(kPollTimer);
        loop_.pause(kLingerMs);
        finish(view, kConnected, kEndConnected);
        break;
    case DialState::Disconnected:
        view.setText(kStatusText, std::string(strings::kDialError.text));
        result_ = kFailed;
        view.killTimer(kSecondTimer);
        view.killTimer(kPollTimer);
        loop_.pause(kLingerMs);
        finish(view, kFailed, kEndFailed);
        break;
    case DialState::LineBusy:
        lineBusy(view);
        break;
    }
}

void DialDialog::lineBusy(platform::DialogView& view)
{
    line_.hangUp();
    if (attempts_ < dialAttempts_) {
        countdown_ = -retryWaitSec_;
        view.setText(kStatusText, app::fillPattern(strings::kDialLineBusy.text,
                                                   {number(attempts_ + 1), number(retryWaitSec_)}));
        return;
    }
    finish(view, kAborted, kEndFailed);
}

void DialDialog::tickSecond(platform::DialogView& view)
{
    if (++seconds_ > kLimitSeconds) {
        line_.hangUp();
        apply(view, {DialState::Disconnected, {}});
        return;
    }
    view.setText(kAnimation, kFrames[static_cast<std::size_t>(++frameStep_) % kFrames.size()]);
    if (countdown_ >= 0)
        return;
    showCountdown(view);
    if (++countdown_ == 0)
        startDial(view);
}

void DialDialog::showCountdown(platform::DialogView& view)
{
    const std::string left = number(-countdown_);
    if (attempts_ == 1)
        view.setText(kStatusText,
                     app::fillPattern(strings::kRedialSecond.text, {number(dialAttempts_), left}));
    else if (attempts_ == 2)
        view.setText(kStatusText,
                     app::fillPattern(strings::kRedialThird.text, {number(dialAttempts_), left}));
    else
        view.setText(kStatusText,
                     app::fillPattern(strings::kRedialNth.text,
                                      {number(attempts_ + 1), number(dialAttempts_), left}));
}

void DialDialog::finish(platform::DialogView& view, int result, int endCode)
{
    result_ = result;
    view.killTimer(kSecondTimer);
    view.killTimer(kPollTimer);
    end(view, endCode);
}

} // namespace bv::publish
