#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/download_command.h"
#include "command_rig.h"
#include "run_viraraz.h"
#include "simulator_process.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;

constexpr platform::WallTime kStart{2026, 6, 15, 9, 0, 0, 0, 1};

std::string readText(const fs::path& path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t lineCount(const fs::path& path)
{
    const std::string text = readText(path);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// viraraz download in process: a station directory with config.dat and a
// Download folder, the simulated station on an in-memory wire, virtual time.
class DownloadCommand : public CommandRig {
  protected:
    DownloadCommand() : CommandRig("bv-download", kStart) {}

    void useStation(int modelCode, int historyHours)
    {
        sim::StationConfig station = stationOf(modelCode, kStart);
        station.historyHours = historyHours;
        CommandRig::useStation(station);
        fs::create_directory(dir.path() / "Download");
    }

    int download(std::vector<std::string> args = {})
    {
        return runCommand(downloadStationArchive, std::move(args));
    }

    int heard(std::string_view word) const
    {
        int n = 0;
        for (const auto& c : simulator->received())
            n += c.word == word ? 1 : 0;
        return n;
    }

    fs::path file() const { return dir.path() / "Download" / "download.txt"; }
};

TEST_F(DownloadCommand, AppendsTheNewRecordsAndSaysHowMany)
{
    useStation(5, 12);
    ASSERT_EQ(download(), kExitOk) << err.str();
    EXPECT_EQ(err.str(), "viraraz: Transferred 24 records from Archive.\n");
    EXPECT_EQ(out.str(), file().string() + ": 24 new lines\n");
    EXPECT_EQ(lineCount(file()), 2u + 24u);
    EXPECT_NE(readText(dir.path() / "event.log").find("Transferred 24 records from Archive."),
              std::string::npos);

    time.advance(60 * 60 * 1000);
    ASSERT_EQ(download({"--append"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), file().string() + ": 2 new lines\n");
    EXPECT_EQ(lineCount(file()), 2u + 26u);
    ASSERT_EQ(download({"--replace"}), kExitOk) << err.str();
    EXPECT_EQ(lineCount(file()), 2u + 26u);
    EXPECT_EQ(heard("DBT"), 0) << "nothing cleared unless asked";
}

TEST_F(DownloadCommand, ClearsOnlyWhatIsSafelyWritten)
{
    useStation(1, 6);
    fs::remove(dir.path() / "Download");
    EXPECT_EQ(download({"--clear"}), kExitFailure);
    EXPECT_EQ(err.str(), "viraraz: Error writing to Database.\n");
    EXPECT_EQ(heard("DBT"), 0) << "the station keeps the only copy";

    fs::create_directory(dir.path() / "Download");
    config.clearArchiveAfterDownload = true;
    ASSERT_EQ(download(), kExitOk) << err.str();
    EXPECT_EQ(heard("DBT"), 1);
    EXPECT_EQ(lineCount(file()), 2u + 12u);
    EXPECT_EQ(download(), kExitOk);
    EXPECT_EQ(err.str(), "viraraz: Download cancelled. Archive memory is empty.\n");
    EXPECT_EQ(heard("DMP"), 2) << "none for the empty archive";
}

TEST_F(DownloadCommand, OptionsAndAStationThatDoesNotAnswer)
{
    useStation(3, 2);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--append", "--replace"}, {"--clear", "--clear"}, {"--fast"}, {"--trace"}})
        EXPECT_EQ(download(args), kExitUsage);
    simulator->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    EXPECT_EQ(download(), kExitFailure);
    EXPECT_EQ(err.str(), "viraraz: Station Communication Error. Check station settings.\n");
    EXPECT_FALSE(fs::exists(file()));
}

TEST(DownloadProgram, DownloadsFromTheSimulatorOnAPseudoTerminal)
{
    const testsupport::TempDir dir("bv-download");
    fs::create_directory(dir.path() / "Download");
    Simulator simulator(dir.path(), {"--model", "Lunett", "--history-hours", "6"});
    ASSERT_TRUE(simulator.started());
    ASSERT_TRUE(Simulator::awaitLink(dir.path() / "ports" / "COM1"));
    ASSERT_EQ(
        runViraraz({"config", "set", "stationModel", "Lunett"}, dir.path().string()).exitStatus, 0);
    const RunResult run = runViraraz({"download", "--replace"}, dir.path().string());
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "viraraz: Transferred 12 records from Archive.\n");
    EXPECT_EQ(lineCount(dir.path() / "Download" / "download.txt"), 2u + 12u);
}

} // namespace
} // namespace bv::cli::test
