#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/base/strings_shell.h"

namespace bv::app {

// Size of "config.dat": the record's image, no header, no checksum.
inline constexpr std::size_t kConfigFileSize = 1740;
inline constexpr std::string_view kConfigFileName = "config.dat";

// Floats of the record (alarm limits, AND-alarm thresholds) hold this when not set.
inline constexpr float kNotSet = -100.0f;

// A one-byte switch of the record: 1 is on, every other byte value is off.
// The byte itself is kept, so a file holding 2 is written back as 2.
class Flag {
  public:
    constexpr Flag() = default;
    constexpr Flag(bool on) : raw_(on ? kOn : 0) {}
    static constexpr Flag fromRaw(std::uint8_t raw)
    {
        Flag flag;
        flag.raw_ = raw;
        return flag;
    }

    constexpr explicit operator bool() const { return raw_ == kOn; }
    constexpr std::uint8_t raw() const { return raw_; }
    constexpr bool operator==(const Flag&) const = default;

  private:
    static constexpr std::uint8_t kOn = 1;
    std::uint8_t raw_ = 0;
};

template <class T, std::size_t N> constexpr std::array<T, N> filledArray(T value)
{
    std::array<T, N> values;
    values.fill(value);
    return values;
}

inline constexpr std::int32_t kLastMinuteOfDay = 1439;

// Days (0 = Sunday ... 6 = Saturday) and a daily window in minutes after
// midnight that bind a timed activity when enabled.
struct DayRange {
    std::array<Flag, 7> days = filledArray<Flag, 7>(true);
    Flag enabled;
    std::int32_t fromMin = 0;
    std::int32_t toMin = kLastMinuteOfDay;

    bool operator==(const DayRange&) const = default;
};

// Every setting of the program, one instance per process, saved as
// "config.dat". A default-constructed record holds the defaults.
//
// Texts are held whole; the field widths of the file apply only when it is
// written (config_codec.h). Units: intervals as their names say, times of day
// in minutes after midnight (0..1439).
struct ConfigRecord {
    std::string ftpHost;
    // The whole port; the file keeps its low byte and, for ports the byte
    // cannot carry, a 16-bit copy (docs/config-format.md).
    std::uint16_t ftpPort = 21;
    std::string ftpUser;
    std::string ftpPassword;
    std::string ftpRemotePath = "public_html";
    std::string dialupEntry;
    std::string dialupUser;
    std::string dialupPassword;
    std::int32_t transferIntervalSec = 3600;
    Flag stayConnected;
    Flag internetTransferEnabled;
    Flag localServerConnection;
    std::int8_t stationComPort = 1;
    std::int16_t stationBaud = 2400;
    std::int8_t stationModel =
        0; // 0 Ostrel II, 1 Carrow III, 2 Carrow II, 3 Lunett, 4 Tirrel D, 5 Tirrel E
    std::string stationDir; // set to the station directory at every start
    Flag localTransferEnabled;
    std::string localTransferPath;
    std::int8_t rainCollector = 0; // 0 None, 1 ".1 in", 2 ".01 in", 3 ",2 mm"
    std::int8_t tempUnit = 0;      // 0 °F, 1 °C
    std::int8_t baroUnit = 0;      // 0 in, 1 mm, 2 mb, 3 hPa
    std::int8_t windUnit = 0;      // 0 mph, 1 knot, 2 km/hr, 3 m/s
    std::int8_t rainUnit = 0;      // 0 in, 1 mm
    std::string templateExtension = "htm";
    std::uint8_t transferHold = 0; // not 0: the timed transfer never fires
    DayRange transferRange;
    Flag downloadEnabled;
    std::int32_t downloadIntervalMin = 1440;
    Flag archiveOverwrite;
    Flag clearArchiveAfterDownload;
    Flag downloadBeforeUpload;
    std::string archiveFileName = "download.txt";
    std::int8_t pagerComPort = 1;
    Flag pageOnAlarm;
    Flag pageWeather;
    std::int32_t alarmPageIntervalMin = 15;
    DayRange alarmPageRange;
    std::int32_t weatherPageIntervalMin = 60;
    DayRange weatherPageRange;
    std::int32_t alarmRearmMin = 15;
    // Low then high limit of Inside Temp, Outside Temp, Inside Humidity, Outside
    // Humidity, Barometer, Wind Speed, Daily Rain, Rain Rate, Dew Point, Wind Chill, THI.
    std::array<float, 22> alarmLimits = filledArray<float, 22>(kNotSet);
    // The eleven quantities above, then Wind Direction.
    std::array<Flag, 12> weatherPageItems{};
    // The four conditions of the two AND alarms: quantity (0 none, 1..12),
    // side (0 low, 1 high) and threshold (a compass index for wind direction).
    std::array<std::uint8_t, 4> andAlarmParam{};
    std::array<std::uint8_t, 4> andAlarmHigh{};
    std::array<float, 4> andAlarmValue = filledArray<float, 4>(kNotSet);
    std::array<Flag, 13> currentImages{};
    std::array<Flag, 13> historyImages{};
    std::uint8_t imageBackground = 1; // 0 Green, 1 Transparent, 2 Yellow, 3 White, 4 Blue, 5 Grey
    Flag imageHighsLows;
    Flag stationViaModem;
    Flag rotaryDial;
    std::string stationModemInit{strings::kDefaultModemInit};
    std::string stationPhone;
    std::int8_t afterConnectWaitSec = 0;
    Flag loggerEnabled;
    std::string loggerCommand;
    std::array<Flag, 7> loggerDays{}; // 0 = Monday ... 6 = Sunday
    std::int32_t loggerStartMin = 0;
    std::int32_t loggerEndMin = 0;
    Flag uploadArchiveFile;
    std::int8_t dialAttempts = 5;
    std::int8_t dialRetryWaitSec = 5;
    std::string pagerModemInit{strings::kDefaultModemInit};

    // The bytes of the reserved areas at their file offsets, kept so that a
    // save writes back what the file held; bytes outside those areas are unused.
    std::array<std::uint8_t, kConfigFileSize> reservedBytes{};

    bool operator==(const ConfigRecord&) const = default;
};

// Zeroes the record and sets the defaults, reserved bytes included.
void loadDefaults(ConfigRecord& record);

// Clears the six switches of automatic activity: Internet and local transfer,
// archive download, alarm and weather paging, and the logger schedule.
void disableAutomaticActivities(ConfigRecord& record);

// The "-d" switch: when an argument is "-d" or "-D", disables every automatic
// activity and returns true. Only whole arguments count, so a path such as
// "/srv/wx-data" or the option "--station-dir" does not.
bool applyCommandLineSwitch(ConfigRecord& record, const std::vector<std::string>& args);

} // namespace bv::app
