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
inline constexpr const char* kCurrentWholeFormat = "Current: %d";
inline constexpr const char* kCurrentDecimalFormat = "Current: %.2f";
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

} // namespace bv::app::strings
