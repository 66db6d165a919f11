#pragma once

#include "app/base/dialog.h"
#include "paging/pager_entry.h"

namespace bv::paging {

// Advanced Properties ("PAGER_ADVANCED") of an alphanumeric entry: the
// protocol (Manual or Automatic), the baud rate and the protocol's time
// interval. OK stores them in the settings; the quiet-answer byte is left alone.
namespace advanced_dialog {
inline constexpr int kManual = 1350;
inline constexpr int kAutomatic = 1351;
inline constexpr int kBaudRate = 1352;
inline constexpr int kTimeInterval = 1353;
} // namespace advanced_dialog

class AdvancedDialog final : public app::Dialog {
  public:
    explicit AdvancedDialog(AdvancedSettings& settings);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    AdvancedSettings& settings_;
};

} // namespace bv::paging
