#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bv::images::test {

// One line of a classic station's archive text file: date, time, then fields
// 3 (inside temperature) to 15 (rain).
struct ClassicRecord {
    std::string date = "12-08-26";
    std::string time = " 6:00a";
    std::string insideTemp = "70.0";
    std::string outsideTemp = "60.0";
    std::string outsideHum = "50";
    std::string barometer = "29.92";
    std::string windSpeed = "5.0";
    std::string windDirection = "N";
    std::string rain = "0.00";
};

std::string archiveLine(const ClassicRecord& record);

// Writes the two header lines and the lines to Download/download.txt of
// stationDir.
void writeArchive(const std::filesystem::path& stationDir, const std::vector<std::string>& lines);

// Thirteen records half an hour apart from 6:00 on 8 December 2026.
std::vector<std::string> dayOfRecords();

// A full archive of a classic station: 1560 records half an hour apart from
// midnight on 1 November 2026, with weather that changes through the day.
std::vector<std::string> fullArchive();

} // namespace bv::images::test
