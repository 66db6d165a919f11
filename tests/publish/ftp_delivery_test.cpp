#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "delivery_rig.h"
#include "ftp_test_server.h"
#include "platform/headless/poll_event_loop.h"
#include "platform/linux/system_clock.h"
#include "publish/ftp_client.h"

// Delivery against a real FTP server on 127.0.0.1, on real time.
namespace bv::publishtest {
namespace {

namespace fs = std::filesystem;
using publish::DeliveryResult;
using publish::FtpClient;
using publish::kFtpEntry;

// Every byte value, line ends of both kinds included: a text-mode transfer
// would change them.
std::string binaryBytes()
{
    std::string bytes = "line\r\nnext\nlast\r";
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

class FtpDelivery : public testing::Test {
  protected:
    FtpDelivery() : rig(loop, clock)
    {
        fs::create_directories(remoteDir());
        rig.config.internetTransferEnabled = true;
        rig.config.localServerConnection = true;
        rig.config.ftpHost = "127.0.0.1";
        rig.config.ftpUser = FtpTestServer::kUser;
        rig.config.ftpPassword = FtpTestServer::kPassword;
        rig.config.ftpRemotePath = "public_html";
    }

    void startServer(std::vector<std::string> options = {},
                     FtpTestServer::Kind kind = FtpTestServer::Kind::Ftp)
    {
        server = std::make_unique<FtpTestServer>(root.path(), std::move(options), kind);
        ASSERT_NE(server->port(), 0) << "the FTP server did not start";
        rig.config.ftpPort = server->port();
    }

    fs::path remoteDir() const { return root.path() / "public_html"; }

    std::unique_ptr<FtpClient> client(const std::string& host = "127.0.0.1",
                                      const std::string& caFile = {})
    {
        return std::make_unique<FtpClient>(
            loop, publish::FtpLogin{host, rig.config.ftpPort, FtpTestServer::kUser,
                                    FtpTestServer::kPassword, caFile});
    }

    // Runs one operation, started by start with its done, to its end.
    bool await(const std::function<void(FtpClient::Done)>& start)
    {
        bool ended = false;
        bool ok = false;
        start([&](bool result) { ok = result, ended = true; });
        rig.waitFor(ended);
        return ok;
    }

    bool connect(FtpClient& ftp)
    {
        return await([&](FtpClient::Done done) {
            ftp.connect([done](publish::ConnectFailure failure, long) {
                done(failure == publish::ConnectFailure::None);
            });
        });
    }

    platform::PollEventLoop loop;
    platform::SystemClock clock;
    testsupport::TempDir root{"bv-ftp-root"};
    std::unique_ptr<FtpTestServer> server;
    DeliveryRig rig;
};

TEST_F(FtpDelivery, UploadsLandByteIdenticalUnderTheirNamesInTheRemoteDirectory)
{
    startServer();
    ASSERT_TRUE(rig.open());
    struct Case {
        std::string destination;
        std::string storedAs; // relative to the remote directory
    };
    const Case cases[] = {
        {"index.htm", "index.htm"},
        {"my page #2.htm", "my page #2.htm"},
        {"semi;type=a.gif", "semi;type=a.gif"},
        {"/rooted.gif", "rooted.gif"}, // never a path from the server's root
        {"../outside.txt", "outside.txt"},
    };
    const std::string bytes = binaryBytes();
    for (const Case& c : cases) {
        const fs::path source = rig.writeFile("source.bin", bytes + c.destination);
        EXPECT_EQ(rig.deliver(kFtpEntry, source, c.destination), DeliveryResult::Delivered)
            << c.destination;
        EXPECT_EQ(readFile(remoteDir() / c.storedAs), bytes + c.destination) << c.destination;
    }
    EXPECT_FALSE(fs::exists(root.path() / "rooted.gif"));
    EXPECT_FALSE(fs::exists(root.path() / "outside.txt"));
    for (const auto& entry : fs::directory_iterator(remoteDir()))
        EXPECT_FALSE(entry.path().string().ends_with(".part")) << entry.path();
    const std::string log = rig.eventLog();
    EXPECT_NE(log.find("File \"" + (rig.stationDir() / "source.bin").string() +
                       "\" transferred successfully to FTP site."),
              std::string::npos);
    EXPECT_EQ(log.find(FtpTestServer::kPassword), std::string::npos);
}

TEST_F(FtpDelivery, EachRefusedConnectionLogsItsMessageAndDeliversNothing)
{
    startServer({"--reject-unknown-user"});
    const std::uint16_t port = rig.config.ftpPort;
    struct Case {
        std::string host;
        std::uint16_t port;
        std::string user;
        std::string password;
        std::string remotePath;
        std::string message;
    };
    const Case cases[] = {
        {"127.0.0.1", port, "nobody", "s3cret", "public_html", "Incorrect FTP User Name 'nobody'."},
        {"127.0.0.1", port, "web", "wrong", "public_html",
         "Incorrect FTP Password for FTP name 'web'."},
        {"127.0.0.1", 1, "web", "s3cret", "public_html",
         "Unable to Connect to the FTP server '127.0.0.1' with user 'web'."},
        {"no-such-host.invalid", port, "web", "s3cret", "public_html",
         "Unable to find FTP host 'no-such-host.invalid'."},
        {"127.0.0.1", port, "web", "s3cret", "no/such/dir",
         "Error setting  FTP directory path 'no/such/dir'."},
    };
    const fs::path source = rig.writeFile("page.htm", "page");
    for (const Case& c : cases) {
        DeliveryRig attempt(loop, clock);
        attempt.config = rig.config;
        attempt.config.ftpHost = c.host;
        attempt.config.ftpPort = c.port;
        attempt.config.ftpUser = c.user;
        attempt.config.ftpPassword = c.password;
        attempt.config.ftpRemotePath = c.remotePath;
        EXPECT_FALSE(attempt.open()) << c.message;
        EXPECT_NE(attempt.eventLog().find(c.message), std::string::npos) << c.message << " not in\n"
                                                                         << attempt.eventLog();
        EXPECT_NE(attempt.ui.statusText().find(c.message), std::string::npos) << c.message;
        EXPECT_EQ(attempt.deliver(kFtpEntry, source, "page.htm"), DeliveryResult::Failed);
        EXPECT_EQ(attempt.eventLog().find(c.password == "wrong" ? "wrong" : "s3cret"),
                  std::string::npos);
    }
    EXPECT_FALSE(fs::exists(remoteDir() / "page.htm"));
}

TEST_F(FtpDelivery, ARefusedActiveModeSwitchesToPassiveOnceForTheRestOfTheCycle)
{
    startServer({"--refuse-active"});
    ASSERT_TRUE(rig.open());
    for (const std::string name : {"one.gif", "two.gif"}) {
        const fs::path source = rig.writeFile(name, name);
        EXPECT_EQ(rig.deliver(kFtpEntry, source, name), DeliveryResult::Delivered);
        EXPECT_EQ(readFile(remoteDir() / name), name);
    }
    const std::string log = rig.eventLog();
    const std::string notice = "using passive mode for the rest of this transfer.";
    const auto first = log.find(notice);
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find(notice, first + 1), std::string::npos);
}

TEST_F(FtpDelivery, AServerRefusingRenamesGetsTheFileStoredDirectly)
{
    startServer({"--refuse-rename"});
    std::ofstream(remoteDir() / "index.htm") << "old page";
    ASSERT_TRUE(rig.open());
    const fs::path source = rig.writeFile("index.htm", "new page");
    EXPECT_EQ(rig.deliver(kFtpEntry, source, "index.htm"), DeliveryResult::Delivered);
    EXPECT_EQ(readFile(remoteDir() / "index.htm"), "new page");
    EXPECT_FALSE(fs::exists(remoteDir() / "index.htm.part"));
}

TEST(DeliveryConnection, DialsAndHangsUpAsTheSettingsSay)
{
    using publish::DialResult;
    struct Case {
        bool internet;
        bool localServer;
        bool stayConnected;
        bool viaModem;
        DialResult dial;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {true, false, false, false, DialResult::Failed, {"dial", "hang up"}},
        {true, false, true, true, DialResult::Connected, {"close station", "dial"}},
        {true, false, false, false, DialResult::UnusableEntry, {"dial", "hang up"}},
        {true, true, false, false, DialResult::Connected, {}},
        {false, false, false, true, DialResult::Connected, {"close station"}},
    };
    const std::string refused = "Unable to Connect to the FTP server";
    for (const Case& c : cases) {
        platform::PollEventLoop loop;
        platform::SystemClock clock;
        DeliveryRig rig(loop, clock);
        rig.config.internetTransferEnabled = c.internet;
        rig.config.localServerConnection = c.localServer;
        rig.config.stayConnected = c.stayConnected;
        rig.config.stationViaModem = c.viaModem;
        rig.config.ftpHost = "127.0.0.1";
        rig.config.ftpPort = 1; // nothing listens: refused at once
        rig.dialUp.result = c.dial;
        EXPECT_EQ(rig.open(), !c.internet);
        // A failed dial-up ends the step before any FTP connection.
        const bool triedFtp = rig.eventLog().find(refused) != std::string::npos;
        EXPECT_EQ(triedFtp, c.internet && c.dial != DialResult::Failed);
        rig.delivery().closeDelivery();
        EXPECT_EQ(rig.dialUp.calls, c.calls);
    }
}

TEST_F(FtpDelivery, GetFileFetchesWhatPutFileStored)
{
    startServer();
    const auto ftp = client();
    ASSERT_TRUE(connect(*ftp));
    ASSERT_TRUE(await([&](auto done) { ftp->setDirectory("public_html", done); }));
    const fs::path source = rig.writeFile("up.bin", binaryBytes());
    ASSERT_TRUE(await([&](auto done) { ftp->putFile("up.bin", source.string(), done); }));
    const fs::path fetched = rig.stationDir() / "down.bin";
    EXPECT_TRUE(await([&](auto done) { ftp->getFile("up.bin", fetched.string(), done); }));
    EXPECT_EQ(readFile(fetched), binaryBytes());
}

TEST_F(FtpDelivery, AnUploadCutShortLeavesTheOldFileAndIsReportedFailed)
{
    constexpr int kCutAfter = 64 * 1024;
    startServer({"--cut-upload-after", std::to_string(kCutAfter)});
    std::ofstream(remoteDir() / "index.htm") << "old page";
    ASSERT_TRUE(rig.open());
    const fs::path page = rig.writeFile("index.htm", std::string(16 * kCutAfter, 'x'));
    EXPECT_EQ(rig.deliver(kFtpEntry, page, "index.htm"), DeliveryResult::Failed);
    EXPECT_TRUE(readFile(remoteDir() / "index.htm") == "old page"); // no 1 MB text on failure
    EXPECT_NE(rig.eventLog().find("Error in transferring file \"" + page.string() + "\""),
              std::string::npos);
    // The cut connection is not reused: the next entry logs in anew.
    const fs::path image = rig.writeFile("small.gif", "gif");
    EXPECT_EQ(rig.deliver(kFtpEntry, image, "small.gif"), DeliveryResult::Delivered);
    EXPECT_EQ(readFile(remoteDir() / "small.gif"), "gif");
}

TEST_F(FtpDelivery, TheLoopRunsAndCancelAnswersWhileTheServerWithholdsAnUploadsReply)
{
    using Clock = std::chrono::steady_clock;
    constexpr int kTickMs = 75;
    constexpr int kWaitMs = 1200;
    startServer({"--withhold-upload-reply"});
    auto ftp = client();
    ASSERT_TRUE(connect(*ftp));
    const fs::path page = rig.writeFile("page.htm", "page");
    bool ended = false;
    ftp->putFile("page.htm", page.string(), [&](bool) { ended = true; });
    int ticks = 0;
    const platform::TimerId timer = loop.startTimer(kTickMs, [&] { ++ticks; });
    loop.pause(kWaitMs);
    // libcurl waits for the reply inside its step; the loop must not.
    EXPECT_GE(ticks, kWaitMs / kTickMs - 3);
    const auto cancelled = Clock::now();
    ftp->cancel();
    ftp.reset();
    EXPECT_LT(Clock::now() - cancelled, std::chrono::seconds(2));
    loop.pause(kTickMs);
    loop.stopTimer(timer);
    EXPECT_FALSE(ended);
}

// FTP over explicit TLS, against a certificate made for this test: accepted
// when it is the one trusted, refused against the system's store.
TEST_F(FtpDelivery, FtpsUploadsOnlyToAServerWhoseCertificateIsTrusted)
{
    const fs::path pem = root.path() / "server.pem";
    const std::string makeCertificate =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 "
        "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
        pem.string() + "' -out '" + pem.string() + ".crt' 2>/dev/null && cat '" + pem.string() +
        ".crt' >> '" + pem.string() + "'";
    ASSERT_EQ(std::system(makeCertificate.c_str()), 0);
    startServer({"--tls", pem.string()});
    struct Case {
        std::string caFile;
        std::string name;
        bool stored;
    };
    const Case cases[] = {{pem.string() + ".crt", "trusted.htm", true},
                          {"", "untrusted.htm", false}};
    const fs::path page = rig.writeFile("secure.htm", binaryBytes());
    for (const Case& c : cases) {
        const auto ftp = client("ftps://127.0.0.1", c.caFile);
        EXPECT_EQ(connect(*ftp), c.stored) << c.name;
        EXPECT_EQ(await([&](auto done) { ftp->putFile(c.name, page.string(), done); }), c.stored)
            << c.name;
        EXPECT_EQ(readFile(root.path() / c.name), c.stored ? binaryBytes() : "") << c.name;
    }
}

// HOME points at a directory of the test's own while the object lives, so
// ~/.ssh/known_hosts is the test's.
class TestHome {
  public:
    TestHome() : saved_(std::getenv("HOME") ? std::getenv("HOME") : "")
    {
        fs::create_directories(knownHosts().parent_path());
        ::setenv("HOME", home_.path().c_str(), 1);
    }
    ~TestHome() { ::setenv("HOME", saved_.c_str(), 1); }
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    fs::path knownHosts() const { return home_.path() / ".ssh" / "known_hosts"; }

