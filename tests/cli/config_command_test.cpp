#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "run_viraraz.h"
#include "support/temp_dir.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;

using Bytes = std::string;

class VirarazConfig : public ::testing::Test {
  protected:
    RunResult run(const std::vector<std::string>& args) const
    {
        return runViraraz(args, dir_.string());
    }
    Bytes configBytes() const
    {
        std::ifstream in(dir_ / "config.dat", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    testsupport::TempDir temp_{"bv-viraraz"};
    const fs::path& dir_ = temp_.path();
};

TEST_F(VirarazConfig, SetFtpPort2121CreatesAPrivateFileThatReadsBack2121)
{
    const RunResult set = run({"config", "set", "ftpPort", "2121"});
    ASSERT_EQ(set.exitStatus, 0) << set.err;

    const Bytes bytes = configBytes();
    ASSERT_EQ(bytes.size(), 1740u);
    EXPECT_EQ(bytes[100], 73);
    EXPECT_EQ(bytes[966], 0x49);
    EXPECT_EQ(bytes[967], 0x08);
    struct stat status {};
    ASSERT_EQ(::stat((dir_ / "config.dat").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    const RunResult get = run({"config", "get", "ftpPort"});
    EXPECT_EQ(get.exitStatus, 0);
    EXPECT_EQ(get.out, "2121\n");
}

TEST_F(VirarazConfig, BadNamesAndValuesAreRefusedAndTheFileIsLeftAlone)
{
    ASSERT_EQ(run({"config", "set", "ftpHost", "ftp.example.net"}).exitStatus, 0);
    const Bytes before = configBytes();
    const std::vector<std::string> refused[] = {
        {"config", "set", "nosuch", "1"},
        {"config", "set", "ftpPort", "70000"},
        {"config", "set", "ftpPort", "twenty"},
        {"config", "set", "stationBaud", "9600"},
        {"config", "set", "ftpHost", std::string(100, 'h')},
        {"config", "set", "stationDir", "/tmp"},
        {"config", "set", "alarmLimits", "1,2,3"},
        {"config", "set", "ftpPort"},
        {"config", "get", "nosuch"},
        {"config", "frobnicate"},
        {"config"},
    };
    for (const auto& args : refused) {
        const RunResult result = run(args);
        EXPECT_NE(result.exitStatus, 0) << args.back();
        EXPECT_TRUE(result.err.starts_with("viraraz: ") || result.err.starts_with("usage: "))
            << result.err;
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_EQ(configBytes(), before) << args.back();
    }
}

TEST_F(VirarazConfig, RefusalSaysWhatTheFieldTakes)
{
    const RunResult result = run({"config", "set", "stationModel", "7"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "viraraz: stationModel must be one of 0 (Ostrel II), 1 (Carrow III), "
                          "2 (Carrow II), 3 (Lunett), 4 (Tirrel D), 5 (Tirrel E)\n");
}

TEST_F(VirarazConfig, WithoutAFileShowListsTheDefaultsAndCreatesNothing)
{
    const RunResult result = run({"config", "show"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(result.out.find("\nftpPort                   = 21\n"), std::string::npos);
    EXPECT_NE(result.out.find("\nstationModel              = 0 (Ostrel II)\n"), std::string::npos);
    EXPECT_NE(result.out.find("\nstationDir                = " + dir_.string() + "\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "config.dat"));
}

TEST_F(VirarazConfig, ShowMasksPasswordsThatGetReveals)
{
    ASSERT_EQ(run({"config", "set", "ftpPassword", "hunter2"}).exitStatus, 0);
    for (const char* format : {"", "--json"}) {
        std::vector<std::string> args{"config", "show"};
        if (*format != '\0') {
            args.emplace_back(format);
        }
        const RunResult shown = run(args);
        EXPECT_EQ(shown.out.find("hunter2"), std::string::npos) << format;
        EXPECT_NE(shown.out.find("********"), std::string::npos) << format;
    }
    EXPECT_EQ(run({"config", "get", "ftpPassword"}).out, "hunter2\n");
}

TEST_F(VirarazConfig, JsonListsEveryFieldWithArraysAndQuotedTexts)
{
    ASSERT_EQ(run({"config", "set", "loggerCommand", "/opt/darnex4 --say \"hi\""}).exitStatus, 0);
    ASSERT_EQ(run({"config", "set", "alarmLimits[1]", "98.5"}).exitStatus, 0);
    const RunResult result = run({"config", "show", "--json"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("{\n  \"ftpHost\": \"\",\n  \"ftpPort\": 21,\n"));
    EXPECT_TRUE(result.out.ends_with("  \"pagerModemInit\": \"AT &F0 E &M Q V1 X4 S7=60\"\n}\n"));
    EXPECT_NE(result.out.find("\"loggerCommand\": \"/opt/darnex4 --say \\\"hi\\\"\","),
              std::string::npos);
    EXPECT_NE(result.out.find("\"alarmLimits\": [-100, 98.5, -100,"), std::string::npos);
    EXPECT_NE(result.out.find("\"transferRange.days\": [1, 1, 1, 1, 1, 1, 1],"), std::string::npos);
}

TEST_F(VirarazConfig, AFileOfTheWrongSizeIsShownAsDefaultsAndNeverOverwritten)
{
    const Bytes wrong(1741, '\x01');
    std::ofstream(dir_ / "config.dat", std::ios::binary) << wrong;

    const RunResult shown = run({"config", "get", "transferIntervalSec"});
    EXPECT_EQ(shown.exitStatus, 0);
    EXPECT_EQ(shown.out, "3600\n");
    EXPECT_NE(shown.err.find("showing the defaults"), std::string::npos);
    const RunResult set = run({"config", "set", "transferIntervalSec", "600"});
    EXPECT_EQ(set.exitStatus, 1);
    EXPECT_NE(set.err.find("is not a settings file of 1740 bytes"), std::string::npos);
    EXPECT_EQ(configBytes(), wrong);
}

TEST_F(VirarazConfig, StationDirOptionWorksOnEitherSideOfTheSubcommand)
{
    const fs::path station = dir_ / "station";
    fs::create_directory(station);
    const RunResult set =
        run({"--station-dir", station.string(), "config", "set", "tempUnit", "°C"});
    ASSERT_EQ(set.exitStatus, 0) << set.err;
    EXPECT_TRUE(fs::exists(station / "config.dat"));
    EXPECT_FALSE(fs::exists(dir_ / "config.dat"));
    EXPECT_EQ(run({"config", "get", "tempUnit", "--station-dir=station"}).out, "1\n");

    const RunResult missing = run({"--station-dir", "absent", "config", "show"});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_NE(missing.err.find("is not a directory"), std::string::npos);
    EXPECT_EQ(run({"nosuch"}).exitStatus, 2);
    EXPECT_EQ(run({"--station-dir"}).exitStatus, 2);
}

} // namespace
} // namespace bv::cli::test
