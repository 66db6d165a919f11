#include "app/shell/shell_actions.h"

#include "app/shell/about_dialog.h"
#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "app/shell/main_commands.h"
#include "app/shell/units_dialog.h"

namespace bv::app {

void addShellActions(MainCommands& commands, Application& app)
{
    commands.setAction(CmdUnits, [&app] {
        runUnitsDialog(app.settingsLauncher(), app.config(), app.stationUnits(),
                       [&app] { app.saveConfiguration(); });
    });
    commands.setAction(CmdAbout, [&app] { runAboutBox(app.dialogHost()); });
}

} // namespace bv::app
