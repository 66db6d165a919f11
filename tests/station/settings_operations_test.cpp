#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "link_rig.h"
#include "station/archive_settings.h"
#include "station/station_time.h"

// The clock and archive operations of both engines against the simulated station.
namespace bv::station::testing {
namespace {

const StationModel& carrowIII()
{
    return *findStationModel(1);
}
const StationModel& tirrelD()
{
    return *findStationModel(4);
}
const StationModel& tirrelE()
{
    return *findStationModel(5);
}

std::vector<std::string> wordsHeard(const SimulatorRig& s)
{
    std::vector<std::string> words;
    for (const sim::ReceivedCommand& c : s.simulator.received())
        words.push_back(c.word);
    return words;
}

// The logger's next aligned archive minute: bank 1, 4 nibbles at 84 (Tirrel) or 72.
std::uint32_t alignedMinute(const SimulatorRig& s)
{
    const int address = s.descriptor.family == StationFamily::Tirrel ? 84 : 72;
    return s.simulator.station().loggerMemory().value({1, address, 4});
}

void setLoggerPeriod(SimulatorRig& s, int minutes)
{
    const int address = s.descriptor.family == StationFamily::Tirrel ? 82 : 60;
    s.simulator.station().loggerMemory().setValue({1, address, 2}, minutes);
}

TEST(StationTime, SetsTheClockAndPutsTheArchiveOnThePeriodsGrid)
{
    struct Case {
        const StationModel* model;
        StationTime time;
        int period;
        std::uint32_t aligned;
    };
    const Case cases[] = {
        {&tirrelE(), {2026, 6, 15, 14, 37}, 10, 870},
        {&tirrelD(), {2031, 12, 31, 23, 59}, 15, 1425},
        {&carrowIII(), {0, 2, 28, 0, 4}, 5, 0},
        {&carrowIII(), {0, 11, 3, 7, 5}, 60, 420},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model->name) + " " + std::to_string(c.time.hour) + ":" +
                     std::to_string(c.time.minute));
        SimulatorRig s(*c.model);
        setLoggerPeriod(s, c.period);
        ASSERT_EQ(setStationTime(*s.link, c.time), kDone);
        EXPECT_EQ(alignedMinute(s), c.aligned);

        StationTime read;
        ASSERT_EQ(readStationTime(*s.link, read), kDone);
        EXPECT_EQ(read, c.time);
        const platform::WallTime now = s.simulator.station().stationTime();
        EXPECT_EQ(now.hour * 100 + now.minute, c.time.hour * 100 + c.time.minute);
        EXPECT_EQ(wordsHeard(s).front(), "WWR"); // the date goes before "DBT"
    }
}

TEST(StationTime, TirrelYearByteGoesOutWithTheMonthAndComesBackAsAFullYear)
{
    struct Case {
        int year;
        std::uint8_t monthByte; // month in the low half, the year byte's low half above it
        std::uint8_t yearHigh;
    };
    // 2000 is year byte 100 (0x64); 2048 is 148 (0x94); 2005 is 105; 1999 is 99 (0x63).
    const Case cases[] = {
        {2000, 0x43, 0x06}, {2048, 0x43, 0x09}, {2005, 0x93, 0x06}, {1999, 0x33, 0x06}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        SimulatorRig s(tirrelE());
        const StationTime time{static_cast<std::int16_t>(c.year), 3, 9, 8, 15};
        ASSERT_EQ(setStationTime(*s.link, time), kDone);
        const std::vector<std::uint8_t> dateWrite{0x53, 158, 0x09, c.monthByte, c.yearHigh};
        EXPECT_EQ(s.simulator.received().front().args, dateWrite);
        StationTime read;
        ASSERT_EQ(readStationTime(*s.link, read), kDone);
        EXPECT_EQ(read.year, c.year);
    }
}

