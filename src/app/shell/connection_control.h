#pragma once

#include "app/shell/main_commands.h"
#include "publish/dial_up.h"

namespace bv::app {

class Application;

// Dial and Hang up over the program's dial-up networking. hollit dials the
// configured entry in the dialing dialog; hollit1's dial does nothing and
// succeeds, and its Hang up always closes the station link.
class DialUpConnection final : public ConnectionControl {
  public:
    DialUpConnection(Application& app, publish::DialUp& dialUp) : app_(app), dialUp_(dialUp) {}

    bool dialUpActive() const override;
    // The timer starts no transfer or paging run while the dialog is open,
    // since their own dial would meet this one. The outcome is in the event log.
    void dial() override;
    void hangUp() override;
    void closeStationPort() override;

  private:
    Application& app_;
    publish::DialUp& dialUp_;
};

} // namespace bv::app
