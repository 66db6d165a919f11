#pragma once

#include <filesystem>

#include "app/base/config_record.h"
#include "app/base/dialog.h"
#include "paging/alarm_codes.h"

namespace bv::paging {

// Pager Alarms ("PAGER_ALARMS"): the low and high limits of quantities 0..10,
// the two AND alarms and the 13 alarm codes of "alarm.dat".
//
// Limits the station cannot produce are disabled (the Tirrel family's ET low
// is hidden). OK stores every limit that reads whole as a number and no limit
// for anything else, forces the limits the station cannot produce to none,
// stores the AND conditions (a wind direction condition keeps the index of
// its compass point as its limit; a sense button labelled "Low" gives 0, any
// other 1) and writes the codes to "alarm.dat".
namespace pager_alarms_dialog {
// Row q (quantity 0..10): its name, low and high limits and code.
inline constexpr int kFirstName = 1400;
inline constexpr int kFirstLow = 1420;
inline constexpr int kFirstHigh = 1440;
inline constexpr int kFirstCode = 1460;
// AND alarm a (0, 1): its code; condition c (0..3, two per alarm): its
// quantity list ("None" and the 12 quantities), sense button, limit, and the
// compass points shown instead of the limit for wind direction.
inline constexpr int kFirstAndCode = 1471;
inline constexpr int kFirstQuantity = 1480;
inline constexpr int kFirstSense = 1484;
inline constexpr int kFirstLimit = 1488;
inline constexpr int kFirstCompass = 1492;
} // namespace pager_alarms_dialog

class PagerAlarmsDialog final : public app::Dialog {
  public:
    PagerAlarmsDialog(app::ConfigRecord& config, std::filesystem::path codesFile);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void showCondition(platform::DialogView& view, int condition);
    void store(const platform::DialogView& view);

    app::ConfigRecord& config_;
    std::filesystem::path codesFile_;
};

} // namespace bv::paging
