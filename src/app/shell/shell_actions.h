#pragma once

namespace bv::app {

class Application;
class MainCommands;

// Plugs the work of the commands that this build has into the main window's
// commands: Setup > Units and Help > About so far.
void addShellActions(MainCommands& commands, Application& app);

} // namespace bv::app