TEST(StationTime, RefusesWhatIsNoRealDateOrTimeAndSendsNothing)
{
    const StationTime cases[] = {
        {2026, 0, 10, 12, 0},  {2026, 13, 10, 12, 0}, {2026, 4, 31, 12, 0},
        {2027, 2, 29, 12, 0},  {2026, 6, 0, 12, 0},   {2026, 6, 10, 24, 0},
        {2026, 6, 10, 12, 60}, {2026, 6, 10, -1, 0},  {2026, 6, 10, 12, -1},
    };
    for (const StationTime& t : cases) {
        SCOPED_TRACE(std::to_string(t.month) + "/" + std::to_string(t.day) + " " +
                     std::to_string(t.hour) + ":" + std::to_string(t.minute));
        SimulatorRig s(tirrelE());
        EXPECT_EQ(setStationTime(*s.link, t), kNoAnswer);
        EXPECT_TRUE(s.simulator.received().empty());
    }
    EXPECT_TRUE(isValidStationTime({0, 2, 29, 23, 59}));
    EXPECT_TRUE(isValidStationTime({2028, 2, 29, 0, 0}));
    EXPECT_FALSE(isValidStationTime({2026, 2, 29, 23, 59}));
}

TEST(StationTime, AFailedStepFailsTheWholeAndEndsTheBracket)
{
    using W = std::vector<std::string>;
    struct Case {
        const char* title;
        int period; // in the logger
        std::optional<sim::FaultRule> fault;
        int result;
        W heard;
    };
    // Classic sends a command that is not taken once more.
    const auto twice = [](sim::FaultKind kind, const char* word) {
        return sim::FaultRule(kind).on(word).times(2);
    };
    const Case cases[] = {
        {"period 1", 1, {}, kDone, W{"WWR", "DBT", "WWR", "RRD", "EBT"}},
        {"period 0", 0, {}, kNoAnswer, W{"WWR", "DBT", "WWR", "RRD", "EBT"}},
        {"period unread", 10, twice(sim::FaultKind::Silence, "RRD"), kNoAnswer,
         W{"WWR", "DBT", "WWR", "RRD", "RRD", "EBT"}},
        {"date refused", 10, twice(sim::FaultKind::Nak, "WWR"), kNoAnswer, W{"WWR", "WWR"}},
        {"DBT refused", 10, twice(sim::FaultKind::Nak, "DBT"), kNoAnswer, W{"WWR", "DBT", "DBT"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        SimulatorRig s(carrowIII());
        setLoggerPeriod(s, c.period);
        if (c.fault)
            s.simulator.faults().add(*c.fault);
        EXPECT_EQ(setStationTime(*s.link, {0, 5, 1, 10, 10}), c.result);
        EXPECT_EQ(wordsHeard(s), c.heard);
    }
}

int recordsHeld(const SimulatorRig& s)
{
    const sim::SimulatedStation& station = s.simulator.station();
    return station.archive().recordCount(station.loggerMemory());
}

std::vector<std::uint8_t> argsOf(const SimulatorRig& s, std::size_t index)
{
    return s.simulator.received().at(index).args;
}

TEST(ArchiveSettings, ClearEmptiesTheRingInsideTheBracket)
{
    using W = std::vector<std::string>;
    struct Case {
        const StationModel* model;
        int result;
        W heard;
        std::uint8_t pointerAddress;
    };
    const Case cases[] = {
        {&tirrelD(), kOk, W{"DBT", "RWR", "SRD", "RWR", "EBT"}, 6},
        {&tirrelE(), kOk, W{"DBT", "RWR", "SRD", "RWR", "EBT"}, 6},
        // The classic models put the schedule back on the grid of their clock.
        {&carrowIII(), kDone, W{"DBT", "RWR", "SRD", "RWR", "WRD", "RRD", "RWR", "EBT"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model->name);
        SimulatorRig s(*c.model);
        ASSERT_GT(recordsHeld(s), 100);
        s.simulator.station().loggerMemory().setValue(
            {1, c.model->family == StationFamily::Tirrel ? 84 : 72, 4}, 1234);
        EXPECT_EQ(clearArchiveMemory(*s.link), c.result);
        EXPECT_EQ(recordsHeld(s), 0);
        EXPECT_EQ(wordsHeard(s), c.heard);
        EXPECT_EQ(argsOf(s, 1), (std::vector<std::uint8_t>{0x17, c.pointerAddress, 0, 0, 0, 0}));
        EXPECT_EQ(argsOf(s, 3), (std::vector<std::uint8_t>{0x00, 66, 0}));
        if (c.model->family == StationFamily::Classic) {
            EXPECT_EQ(alignedMinute(s), 540u); // 09:00 on a 10-minute grid
        }
    }
}

TEST(ArchiveSettings, AFailedClearStillEndsTheBracket)
{
    using W = std::vector<std::string>;
    struct Case {
        const char* title;
        const StationModel* model;
        int period;
        std::optional<sim::FaultRule> fault;
        W heard;
    };
    const Case cases[] = {
        {"SRD unheard", &tirrelE(), 10, sim::FaultRule(sim::FaultKind::Silence).on("SRD"),
         W{"DBT", "RWR", "SRD", "EBT"}},
        {"DBT refused", &tirrelD(), 10, sim::FaultRule(sim::FaultKind::Nak).on("DBT"), W{"DBT"}},
        {"classic period 0",
         &carrowIII(),
         0,
         {},
         W{"DBT", "RWR", "SRD", "RWR", "WRD", "RRD", "EBT"}},
        {"classic clock unread", &carrowIII(), 10,
         sim::FaultRule(sim::FaultKind::Silence).on("WRD").times(2),
         W{"DBT", "RWR", "SRD", "RWR", "WRD", "WRD", "EBT"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        SimulatorRig s(*c.model);
        setLoggerPeriod(s, c.period);
        if (c.fault)
            s.simulator.faults().add(*c.fault);
        EXPECT_EQ(clearArchiveMemory(*s.link), kNoReply);
        EXPECT_EQ(wordsHeard(s), c.heard);
    }
}

TEST(ArchiveSettings, IntervalSendsTheSamplePeriodAndTheIntervalThenClears)
{
    struct Case {
        int minutes;
        std::uint8_t sampleByte; // 256 - seconds
    };
    const Case cases[] = {{1, 253},  {5, 253},  {10, 251}, {15, 248},
                          {30, 241}, {60, 226}, {120, 196}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minutes);
        SimulatorRig s(tirrelE());
        EXPECT_EQ(setArchiveInterval(*s.link, c.minutes), kDone);
        EXPECT_EQ(argsOf(s, 0), std::vector<std::uint8_t>{c.sampleByte});
        EXPECT_EQ(argsOf(s, 1), std::vector<std::uint8_t>{static_cast<std::uint8_t>(c.minutes)});
        EXPECT_EQ(readArchivePeriod(*s.link), c.minutes);
        EXPECT_EQ(recordsHeld(s), 0);
    }
    for (int minutes : {0, 2, 20, 45, 240}) {
        SCOPED_TRACE(minutes);
        SimulatorRig s(carrowIII());
        EXPECT_EQ(setArchiveInterval(*s.link, minutes), kNoAnswer);
        EXPECT_TRUE(s.simulator.received().empty());
    }
    SimulatorRig refused(tirrelD());
    refused.simulator.faults().add(sim::FaultRule(sim::FaultKind::Nak).on("SAP"));
    EXPECT_EQ(setArchiveInterval(*refused.link, 30), kNoAnswer);
    EXPECT_EQ(wordsHeard(refused), (std::vector<std::string>{"SSP", "SAP"}));
}

TEST(ArchiveSettings, PeriodAndHighWindReset)
{
    for (const StationModel* model : {&carrowIII(), &tirrelE()}) {
        SCOPED_TRACE(model->name);
        SimulatorRig s(*model);
        EXPECT_EQ(readArchivePeriod(*s.link), 10);
        EXPECT_EQ(resetHighWindSpeed(*s.link), kDone);
        const std::uint8_t address = model->family == StationFamily::Tirrel ? 98 : 96;
        EXPECT_EQ(argsOf(s, 1), (std::vector<std::uint8_t>{0x21, address, 0}));
        EXPECT_EQ(s.simulator.station().stationMemory().value({0, address, 2}), 0u);

        s.simulator.faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
        EXPECT_EQ(readArchivePeriod(*s.link), kNoAnswer);
        EXPECT_EQ(resetHighWindSpeed(*s.link), kNoAnswer);
    }
}

} // namespace
} // namespace bv::station::testing
