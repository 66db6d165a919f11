#include <gtest/gtest.h>

#include "app/shell/shell_dialog_fixture.h"
#include "link_rig.h"
#include "station/station_detector.h"
#include "station/station_setup_dialog.h"

namespace bv::station::testing {
namespace {

using namespace station_setup_dialog;
using platform::MessageResult;
using testsupport::FakeDialogView;

// The dialog over a scripted Ui, with a Carrow III answering only at 1200 baud
// on COM3 for AutoDetect.
class StationSetupDialogTest : public app::test::ShellDialogTest {
  protected:
    static sim::StationConfig carrowAt1200()
    {
        sim::StationConfig c;
        c.model = *sim::findSimulatedModel("Carrow III");
        c.baud = 1200;
        return c;
    }

    int runWith(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("SETUP_STATION", std::move(script));
        return runStationSetupDialog(
            launcher, shell, config,
            [this](const StationDetector::Offer& offer) { return detector.detect(offer); },
            [this] { ++saves; });
    }

    app::ConfigRecord config;
    int saves = 0;
    sim::StationSimulator simulator{carrowAt1200()};
    testsupport::MemoryWire wire{time, simulator};
    StationDetector detector{PortServices{time, time, ui,
                                          testsupport::routedFactory({{"COM3", &wire}}),
                                          [](int n) { return "COM" + std::to_string(n); }}};
};

TEST_F(StationSetupDialogTest, ShowsTheSettingsAndEnablesWhatTheyAllow)
{
    config.stationComPort = 4;
    config.stationBaud = 1200;
    config.stationModel = 3; // Lunett
    config.rainCollector = 2;
    runWith([&](FakeDialogView& v) {
        EXPECT_EQ(v.dialogTemplate().title, "Station Setup ");
        EXPECT_EQ(v.value(kPort), 4);
        EXPECT_TRUE(v.checked(kBaud1200));
        EXPECT_EQ(v.items(kModel), (std::vector<std::string>{"Ostrel II", "Carrow III", "Carrow II",
                                                             "Lunett", "Tirrel D", "Tirrel E"}));
        EXPECT_EQ(v.items(kRainCollector),
                  (std::vector<std::string>{"None", ".1 in", ".01 in", ",2 mm"}));
        EXPECT_EQ(v.currentIndex(kRainCollector), 2);
        EXPECT_FALSE(v.enabled(kRainCollector)) << "a Lunett has no rain collector";
        EXPECT_FALSE(v.enabled(kPhone));
        EXPECT_FALSE(v.enabled(kWaitSeconds));

        v.choose(kModel, 5);
        v.click(kViaModem);
        EXPECT_TRUE(v.enabled(kRainCollector));
        EXPECT_TRUE(v.enabled(kPhone));
        v.click(kDefaultButton);
        EXPECT_EQ(v.text(kModemInit), "AT &F0 E &M Q V1 X4 S7=60");
        v.click(platform::IdCancel);
    });
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(config.stationModel, 3);
}

TEST_F(StationSetupDialogTest, OkStoresOnlyAWaitOfZeroTo127WhenTheModemIsUsed)
{
    struct Case {
        bool viaModem;
        const char* wait;
        bool accepted;
        int stored; // afterConnectWaitSec afterwards (5 before)
    };
    const Case cases[] = {
        {true, "0", true, 0},    {true, "127", true, 127}, {true, "128", false, 5},
        {true, "-1", false, 5},  {true, "", false, 5},     {true, "1x", false, 5},
        {false, "500", true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.wait) + (c.viaModem ? " modem" : " direct"));
        config = {};
        config.afterConnectWaitSec = 5;
        saves = 0;
        const std::size_t boxesBefore = ui.boxes().size();
        runWith([&](FakeDialogView& v) {
            v.click(kViaModem);
            v.enterText(kWaitSeconds, c.wait);
            v.enterText(kPhone, "555 0100");
            if (!c.viaModem)
                v.click(kViaModem);
            v.choose(kModel, 1);
            v.click(kBaud1200);
            v.click(platform::IdOk);
            if (!c.accepted) {
                EXPECT_FALSE(v.ended());
                EXPECT_EQ(v.focus(), kWaitSeconds);
                v.click(platform::IdCancel);
            }
        });
        EXPECT_EQ(ui.boxes().size() - boxesBefore, c.accepted ? 0u : 1u);
        if (!c.accepted) {
            EXPECT_EQ(ui.boxes().back().request.text, "Wait time out of range (0 to 127).");
        }
        EXPECT_EQ(config.afterConnectWaitSec, c.stored);
        EXPECT_EQ(config.stationModel, c.accepted ? 1 : 0);
        EXPECT_EQ(config.stationBaud, c.accepted ? 1200 : 2400);
        EXPECT_EQ(config.stationPhone, c.accepted ? "555 0100" : "");
        EXPECT_EQ(saves, c.accepted ? 1 : 0);
    }
}

TEST_F(StationSetupDialogTest, ALunettIsStoredWithoutRainCollector)
{
    config.rainCollector = 2;
    runWith([&](FakeDialogView& v) {
        v.choose(kModel, 3);
        v.click(platform::IdOk);
    });
    EXPECT_EQ(config.stationModel, 3);
    EXPECT_EQ(config.rainCollector, 0);
}

TEST_F(StationSetupDialogTest, AutoDetectSelectsPortRateAndModelThatAnswered)
{
    ui.queueAnswer(MessageResult::Yes); // several minutes: continue
    ui.queueAnswer(MessageResult::Yes); // select this station
    runWith([&](FakeDialogView& v) {
        v.click(kAutoDetect);
        EXPECT_EQ(v.value(kPort), 3);
        EXPECT_TRUE(v.checked(kBaud1200));
        EXPECT_EQ(v.currentIndex(kModel), 1);
        v.click(platform::IdOk);
    });
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].request.caption, "Confirm");
    EXPECT_EQ(ui.boxes()[0].request.text, "This operation may take several minutes.Continue?");
    EXPECT_EQ(ui.boxes()[1].request.caption, "Select Station");
    EXPECT_EQ(ui.boxes()[1].request.text,
              "Carrow III found at Port 3  Baudrate 1200 . Press Yes to select this station or "
              "No to continue AutoDetect.");
    EXPECT_EQ(config.stationComPort, 3);
    EXPECT_EQ(config.stationBaud, 1200);
    EXPECT_EQ(config.stationModel, 1);
}

