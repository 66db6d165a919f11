#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "paging/page_sender.h"
#include "paging/pager_status_view.h"
#include "paging/send_queue.h"
#include "platform/event_loop.h"
#include "station/serial_port.h"

namespace bv::paging {

// Com Port of Modem and the Modem Initialization String.
struct ModemSetup {
    int comPort = 1;
    std::string init;
};

// What the status engine reaches outside the paging modem.
struct PagerStatusServices {
    platform::EventLoop& loop;
    station::ClassicPort& port;        // the paging modem's port
    std::function<ModemSetup()> modem; // read as each page starts
    LogFn logEvent;
    std::function<void(std::string_view)> showStatus; // "" clears the status line
    std::function<void()> beep;                       // PC Speaker entries
    std::function<void(bool)> pagingState;            // the toolbar's busy state
    std::function<void(int)> advanceTimers;           // seconds a long call took
};

// The pager status window's engine: sends the queue one page at a time by the
// entry's kind, measuring its waits with a one-second timer on the event loop.
// Numeric and telephone pages wait on the timer; the alphanumeric dialogue runs
// to its end, pausing (so the loop keeps running) during its waits.
class PagerStatus : public PageSender {
  public:
    explicit PagerStatus(PagerStatusServices services);
    ~PagerStatus() override;

    // Opens the window; a second call while one is open is refused (finished
    // runs at once).
    void sendQueue(const std::filesystem::path& queueFile, std::function<void()> finished) override;
    bool running() const { return open_; }
    // Closes the window: hangs up and drops the rest of the queue.
    void cancel() { closeWindow(); }

    // Where the visible window is, asked each time it is shown, given a text
    // or hidden; nullptr (and no view at all) sends without one.
    void setView(std::function<PagerStatusView*()> view) { viewOf_ = std::move(view); }

    // Reports each finished page: the entry name and whether it was sent.
    void setPageReport(std::function<void(const std::string&, bool)> report)
    {
        pageReport_ = std::move(report);
    }

  private:
    enum class Step { None, NumericDialed, NumericDigits, Telephone, Speaker, AlphaDialed };

    void nextPage();
    void tick();
    void waitFor(Step step, int seconds);
    void stepOver(Step step);
    void pageDone(bool sent);
    void closeWindow();
    void say(const std::string& text); // status line, window and event log
    PagerStatusView* view() const;
    bool openPort(int baud, bool alpha);
    bool initModem(int settleMs);

    void startNumeric();
    void checkForOk();
    void startTelephone();
    void startAlpha();
    void dialAlpha();
    void finishAlphaAttempt();
    bool waitForConnection(bool busyEndsAtOnce);
    bool automaticDialogue(int intervalSec);
    bool manualDialogue(int intervalSec);
    // Sends text and reads replies until one is no "ID=" prompt and has at least
    // 3 characters; false after ten repetitions.
    bool sendUntilPromptEnds(std::string_view text, std::string reply);

    PagerStatusServices services_;
    std::function<void(const std::string&, bool)> pageReport_;
    std::function<void()> finished_;
    std::function<PagerStatusView*()> viewOf_;
    std::unique_ptr<SendQueueReader> queue_;
    std::optional<QueuedPage> page_;
    platform::TimerId timer_ = 0;
    bool open_ = false;
    Step step_ = Step::None;
    int waitSec_ = 0;
    int counted_ = -1; // seconds of the running wait; -1 when none runs
    int okChecks_ = -1;
    int attempt_ = 0;
    bool callUp_ = false; // the attempt's call got through
};

} // namespace bv::paging
