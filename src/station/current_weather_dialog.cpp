#include "station/current_weather_dialog.h"

#include <array>
#include <optional>

#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/base/strings_weather.h"
#include "app/base/template_builder.h"
#include "station/derived_values.h"
#include "station/station_memory_tirrel.h"
#include "station/station_session.h"
#include "station/weather_values.h"

namespace bv::station {

using namespace current_weather;
using platform::ControlKind;

namespace {

constexpr int kFirstLabel = 1300; // the label of field id is kFirstLabel + (id - kInsideTemp)
constexpr int kValueWidthChars = 10;
constexpr int kLunett = 3;
constexpr int kCarrowIII = 1;
constexpr int kCarrowII = 2;

struct Field {
    int id;
    const char* caption;
};
constexpr std::array<Field, 11> kFields = {{
    {kInsideTemp, "Inside Temp"},
    {kOutsideTemp, "Outside Temp"},
    {kInsideHum, "Inside Humidity"},
    {kOutsideHum, "Outside humidity"},
    {kBarometer, "Barometer"},
    {kWindSpeed, "Wind Speed"},
    {kWindDir, "Wind Dir"},
    {kTotalRain, "Total Rain"},
    {kDewPoint, "Dew Pt"},
    {kWindChill, "Wind Chill"},
    {kThi, "THI"},
}};

platform::DialogTemplate currentWeatherTemplate()
{
    app::TemplateBuilder b("CURRENTWEATHER", "Current Weather", kHelpTopic);
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const int row = static_cast<int>(i % 6);
        const int column = static_cast<int>(i / 6) * 2;
        const int label = kFirstLabel + (kFields[i].id - kInsideTemp);
        b.add(label, ControlKind::StaticText, kFields[i].caption, row, column);
        platform::ControlSpec& value = b.add(kFields[i].id, ControlKind::Edit, "", row, column + 1);
        value.readOnly = true;
        value.widthChars = kValueWidthChars;
    }
    b.button(kRefresh, "&Refresh", 0);
    b.button(platform::IdOk, "&Close", 1).isDefault = true;
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

int labelOf(int field)
{
    return kFirstLabel + (field - kInsideTemp);
}

// The fields a model does not measure.
std::vector<int> unmeasuredFields(int model, int rainCollector)
{
    std::vector<int> fields;
    if (model == kCarrowIII || model == kCarrowII)
        fields = {kInsideHum, kOutsideHum, kBarometer, kDewPoint, kThi};
    if (model == kCarrowII)
        fields.push_back(kWindDir);
    if (model == kLunett)
        fields = {kOutsideTemp, kOutsideHum, kWindSpeed, kWindDir,
                  kTotalRain,   kDewPoint,   kWindChill, kThi};
    if (rainCollector == 0)
        fields.push_back(kTotalRain);
    return fields;
}

void show(platform::DialogView& view, int field, double reading, int decimals)
{
    view.setText(field, valueText(WeatherValue::fromReading(reading), decimals));
}

} // namespace

CurrentWeatherDialog::CurrentWeatherDialog(app::Shell& shell, StationSession& session)
    : Dialog(currentWeatherTemplate(), kHelpButton), shell_(shell), session_(session)
{
}

void CurrentWeatherDialog::handleOpen(platform::DialogView& view)
{
    const StationSettings& settings = session_.settings();
    const StationModel* model = session_.model();
    if (model != nullptr && model->family == StationFamily::Tirrel) {
        view.setText(labelOf(kInsideTemp), std::string(app::strings::kSoilTempLabel.text));
        view.setText(labelOf(kInsideHum), std::string(app::strings::kDailyEtLabel.text));
    }
    for (const int field : unmeasuredFields(settings.modelCode, settings.rainCollector))
        view.setEnabled(field, false);
    refresh(view);
}

void CurrentWeatherDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == kRefresh) {
        refresh(view);
    } else if (id == platform::IdOk) {
        shell_.clearStatus();
        end(view, platform::IdOk);
    } else if (id == platform::IdCancel) {
        end(view, platform::IdCancel);
    }
}

bool CurrentWeatherDialog::refresh(platform::DialogView& view)
{
    shell_.setBusyCursor();
    // A station that does not answer has been reported by the read itself.
    if (session_.readCurrentConditions() != kDone || !session_.conditions().dataValid) {
        shell_.ui().restoreCursor();
        end(view, platform::IdCancel);
        return false;
    }
    fill(view);
    shell_.ui().restoreCursor();
    return true;
}

void CurrentWeatherDialog::fill(platform::DialogView& view)
{
    const StationModel* model = session_.model();
    const CurrentConditions& c = session_.conditions();
    const units::UnitsSelection& units = session_.settings().units;
    if (model != nullptr && model->family == StationFamily::Tirrel) {
        const TirrelConditions& t = c.tirrel;
        show(view, kInsideTemp, t.soilTemp, 1);
        show(view, kOutsideTemp, t.airTemp, 1);
        show(view, kInsideHum, session_.tirrelMemory().read(TirrelValue::DailyEt), 2);
        show(view, kOutsideHum, t.outsideHum, 1);
        show(view, kBarometer, t.barometer, 2);
        show(view, kWindSpeed, t.windSpeed, 1);
        show(view, kWindDir, t.windDir, 1);
        show(view, kTotalRain, t.rain, 2);
        const DerivedWeather derived = deriveWeather(t.airTemp, t.outsideHum, t.windSpeed, units);
        show(view, kDewPoint, derived.dewPoint, 1);
        show(view, kWindChill, derived.windChill, 1);
        show(view, kThi, derived.thermalIndex, 1);
        return;
    }
    const ClassicConditions& k = c.classic;
    show(view, kInsideTemp, k.insideTemp, 1);
    show(view, kOutsideTemp, k.outsideTemp, 1);
    show(view, kInsideHum, k.insideHum, 1);
    show(view, kOutsideHum, k.outsideHum, 1);
    show(view, kBarometer, k.barometer, 2);
    show(view, kWindSpeed, k.windSpeed, 1);
    show(view, kWindDir, k.windDir, 1);
    show(view, kTotalRain, k.rain, 2);
    const DerivedWeather derived = deriveWeather(k.outsideTemp, k.outsideHum, k.windSpeed, units);
    show(view, kDewPoint, derived.dewPoint, 1);
    show(view, kWindChill, derived.windChill, 1);
    show(view, kThi, derived.thermalIndex, 1);
}

int runCurrentWeatherDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                            StationSession& session)
{
    const app::GateHold held = launcher.holdGate();
    shell.setBusyCursor();
    int result = platform::IdCancel;
    session.runOperation([&](StationLink&) {
        CurrentWeatherDialog dialog(shell, session);
        result = launcher.run(dialog);
        return kDone;
    });
    shell.ui().restoreCursor();
    return result;
}

} // namespace bv::station
