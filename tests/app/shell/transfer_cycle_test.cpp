#include "app/shell/transfer_cycle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/base/config_file.h"
#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "app/shell/fake_main_view.h"
#include "app/shell/window_features.h"
#include "publish/fake_pppd.h"
#include "publish/ftp_test_server.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::app {
namespace {

constexpr platform::WallTime kStart{2026, 6, 15, 9, 0, 0, 0, 1};
constexpr int kCarrowIII = 1;

sim::StationConfig carrowIII()
{
    sim::StationConfig config;
    config.model = *sim::simulatedModelByCode(kCarrowIII);
    config.start = kStart;
    return config;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A whole transfer cycle of the program: the station simulator on the
// in-memory wire, templates and files in a station directory, delivery to
// a local directory, all on virtual time.
class TransferCycleTest : public testing::Test {
  protected:
    explicit TransferCycleTest(Edition programEdition = Edition::WithoutDialUp)
        : edition(programEdition)
    {
        std::filesystem::create_directories(dir.path() / "templates");
        std::filesystem::create_directories(dir.path() / "web");
        std::ofstream(dir.path() / "templates" / "index.htx") << "<p>Outside <!--outtemp--></p>\n";
        std::ofstream page(dir.path() / "web" / "page.htx");
        for (int line = 0; line < 10; ++line)
            page << "<p>line " << line << " <!--outtemp--></p>\n";
        page.close();
        std::ofstream(dir.path() / "web" / "logo.gif") << "GIF89a-logo";
        std::ofstream(dir.path() / "files.dat")
            << "index.htx\n"
            << (dir.path() / "web" / "page.htx").string() << '\n'
            << (dir.path() / "web" / "logo.gif").string() << '\n'
            << (dir.path() / "web" / "missing.txt").string() << '\n';
        config.stationModel = kCarrowIII;
        config.localTransferEnabled = true;
        config.localTransferPath = (dir.path() / "out").string() + "/";
        config.currentImages[1] = true; // outside temperature
        config.ftpPassword = "pw-never-logged";
    }

    // Starts the program with config and runs one cycle to its end.
    void runCycle()
    {
        ASSERT_FALSE(saveConfig(config, dir.path()));
        app.start({}, {});
        TransferCycle cycle(app);
        cycle.setDeliveryListener(
            [this](const publish::QueueEntry& entry, publish::DeliveryResult r) {
                deliveries.push_back(entry.destination +
                                     (r == publish::DeliveryResult::Delivered ? " ok" : " failed"));
            });
        cycle.setProblemListener([this](const std::string& text) { problems.push_back(text); });
        cycle.setEndListener([this](publish::TransferWindow::End why) { ends.push_back(why); });
        cycle.start();
        waitForEnd();
    }
    // Virtual time for the cycle's pauses and the station, real time for an
    // FTP server to answer.
    void waitForEnd()
    {
        for (int ms = 0; ms < 600000 && ends.empty(); ++ms) {
            time.advance(1);
            if (config.internetTransferEnabled)
                std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        ASSERT_EQ(ends.size(), 1u);
    }
    // Serves dir/ftp on 127.0.0.1 and sends the cycle's files into its "www".
    std::unique_ptr<publishtest::FtpTestServer> serveFtp()
    {
        std::filesystem::create_directories(dir.path() / "ftp" / "www");
        auto server = std::make_unique<publishtest::FtpTestServer>(dir.path() / "ftp");
        config.internetTransferEnabled = true;
        config.ftpHost = "127.0.0.1";
        config.ftpPort = server->port();
        config.ftpUser = publishtest::FtpTestServer::kUser;
        config.ftpPassword = publishtest::FtpTestServer::kPassword;
        config.ftpRemotePath = "www";
        return server;
    }
    std::filesystem::path out(const char* name) const { return dir.path() / "out" / name; }

    testsupport::TempDir dir{"bv-transfer-cycle"};
    testsupport::VirtualTime time{kStart};
    testsupport::ScriptedUi ui;
    sim::StationSimulator simulator{carrowIII()};
    testsupport::MemoryWire wire{time, simulator};
    Edition edition;
    Application app{
        ui,      time,
        time,    dir.path(),
        edition, StationDevices{wire.factory(), [](int n) { return "COM" + std::to_string(n); }}};
    ConfigRecord config;
    std::vector<std::string> deliveries;
    std::vector<std::string> problems;
    std::vector<publish::TransferWindow::End> ends;
};

TEST_F(TransferCycleTest, PublishesPagesImagesAndFilesToTheLocalDirectory)
{
    runCycle();
    EXPECT_EQ(ends.front(), publish::TransferWindow::End::Delivered);
    const std::vector<std::string> expected = {
        out("index.htm").string() + " ok", out("page.htm").string() + " ok",
        out("logo.gif").string() + " ok", out("outtemp.gif").string() + " ok"};
    EXPECT_EQ(deliveries, expected);
    const std::string index = readFile(out("index.htm"));
    EXPECT_TRUE(index.starts_with("<p>Outside ")) << index;
    EXPECT_EQ(index.find("<!--"), std::string::npos) << "the marker is replaced: " << index;
    EXPECT_EQ(readFile(out("logo.gif")), "GIF89a-logo");
    EXPECT_TRUE(readFile(out("outtemp.gif")).starts_with("GIF8"));
    std::string page = readFile(out("page.htm"));
    EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 10);

    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("missing.txt"), std::string::npos);
    EXPECT_FALSE(wire.isOpen()) << "the cycle closes the station link";
    EXPECT_TRUE(app.gate().allowed());
    EXPECT_EQ(readFile(dir.path() / "event.log").find("pw-never-logged"), std::string::npos);
}

TEST_F(TransferCycleTest, ASilentStationLeavesMarkersAndMakesNoImagesButFilesStillGo)
{
    simulator.faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    runCycle();
    EXPECT_EQ(ends.front(), publish::TransferWindow::End::Delivered);
    EXPECT_NE(readFile(out("index.htm")).find("<!--outtemp-->"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out("outtemp.gif")));
    EXPECT_EQ(readFile(out("logo.gif")), "GIF89a-logo");
    EXPECT_EQ(problems.front(), "Station Communication Error. Check station settings.");
    EXPECT_FALSE(wire.isOpen());
}

TEST_F(TransferCycleTest, ATimedTransferDownloadsTheArchiveFirstWhenAsked)
{
    config.downloadBeforeUpload = true;
    std::vector<std::string> order;
    app.activities().archiveDownload = [&] { order.push_back("download"); };
    ASSERT_FALSE(saveConfig(config, dir.path()));
    app.start({}, {});
    TransferCycle cycle(app);
    cycle.setEndListener([&](publish::TransferWindow::End) { order.push_back("cycle ended"); });
    app.activities().startTransferCycle();
    EXPECT_TRUE(cycle.running());
    app.activities().startTransferCycle(); // due again while it runs: ignored
    for (int ms = 0; ms < 600000 && cycle.running(); ++ms)
        time.advance(1);
    EXPECT_EQ(order, (std::vector<std::string>{"download", "cycle ended"}));
}

TEST_F(TransferCycleTest, DeliversByFtpAndLocallyWithoutLoggingThePassword)
{
    const auto server = serveFtp();
    ASSERT_NE(server->port(), 0);
    config.localServerConnection = true;
    runCycle();
    EXPECT_EQ(ends.front(), publish::TransferWindow::End::Delivered);
    const std::vector<std::string> expected = {
        "index.htm ok",   out("index.htm").string() + " ok",
        "page.htm ok",    out("page.htm").string() + " ok",
        "logo.gif ok",    out("logo.gif").string() + " ok",
        "outtemp.gif ok", out("outtemp.gif").string() + " ok"};
    EXPECT_EQ(deliveries, expected);
    EXPECT_EQ(readFile(dir.path() / "ftp" / "www" / "logo.gif"), "GIF89a-logo");
    EXPECT_EQ(readFile(dir.path() / "ftp" / "www" / "index.htm"), readFile(out("index.htm")));
    EXPECT_EQ(readFile(dir.path() / "event.log").find(publishtest::FtpTestServer::kPassword),
              std::string::npos);
    for (const std::string& status : ui.statusTexts())
        EXPECT_EQ(status.find(publishtest::FtpTestServer::kPassword), std::string::npos) << status;
}

TEST_F(TransferCycleTest, AWrongFtpPasswordDeliversNothingLocallyEither)
{
    std::filesystem::create_directories(dir.path() / "ftp");
    publishtest::FtpTestServer server(dir.path() / "ftp");
    config.internetTransferEnabled = true;
    config.localServerConnection = true;
    config.ftpHost = "127.0.0.1";
    config.ftpPort = server.port();
    config.ftpUser = publishtest::FtpTestServer::kUser;
    config.ftpPassword = "wrong-pw";
    config.ftpRemotePath = "";
    runCycle();
    EXPECT_EQ(ends.front(), publish::TransferWindow::End::NotConnected);
    EXPECT_TRUE(deliveries.empty());
    EXPECT_FALSE(std::filesystem::exists(out("logo.gif")));
    EXPECT_EQ(readFile(dir.path() / "event.log").find("wrong-pw"), std::string::npos);
}

class DialUpCycleTest : public TransferCycleTest {
  protected:
    DialUpCycleTest() : TransferCycleTest(Edition::WithDialUp) {}
};

// hollit's Dial, Start Transfer and Hang up over the fake pppd, delivering to
// the FTP test server: the cycle dials unless Dial already connected, and
// hangs up at its end unless the connection is to stay.
TEST_F(DialUpCycleTest, DialsDeliversAndHangsUpUnlessToStayConnected)
{
    const auto server = serveFtp();
    ASSERT_NE(server->port(), 0);
    config.dialupEntry = "isp";
    config.dialupUser = "weather";
    config.dialupPassword = "dial pw 7";
    config.dialAttempts = 1;
    ASSERT_FALSE(saveConfig(config, dir.path()));
    app.start({}, {});
    publishtest::answerDialDialogs(ui, nullptr);
    const struct {
        bool dialFirst;
        bool stayConnected;
        bool upAfterCycle;
    } cases[] = {{false, false, false}, {false, true, true}, {true, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dialFirst) + " " + std::to_string(c.stayConnected));
        testsupport::TempDir ppp("bv-fake-pppd");
        std::filesystem::remove_all(dir.path() / "ftp" / "www" / "index.htm");
        testsupport::writeText(ppp.path() / "scenarios", "connect\n");
        app.config().stayConnected = c.stayConnected;
        FakeMainView view;
        MainCommands commands(app, view);
        WindowFeatures features(app, commands, view, publishtest::installFakePppd(ppp.path()));
        features.transferCycle().setEndListener(
            [this](publish::TransferWindow::End why) { ends.push_back(why); });
        ends.clear();
        if (c.dialFirst) {
            commands.execute(CmdDial);
            EXPECT_TRUE(app.gate().allowed()) << "Dial gives the gate back";
        }
        commands.execute(CmdStartTransfer);
        waitForEnd();
        EXPECT_EQ(ends.front(), publish::TransferWindow::End::Delivered);
        EXPECT_EQ(readFile(dir.path() / "ftp" / "www" / "index.htm"), readFile(out("index.htm")));

        // One dial, the password handed over its pipe and never an argument.
        EXPECT_EQ(readFile(ppp.path() / "passwords"), "dial pw 7\n");
        EXPECT_EQ(readFile(ppp.path() / "args").find("dial pw"), std::string::npos);
        publish::DialUp& dialUp = features.transferCycle().dialUp();
        EXPECT_EQ(dialUp.connectionActive(app.config()), c.upAfterCycle);
        commands.execute(CmdHangUp);
        EXPECT_FALSE(dialUp.connectionActive(app.config()));
    }
    const std::string log = readFile(dir.path() / "event.log");
    EXPECT_NE(log.find(" Connection established by Dialup. "), std::string::npos);
    EXPECT_EQ(log.find("dial pw"), std::string::npos);
}

} // namespace
} // namespace bv::app
