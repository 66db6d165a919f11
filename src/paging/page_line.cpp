#include "paging/page_line.h"

#include <algorithm>

#include "paging/alarm_quantity.h"

namespace bv::paging {
namespace {

// Numeric pagers: the digits are keyed, then the modem pauses, returns to
// command mode and hangs up.
constexpr std::string_view kNumericTail = "#,,,;ATH0\r\n";
constexpr std::string_view kNumericWeatherStart = "0*";
constexpr std::string_view kNumericAlarmStart = "1*";
constexpr std::string_view kNumericStationError = "99999999";
constexpr std::string_view kAlphaWeatherStart = "0- Weather ";
constexpr std::string_view kAlphaAlarmStart = "1-Alarm ";
constexpr std::string_view kAlphaStationError = "Station Error.";
constexpr std::string_view kLineEnd = "\n";
// Telephones: dial, wait for quiet answer, pause, key the beeps, hang up.
constexpr std::string_view kDial = "ATDT";
constexpr char kQuietAnswer = '@';
constexpr char kPause = ','; // two seconds of the modem's dial pause
constexpr int kSecondsPerPause = 2;
constexpr std::string_view kAlarmBeep = ",11";
constexpr std::string_view kStationErrorBeep = ",22";
constexpr std::string_view kTelephoneTail = "#,,;ATH0\r\n";
constexpr std::string_view kPcSpeakerLine = "PC Speaker\n";

// A page line that takes whole items while they fit in front of its tail.
class PageLineBuilder {
  public:
    PageLineBuilder(std::string_view start, std::string_view tail) : tail_(tail) { append(start); }

    // Adds the item when it fits; after the first that does not, adds nothing more.
    void append(std::string_view item)
    {
        if (full_ || line_.size() + item.size() + tail_.size() > kMaxQueueLineChars) {
            full_ = true;
            return;
        }
        line_ += item;
    }

    // Numeric pagers show a minus sign as a star.
    void starForMinus() { std::replace(line_.begin(), line_.end(), '-', '*'); }

    std::string finish() { return line_ + std::string(tail_); }

  private:
    std::string_view tail_;
    std::string line_;
    bool full_ = false;
};

std::string number(int value)
{
    return std::to_string(value);
}

// An AND condition's reading: rounded for numeric pagers, truncated for
// alphanumeric ones.
int andValue(double reading, EntryKind kind)
{
    return wholePageValue(reading, kind == EntryKind::AlphaNumeric);
}

std::string andCode(const AndAlarmHit& hit, const AlarmCodes& codes, EntryKind kind)
{
    return pageCode(codes[static_cast<std::size_t>(kFirstAndAlarmCode + hit.alarm)], kind);
}

std::string numericAlarmLine(const AlarmHits& hits, const AlarmCodes& codes)
{
    PageLineBuilder line(kNumericAlarmStart, kNumericTail);
    for (const QuantityAlarmHit& hit : hits.quantities)
        line.append(pageCode(codes[static_cast<std::size_t>(hit.quantity)], EntryKind::Numeric) +
                    "*" + number(hit.value) + "*");
    for (const AndAlarmHit& hit : hits.andAlarms)
        line.append(andCode(hit, codes, EntryKind::Numeric) + " *" +
                    number(andValue(hit.readings[0], EntryKind::Numeric)) + "*" +
                    number(andValue(hit.readings[1], EntryKind::Numeric)) + "*");
    line.starForMinus();
    return line.finish();
}

std::string alphaAlarmLine(const AlarmHits& hits, const AlarmCodes& codes)
{
    PageLineBuilder line(kAlphaAlarmStart, kLineEnd);
    for (const QuantityAlarmHit& hit : hits.quantities)
        line.append(
            pageCode(codes[static_cast<std::size_t>(hit.quantity)], EntryKind::AlphaNumeric) +
            "  " + number(hit.value) + " ");
    for (const AndAlarmHit& hit : hits.andAlarms)
        line.append(andCode(hit, codes, EntryKind::AlphaNumeric) + " " +
                    number(andValue(hit.readings[0], EntryKind::AlphaNumeric)) + " " +
                    number(andValue(hit.readings[1], EntryKind::AlphaNumeric)) + " ");
    return line.finish();
}

std::string telephoneLine(const PagerEntry& entry, std::string_view beep)
{
    PageLineBuilder line(kDial, kTelephoneTail);
    line.append(entry.number);
    if (entry.usesQuietAnswer())
        line.append(std::string(1, kQuietAnswer));
    const int pauses = (entry.connectDelaySec + kSecondsPerPause - 1) / kSecondsPerPause;
    line.append(std::string(static_cast<std::size_t>(std::max(pauses, 0)), kPause));
    for (int i = 0; i < entry.beeps; ++i)
        line.append(beep);
    return line.finish();
}

} // namespace

std::optional<std::string> weatherPageLine(const PagerEntry& entry, std::span<const int> values)
{
    if (entry.kind == EntryKind::Numeric) {
        PageLineBuilder line(kNumericWeatherStart, kNumericTail);
        for (const int value : values)
            line.append(number(value) + "*");
        line.starForMinus();
        return line.finish();
    }
    if (entry.kind == EntryKind::AlphaNumeric) {
        PageLineBuilder line(kAlphaWeatherStart, kLineEnd);
        for (const int value : values)
            line.append(number(value) + " ");
        return line.finish();
    }
    return std::nullopt;
}

std::string alarmPageLine(const PagerEntry& entry, const AlarmHits& hits, const AlarmCodes& codes)
{
    switch (entry.kind) {
    case EntryKind::Numeric:
        return numericAlarmLine(hits, codes);
    case EntryKind::AlphaNumeric:
        return alphaAlarmLine(hits, codes);
    case EntryKind::Telephone:
        return telephoneLine(entry, kAlarmBeep);
    case EntryKind::PcSpeaker:
        break;
    }
    return std::string(kPcSpeakerLine);
}

std::string stationErrorPageLine(const PagerEntry& entry)
{
    switch (entry.kind) {
    case EntryKind::Numeric:
        return std::string(kNumericStationError) + std::string(kNumericTail);
    case EntryKind::AlphaNumeric:
        return std::string(kAlphaStationError) + std::string(kLineEnd);
    case EntryKind::Telephone:
        return telephoneLine(entry, kStationErrorBeep);
    case EntryKind::PcSpeaker:
        break;
    }
    return std::string(kPcSpeakerLine);
}

} // namespace bv::paging
