// setup: installs or upgrades Brisvane Viraraz from the distribution
// directory it is started in.

#include <filesystem>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "app/base/dialog_host.h"
#include "app/base/strings_setup.h"
#include "gui/qt_text.h"
#include "gui/qt_ui.h"
#include "setup/background_window.h"
#include "setup/install_header.h"
#include "setup/setup_dialog.h"

namespace {

namespace strings = bv::app::strings::setup;
using bv::platform::MessageButtons;
using bv::platform::MessageIcon;
using bv::platform::MessageResult;

constexpr int kHeaderFailure = -1;

MessageResult showBox(bv::platform::Ui& ui, std::string_view caption, std::string_view text,
                      MessageButtons buttons, MessageIcon icon)
{
    return ui.messageBox({std::string(caption), std::string(text), buttons, icon, false});
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    bv::gui::QtUi ui;
    const std::filesystem::path distributionDir = std::filesystem::current_path();

    bv::setup::InstallHeader header;
    switch (bv::setup::readInstallHeader(distributionDir, header)) {
    case bv::setup::HeaderRead::Missing:
        showBox(ui, strings::kErrorCaption.text, strings::kInstallHdrMissing.text,
                MessageButtons::Ok, MessageIcon::Stop);
        return kHeaderFailure;
    case bv::setup::HeaderRead::Invalid:
        showBox(ui, strings::kErrorCaption.text, strings::kInstallHdrInvalid.text,
                MessageButtons::Ok, MessageIcon::Stop);
        return kHeaderFailure;
    case bv::setup::HeaderRead::Read:
        break;
    }

    bv::setup::BackgroundWindow background(bv::gui::qText(header.backgroundTitle()));
    ui.setMainWindow(&background);
    // Maximised by the window manager, or covering the screen without one.
    background.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    background.showMaximized();
    // The opening question comes once the background is on the screen.
    QTimer::singleShot(0, &background, [&] {
        if (showBox(ui, "", header.openingMessage(), MessageButtons::OkCancel,
                    MessageIcon::Warning) == MessageResult::Ok) {
            bv::app::DialogHost host(ui);
            bv::setup::SetupDialog dialog(ui, header, distributionDir, bv::setup::userXdgPlaces());
            dialog.run(host);
        }
        background.close();
        QApplication::quit();
    });
    return QApplication::exec();
}