  private:
    std::string saved_;
    testsupport::TempDir home_{"bv-home"};
};

// SFTP logs in only to a server whose key the user's known_hosts holds, and
// replaces the target only once the whole file is across.
TEST_F(FtpDelivery, SftpReplacesTheTargetOnAServerWhoseKeyIsKnown)
{
    const TestHome home;
    startServer({}, FtpTestServer::Kind::Sftp);
    const std::string known =
        "[127.0.0.1]:" + std::to_string(server->port()) + ' ' + server->hostKey() + '\n';
    const std::string name = "my page #2.htm";
    std::ofstream(remoteDir() / name) << "old page";
    struct Case {
        std::string password;
        std::string knownHosts;
        std::string remotePath;
        std::string message; // empty: the page is delivered
    };
    const Case cases[] = {
        {"wrong", known, "public_html", "Incorrect FTP Password for FTP name 'web'."},
        {"s3cret", "", "public_html", "Error Connecting to the FTP server (60)."},
        {"s3cret", known, "no/such/dir", "Error setting  FTP directory path 'no/such/dir'."},
        {"s3cret", known, "public_html", ""},
        {"s3cret", known, "/public_html", ""}, // from the root, which is home here
    };
    std::string page = "old page";
    for (const Case& c : cases) {
        std::ofstream(home.knownHosts()) << c.knownHosts;
        DeliveryRig attempt(loop, clock);
        attempt.config = rig.config;
        attempt.config.ftpHost = "sftp://127.0.0.1";
        attempt.config.ftpPassword = c.password;
        attempt.config.ftpRemotePath = c.remotePath;
        EXPECT_EQ(attempt.open(), c.message.empty()) << c.message;
        const std::string upload = binaryBytes() + c.remotePath;
        const fs::path source = attempt.writeFile("page.bin", upload);
        const bool delivered =
            attempt.deliver(kFtpEntry, source, name) == DeliveryResult::Delivered;
        EXPECT_EQ(delivered, c.message.empty()) << c.remotePath;
        if (delivered)
            page = upload;
        EXPECT_EQ(readFile(remoteDir() / name), page) << c.remotePath;
        EXPECT_FALSE(fs::exists(remoteDir() / (name + ".part"))) << c.remotePath;
        const std::string log = attempt.eventLog();
        EXPECT_NE(log.find(c.message), std::string::npos) << c.message << " not in\n" << log;
        EXPECT_EQ(log.find(c.password), std::string::npos);
    }
}

} // namespace
} // namespace bv::publishtest
