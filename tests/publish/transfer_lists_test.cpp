#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "publish/transfer_lists.h"
#include "support/temp_dir.h"

namespace bv::publish {

void PrintTo(const QueueEntry& e, std::ostream* os)
{
    *os << static_cast<char>(e.kind) << " " << e.source << " -> " << e.destination;
}

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A station directory with files.dat, both delivery kinds on, local target /www/.
class TransferListsTest : public ::testing::Test {
  protected:
    TransferListsTest()
    {
        config.stationDir = dir.path().string();
        config.internetTransferEnabled = true;
        config.localTransferEnabled = true;
        config.localTransferPath = "/www/";
        fs::create_directories(dir.path() / "templates");
    }

    std::string station(const std::string& relative) const
    {
        return (dir.path() / relative).string();
    }

    // Runs the list to its end, converting stepwise templates, and returns the
    // queue as read back.
    std::vector<QueueEntry> runList(const std::string& filesDat)
    {
        writeFile(dir.path() / "files.dat", filesDat);
        EXPECT_TRUE(lists.open());
        for (ListEntryResult r = lists.queueListEntry(); r != ListEntryResult::EndOfList;
             r = lists.queueListEntry()) {
            if (r == ListEntryResult::ConvertStepwise) {
                TemplateJob job = lists.openTemplateJob();
                while (job.convertNextLine()) {
                }
                lists.queueConvertedTemplate(job);
            }
        }
        return readQueue();
    }

    std::vector<QueueEntry> readQueue()
    {
        std::vector<QueueEntry> entries;
        lists.sendQueue().rewind();
        while (auto entry = lists.sendQueue().next())
            entries.push_back(*entry);
        return entries;
    }

