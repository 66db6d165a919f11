#include "app/shell/window_features.h"

#include "app/base/strings_paging.h"
#include "app/base/text_pattern.h"
#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "app/shell/main_commands.h"
#include "app/shell/shell_actions.h"
#include "paging/alarm_info.h"

namespace bv::app {

WindowFeatures::WindowFeatures(Application& app, MainCommands& commands, MainView& view,
                               publish::PppPlaces places)
    : commands_(commands), transfer_(app, std::move(places)), connection_(app, transfer_.dialUp())
{
    addShellActions(commands, app);
    transfer_.setToolbarBusy([&commands](bool busy) { commands.setToolbarBusy(busy); });
    commands.setTransferCycle(&transfer_);
    commands.setConnection(&connection_);
    commands.setAction(CmdViewAlarmInfo, [&app, &view] { showAlarmInfo(app, view); });
}

WindowFeatures::~WindowFeatures()
{
    commands_.setConnection(nullptr);
    commands_.setTransferCycle(nullptr);
}

void showAlarmInfo(Application& app, MainView& view)
{
    if (const std::error_code error = paging::writeAlarmInfo(app.config(), app.stationDir())) {
        app.shell().errorBox(fillPattern(strings::kAlarmInfoWriteError, {error.message()}),
                             BoxOwner::ActiveWindow);
        return;
    }
    view.loadViewer(app.stationDir() / paging::kAlarmInfoFileName);
}

} // namespace bv::app
