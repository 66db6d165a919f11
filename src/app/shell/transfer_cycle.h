#pragma once

#include <functional>
#include <memory>

#include "app/shell/main_commands.h"
#include "platform/linux/spawned_process.h"
#include "publish/dial_up.h"
#include "publish/ppp_dialer.h"
#include "publish/publish_work.h"
#include "publish/transfer_window.h"

namespace bv::app {

class Application;

// The program's transfer cycle: started by the scheduler when a timed
// transfer falls due (after an archive download when downloadBeforeUpload is
// on) and by Start Transfer, cancelled by Cancel Transfer. One cycle at a
// time; the dial-up networking of the program's edition.
class TransferCycle final : public TransferCycleControl {
  public:
    // Plugs itself into the application's timed activities until destroyed.
    // hollit dials through the pppd of places.
    explicit TransferCycle(Application& app, publish::PppPlaces places = {});
    ~TransferCycle() override;
    TransferCycle(const TransferCycle&) = delete;
    TransferCycle& operator=(const TransferCycle&) = delete;

    void start() override;
    bool running() const override { return window_.running(); }
    void cancel() override { window_.cancel(); }

    // The toolbar's busy state follows the cycle (the window's MainCommands).
    void setToolbarBusy(std::function<void(bool)> busy) { toolbarBusy_ = std::move(busy); }
    // Told of every delivery (viraraz publish).
    void setDeliveryListener(
        std::function<void(const publish::QueueEntry&, publish::DeliveryResult)> listener)
    {
        delivered_ = std::move(listener);
    }
    // Told of every other failure of a cycle (viraraz publish).
    void setProblemListener(std::function<void(const std::string&)> listener)
    {
        problem_ = std::move(listener);
    }
    // Runs when a cycle has ended and cleaned up.
    void setEndListener(std::function<void(publish::TransferWindow::End)> ended)
    {
        ended_ = std::move(ended);
    }
    publish::DialUp& dialUp() { return *dialUp_; }

  private:
    void startTimed();
    std::unique_ptr<publish::TransferWork> makeWork();

    Application& app_;
    platform::SpawningStarter starter_; // pppd, in hollit
    std::unique_ptr<publish::Dialer> dialer_;
    std::unique_ptr<publish::DialUp> dialUp_;
    std::function<void(bool)> toolbarBusy_;
    std::function<void(const publish::QueueEntry&, publish::DeliveryResult)> delivered_;
    std::function<void(const std::string&)> problem_;
    std::function<void(publish::TransferWindow::End)> ended_;
    publish::TransferWindow window_;
};

} // namespace bv::app
