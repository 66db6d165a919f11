#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/event_loop.h"
#include "publish/transfer_work.h"

namespace bv::app {
class AutoTaskGate;
class Shell;
struct ConfigRecord;
} // namespace bv::app

namespace bv::publish {

// The transfer cycle: reads the station, converts the templates of the
// transfer list, makes the selected images and graphs, queues the archive
// file, connects and delivers every queued file. It runs as a chain of short
// steps on its own 75 ms clock, so the program stays responsive and a cancel
// takes effect between steps; progress goes to the status line.
//
// Each step begins (status text, preparation) when its command arrives idle,
// then does one unit of work per command, scheduling itself again after
// waiting ticks, or hands over to the next step at once. The end of the cycle
// - the end of the queue, a step that gives up, Cancel - runs the cleanup
// exactly once: the clock stops, the work's finish() closes files, station
// link and connection, the status line is cleared, the toolbar goes idle, the
// automatic-task gate is released and ended runs.
class TransferWindow {
  public:
    using WorkFactory = std::function<std::unique_ptr<TransferWork>()>;

    // Steps as command codes, in the order a cycle runs them.
    enum Step : int {
        kIdle = 0,
        kReadStation = 91,
        kTemplates = 92,
        kCurrentImages = 93,
        kArchiveGraphs = 94,
        kArchiveFile = 95,
        kTemplateLines = 96,
        kDeliver = 103,
    };
    static constexpr int kStepPeriodMs = 75;

    // Why a cycle ended.
    enum class End {
        Delivered,    // every queued file was handed to the delivery
        NoList,       // "files.dat" or "sendfiles.dat" could not be opened
        NotConnected, // dial-up or FTP failed: nothing was delivered
        Cancelled,
    };

    struct Hooks {
        std::function<void(bool busy)> setToolbarBusy;
        std::function<void(End why)> ended; // after the cleanup
    };

    TransferWindow(platform::EventLoop& loop, app::Shell& shell, app::AutoTaskGate& gate,
                   const app::ConfigRecord& config, WorkFactory makeWork, Hooks hooks);
    // A cycle still running is ended first.
    ~TransferWindow();
    TransferWindow(const TransferWindow&) = delete;
    TransferWindow& operator=(const TransferWindow&) = delete;

    // Starts a cycle (its first step runs on a later pump); false when one is
    // already running.
    bool start();
    // Ends the running cycle; while a step is working (waiting for the
    // station) the end follows as soon as that step returns.
    void cancel();
    bool running() const { return running_; }
    Step step() const { return step_; }

  private:
    void begin();
    void post(Step command);
    void onTick();
    void run(Step command);
    void runStep(Step command);
    void schedule(int waitTicks);
    void next(Step command);
    void readStation();
    void templates();
    void templateLines();
    void images(Step self, Step following);
    void archiveFile();
    void deliver();
    void end(End why);

    platform::EventLoop& loop_;
    app::Shell& shell_;
    app::AutoTaskGate& gate_;
    const app::ConfigRecord& config_;
    WorkFactory makeWork_;
    Hooks hooks_;

    std::shared_ptr<TransferWork> work_;
    // Cleared when a cycle ends, so its posted commands and late completions do nothing.
    std::shared_ptr<bool> alive_;
    platform::TimerId timer_ = 0;
    bool running_ = false;
    bool working_ = false;    // a step's unit of work is on the stack
    bool endPending_ = false; // cancelled while working
    Step step_ = kIdle;
    int waitTicks_ = 0;
    int tickCount_ = -1; // -1: no step scheduled
    int itemIndex_ = 0;
};

} // namespace bv::publish
