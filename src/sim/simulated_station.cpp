#include "sim/simulated_station.h"

#include <algorithm>
#include <cmath>

#include "sim/local_time.h"

namespace bv::sim {

namespace {

constexpr std::int64_t kSampleMs = 10 * kMsPerSecond;
constexpr std::int64_t kTrendSpanMs = 3 * kMsPerHour;
constexpr int kTrendThreshold = 20; // thousandths of inHg over the span
constexpr int kTrendSteady = 0x1;
constexpr int kTrendRising = 0x2;
constexpr int kTrendFalling = 0x4;
constexpr double kJoulesPerSquareMetreLangley = 41840.0;
constexpr double kTenths = 10.0;
constexpr double kMsPerHourF = static_cast<double>(kMsPerHour);

MissingSensors missingWithProbe(const StationConfig& config)
{
    MissingSensors missing = config.missing;
    const bool tirrel = config.model.family == Family::Tirrel;
    // Only the Tirrel family has a probe socket, for soil temperature or for
    // leaf wetness.
    if (!tirrel || config.leafProbe)
        missing.set(static_cast<std::size_t>(Reading::SoilTemp));
    if (!tirrel || !config.leafProbe)
        missing.set(static_cast<std::size_t>(Reading::LeafWetness));
    return missing;
}

} // namespace

SimulatedStation::SimulatedStation(const StationConfig& config)
    : config_(config), family_(makeStationFamily(config.model.family)), weather_(config.weather),
      clock_(family_->clockLayout()),
      archive_(family_->recordSize(), family_->ringRecords(), family_->loggerLayout()),
      missing_(missingWithProbe(config)), startMs_(localMsFromWallTime(config.start)),
      trueMs_(startMs_ - config.historyHours * kMsPerHour)
{
    family_->initializeMemory(station_, config.model.modelNumber, config.leafProbe);
    const LoggerLayout& logger = archive_.logger();
    const int period = std::max(1, config.archivePeriodMin);
    logger_.setValue(logger.archivePeriod, period);
    const platform::WallTime first = clock_.stationTime(trueMs_);
    logger_.setValue(logger.lastArchiveMinute, (first.hour * 60 + first.minute) / period * period);

    sample_ = quantizeWeather(weather_.at(trueMs_), family_->tipsPerInch(station_), missing_);
    stationDay_ = dayNumber(clock_.stationMs(trueMs_));
    startDay(first);
    publish();
    advanceTo(0);
}

void SimulatedStation::advanceTo(std::int64_t lineMs)
{
    const std::int64_t target = startMs_ + lineMs;
    while (trueMs_ < target)
        step(std::min(trueMs_ + kSampleMs, target));
}

void SimulatedStation::step(std::int64_t toMs)
{
    const std::int64_t dt = toMs - trueMs_;
    trueMs_ = toMs;
    const Weather w = weather_.at(toMs);
    const int tipsPerInch = family_->tipsPerInch(station_);
    sample_ = quantizeWeather(w, tipsPerInch, missing_);
    ++sampleCount_;

    const platform::WallTime now = clock_.stationTime(toMs);
    const std::int64_t day = dayNumber(clock_.stationMs(toMs));
    if (day != stationDay_) {
        stationDay_ = day;
        startDay(now);
    }

    const double hours = static_cast<double>(dt) / kMsPerHourF;
    rainTipCarry_ += w.rainInPerHour * hours * tipsPerInch;
    Amounts step;
    step.rainTips = static_cast<int>(std::floor(rainTipCarry_));
    rainTipCarry_ -= step.rainTips;
    step.windRunMiles = w.windMph * hours;
    step.etInches = w.etInPerHour * hours;
    step.solarLangleys =
        w.solarWm2 * static_cast<double>(dt) / kMsPerSecond / kJoulesPerSquareMetreLangley;
    if (const auto limits = family_->degreeDayLimits(station_)) {
        const double t = std::min(w.outsideTempF, limits->ceilingTenthsF / kTenths);
        step.degreeDays = std::max(0.0, t - limits->baseTenthsF / kTenths) * hours / 24.0;
    }
    totals_.add(step, dt);
    totals_.period.add(sample_);
    updateExtremes(station_, family_->extremeSlots(), sample_, now);
    publish();
    archiveIfDue(now);
}

void SimulatedStation::startDay(const platform::WallTime& at)
{
    totals_.daily = {};
    resetExtremes(station_, family_->extremeSlots(), sample_, at);
}

void SimulatedStation::archiveIfDue(const platform::WallTime& at)
{
    const LoggerLayout& logger = archive_.logger();
    const auto period = static_cast<int>(logger_.value(logger.archivePeriod));
    if (period == 0)
        return;
    const int minute = at.hour * 60 + at.minute;
    const auto last = static_cast<int>(logger_.value(logger.lastArchiveMinute)) % kMinutesPerDay;
    const int elapsed = (minute - last + kMinutesPerDay) % kMinutesPerDay;
    if (elapsed < period)
        return;
    const int stampMinute = (last + elapsed / period * period) % kMinutesPerDay;
    platform::WallTime stamp = at;
    stamp.hour = stampMinute / 60;
    stamp.minute = stampMinute % 60;
    // Archive times that fall between "DBT" and "EBT" pass without a record.
    if (!archivingPaused_)
        archive_.append(logger_, family_->archiveRecord(totals_.period, stamp, config_.leafProbe));
    logger_.setValue(logger.lastArchiveMinute, stampMinute);
    totals_.period = {};
}

void SimulatedStation::publish()
{
    clock_.writeTo(station_, trueMs_);
    family_->writeReadings(station_, snapshot(sample_));
}

int SimulatedStation::barometerTrend() const
{
    if (sample_.missing(Reading::Barometer))
        return 0;
    const double before = weather_.at(trueMs_ - kTrendSpanMs).barometerInHg;
    const int change = sample_[Reading::Barometer] - static_cast<int>(std::lround(before * 1000.0));
    if (change > kTrendThreshold)
        return kTrendRising;
    if (change < -kTrendThreshold)
        return kTrendFalling;
    return kTrendSteady;
}

StationSnapshot SimulatedStation::snapshot(const RawSample& sample) const
{
    StationSnapshot s;
    s.sample = sample;
    s.totals = &totals_;
    s.trendBits = barometerTrend();
    s.sampleCount = sampleCount_;
    s.archivePointer = static_cast<int>(logger_.value(archive_.logger().newRecordPointer));
    s.leafProbe = config_.leafProbe;
    return s;
}

std::vector<std::uint8_t> SimulatedStation::loopPacket() const
{
    return family_->loopPacket(snapshot(sample_));
}

std::vector<std::uint8_t> SimulatedStation::loopPacketAt(std::int64_t lineMs) const
{
    const RawSample later =
        quantizeWeather(weather_.at(startMs_ + lineMs), family_->tipsPerInch(station_), missing_);
    return family_->loopPacket(snapshot(later));
}

void SimulatedStation::afterStationWrite(int bank, int address, int nibbles)
{
    if (!clock_.touches(bank, address, nibbles))
        return;
    clock_.adoptFrom(station_, trueMs_);
    clock_.writeTo(station_, trueMs_);
    const std::int64_t day = dayNumber(clock_.stationMs(trueMs_));
    if (day != stationDay_) {
        stationDay_ = day;
        startDay(clock_.stationTime(trueMs_));
    }
}

} // namespace bv::sim
