#pragma once

#include <array>
#include <string_view>

#include "app/base/string_table.h"

// Texts of weather values and images: compass points, trend words, the image
// file names and the image error messages.
namespace bv::app::strings {

// The sixteen compass points; point i has the number 40144 + i.
inline constexpr std::array<StringEntry, 16> kCompassPoints = {{
    {40144, "N"},
    {40145, "NNE"},
    {40146, "NE"},
    {40147, "ENE"},
    {40148, "E"},
    {40149, "ESE"},
    {40150, "SE"},
    {40151, "SSE"},
    {40152, "S"},
    {40153, "SSW"},
    {40154, "SW"},
    {40155, "WSW"},
    {40156, "W"},
    {40157, "WNW"},
    {40158, "NW"},
    {40159, "NNW"},
}};

// Printed for a missing value (wind direction -100 and the like).
inline constexpr StringEntry kMissingValue{40232, "----"};

// Barometer trend 0, 1, 2.
inline constexpr StringEntry kTrendSteady{40332, "steady"};
inline constexpr StringEntry kTrendRising{40333, "rising"};
inline constexpr StringEntry kTrendFalling{40334, "falling"};

// Labels that replace "Inside Temp" and "Inside Humidity" for the Tirrel models.
inline constexpr StringEntry kSoilTempLabel{40131, "Soil Temp"};
inline constexpr StringEntry kDailyEtLabel{40260, "Daily ET"};

// Current-weather image i has the number 40160 + i.
inline constexpr std::array<StringEntry, 12> kCurrentImageFiles = {{
    {40160, "intemp.gif"},
    {40161, "outtemp.gif"},
    {40162, "inhum.gif"},
    {40163, "outhum.gif"},
    {40164, "barom.gif"},
    {40165, "windspeed.gif"},
    {40166, "drain.gif"},
    {40167, "train.gif"},
    {40168, "dewPt.gif"},
    {40169, "windchill.gif"},
    {40170, "thi.gif"},
    {40171, "winddir.gif"},
}};

// Archive graph i has the number 40175 + i.
inline constexpr std::array<StringEntry, 11> kGraphImageFiles = {{
    {40175, "intempg.gif"},
    {40176, "outtempg.gif"},
    {40177, "inhumg.gif"},
    {40178, "outhumg.gif"},
    {40179, "baromg.gif"},
    {40180, "windspeedg.gif"},
    {40181, "raing.gif"},
    {40182, "dewPtg.gif"},
    {40183, "windchillg.gif"},
    {40184, "winddirg.gif"},
    {40185, "windrung.gif"},
}};

// The Tirrel models put soil temperature and ET in images and graphs 0 and 2.
inline constexpr std::string_view kSoilImageFile = "soil.gif";
inline constexpr std::string_view kEtImageFile = "et.gif";
inline constexpr std::string_view kSoilGraphFile = "soilg.gif";
inline constexpr std::string_view kEtGraphFile = "etg.gif";

// Gauge images that could not be made (event log).
inline constexpr std::string_view kWindSpeedImageError = "Error creating Wind Speed image.";
inline constexpr std::string_view kWindDirectionImageError =
    "Error creating Wind Direction image. Check Sensors.";
inline constexpr std::string_view kInsideTempImageError =
    "Error creating Inside Temp image. Check Sensors.";
inline constexpr std::string_view kOutsideTempImageError =
    "Error creating Outside Temp image. Check Sensors.";
inline constexpr std::string_view kDewPointImageError =
    "Error creating Dew Pt image. Check Sensors.";
inline constexpr std::string_view kThiImageError = "Error creating THI image. Check Sensors.";
inline constexpr std::string_view kSoilTempImageError =
    "Error creating Soil Temp image. Check Sensors.";
inline constexpr std::string_view kHumidityImageError =
    "Error creating Humidity image.  Check Sensors.";
inline constexpr std::string_view kRainImageError = "Error creating rain image.  Check Sensors.";
inline constexpr std::string_view kBarometerImageError =
    "Error creating barometer image. Check Sensors.";
inline constexpr std::string_view kWindChillImageError =
    "Error creating Wind Chill image. Check Sensors.";
// Followed directly by the graph's file name.
inline constexpr std::string_view kNotEnoughImageData = "Not enough data to create the image  ";

} // namespace bv::app::strings
