#include "images/setup_images_dialog.h"

#include <array>
#include <string>

#include "app/base/dialog_host.h"
#include "app/base/strings_images.h"
#include "app/base/strings_weather.h"
#include "app/base/template_builder.h"

namespace bv::images {

using platform::ControlKind;
using namespace setup_images;
namespace text = app::strings;

namespace {

constexpr int kCurrentGroup = 1401;
constexpr int kHistoryGroup = 1402;
constexpr int kBackgroundGroup = 1403;
constexpr int kNote = 1404;
constexpr int kCurrentBoxes = 12;
constexpr int kHistoryBoxes = 12; // the last one hidden
constexpr int kBoxRows = 6;
constexpr int kNoteWidthChars = 50; // wrapped under the graphs
// Models by configuration code.
constexpr int kCarrowIII = 1;
constexpr int kCarrowII = 2;
constexpr int kLunett = 3;
constexpr int kTirrelD = 4;
constexpr int kTirrelE = 5;
constexpr int kSoilSlot = 0;
constexpr int kEtSlot = 2;

void addBoxes(app::TemplateBuilder& b, int group, int firstId, int count, const auto& captions)
{
    for (int i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const std::string caption = slot < captions.size() ? std::string(captions[slot]) : "";
        b.add(firstId + i, ControlKind::CheckBox, caption, i % kBoxRows, i / kBoxRows, group);
    }
}

platform::DialogTemplate setupImagesTemplate()
{
    app::TemplateBuilder b("SETUP_IMAGES", std::string(text::kSetupImagesTitle), kHelpTopic);
    b.add(kCurrentGroup, ControlKind::GroupBox, std::string(text::kCurrentWeatherGroup), 0);
    addBoxes(b, kCurrentGroup, kFirstCurrentBox, kCurrentBoxes, text::kCurrentImageBoxes);
    b.add(kSelectAllCurrent, ControlKind::PushButton, std::string(text::kSelectAllCurrent),
          kBoxRows, 0, kCurrentGroup);
    b.add(kClearAllCurrent, ControlKind::PushButton, std::string(text::kClearAllCurrent), kBoxRows,
          1, kCurrentGroup);
    b.add(kHistoryGroup, ControlKind::GroupBox, std::string(text::kHistoricalGroup), 0, 1);
    addBoxes(b, kHistoryGroup, kFirstHistoryBox, kHistoryBoxes, text::kHistoryImageBoxes);
    b.add(kSelectAllHistory, ControlKind::PushButton, std::string(text::kSelectAllHistory),
          kBoxRows, 0, kHistoryGroup);
    b.add(kClearAllHistory, ControlKind::PushButton, std::string(text::kClearAllHistory), kBoxRows,
          1, kHistoryGroup);
    platform::ControlSpec& note =
        b.add(kNote, ControlKind::StaticText, std::string(text::kArchiveImagesNote), 1, 1);
    note.rowSpan = 2;
    note.widthChars = kNoteWidthChars;
    b.add(kUseHighsLows, ControlKind::CheckBox, std::string(text::kUseHighsLows), 1);
    b.add(kBackgroundGroup, ControlKind::GroupBox, std::string(text::kBackgroundGroup), 2);
    for (std::size_t i = 0; i < std::size(kBackgroundButtons); ++i)
        b.add(kBackgroundButtons[i], ControlKind::RadioButton,
              std::string(text::kBackgroundNames[i]), static_cast<int>(i) % 3,
              static_cast<int>(i) / 3, kBackgroundGroup);
    b.button(platform::IdOk, "&OK", 0).isDefault = true;
    b.button(platform::IdCancel, "&Cancel", 1);
    return b.take();
}

// The current images a model (or a station without a rain collector) cannot
// fill.
std::array<bool, kCurrentBoxes> unavailableImages(const app::ConfigRecord& config)
{
    std::array<bool, kCurrentBoxes> off{};
    const auto disable = [&off](std::initializer_list<int> images) {
        for (const int i : images)
            off[static_cast<std::size_t>(i)] = true;
    };
    if (config.stationModel == kCarrowIII || config.stationModel == kCarrowII)
        disable({2, 3, 4, 8, 10});
    if (config.stationModel == kCarrowII)
        disable({11});
    if (config.stationModel == kLunett)
        disable({1, 3, 5, 6, 7, 8, 9, 10, 11});
    if (config.rainCollector == 0)
        disable({6, 7});
    return off;
}

void setAll(platform::DialogView& view, int firstId, int count, bool on)
{
    for (int i = 0; i < count; ++i)
        view.setChecked(firstId + i, on);
}

template <std::size_t N>
void readBoxes(const platform::DialogView& view, int firstId, int count,
               std::array<app::Flag, N>& flags)
{
    for (std::size_t i = 0; i < N; ++i)
        flags[i] = static_cast<int>(i) < count && view.checked(firstId + static_cast<int>(i));
}

} // namespace

SetupImagesDialog::SetupImagesDialog(app::ConfigRecord& config)
    : Dialog(setupImagesTemplate()), config_(config)
{
}

void SetupImagesDialog::handleOpen(platform::DialogView& view)
{
    for (int i = 0; i < kCurrentBoxes; ++i)
        view.setChecked(kFirstCurrentBox + i,
                        static_cast<bool>(config_.currentImages[static_cast<std::size_t>(i)]));
    for (int i = 0; i < kHistoryBoxes; ++i)
        view.setChecked(kFirstHistoryBox + i,
                        static_cast<bool>(config_.historyImages[static_cast<std::size_t>(i)]));
    view.setVisible(kHiddenHistoryBox, false);
    const int background = config_.imageBackground;
    const bool known = background >= 1 && background <= 5;
    view.setChecked(kBackgroundButtons[known ? background : 0], true);
    view.setChecked(kUseHighsLows, static_cast<bool>(config_.imageHighsLows));

    if (config_.stationModel == kTirrelD || config_.stationModel == kTirrelE) {
        for (const int first : {kFirstCurrentBox, kFirstHistoryBox}) {
            view.setText(first + kSoilSlot, std::string(text::kSoilTempLabel.text));
            view.setText(first + kEtSlot, std::string(text::kDailyEtLabel.text));
        }
    }
    const std::array<bool, kCurrentBoxes> off = unavailableImages(config_);
    for (int i = 0; i < kCurrentBoxes; ++i)
        if (off[static_cast<std::size_t>(i)])
            view.setEnabled(kFirstCurrentBox + i, false);
    view.setFocus(platform::IdOk);
}

void SetupImagesDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    switch (id) {
    case kSelectAllCurrent:
    case kClearAllCurrent:
        setAll(view, kFirstCurrentBox, kCurrentBoxes, id == kSelectAllCurrent);
        break;
    case kSelectAllHistory:
    case kClearAllHistory:
        setAll(view, kFirstHistoryBox, kHistoryBoxes, id == kSelectAllHistory);
        break;
    case platform::IdOk:
        store(view);
        end(view, platform::IdOk);
        break;
    case platform::IdCancel:
        end(view, platform::IdCancel);
        break;
    default:
        break;
    }
}

void SetupImagesDialog::store(const platform::DialogView& view)
{
    readBoxes(view, kFirstCurrentBox, kCurrentBoxes, config_.currentImages);
    readBoxes(view, kFirstHistoryBox, kHistoryBoxes, config_.historyImages);
    config_.imageBackground = 0;
    for (std::size_t i = 0; i < std::size(kBackgroundButtons); ++i)
        if (view.checked(kBackgroundButtons[i])) {
            config_.imageBackground = static_cast<std::uint8_t>(i);
            break;
        }
    config_.imageHighsLows = view.checked(kUseHighsLows);
    const std::array<bool, kCurrentBoxes> off = unavailableImages(config_);
    for (std::size_t i = 0; i < off.size(); ++i)
        if (off[i])
            config_.currentImages[i] = false;
}

int runSetupImagesDialog(app::DialogHost& host, app::ConfigRecord& config)
{
    SetupImagesDialog dialog(config);
    return dialog.run(host);
}

} // namespace bv::images
