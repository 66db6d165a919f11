#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/base/dialog_host.h"
#include "sim/memory_map.h"
#include "sim/station_simulator.h"
#include "station/archive_downloader.h"
#include "station/block_pacer.h"
#include "station/classic_link.h"
#include "station/download_dialog.h"
#include "station/serial_port.h"
#include "station/tirrel_link.h"
#include "support/fake_dialog_view.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::station::testing {
namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kEsc = 0x1B;
const platform::WallTime kStart{2026, 6, 15, 9, 0, 0, 0, 1};

// A download over an open link to the simulated station, on virtual time.
struct DownloadRig {
    DownloadRig(std::string_view model, int historyHours, int periodMin = 30)
        : simulator(config(model, historyHours, periodMin)), time(kStart), wire(time, simulator)
    {
        std::filesystem::create_directory(dir.path() / "Download");
        request.file = dir.path() / "Download" / "download.txt";
        const bool tirrel = simulator.station().model().family == sim::Family::Tirrel;
        if (tirrel) {
            tirrelPort.open(1, 2400, simulator.station().model().name == "Tirrel D" ? 'D' : 'E');
            link = &tirrelLink;
        } else {
            classicPort.open(1, 2400);
            link = &classicLink;
        }
        units.family = tirrel ? units::StationFamily::Tirrel : units::StationFamily::Classic;
    }

    static sim::StationConfig config(std::string_view model, int historyHours, int periodMin)
    {
        sim::StationConfig c;
        c.model = *sim::findSimulatedModel(model);
        c.start = kStart;
        c.historyHours = historyHours;
        c.archivePeriodMin = periodMin;
        return c;
    }

    DownloadReport download()
    {
        DownloadServices run{
            [this](ArchiveTransfer& t) {
                const auto state = runTransfer(time, t, {});
                progress = t.progressText();
                return state;
            },
            [this](StationLink&) {
                ++clears;
                return clearResult;
            },
            time, StationMessages{{}, [this](const std::string& line) { log.push_back(line); }}};
        return downloadOverLink(*link, units, request, run);
    }

