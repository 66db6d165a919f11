// brisvane-viraraz, the launcher "Brisvane Viraraz": starts hollit when
// dial-up networking over pppd is available, else hollit1, from the launcher's
// own directory, passing "-d" on, and ends at once.

#include <iostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>

#include "app/base/strings_setup.h"
#include "gui/display.h"
#include "gui/qt_text.h"
#include "launcher/launch_plan.h"
#include "launcher/program_start.h"

namespace {

// The error box has no owner; without a display the text goes to stderr.
void showStartError(int argc, char** argv, std::string_view text)
{
    const std::string_view caption = bv::app::strings::setup::kLauncherErrorCaption;
    std::cerr << caption << ": " << text << std::endl;
    if (!bv::gui::displayAvailable())
        return;
    QApplication qapp(argc, argv);
    QMessageBox::critical(nullptr, bv::gui::qText(caption), bv::gui::qText(text));
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const bv::launcher::LaunchPlan plan = bv::launcher::planLaunch(
        bv::launcher::dialUpAvailable(), bv::launcher::commandTail(arguments));
    const std::filesystem::path directory = bv::launcher::ownDirectory();
    if (directory.empty() ||
        bv::launcher::startDetached(directory / plan.program, plan.arguments)) {
        int qtArgc = 1;
        showStartError(qtArgc, argv, plan.missingProgramText());
    }
    return plan.exitCode();
}
