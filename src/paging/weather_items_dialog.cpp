#include "paging/weather_items_dialog.h"

#include "app/base/template_builder.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/dialog_ids.h"

namespace bv::paging {

using namespace weather_items_dialog;

namespace {

constexpr int kColumns = 2;

int itemId(int quantity)
{
    return kFirstItem + quantity;
}

platform::DialogTemplate weatherItemsTemplate(units::StationFamily family)
{
    app::TemplateBuilder b("PAGER_WEATHER", "Current Weather Parameters", kWeatherItemsHelpTopic);
    for (int q = 0; q < kQuantityCount; ++q)
        b.add(itemId(q), platform::ControlKind::CheckBox, std::string(quantityName(q, family)),
              q / kColumns, q % kColumns);
    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

} // namespace

WeatherItemsDialog::WeatherItemsDialog(app::ConfigRecord& config)
    : Dialog(weatherItemsTemplate(familyOfModel(config.stationModel)), kHelpButton), config_(config)
{
}

void WeatherItemsDialog::handleOpen(platform::DialogView& view)
{
    for (int q = 0; q < kQuantityCount; ++q)
        view.setChecked(itemId(q),
                        static_cast<bool>(config_.weatherPageItems[static_cast<std::size_t>(q)]));
    view.setFocus(itemId(0));
}

void WeatherItemsDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == platform::IdCancel) {
        end(view, platform::IdCancel);
        return;
    }
    if (id != platform::IdOk)
        return;
    for (int q = 0; q < kQuantityCount; ++q)
        config_.weatherPageItems[static_cast<std::size_t>(q)] =
            view.checked(itemId(q)) &&
            weatherItemOffered(config_.stationModel, config_.rainCollector, q);
    end(view, platform::IdOk);
}

} // namespace bv::paging
