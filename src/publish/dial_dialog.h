#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/base/dialog.h"

namespace bv::app {
class EventLog;
}
namespace bv::platform {
class EventLoop;
}

namespace bv::publish {

// What a dial reported since the dialog last asked.
enum class DialState {
    Dialing,        // the modem is dialing
    Authenticating, // the line is up; user name and password are checked
    Connected,
    LineBusy,
    Disconnected, // the attempt ended without a connection
};

struct DialUpdate {
    std::optional<DialState> state; // none: only an error to log
    std::string error;              // the dialer's own words for an error, for the event log
};

// The dialer as the dialing dialog drives it: one attempt after another.
class DialLine {
  public:
    virtual ~DialLine() = default;
    // Starts an attempt; false when it could not be started (then poll()
    // reports Disconnected with the reason).
    virtual bool startDial() = 0;
    // What happened since the last call, without waiting.
    virtual std::vector<DialUpdate> poll() = 0;
    // Ends the attempt under way, if any.
    virtual void hangUp() = 0;
};

namespace dial_dialog {
inline constexpr int kStatusText = 1023;
inline constexpr int kAnimation = 1024;
inline constexpr int kSecondTimer = 1;
inline constexpr int kPollTimer = 2;
inline constexpr int kLimitSeconds = 180;
// Results: connected; cancelled or busy on the last attempt; failed.
inline constexpr int kConnected = 1;
inline constexpr int kAborted = -1;
inline constexpr int kFailed = -2;
} // namespace dial_dialog

// "DIALUP": dials, shows the progress with an animation that runs forth and
// back through "DIAL1" to "DIAL4", redials a busy line after dialRetryWaitSec
// seconds up to dialAttempts dials, and gives up 180 seconds after it opened.
// The line is polled every 100 ms; the countdown and the limit run on a
// one-second timer.
class DialDialog final : public app::Dialog {
  public:
    DialDialog(DialLine& line, app::EventLog& log, platform::EventLoop& loop, int dialAttempts,
               int retryWaitSec);

    // 0 while dialing, then kConnected, kAborted or kFailed.
    int result() const { return result_; }

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;
    void handleTimer(platform::DialogView& view, int timerId) override;

  private:
    void startDial(platform::DialogView& view);
    void apply(platform::DialogView& view, const DialUpdate& update);
    void lineBusy(platform::DialogView& view);
    void finish(platform::DialogView& view, int result, int endCode);
    void tickSecond(platform::DialogView& view);
    void showCountdown(platform::DialogView& view);

    DialLine& line_;
    app::EventLog& log_;
    platform::EventLoop& loop_;
    int dialAttempts_;
    int retryWaitSec_;
    int result_ = 0;
    int countdown_ = 0; // 1 while a dial runs; negative: seconds to the next dial
    int attempts_ = 0;
    int seconds_ = 0;
    int frameStep_ = 0;
};

} // namespace bv::publish
