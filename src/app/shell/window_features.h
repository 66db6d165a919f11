#pragma once

#include "app/shell/connection_control.h"
#include "app/shell/transfer_cycle.h"
#include "publish/ppp_dialer.h"

namespace bv::app {

class Application;
class MainCommands;
class MainView;

// Everything hollit and hollit1 plug into the main window's commands: the
// dialogs and actions of addShellActions, the transfer cycle, Dial and Hang
// up over the cycle's dial-up networking, and View Alarm Info. Lives while
// the window runs, and unplugs the cycle and the connection when it goes.
class WindowFeatures {
  public:
    WindowFeatures(Application& app, MainCommands& commands, MainView& view,
                   publish::PppPlaces places = {});
    ~WindowFeatures();
    WindowFeatures(const WindowFeatures&) = delete;
    WindowFeatures& operator=(const WindowFeatures&) = delete;

    TransferCycle& transferCycle() { return transfer_; }

  private:
    MainCommands& commands_;
    TransferCycle transfer_;
    DialUpConnection connection_;
};

// View Alarm Info's work: writes pager.inf and loads it into the viewer; a
// report that cannot be written is an error box, and the viewer keeps what
// it showed.
void showAlarmInfo(Application& app, MainView& view);

} // namespace bv::app
