#pragma once

#include "app/base/config_record.h"
#include "app/base/dialog.h"

namespace bv::images {

// Setup Images ("SETUP_IMAGES"), opened from Data Setup: which current-weather
// images and archive graphs are made, their background and the highs/lows
// marks.
namespace setup_images {
inline constexpr int kHelpTopic = 50;         // the topic of Data Setup, which opens it
inline constexpr int kFirstCurrentBox = 1165; // 1165..1176, image 0..11
inline constexpr int kFirstHistoryBox = 1181; // 1181..1191, graph 0..10; 1192 hidden
inline constexpr int kHiddenHistoryBox = 1192;
inline constexpr int kSelectAllCurrent = 1015;
inline constexpr int kClearAllCurrent = 1017;
inline constexpr int kSelectAllHistory = 1016;
inline constexpr int kClearAllHistory = 1018;
inline constexpr int kUseHighsLows = 1179;
// By imageBackground: 0 Green, 1 Transparent, 2 Yellow, 3 White, 4 Blue, 5 Grey.
inline constexpr int kBackgroundButtons[] = {1218, 1178, 1036, 1035, 1034, 1037};
} // namespace setup_images

// Opening ticks the boxes of currentImages and historyImages, selects the
// background (Green for a value outside 1..5) and Use Highs Lows, names boxes
// 0 and 2 "Soil Temp" and "Daily ET" for the Tirrel models, and disables the
// current images the model or a missing rain collector cannot fill. OK stores
// every box (flags without a box are cleared), the first selected background
// in the order Green, Transparent, Yellow, White, Blue, Grey, and Use Highs
// Lows, then clears the flags of the disabled images. Cancel changes nothing.
class SetupImagesDialog final : public app::Dialog {
  public:
    explicit SetupImagesDialog(app::ConfigRecord& config);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void store(const platform::DialogView& view);

    app::ConfigRecord& config_;
};

// Runs Setup Images on config; returns 1 (OK) or 2 (Cancel). It saves nothing:
// Data Setup, which opens it, saves the configuration.
int runSetupImagesDialog(app::DialogHost& host, app::ConfigRecord& config);

} // namespace bv::images
