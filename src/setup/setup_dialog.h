#pragma once

#include <filesystem>
#include <string>

#include "app/base/dialog.h"
#include "platform/ui.h"
#include "setup/desktop_entries.h"
#include "setup/install_header.h"

namespace bv::setup {

namespace setup_dialog {
inline constexpr int kInstallTo = 1000;
inline constexpr int kInstallFrom = 1002; // hidden
inline constexpr int kBrowse = 1005;
inline constexpr int kDescription = 1006;
inline constexpr std::size_t kMaxInstallDirLength = 99;
inline constexpr std::size_t kMaxDistributionDirLength = 149;
} // namespace setup_dialog

// The installation dialog "SETUP": the directory to install to, Browse,
// Install and Exit Setup. Install runs the whole installation; every failure
// is a message box and leaves the dialog open for another try, except the
// refusal of the previous-installation question, which ends it cancelled.
class SetupDialog : public app::Dialog {
  public:
    SetupDialog(platform::Ui& ui, InstallHeader header, std::filesystem::path distributionDir,
                XdgPlaces places);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void browse(platform::DialogView& view);
    void install(platform::DialogView& view);
    // Steps 3 to 8; false when the dialog stays open (or has ended).
    bool copyFiles(platform::DialogView& view, const std::filesystem::path& installDir);
    bool makeSubdirectories(platform::DialogView& view, const std::filesystem::path& installDir,
                            const std::filesystem::path& distributionDir);
    void makeShortcuts(const std::filesystem::path& installDir);
    void nextCursorFrame();

    platform::MessageResult box(std::string_view caption, const std::string& text,
                                platform::MessageButtons buttons, platform::MessageIcon icon);
    void errorBox(const std::string& text);

    platform::Ui& ui_;
    InstallHeader header_;
    std::filesystem::path distributionDir_;
    XdgPlaces places_;
    bool cupOne_ = true;
};

// The template's own text of the description line.
inline constexpr std::string_view kDefaultDescription =
    "Install the Brisvane Viraraz 1.01 Software.";

} // namespace bv::setup