    testsupport::TempDir dir;
    app::ConfigRecord config;
    std::vector<std::string> events;
    TransferLists lists{config, [](std::string_view) { return std::string("42"); },
                        [this](const std::string& text) { events.push_back(text); }};
};

TEST_F(TransferListsTest, QueuesEveryKindOfEntryUnderItsNameForBothDeliveries)
{
    const std::string web = station("web");
    const std::string longDir = web + "/" + std::string(100, 'a') + "/" + std::string(100, 'b') +
                                "/" + std::string(90, 'c');
    writeFile(web + "/index.htx", "<p><!--x--></p>\n");
    writeFile(web + "/INDEX.HTX", "<!--x-->\n");
    writeFile(longDir + "/photo.jpg", "jpg");
    writeFile(station("templates/logo.gif"), "gif");
    writeFile(station("templates/sub/page.htx"), "<!--x-->");
    writeFile(station("templates/sub/logo.gif"), "gif");
    // CRLF line ends, a path of over 280 characters, an empty line.
    const auto queue = runList(web + "/index.htx\r\n" + web + "/INDEX.HTX\n" + longDir +
                               "/photo.jpg\n\nlogo.gif\nsub/page.htx\nsub/logo.gif");

    const std::string templates = station("templates");
    const std::vector<std::pair<std::string, std::string>> files = {
        {templates + "/index.htm", "index.htm"},
        {web + "/INDEX.HTX", "INDEX.HTX"},
        {longDir + "/photo.jpg", "photo.jpg"},
        {templates + "/logo.gif", "logo.gif"},
        {templates + "/sub/page.htm", "sub/page.htm"},
        {templates + "/sub/logo.gif", "sub/logo.gif"},
    };
    std::vector<QueueEntry> expected;
    for (const auto& [source, name] : files) {
        expected.push_back({DeliveryKind::Ftp, source, name});
        expected.push_back({DeliveryKind::Local, source, "/www/" + name});
    }
    EXPECT_EQ(queue, expected);
    EXPECT_EQ(readFile(templates + "/index.htm"), "<p>42</p>\n");
    EXPECT_EQ(readFile(templates + "/sub/page.htm"), "42");
    EXPECT_TRUE(events.empty());
}

TEST_F(TransferListsTest, QueuesImagesAndTheArchiveFileOnlyForTheEnabledDeliveries)
{
    struct Case {
        bool ftp, local, archive;
        std::vector<QueueEntry> expected;
    };
    const std::string image = station("Images/barom.gif");
    const std::string archive = station("Download/wx.txt");
    const std::vector<Case> cases = {
        {true,
         false,
         true,
         {{DeliveryKind::Ftp, image, "barom.gif"}, {DeliveryKind::Ftp, archive, "wx.txt"}}},
        {false, true, false, {{DeliveryKind::Local, image, "/srv/out/barom.gif"}}},
        {false, false, true, {}},
    };
    for (const Case& c : cases) {
        config.internetTransferEnabled = c.ftp;
        config.localTransferEnabled = c.local;
        config.localTransferPath = "/srv/out"; // no final "/"
        config.uploadArchiveFile = c.archive;
        config.archiveFileName = "wx.txt";
        writeFile(dir.path() / "files.dat", "");
        ASSERT_TRUE(lists.open());
        lists.queueImage("barom.gif");
        lists.queueArchiveFile();
        EXPECT_EQ(readQueue(), c.expected);
    }
}

TEST_F(TransferListsTest, SkipsWhatCannotBePublishedWithOneEventLineEach)
{
    config.templateExtension = "htx";
    const std::string templates = station("templates");
    writeFile(templates + "/self.htx", "<!--x-->\n");
    writeFile(templates + "/blocked.htx", "<!--x-->\n");
    fs::create_directories(templates + "/blocked.d");
    config.templateExtension = "d";
    writeFile(dir.path() / "files.dat", "gone.gif\nblocked.htx\n");
    ASSERT_TRUE(lists.open());
    EXPECT_EQ(lists.queueListEntry(), ListEntryResult::Done);
    EXPECT_EQ(lists.queueListEntry(), ListEntryResult::Done);
    config.templateExtension = "htx";
    const auto queue = runList("self.htx\n");

    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(readFile(templates + "/self.htx"), "<!--x-->\n");
    const std::vector<std::string> expected = {
        "File \"gone.gif\" not found.",
        "Unable to write converted template \"" + templates + "/blocked.d\".",
        "Template \"" + templates +
            "/self.htx\" not converted: its converted file would replace it. Choose another "
            "extension for converted templates.",
    };
    EXPECT_EQ(events, expected);
}

TEST_F(TransferListsTest, AStepwiseTemplateThatVanishedIsLoggedAndNotQueued)
{
    const std::string page = station("web/page.htx");
    writeFile(page, "<!--x-->\n");
    writeFile(dir.path() / "files.dat", page + "\n");
    ASSERT_TRUE(lists.open());
    ASSERT_EQ(lists.queueListEntry(), ListEntryResult::ConvertStepwise);
    fs::remove(page);
    TemplateJob job = lists.openTemplateJob();
    EXPECT_FALSE(job.convertNextLine());
    lists.queueConvertedTemplate(job);

    EXPECT_TRUE(readQueue().empty());
    EXPECT_FALSE(fs::exists(station("templates/page.htm")));
    EXPECT_EQ(events, std::vector<std::string>{"Unable to read template \"" + page + "\"."});
}

TEST_F(TransferListsTest, AMissingListAndAFailedQueueWriteAreLogged)
{
    EXPECT_FALSE(lists.open());
    fs::remove(dir.path() / "sendfiles.dat");
    fs::create_symlink("/dev/full", dir.path() / "sendfiles.dat");
    writeFile(dir.path() / "files.dat", "");
    EXPECT_TRUE(lists.open());
    lists.queueImage("a.gif");
    lists.queueImage("b.gif");

    const std::vector<std::string> expected = {
        "Unable to open the transfer list \"" + station("files.dat") + "\".",
        "Unable to write the send queue \"" + station("sendfiles.dat") + "\".",
    };
    EXPECT_EQ(events, expected);
}

TEST(SendQueueTest, ReadsPairsOfAnyLengthAndSkipsPairsOfAnUnknownKind)
{
    testsupport::TempDir dir;
    const fs::path path = dir.path() / "sendfiles.dat";
    SendQueue queue(path);
    const std::string longSource = "/" + std::string(400, 's');
    const std::string longName = std::string(300, 'n');
    ASSERT_TRUE(queue.append({DeliveryKind::Ftp, longSource, longName}));
    // A pair written by something else, with CRLF line ends and an unknown kind.
    std::ofstream(path, std::ios::app | std::ios::binary)
        << "X\t/tmp/x\r\nx\r\nL\t/tmp/a b\r\n/www/a b\r\n";
    queue.rewind();
    const std::vector<QueueEntry> expected = {
        {DeliveryKind::Ftp, longSource, longName},
        {DeliveryKind::Local, "/tmp/a b", "/www/a b"},
    };
    std::vector<QueueEntry> read;
    while (auto entry = queue.next())
        read.push_back(*entry);
    EXPECT_EQ(read, expected);
}

} // namespace
} // namespace bv::publish
