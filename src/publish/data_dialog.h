#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "app/base/config_record.h"
#include "app/base/dialog.h"

namespace bv::app {
class Shell;
class SettingsDialogLauncher;
} // namespace bv::app

namespace bv::publish {

// The Data Setup dialog ("DATASETUP", help topic 50).
namespace data_dialog {
inline constexpr int kHelpTopic = 50;
inline constexpr int kHelpButton = 3;
inline constexpr int kFiles = 1010;
inline constexpr int kAdd = 1022;
inline constexpr int kRemove = 1538; // also the Delete key
inline constexpr int kRemoveAll = 1017;
inline constexpr int kExtension = 1042;
inline constexpr int kImages = 1180;
inline constexpr int kSelectImages = 1015;
inline constexpr int kUploadArchive = 1026;
inline constexpr int kArchivePath = 1207;
} // namespace data_dialog

struct DataDialogServices {
    std::filesystem::path stationDir;
    // Runs Setup Images on a configuration; none leaves "Select I&mages" greyed.
    std::function<int(app::ConfigRecord&)> runSetupImages;
    // Saves the configuration as it now stands ("config.dat").
    std::function<std::error_code()> save;
};

// What is published: the transfer list "files.dat", the extension of
// converted templates, the images (shown; chosen in Setup Images) and the
// archive file.
//
// Like the Internet dialog it edits a copy of the configuration, Setup
// Images included, and keeps nothing when cancelled. OK refuses the
// templates' own extension "htx", writes "files.dat" and saves the
// configuration; when either write fails it says so and stays open.
class DataDialog final : public app::Dialog {
  public:
    DataDialog(app::Shell& shell, app::ConfigRecord& config, DataDialogServices services);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void addFiles(platform::DialogView& view);
    void removeFile(platform::DialogView& view);
    void removeAll(platform::DialogView& view);
    void uploadArchiveClicked(platform::DialogView& view);
    void fillImageList(platform::DialogView& view) const;
    void confirm(platform::DialogView& view);
    bool writeFileList(const platform::DialogView& view);
    std::string archivePath() const;

    app::Shell& shell_;
    app::ConfigRecord& config_;
    app::ConfigRecord draft_;
    DataDialogServices services_;
};

// The entries of "files.dat", without their line ends; none when it cannot be read.
std::vector<std::string> readFileList(const std::filesystem::path& stationDir);

// The image files the configuration selects, as full paths, current image i
// followed by graph i for each number.
std::vector<std::string> selectedImagePaths(const app::ConfigRecord& config,
                                            const std::filesystem::path& stationDir);

// Setup > Data: runs the dialog with the automatic-task gate closed; the
// dialog saves for itself.
int runDataDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                  app::ConfigRecord& config, DataDialogServices services);

} // namespace bv::publish
