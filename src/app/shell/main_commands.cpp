#include "app/shell/main_commands.h"

#include "app/base/strings_shell.h"
#include "app/shell/application.h"
#include "app/shell/command_table.h"

namespace bv::app {

using platform::MessageResult;

namespace {

constexpr std::string_view kNotAvailableYet = "Not available yet: ";

} // namespace

void MainCommands::setAction(int command, std::function<void()> action)
{
    actions_[command] = std::move(action);
    view_.updateCommandStates();
}

void MainCommands::setTransferCycle(TransferCycleControl* transfer)
{
    transfer_ = transfer;
    view_.updateCommandStates();
}

void MainCommands::setPagerStatus(BackgroundRun* pager)
{
    pager_ = pager;
    view_.updateCommandStates();
}

void MainCommands::setConnection(ConnectionControl* connection)
{
    connection_ = connection;
    view_.updateCommandStates();
}

bool MainCommands::available(int command) const
{
    switch (command) {
    case CmdViewLog:
    case CmdPrint:
    case CmdCloseView:
    case CmdExit:
    case CmdHelpContents:
    case CmdDisableTransfers:
        return true;
    case CmdStartTransfer:
        return transfer_ != nullptr;
    case CmdCancelTransfer:
        return transfer_ != nullptr || pager_ != nullptr;
    case CmdDial:
    case CmdHangUp:
        return connection_ != nullptr;
    default:
        return actions_.contains(command);
    }
}

bool MainCommands::backgroundRunActive() const
{
    return (transfer_ != nullptr && transfer_->running()) ||
           (pager_ != nullptr && pager_->running());
}

bool MainCommands::menuEnabled(int command) const
{
    return available(command) && menuCommandEnabled(command, backgroundRunActive());
}

bool MainCommands::toolbarEnabled(int command) const
{
    return available(command) && toolbarCommandEnabled(command, toolbarBusy_);
}

std::string MainCommands::unavailableNote(int command) const
{
    if (available(command))
        return {};
    return std::string(kNotAvailableYet) + std::string(commandPurpose(command));
}

void MainCommands::execute(int id)
{
    const int command = commandOfShortcut(id);
    if (command == CmdDisableTransfers) {
        if (toolbarEnabled(command))
            setTransfersDisabled(!transfersDisabled_);
        return;
    }
    if (!menuEnabled(command))
        return;
    switch (command) {
    case CmdViewLog:
        viewLog();
        break;
    case CmdViewAlarmInfo:
        viewAlarmInfo();
        break;
    case CmdPrint:
        printViewer();
        break;
    case CmdCloseView:
        closeView();
        break;
    case CmdExit:
        if (confirmExit())
            view_.closeMainWindow();
        break;
    case CmdHelpContents:
        app_.dialogHost().showHelp(0);
        break;
    case CmdDial:
        connection_->dial();
        break;
    case CmdHangUp:
        hangUp();
        break;
    case CmdStartTransfer:
        startTransfer();
        break;
    case CmdCancelTransfer:
        cancelTransfer();
        break;
    default:
        runAction(command);
        break;
    }
}

void MainCommands::runAction(int command)
{
    const auto found = actions_.find(command);
    if (found == actions_.end())
        return;
    // The action may replace itself (setAction) while it runs.
    const std::function<void()> action = found->second;
    action();
}

void MainCommands::viewLog()
{
    view_.setViewerShown(true);
    view_.loadViewer(app_.eventLog().path());
    viewerShown_ = true;
}

void MainCommands::viewAlarmInfo()
{
    view_.setViewerShown(true);
    viewerShown_ = true;
    runAction(CmdViewAlarmInfo);
}

void MainCommands::printViewer()
{
    if (!viewerShown_) {
        app_.shell().errorBox(strings::kNothingToPrint, BoxOwner::ActiveWindow);
        return;
    }
    view_.printViewer();
}

void MainCommands::closeView()
{
    view_.setViewerShown(false);
    viewerShown_ = false;
}

void MainCommands::reloadViewer()
{
    view_.loadViewer(app_.eventLog().path());
}

bool MainCommands::confirmExit()
{
    return app_.shell().confirmBox(strings::kExitConfirm, platform::MessageButtons::YesNo,
                                   BoxOwner::ActiveWindow) == MessageResult::Yes;
}

void MainCommands::setTransfersDisabled(bool pressed)
{
    transfersDisabled_ = pressed;
    app_.gate().setHeld(app::GateHolder::User, pressed);
    view_.updateCommandStates();
    if (pressed)
        app_.shell().messageBox(kWarningCaption, strings::kTransfersDisabledReminder,
                                platform::MessageButtons::Ok, platform::MessageIcon::Warning,
                                BoxOwner::ActiveWindow);
}

void MainCommands::setToolbarBusy(bool busy)
{
    toolbarBusy_ = busy;
    view_.updateCommandStates();
}

void MainCommands::startTransfer()
{
    const ConfigRecord& config = app_.config();
    if (!config.internetTransferEnabled && !config.localTransferEnabled) {
        app_.shell().warningBox(strings::kTransferNotEnabled, BoxOwner::ActiveWindow);
        return;
    }
    transfer_->start();
}

void MainCommands::cancelTransfer()
{
    Shell& shell = app_.shell();
    if (pager_ != nullptr && pager_->running()) {
        if (shell.askBox(strings::kCancelPendingPages, BoxOwner::ActiveWindow) !=
            MessageResult::Yes)
            return;
        pager_->cancel();
    }
    if (transfer_ != nullptr && transfer_->running()) {
        if (shell.askBox(strings::kCancelPendingTransfers, BoxOwner::ActiveWindow) !=
            MessageResult::Yes)
            return;
        transfer_->cancel();
    }
}

void MainCommands::hangUp()
{
    if (connection_->dialUpActive())
        connection_->hangUp();
    else
        connection_->closeStationPort();
}

} // namespace bv::app