    std::vector<std::string> fileLines() const
    {
        std::ifstream in(request.file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    int commandsHeard(std::string_view word) const
    {
        int n = 0;
        for (const auto& c : simulator.received())
            n += c.word == word ? 1 : 0;
        return n;
    }
    // How often the program answered a block with this byte: what it wrote
    // after the "C" that follows "DMP".
    long dumpReplies(std::uint8_t byte) const
    {
        const std::string text = wire.writtenText();
        const std::size_t dump = text.find("DMP\r");
        if (dump == std::string::npos)
            return 0;
        const std::size_t go = text.find('C', dump);
        return std::count(text.begin() + static_cast<std::ptrdiff_t>(go) + 1, text.end(),
                          static_cast<char>(byte));
    }

    sim::StationSimulator simulator;
    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    testsupport::MemoryWire wire;
    testsupport::TempDir dir;
    PortServices services{time, time, ui, wire.factory(),
                          [](int port) { return "COM" + std::to_string(port); }};
    TirrelPort tirrelPort{services};
    ClassicPort classicPort{services};
    TirrelLink tirrelLink{tirrelPort};
    ClassicLink classicLink{classicPort};
    StationLink* link = nullptr;
    ConditionsUnits units;
    DownloadRequest request;
    int clears = 0;
    int clearResult = 1;
    std::vector<std::string> log;
    std::string progress;
};

// Stamps of the record lines, which must rise strictly, one period apart.
void expectConsecutiveMinutes(const std::vector<std::string>& lines, std::size_t records)
{
    ASSERT_EQ(lines.size(), records + 2);
    units::DateTime previous;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        std::istringstream fields(lines[i]);
        std::string date, time;
        std::getline(fields, date, '\t');
        std::getline(fields, time, '\t');
        units::DateTime stamp;
        ASSERT_EQ(stamp.parseDate(date, {}), 0) << lines[i];
        ASSERT_EQ(stamp.parseTime(time, {}), 0) << lines[i];
        if (i > 2) {
            const int minutes =
                stamp.daysBetween(previous) * 1440 + stamp.minutesOfDay - previous.minutesOfDay;
            ASSERT_EQ(minutes, 1) << lines[i - 1] << " then " << lines[i];
        }
        previous = stamp;
    }
}

TEST(ArchiveDownload, AWrappedRingOfEitherFamilyComesWholeInAllBlocks)
{
    for (const auto& [model, ring] : {std::pair{"Tirrel D", 1015}, std::pair{"Lunett", 1560}}) {
        DownloadRig rig(model, 30, 1);
        // A record logged during the dump would take the oldest one's place.
        rig.simulator.station().setArchivingPaused(true);
        const DownloadReport report = rig.download();
        EXPECT_EQ(report.outcome, DownloadOutcome::Transferred) << model;
        EXPECT_EQ(report.records, ring);
        EXPECT_EQ(rig.dumpReplies(kAck), 256) << "one acknowledgement a block";
        EXPECT_EQ(rig.dumpReplies(kEsc), 0) << "the station ends a full dump itself";
        EXPECT_EQ(downloadMessage(report),
                  "Transferred " + std::to_string(ring) + " records from Archive.");
        expectConsecutiveMinutes(rig.fileLines(), static_cast<std::size_t>(ring));
    }
}

TEST(ArchiveDownload, SpoiltBlocksAreAskedForAgainAndStoredOnce)
{
    using sim::FaultKind;
    struct Case {
        FaultKind fault;
        std::string error;
        long naks; // a repeated block is acknowledged
    };
    for (const Case& c : {Case{FaultKind::CorruptCrc, "CRC Error", 1},
                          Case{FaultKind::RepeatBlock, "Block Number Error", 0},
                          Case{FaultKind::CutBlock, "Incomplete Block Error", 1},
                          Case{FaultKind::BadBlockHeader, "Start of Header Error", 1},
                          Case{FaultKind::BadBlockNumber, "Block Number Error", 1}}) {
        DownloadRig rig("Tirrel E", 24);
        rig.simulator.faults().add(sim::FaultRule(c.fault).on("BLOCK"));
        const DownloadReport report = rig.download();
        ASSERT_EQ(report.outcome, DownloadOutcome::Transferred) << rig.progress;
        EXPECT_EQ(report.records, 48);
        EXPECT_EQ(report.linesWritten, 48) << "each record once";
        EXPECT_EQ(rig.dumpReplies(kNak), c.naks) << c.error;
        EXPECT_EQ(rig.progress, "Transferred  48 of 48.  1 Errors: " + c.error + ".");
        EXPECT_EQ(rig.dumpReplies(kEsc), 1) << "12 of 256 blocks: the station is stopped";
    }
}

TEST(ArchiveDownload, TheTwentyFirstErrorEndsTheDumpWithoutAFile)
{
    for (const int spoilt : {20, 21}) {
        DownloadRig rig("Carrow III", 6);
        rig.simulator.faults().add(
            sim::FaultRule(sim::FaultKind::CorruptCrc).on("BLOCK").times(spoilt));
        const DownloadReport report = rig.download();
        if (spoilt == 20) {
            EXPECT_EQ(report.outcome, DownloadOutcome::Transferred);
            continue;
        }
        EXPECT_EQ(report.outcome, DownloadOutcome::Abandoned);
        EXPECT_EQ(downloadMessage(report), "Transferred 0 records from Archive.");
        EXPECT_EQ(rig.log, std::vector<std::string>{
                               "Download Canceled Because There Were Too Many Errors."});
        EXPECT_EQ(rig.wire.written().back(), kEsc);
        EXPECT_FALSE(std::filesystem::exists(rig.request.file));
        EXPECT_EQ(rig.clears, 0);
    }
}

TEST(ArchiveDownload, ALineThatGoesDeadEndsTheDump)
{
    struct Case {
        sim::FaultKind fault;
        std::string logged;
    };
    for (const Case& c :
         {Case{sim::FaultKind::Silence, "Download Timed Out."},
          Case{sim::FaultKind::HangUp, "Download Canceled Because There Were Too Many Errors."}}) {
        DownloadRig rig("Tirrel E", 24);
        rig.simulator.faults().add(sim::FaultRule(c.fault).on("BLOCK"));
        const std::int64_t before = rig.time.monotonicMs();
        EXPECT_EQ(rig.download().outcome, DownloadOutcome::Abandoned);
        EXPECT_EQ(rig.log, std::vector<std::string>{c.logged});
        EXPECT_FALSE(std::filesystem::exists(rig.request.file));
        EXPECT_LT(rig.time.monotonicMs() - before, 60'000) << "no endless retries";
        if (c.fault == sim::FaultKind::HangUp) {
            EXPECT_NE(rig.progress.find("21 Errors: Read Error."), std::string::npos)
                << rig.progress;
        }
    }
}

TEST(ArchiveDownload, ANoisyPointerIsNoAnswerAndAsksForNoDump)
{
    for (const auto& [model, pointer, size] :
         {std::tuple{"Tirrel E", sim::tirrel_map::kNewRecordPointer, 32 * 1015},
          std::tuple{"Ostrel II", sim::classic_map::kNewRecordPointer, 21 * 1560}}) {
        DownloadRig rig(model, 2);
        rig.simulator.station().loggerMemory().setValue(pointer, static_cast<std::uint32_t>(size));
        const DownloadReport report = rig.download();
        EXPECT_EQ(report.outcome, DownloadOutcome::NoAnswer) << model;
        EXPECT_EQ(downloadMessage(report), "Station Communication Error. Check station settings.");
        EXPECT_EQ(rig.commandsHeard("DMP"), 0) << model;
    }
}

TEST(ArchiveDownload, AClearThatFailsIsLoggedAndTheFileKept)
{
    DownloadRig rig("Carrow II", 4);
    rig.request.clearAfter = true;
    rig.clearResult = -1;
    const DownloadReport report = rig.download();
    EXPECT_EQ(report.outcome, DownloadOutcome::ClearFailed);
    EXPECT_EQ(rig.clears, 1);
    EXPECT_EQ(rig.log, std::vector<std::string>{"Error clearing Archive Memory."});
    EXPECT_EQ(rig.fileLines().size(), 8u + 2u);
}

TEST(ArchiveBlocks, BlockNumbersCountModulo256)
{
    struct Case {
        std::uint8_t start, number, complement;
        int received;
        BlockVerdict verdict;
    };
    for (const Case c :
         {Case{1, 1, 0xFE, 0, BlockVerdict::Good}, Case{1, 0, 0xFF, 255, BlockVerdict::Good},
          Case{1, 255, 0x00, 255, BlockVerdict::Repeat},
          Case{1, 255, 0x00, 0, BlockVerdict::BadNumber},
          Case{1, 0, 0xFF, 0, BlockVerdict::BadNumber}, Case{1, 7, 0xF8, 7, BlockVerdict::Repeat},
          Case{1, 9, 0xF6, 7, BlockVerdict::BadNumber},
          Case{1, 8, 0xF6, 7, BlockVerdict::BadNumber},
          Case{2, 8, 0xF7, 7, BlockVerdict::BadHeader}}) {
        std::vector<std::uint8_t> frame(133, 0); // zero data with a zero CRC
        frame[0] = c.start;
        frame[1] = c.number;
        frame[2] = c.complement;
        EXPECT_EQ(checkBlock(frame, c.received), c.verdict) << int{c.number} << " " << c.received;
    }
    std::vector<std::uint8_t> spoilt(133, 0);
    spoilt[0] = 1;
    spoilt[1] = 1;
    spoilt[2] = 0xFE;
    spoilt[50] = 1;
    EXPECT_EQ(checkBlock(spoilt, 0), BlockVerdict::BadCrc);
}

TEST(ArchiveDownload, TheProgressDialogShowsEachBlockAndCancelStopsTheStation)
{
    DownloadRig rig("Tirrel E", 24);
    app::DialogHost host(rig.ui);
    std::vector<std::string> texts;
    rig.wire.setLineRate(true); // a block takes half a second to come
    rig.ui.onDialog("DOWNLOAD", [&](testsupport::FakeDialogView& v) {
        EXPECT_EQ(v.caption(), "Downloading Data ");
        texts.push_back(v.text(download_dialog::kProgressText));
        for (int tick = 0; tick < 6; ++tick)
            v.fireTimer(download_dialog::kTimer);
        texts.push_back(v.text(download_dialog::kProgressText));
        EXPECT_EQ(v.value(download_dialog::kProgressBar), 167) << "2 of 12 blocks, in thousandths";
        // Cancel while the third block is on the line.
        rig.time.post([&v] { v.click(platform::IdCancel); });
        for (int tick = 0; tick < 3; ++tick)
            v.fireTimer(download_dialog::kTimer);
    });
    const DownloadPreparation prepared = prepareDownload(*rig.link, rig.units);
    ArchiveTransfer transfer(*rig.link, rig.link->model(), prepared.plan);
    DownloadDialog dialog(transfer, false);
    EXPECT_EQ(host.runModal(dialog), platform::IdCancel);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Transferred   0 of 48.", "Transferred   8 of 48."}));
    EXPECT_EQ(rig.wire.written().back(), kEsc) << "the block that came is not answered";
    EXPECT_EQ(transfer.state(), ArchiveTransfer::State::Cancelled);
    EXPECT_EQ(transfer.blocksReceived(), 2);
}

} // namespace
} // namespace bv::station::testing
