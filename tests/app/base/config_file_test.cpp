#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/base/config_file.h"
#include "config_test_image.h"
#include "support/temp_dir.h"

namespace bv::app {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

class ConfigFileTest : public ::testing::Test {
  protected:
    fs::path file() const { return dir_ / "config.dat"; }

    void writeFile(const Bytes& bytes) const
    {
        std::ofstream out(file(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    Bytes readFile() const
    {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<fs::path> entries() const
    {
        return {fs::directory_iterator(dir_), fs::directory_iterator()};
    }

    testsupport::TempDir temp_{"bv-config"};
    const fs::path& dir_ = temp_.path();
};

Bytes bytesOf(const ConfigTestImage& image)
{
    return {image.bytes.begin(), image.bytes.end()};
}

TEST_F(ConfigFileTest, MissingFileLeavesTheDefaults)
{
    ConfigRecord record;
    EXPECT_EQ(loadConfig(record, dir_), ConfigLoad::Missing);
    EXPECT_EQ(record, ConfigRecord{});
}

TEST_F(ConfigFileTest, FilesOfAnyOtherSizeAreIgnoredAndLeftUntouched)
{
    for (const std::size_t size : {std::size_t{1739}, std::size_t{1741}, std::size_t{0}}) {
        Bytes bytes = bytesOf(busyTestImage());
        bytes.resize(size, 0x5A);
        writeFile(bytes);
        ConfigRecord record;
        EXPECT_EQ(startConfig(record, dir_), ConfigLoad::WrongSize) << size;
        ConfigRecord expected;
        expected.stationDir = dir_.string();
        EXPECT_EQ(record, expected) << size;
        EXPECT_EQ(readFile(), bytes) << size;
    }
}

TEST_F(ConfigFileTest, SavingWhatWasLoadedReproducesTheFile)
{
    const Bytes original = bytesOf(busyTestImage());
    writeFile(original);
    ConfigRecord record;
    ASSERT_EQ(loadConfig(record, dir_), ConfigLoad::Loaded);
    ASSERT_FALSE(saveConfig(record, dir_));
    EXPECT_EQ(readFile(), original);
}

TEST_F(ConfigFileTest, SavedFileIsPrivateAndNoTemporaryIsLeftBehind)
{
    writeFile(bytesOf(defaultTestImage()));
    fs::permissions(file(), fs::perms(0644));
    const mode_t oldMask = ::umask(0);
    ConfigRecord record;
    record.ftpPassword = "hunter2";
    const auto error = saveConfig(record, dir_);
    ::umask(oldMask);
    ASSERT_FALSE(error) << error.message();

    struct stat status {};
    ASSERT_EQ(::stat(file().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(entries(), std::vector<fs::path>{file()});
    ConfigRecord back;
    ASSERT_EQ(loadConfig(back, dir_), ConfigLoad::Loaded);
    EXPECT_EQ(back.ftpPassword, "hunter2");
}

TEST_F(ConfigFileTest, FtpPortOf2121SurvivesTheFile)
{
    ConfigRecord record;
    record.ftpPort = 2121;
    ASSERT_FALSE(saveConfig(record, dir_));
    const Bytes bytes = readFile();
    ASSERT_EQ(bytes.size(), 1740u);
    EXPECT_EQ(bytes[100], 0x49);
    EXPECT_EQ(bytes[966], 0x49);
    EXPECT_EQ(bytes[967], 0x08);
    ConfigRecord back;
    ASSERT_EQ(loadConfig(back, dir_), ConfigLoad::Loaded);
    EXPECT_EQ(back.ftpPort, 2121);
}

TEST_F(ConfigFileTest, SaveIntoAnUnwritableDirectoryFailsAndKeepsTheOldFile)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into a read-only directory";
    }
    const Bytes original = bytesOf(busyTestImage());
    writeFile(original);
    fs::permissions(dir_, fs::perms(0500));
    ConfigRecord record;
    record.ftpHost = "changed";
    EXPECT_TRUE(saveConfig(record, dir_));
    fs::permissions(dir_, fs::perms(0700));
    EXPECT_EQ(readFile(), original);
    EXPECT_EQ(entries(), std::vector<fs::path>{file()});
}

TEST_F(ConfigFileTest, SaveUnderARegularFileFails)
{
    writeFile(bytesOf(defaultTestImage()));
    const std::error_code error = saveConfig(ConfigRecord{}, file());
    EXPECT_EQ(error, std::errc::not_a_directory);
    EXPECT_EQ(readFile(), bytesOf(defaultTestImage()));
}

TEST_F(ConfigFileTest, StartTakesTheStationDirectoryWholeWhateverTheFileHeld)
{
    writeFile(bytesOf(busyTestImage()));
    fs::path deep = dir_;
    for (int i = 0; i < 8; ++i) {
        deep /= std::string(24, static_cast<char>('a' + i));
    }
    fs::create_directories(deep);
    fs::copy_file(file(), deep / "config.dat");

    ConfigRecord record;
    ASSERT_EQ(startConfig(record, deep / "."), ConfigLoad::Loaded);
    EXPECT_EQ(record.stationDir, deep.string());
    EXPECT_GT(record.stationDir.size(), 150u);
    EXPECT_EQ(record.ftpHost, "ftp.example.net");
}

} // namespace
} // namespace bv::app
