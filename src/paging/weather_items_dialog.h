#pragma once

#include "app/base/config_record.h"
#include "app/base/dialog.h"

namespace bv::paging {

// Current Weather Parameters ("PAGER_WEATHER"): one check box per quantity
// 0..11 for the current-weather page. OK stores the boxes as
// `weatherPageItems` and then clears the quantities the configured model
// cannot report.
namespace weather_items_dialog {
inline constexpr int kFirstItem = 1150; // quantity q is control 1150 + q
} // namespace weather_items_dialog

class WeatherItemsDialog final : public app::Dialog {
  public:
    explicit WeatherItemsDialog(app::ConfigRecord& config);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    app::ConfigRecord& config_;
};

} // namespace bv::paging
