#include "publish/data_dialog.h"

#include <algorithm>
#include <fstream>

#include "app/base/atomic_file.h"
#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/base/shell_helpers.h"
#include "app/base/strings_publish.h"
#include "app/base/strings_weather.h"
#include "app/base/template_builder.h"
#include "app/base/text_pattern.h"
#include "publish/publish_paths.h"
#include "publish/settings_commit.h"
#include "publish/text_lines.h"

namespace bv::publish {

using platform::ControlKind;
using platform::MessageResult;
using namespace data_dialog;
namespace strings = app::strings;

namespace {

constexpr int kFilesGroup = 1401;
constexpr int kImagesGroup = 1402;
constexpr int kArchiveGroup = 1403;
constexpr int kExtensionLabel = 1404;

constexpr int kExtensionMaxLength = 4;
// An archive file name needs a letter and its dot at least.
constexpr std::size_t kMinArchiveNameLength = 2;
constexpr mode_t kFileListMode = 0644;
// Models that show soil temperature and ET in images 0 and 2.
constexpr int kFirstTirrelModel = 4;
constexpr std::size_t kSoilSlot = 0;
constexpr std::size_t kEtSlot = 2;

platform::DialogTemplate dataTemplate()
{
    app::TemplateBuilder b("DATASETUP", "Data Setup", kHelpTopic);
    b.add(kFilesGroup, ControlKind::GroupBox, "Files to be transferred", 0).columnSpan = 2;
    platform::ControlSpec& files = b.add(kFiles, ControlKind::ListBox, "", 0, 0, kFilesGroup);
    files.rowSpan = 3;
    files.widthChars = 48;
    b.add(kAdd, ControlKind::PushButton, "&Add", 0, 1, kFilesGroup);
    b.add(kRemove, ControlKind::PushButton, "&Remove", 1, 1, kFilesGroup);
    b.add(kRemoveAll, ControlKind::PushButton, "R&emove All", 2, 1, kFilesGroup);
    b.add(kExtensionLabel, ControlKind::StaticText, "Extension of the converted template", 1, 0);
    b.add(kExtension, ControlKind::Edit, "", 1, 1).maxLength = kExtensionMaxLength;
    b.add(kImagesGroup, ControlKind::GroupBox, "Image Files ", 2).columnSpan = 2;
    b.add(kImages, ControlKind::ListBox, "", 0, 0, kImagesGroup).rowSpan = 2;
    b.add(kSelectImages, ControlKind::PushButton, "Select I&mages", 0, 1, kImagesGroup);
    b.add(kArchiveGroup, ControlKind::GroupBox, "Archive file", 3).columnSpan = 2;
    b.add(kUploadArchive, ControlKind::CheckBox, "Upload Archive file", 0, 0, kArchiveGroup);
    platform::ControlSpec& path = b.add(kArchivePath, ControlKind::Edit, "", 1, 0, kArchiveGroup);
    path.readOnly = true;
    path.columnSpan = 2;
    b.button(platform::IdOk, "&OK", 0).isDefault = true;
    b.button(platform::IdCancel, "&Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

std::string currentImageFile(const app::ConfigRecord& config, std::size_t i)
{
    if (config.stationModel >= kFirstTirrelModel && (i == kSoilSlot || i == kEtSlot))
        return std::string(i == kSoilSlot ? strings::kSoilImageFile : strings::kEtImageFile);
    return std::string(strings::kCurrentImageFiles[i].text);
}

std::string graphFile(const app::ConfigRecord& config, std::size_t i)
{
    if (config.stationModel >= kFirstTirrelModel && (i == kSoilSlot || i == kEtSlot))
        return std::string(i == kSoilSlot ? strings::kSoilGraphFile : strings::kEtGraphFile);
    return std::string(strings::kGraphImageFiles[i].text);
}

} // namespace

std::vector<std::string> readFileList(const std::filesystem::path& stationDir)
{
    std::vector<std::string> entries;
    std::ifstream in(stationDir / kFileListName);
    TextLine line;
    while (readLine(in, line))
        if (!line.text.empty())
            entries.push_back(std::move(line.text));
    return entries;
}

std::vector<std::string> selectedImagePaths(const app::ConfigRecord& config,
                                            const std::filesystem::path& stationDir)
{
    const std::filesystem::path images = stationDir / kImagesDir;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < strings::kCurrentImageFiles.size(); ++i) {
        if (config.currentImages[i])
            paths.push_back((images / currentImageFile(config, i)).string());
        if (i < strings::kGraphImageFiles.size() && config.historyImages[i])
            paths.push_back((images / graphFile(config, i)).string());
    }
    return paths;
}

DataDialog::DataDialog(app::Shell& shell, app::ConfigRecord& config, DataDialogServices services)
    : Dialog(dataTemplate(), kHelpButton), shell_(shell), config_(config), draft_(config),
      services_(std::move(services))
{
}

std::string DataDialog::archivePath() const
{
    return (services_.stationDir / kDownloadDir / draft_.archiveFileName).string();
}

void DataDialog::handleOpen(platform::DialogView& view)
{
    view.setItems(kFiles, readFileList(services_.stationDir));
    view.setText(kExtension, draft_.templateExtension);
    fillImageList(view);
    if (draft_.uploadArchiveFile && draft_.archiveFileName.size() >= kMinArchiveNameLength) {
        view.setChecked(kUploadArchive, true);
        view.setText(kArchivePath, archivePath());
    }
    view.setEnabled(kSelectImages, static_cast<bool>(services_.runSetupImages));
    view.setFocus(kFiles);
}

void DataDialog::fillImageList(platform::DialogView& view) const
{
    view.setItems(kImages, selectedImagePaths(draft_, services_.stationDir));
}

void DataDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    switch (id) {
    case kAdd:
        addFiles(view);
        break;
    case kRemove:
        removeFile(view);
        break;
    case kRemoveAll:
        removeAll(view);
        break;
    case kUploadArchive:
        uploadArchiveClicked(view);
        break;
    case kSelectImages:
        if (services_.runSetupImages) {
            services_.runSetupImages(draft_);
            fillImageList(view);
        }
        break;
    case platform::IdOk:
        confirm(view);
        break;
    case platform::IdCancel:
        end(view, platform::IdCancel);
        break;
    default:
        break;
    }
}

void DataDialog::addFiles(platform::DialogView& view)
{
    const platform::FileFilter filter{std::string(strings::kFileFilterName), "*"};
    const std::vector<std::string> chosen =
        shell_.ui().chooseFiles(filter, (services_.stationDir / kTemplatesDir).string());
    std::vector<std::string> items = view.items(kFiles);
    for (const std::string& path : chosen)
        if (std::ranges::find(items, path) == items.end())
            items.push_back(path);
    view.setItems(kFiles, items);
}

void DataDialog::removeFile(platform::DialogView& view)
{
    const int index = view.currentIndex(kFiles);
    std::vector<std::string> items = view.items(kFiles);
    if (index < 0 || index >= static_cast<int>(items.size())) {
        shell_.errorBox(strings::kSelectFileFirst.text, app::BoxOwner::ActiveWindow);
        return;
    }
    const auto at = items.begin() + index;
    if (shell_.confirmBox(app::fillPattern(strings::kRemoveFile.text, {*at}),
                          platform::MessageButtons::OkCancel,
                          app::BoxOwner::ActiveWindow) != MessageResult::Ok)
        return;
    items.erase(at);
    view.setItems(kFiles, items);
}

void DataDialog::removeAll(platform::DialogView& view)
{
    if (shell_.confirmBox(strings::kRemoveAllFiles.text, platform::MessageButtons::OkCancel,
                          app::BoxOwner::ActiveWindow) == MessageResult::Ok)
        view.setItems(kFiles, {});
}

void DataDialog::uploadArchiveClicked(platform::DialogView& view)
{
    if (!view.checked(kUploadArchive)) {
        view.setText(kArchivePath, "");
    } else if (draft_.archiveFileName.size() < kMinArchiveNameLength) {
        shell_.errorBox(strings::kArchiveFileNameEmpty.text, app::BoxOwner::ActiveWindow);
        view.setChecked(kUploadArchive, false);
    } else {
        view.setText(kArchivePath, archivePath());
    }
}

bool DataDialog::writeFileList(const platform::DialogView& view)
{
    std::string text;
    for (const std::string& entry : view.items(kFiles))
        text += entry + '\n';
    const std::error_code error =
        app::writeFileAtomically(services_.stationDir / kFileListName, text, kFileListMode);
    if (error)
        shell_.errorBox(app::fillPattern(strings::kFilesListNotSaved, {error.message()}),
                        app::BoxOwner::ActiveWindow);
    return !error;
}

void DataDialog::confirm(platform::DialogView& view)
{
    const std::string extension = view.text(kExtension);
    if (app::equalsIgnoringCase(extension, kTemplateExtension)) {
        shell_.errorBox(strings::kTemplateExtensionRefused, app::BoxOwner::ActiveWindow);
        view.setFocus(kExtension);
        return;
    }
    if (!writeFileList(view))
        return;
    draft_.templateExtension = extension;
    if (!view.checked(kUploadArchive))
        draft_.uploadArchiveFile = false;
    else if (!draft_.archiveFileName.empty())
        draft_.uploadArchiveFile = true;
    else
        shell_.errorBox(strings::kArchiveFileNameEmpty.text, app::BoxOwner::ActiveWindow);

    if (!commitSettings(shell_, config_, draft_, services_.save))
        return;
    end(view, platform::IdOk);
}

int runDataDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                  app::ConfigRecord& config, DataDialogServices services)
{
    DataDialog dialog(shell, config, std::move(services));
    return launcher.run(dialog);
}

} // namespace bv::publish
