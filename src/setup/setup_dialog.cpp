#include "setup/setup_dialog.h"

#include "app/base/strings_setup.h"
#include "app/base/template_builder.h"
#include "app/base/text_pattern.h"
#include "setup/installation.h"

namespace bv::setup {

using platform::ControlKind;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;
using namespace setup_dialog;
namespace strings = app::strings::setup;
namespace fs = std::filesystem;

namespace {

constexpr int kInstallToLabel = 1001;
constexpr int kInstallFromLabel = 1003;
constexpr int kPathWidthChars = 48;

platform::DialogTemplate setupTemplate()
{
    app::TemplateBuilder b("SETUP", "", 0);
    b.add(kDescription, ControlKind::StaticText, std::string(kDefaultDescription), 0).columnSpan =
        3;
    b.add(kInstallToLabel, ControlKind::StaticText, "Install To:", 1, 0);
    platform::ControlSpec& to = b.add(kInstallTo, ControlKind::Edit, "", 1, 1);
    to.maxLength = static_cast<int>(kMaxInstallDirLength);
    to.widthChars = kPathWidthChars;
    b.add(kBrowse, ControlKind::PushButton, "&Browse...", 1, 2);
    b.add(kInstallFromLabel, ControlKind::StaticText, "Install From:", 2, 0);
    b.add(kInstallFrom, ControlKind::Edit, "", 2, 1).readOnly = true;
    b.button(platform::IdOk, "&Install", 0).isDefault = true;
    b.button(platform::IdCancel, "&Exit Setup", 1);
    return b.take();
}

} // namespace

SetupDialog::SetupDialog(platform::Ui& ui, InstallHeader header, fs::path distributionDir,
                         XdgPlaces places)
    : Dialog(setupTemplate()), ui_(ui), header_(std::move(header)),
      distributionDir_(std::move(distributionDir)), places_(std::move(places))
{
}

void SetupDialog::handleOpen(platform::DialogView& view)
{
    view.setCaption(header_.dialogTitle());
    view.setText(kInstallTo, header_.proposedDirectory());
    view.setText(kInstallFrom, distributionDir_.string().substr(0, kMaxDistributionDirLength));
    view.setVisible(kInstallFrom, false);
    view.setVisible(kInstallFromLabel, false);
    if (header_.lines[3])
        view.setText(kDescription, header_.description());
    view.setFocus(kInstallTo);
}

void SetupDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == kBrowse)
        browse(view);
    else if (id == platform::IdOk)
        install(view);
    else if (id == platform::IdCancel)
        end(view, platform::IdCancel);
}

void SetupDialog::browse(platform::DialogView& view)
{
    const std::string chosen = ui_.chooseDirectory("Select Directory", view.text(kInstallTo));
    if (!chosen.empty())
        view.setText(kInstallTo, installDirectoryOf(chosen).string());
}

void SetupDialog::install(platform::DialogView& view)
{
    const std::string typed = view.text(kInstallTo).substr(0, kMaxInstallDirLength);
    if (typed.empty()) {
        box(strings::kWarningCaption.text, std::string(strings::kEnterValidPath.text),
            MessageButtons::Ok, MessageIcon::Warning);
        view.setText(kInstallTo, header_.proposedDirectory());
        return;
    }
    const fs::path installDir = fs::absolute(installDirectoryOf(typed));
    if (const auto failure = createDirectoryLevels(installDir)) {
        errorBox(
            app::fillPattern(strings::kCreateDirectoryError.text,
                             {failure->level.string(), std::to_string(failure->error.value())}));
        return;
    }
    if (!copyFiles(view, installDir))
        return;
    makeShortcuts(installDir);
    box("", std::string(strings::kInstalled.text), MessageButtons::Ok, MessageIcon::Warning);
    end(view, platform::IdOk);
}

bool SetupDialog::copyFiles(platform::DialogView& view, const fs::path& installDir)
{
    nextCursorFrame();
    const fs::path from = view.text(kInstallFrom);
    std::error_code listError;
    const std::vector<std::string> names = listDistribution(from, listError);
    if (names.empty()) {
        errorBox(std::string(strings::kNoFilesOnDisk.text));
        return false;
    }
    if (header_.lines[6] && !header_.lines[6]->empty()) {
        if (!fs::is_regular_file(installDir / *header_.lines[6])) {
            errorBox(std::string(strings::kUpgradeOnly.text));
            return false;
        }
        if (box(strings::kWarningCaption.text, std::string(strings::kPreviousInstallation.text),
                MessageButtons::YesNo, MessageIcon::Question) == MessageResult::No) {
            end(view, platform::IdCancel);
            return false;
        }
    }
    if (missingProofFile(header_, installDir)) {
        errorBox(std::string(strings::kUpgradeOnly.text));
        return false;
    }
    if (const auto failure =
            copyDistribution(from, installDir, names, [this] { nextCursorFrame(); })) {
        errorBox(app::fillPattern(strings::kCopyError.text, {failure->name}));
        return false;
    }
    const bool made = makeSubdirectories(view, installDir, from);
    ui_.restoreCursor();
    view.setCaption(header_.dialogTitle());
    return made;
}

bool SetupDialog::makeSubdirectories(platform::DialogView& view, const fs::path& installDir,
                                     const fs::path& from)
{
    TemplatesState templates = TemplatesState::Existed;
    if (const auto failure = createSubdirectories(installDir, templates)) {
        const bool templatesRefused = failure->dir.filename() == kTemplatesDir &&
                                      failure->error == std::errc::permission_denied;
        if (!templatesRefused) {
            errorBox(
                app::fillPattern(strings::kCreateDirectoryError.text,
                                 {failure->dir.string(), std::to_string(failure->error.value())}));
            return false;
        }
        return box(strings::kErrorCaption.text,
                   app::fillPattern(strings::kTemplatesExists.text, {failure->dir.string()}),
                   MessageButtons::OkCancel, MessageIcon::Stop) == MessageResult::Ok;
    }
    if (templates == TemplatesState::Created) {
        view.setCaption(std::string(strings::kCopyingFiles));
        if (const auto failure = placeSampleTemplates(from, installDir)) {
            errorBox(app::fillPattern(strings::kCopyError.text, {failure->name}));
            return false;
        }
    }
    return true;
}

void SetupDialog::makeShortcuts(const fs::path& installDir)
{
    const Installed installed{installDir, header_.iconFile()};
    if (writeMenuEntries(places_, installed))
        box("", std::string(strings::kProgramGroupError), MessageButtons::Ok, MessageIcon::None);
    if (box("", std::string(strings::kDesktopShortcut.text), MessageButtons::YesNo,
            MessageIcon::Question) == MessageResult::Yes &&
        writeDesktopEntry(places_, installed))
        box("", std::string(strings::kProgramGroupError), MessageButtons::Ok, MessageIcon::None);
}

void SetupDialog::nextCursorFrame()
{
    ui_.showBusyCursor(cupOne_ ? platform::BusyFrame::Cup1 : platform::BusyFrame::Cup2);
    cupOne_ = !cupOne_;
}

MessageResult SetupDialog::box(std::string_view caption, const std::string& text,
                               MessageButtons buttons, MessageIcon icon)
{
    ui_.restoreCursor();
    return ui_.messageBox({std::string(caption), text, buttons, icon, true});
}

void SetupDialog::errorBox(const std::string& text)
{
    box(strings::kErrorCaption.text, text, MessageButtons::Ok, MessageIcon::Stop);
}

} // namespace bv::setup
