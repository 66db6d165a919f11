#pragma once

#include <array>
#include <string_view>

// Texts drawn in the gauges and graphs and shown by the Setup Images dialog.
namespace bv::app::strings {

// Titles of the current-weather images, by image number (bar gauges add the
// unit suffix).
inline constexpr std::array<std::string_view, 12> kCurrentImageTitles = {
    "Inside Temp", "Outside Temp", "Inside Hum", "Outside Hum", "Barometer",     "Wind Speed",
    "Daily Rain",  "Total Rain",   "Dew Point",  "Wind Chill",  "Thermal Index", "Wind Direction"};
// Titles of the archive graphs 0 to 9, by graph number (before the unit suffix).
inline constexpr std::array<std::string_view, 10> kGraphTitles = {
    "Inside Temp", "Outside Temp", "Inside Hum", "Outside Hum", "Barometer",
    "Wind Speed",  "Rain",         "Dew Point",  "Wind Chill",  "Wind Direction"};
inline constexpr std::string_view kEtGraphTitle = "ET";
inline constexpr std::string_view kWindRunTitle = "Wind Run";

// Unit suffixes of the titles, by unit code.
inline constexpr std::array<std::string_view, 2> kTemperatureSuffixes = {" (F)", " (C)"};
inline constexpr std::string_view kHumiditySuffix = " (%)";
inline constexpr std::array<std::string_view, 2> kRainSuffixes = {" (in)", " (mm)"};
inline constexpr std::array<std::string_view, 4> kBarometerSuffixes = {" (in)", " (mm)", " (mb)",
                                                                       " (hPa)"};
inline constexpr std::array<std::string_view, 4> kWindSuffixes = {" (Mph)", " (Knot)", " (Km/hr)",
                                                                  " (m/s)"};

// Value texts of the gauges.
inline constexpr const char* kDialHighFormat = "High: %d";
// Followed by the value, whole or with two decimals.
inline constexpr std::string_view kCurrentValue = "Current: ";
inline constexpr std::string_view kHighMark = "High";
inline constexpr std::string_view kLowMark = "Low";

// Legend of the wind direction graph: followed by a date, a blank and a time.
inline constexpr std::string_view kRoseCentre = "Center:";
inline constexpr std::string_view kRoseBorder = "Border:";

// Texts of the wind run graph.
inline constexpr std::string_view kRunTimePeriod = "Time Period ";
inline constexpr std::string_view kRunFrom = "From:";
inline constexpr std::string_view kRunTo = "To:  ";
inline constexpr std::string_view kRunTotal = "Total Wind Run";
inline constexpr std::string_view kRunAverage = "Avg Wind Speed";
inline constexpr const char* kRingLabelFormat = "%d%%";
// Distance by wind unit code: nautical miles for knots, kilometres for km/hr
// and m/s, else miles.
inline constexpr std::array<const char*, 4> kRunDistanceFormats = {"%.1f Miles", "%.1f NMi",
                                                                   "%.1f Km", "%.1f Km"};
inline constexpr std::array<const char*, 4> kRunSpeedFormats = {"%.1f mph", "%.1f Knots",
                                                                "%.1f Km/hr", "%.1f m/s"};

// An image file that could not be written (event log); followed by the path.
inline constexpr std::string_view kImageWriteError = "Error writing image file ";

// The Setup Images dialog.
inline constexpr std::string_view kSetupImagesTitle = "Setup Images";
inline constexpr std::string_view kCurrentWeatherGroup = "Current Weather Data";
inline constexpr std::string_view kHistoricalGroup = "Historical Data";
inline constexpr std::array<std::string_view, 12> kCurrentImageBoxes = {
    "Inside Temp", "Outside Temp",  "Inside Humidity", "Outside Humidity", "Barometer",
    "Wind Speed",  "Daily Rain",    "Total Rain",      "Dew Pt",           "Wind Chill",
    "THI",         "Wind Direction"};
inline constexpr std::array<std::string_view, 11> kHistoryImageBoxes = {
    "Inside Temp", "Outside Temp", "Inside Humidity", "Outside Humidity", "Barometer", "Wind Speed",
    "Rain",        "Dew Pt",       "Wind Chill",      "Wind Direction",   "Wind Run"};
inline constexpr std::string_view kSelectAllCurrent = "Select &All";
inline constexpr std::string_view kClearAllCurrent = "Cl&ear All";
inline constexpr std::string_view kSelectAllHistory = "&Select All";
inline constexpr std::string_view kClearAllHistory = "Clear A&ll";
inline constexpr std::string_view kUseHighsLows = "Use Highs Lows";
inline constexpr std::string_view kBackgroundGroup = "Image Background Color";
// By imageBackground: 0 Green, 1 Transparent, 2 Yellow, 3 White, 4 Blue, 5 Grey.
inline constexpr std::array<std::string_view, 6> kBackgroundNames = {
    "Green", "Transparent ", "Yellow", "White", "Blue", "Grey"};
inline constexpr std::string_view kArchiveImagesNote =
    "The Archive settings must be completed through the Setup Archive menu and \"Enable "
    "Download\" checked  for the creation of  these Images.";

} // namespace bv::app::strings
