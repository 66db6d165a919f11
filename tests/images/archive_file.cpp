#include "archive_file.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "units/date_time.h"

namespace bv::images::test {

std::string archiveLine(const ClassicRecord& r)
{
    const std::string tab = "\t";
    return r.date + tab + r.time + tab + r.insideTemp + tab + r.outsideTemp + tab + "75.0\t55.0\t" +
           r.outsideHum + tab + "40\t45.0\t58.0\t" + r.barometer + tab + r.windSpeed + tab +
           "9.0\t" + r.windDirection + tab + r.rain;
}

void writeArchive(const std::filesystem::path& stationDir, const std::vector<std::string>& lines)
{
    std::filesystem::create_directories(stationDir / "Download");
    std::ofstream file(stationDir / "Download" / "download.txt");
    file << "Date\t\tTime\tInside\tOutside\tHiOut\tLowOut\tOut\tInside\tDew\tWind\tBarom\tWind\t"
            "HiWind\tWind\tRain\n"
         << "    \t\t   \tTemp\tTemp\tTemp\tTemp\tHum\tHum\tPoint\tChill\tPress\tSpeed\tSpeed\t"
            "Dir\t\n";
    for (const std::string& line : lines)
        file << line << '\n';
}

std::vector<std::string> dayOfRecords()
{
    const char* times[] = {" 6:00a", " 6:30a", " 7:00a", " 7:30a", " 8:00a", " 8:30a", " 9:00a",
                           " 9:30a", "10:00a", "10:30a", "11:00a", "11:30a", "12:00p"};
    const char* temps[] = {"12.3", "13.0", "15.2", "18.9", "21.4", "24.0", "26.5",
                           "28.1", "29.9", "31.0", "30.2", "27.7", "25.1"};
    const char* baros[] = {"29.80", "29.84", "29.90", "29.95", "30.01", "30.05", "30.10",
                           "30.08", "30.02", "29.97", "29.93", "29.90", "29.88"};
    const char* rains[] = {"0.00", "0.00", "0.02", "0.05", "0.11", "0.18", "0.22",
                           "0.30", "0.33", "0.35", "0.38", "0.40", "0.40"};
    const char* speeds[] = {"3.0", "5.0",  "8.0",  "12.0", "10.0", "7.0", "6.0",
                            "9.0", "11.0", "14.0", "13.0", "8.0",  "4.0"};
    const char* directions[] = {"N",  "NNE", "NE",  "NE", "ENE", "E", "E",
                                "SW", "SW",  "WSW", "W",  "NW",  "N"};
    std::vector<std::string> lines;
    for (int i = 0; i < 13; ++i) {
        ClassicRecord r;
        r.time = times[i];
        r.outsideTemp = temps[i];
        r.barometer = baros[i];
        r.rain = rains[i];
        r.windSpeed = speeds[i];
        r.windDirection = directions[i];
        lines.push_back(archiveLine(r));
    }
    return lines;
}

std::vector<std::string> fullArchive()
{
    constexpr int kRecords = 1560;
    constexpr int kStep = 30;
    const units::RegionalSettings regional;
    units::DateTime at(11, 1, 2026);
    std::vector<std::string> lines;
    const char* points[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                            "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    for (int i = 0; i < kRecords; ++i) {
        const double day = std::sin(i * 0.13);
        char text[32];
        ClassicRecord r;
        r.date = at.shortDate(regional);
        r.time = at.timeText(regional);
        std::snprintf(text, sizeof text, "%.1f", 50.0 + 15.0 * day);
        r.outsideTemp = text;
        std::snprintf(text, sizeof text, "%.2f", 29.9 + 0.3 * day);
        r.barometer = text;
        std::snprintf(text, sizeof text, "%.1f", 6.0 + 5.0 * day);
        r.windSpeed = text;
        r.windDirection = points[(i / 7) % 16];
        std::snprintf(text, sizeof text, "%.2f", 0.01 * (i % 40));
        r.rain = text;
        lines.push_back(archiveLine(r));
        at.minutesOfDay += kStep;
        if (at.minutesOfDay >= 1440) {
            at.minutesOfDay -= 1440;
            at.nextDay();
        }
    }
    return lines;
}

} // namespace bv::images::test
