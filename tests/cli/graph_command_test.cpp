#include <gtest/gtest.h>

#include <filesystem>

#include "archive_file.h"
#include "run_viraraz.h"
#include "support/temp_dir.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;
using images::test::writeArchive;

class VirarazGraph : public ::testing::Test {
  protected:
    RunResult run(const std::vector<std::string>& args) const
    {
        return runViraraz(args, dir_.string());
    }

    testsupport::TempDir temp_{"bv-viraraz"};
    const fs::path& dir_ = temp_.path();
};

TEST_F(VirarazGraph, TooFewRecordsAreNotEnoughData)
{
    const std::vector<std::string> records = images::test::dayOfRecords();
    const struct {
        std::size_t records;
        std::string graph;
        std::string file;
    } cases[] = {{0, "1", "outtempg.gif"}, {1, "1", "outtempg.gif"}, {2, "10", "windrung.gif"}};
    for (const auto& c : cases) {
        writeArchive(dir_, {records.begin(), records.begin() + static_cast<long>(c.records)});
        const RunResult result = run({"graph", c.graph});
        EXPECT_EQ(result.exitStatus, 1) << c.records;
        EXPECT_EQ(result.err, "viraraz: Not enough data to create the image  " + c.file + "\n");
        EXPECT_FALSE(fs::exists(dir_ / "Images" / c.file));
    }
}

TEST_F(VirarazGraph, AFullArchiveGivesEveryGraph)
{
    writeArchive(dir_, images::test::fullArchive());
    const RunResult result = run({"graph", "all"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const char* files[] = {"intempg.gif",    "outtempg.gif",   "inhumg.gif",  "outhumg.gif",
                           "baromg.gif",     "windspeedg.gif", "raing.gif",   "dewPtg.gif",
                           "windchillg.gif", "winddirg.gif",   "windrung.gif"};
    std::string expected;
    for (const char* file : files) {
        expected += (dir_ / "Images" / file).string() + "\n";
        EXPECT_GT(fs::file_size(dir_ / "Images" / file), 0u) << file;
    }
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(run({"graph", "11"}).exitStatus, 2);
}

} // namespace
} // namespace bv::cli::test
