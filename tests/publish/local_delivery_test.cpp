#include "publish/local_delivery.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "delivery_rig.h"
#include "support/virtual_time.h"

namespace bv::publishtest {
namespace {

namespace fs = std::filesystem;
using publish::DeliveryResult;
using publish::kLocalEntry;
using publish::MakeDirectoryResult;

TEST(LocalDestination, AddsTheSeparatorOnlyWhenMissingAndRefusesAnEmptyOrRelativeDirectory)
{
    struct Case {
        std::string directory;
        std::string expected;
    };
    const Case cases[] = {
        {"/srv/www/", "/srv/www/barom.gif"},
        {"/srv/www", "/srv/www/barom.gif"},
        {"", ""}, // not "/barom.gif"
        {"www/", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(publish::localDestination(c.directory, "barom.gif"), c.expected) << c.directory;
}

TEST(MakeDirectoryPath, CreatesEveryMissingLevelAndRefusesRelativePaths)
{
    testsupport::TempDir dir;
    const fs::path deeper = dir.path() / "new" / "deeper";
    EXPECT_EQ(publish::makeDirectoryPath(deeper.string() + "/"), MakeDirectoryResult::Done);
    EXPECT_TRUE(fs::is_directory(deeper));
    EXPECT_EQ(publish::makeDirectoryPath(deeper.string()), MakeDirectoryResult::Done);
    EXPECT_EQ(publish::makeDirectoryPath(""), MakeDirectoryResult::NotAbsolute);
    EXPECT_EQ(publish::makeDirectoryPath("www/new"), MakeDirectoryResult::NotAbsolute);
    std::ofstream(dir.path() / "file") << "x";
    EXPECT_EQ(publish::makeDirectoryPath((dir.path() / "file" / "sub").string()),
              MakeDirectoryResult::Failed);
}

class LocalDelivery : public testing::Test {
  protected:
    LocalDelivery() : rig(time, time)
    {
        rig.config.localTransferEnabled = true;
        rig.config.localTransferPath = (target.path() / "www" / "new").string() + "/";
    }

    testsupport::VirtualTime time;
    testsupport::TempDir target{"bv-local"};
    DeliveryRig rig;
};

TEST_F(LocalDelivery, TheConnectStepMakesTheDirectoryAndCopiesReplaceWhatIsThere)
{
    EXPECT_TRUE(rig.open());
    const std::string destination = rig.config.localTransferPath + "index.htm";
    ASSERT_TRUE(fs::is_directory(rig.config.localTransferPath));
    std::ofstream(destination) << "an older and longer page";
    const fs::path source = rig.writeFile("index.htm", "page");

    EXPECT_EQ(rig.deliver(kLocalEntry, source, destination), DeliveryResult::Delivered);
    EXPECT_EQ(readFile(destination), "page");
    EXPECT_NE(rig.eventLog().find(" Copied file from \"" + source.string() + "\"  to  \"" +
                                  destination + "\"   local drive."),
              std::string::npos);
    // A source that is its own destination stays whole.
    EXPECT_EQ(rig.deliver(kLocalEntry, source, source.string()), DeliveryResult::Delivered);
    EXPECT_EQ(readFile(source), "page");
    EXPECT_EQ(rig.deliver('X', source, destination), DeliveryResult::Skipped);
}

TEST_F(LocalDelivery, FailedCopiesAreLoggedAndLeaveTheOldFile)
{
    rig.config.localTransferPath.clear();
    EXPECT_TRUE(rig.open());
    const fs::path source = rig.writeFile("index.htm", "page");
    const std::string failure =
        "Error in transferring file \"" + source.string() + "\" to local drive.";

    // An empty directory setting gives a relative destination: refused, never "/index.htm".
    EXPECT_EQ(rig.deliver(kLocalEntry, source, "index.htm"), DeliveryResult::Failed);
    EXPECT_NE(rig.eventLog().find(failure), std::string::npos);

    // A read-only directory: the old file stays as it was.
    const fs::path locked = target.path() / "locked";
    fs::create_directories(locked);
    std::ofstream(locked / "index.htm") << "old";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(locked.c_str(), W_OK) == 0)
        GTEST_SKIP() << "running as root: directory permissions do not bind";
    EXPECT_EQ(rig.deliver(kLocalEntry, source, (locked / "index.htm").string()),
              DeliveryResult::Failed);
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(readFile(locked / "index.htm"), "old");
}

} // namespace
} // namespace bv::publishtest