TEST_F(StationSetupDialogTest, AutoDetectRefusesAModemAndEndsWithoutAChoice)
{
    struct Case {
        bool viaModem;
        std::vector<MessageResult> answers;
        std::vector<std::string> captions;
        int opens; // of the port that leads to the station
    };
    const Case cases[] = {
        {true, {}, {"Error"}, 0},
        {false, {MessageResult::No}, {"Confirm"}, 0},
        {false,
         {MessageResult::Yes, MessageResult::No},
         {"Confirm", "Select Station", "Auto Detect"},
         3},
    };
    for (const Case& c : cases) {
        const std::size_t before = ui.boxes().size();
        const int opensBefore = wire.openCount();
        for (MessageResult answer : c.answers)
            ui.queueAnswer(answer);
        runWith([&](FakeDialogView& v) {
            if (c.viaModem)
                v.click(kViaModem);
            v.click(kAutoDetect);
            EXPECT_EQ(v.value(kPort), 1);
            v.click(platform::IdCancel);
        });
        std::vector<std::string> captions;
        for (std::size_t i = before; i < ui.boxes().size(); ++i)
            captions.push_back(ui.boxes()[i].request.caption);
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(wire.openCount() - opensBefore, c.opens);
    }
    EXPECT_EQ(ui.boxes().front().request.text,
              "Autodetect works only with stations connected directly to the com port.");
    EXPECT_EQ(ui.boxes().back().request.text, "No more stations found.");
}

} // namespace
} // namespace bv::station::testing
