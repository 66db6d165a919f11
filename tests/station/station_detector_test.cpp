#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link_rig.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "station/station_detector.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"

// AutoDetect over ten ports, one of which leads to a simulated station.
namespace bv::station::testing {
namespace {

struct DetectRig {
    DetectRig(const char* model, int port, int baud) : simulator(configFor(model, baud))
    {
        const std::string path = "COM" + std::to_string(port);
        detector = std::make_unique<StationDetector>(
            PortServices{time, time, ui, testsupport::routedFactory({{path, &wire}}),
                         [](int n) { return "COM" + std::to_string(n); }});
    }
    static sim::StationConfig configFor(const char* model, int baud)
    {
        sim::StationConfig config;
        config.model = *sim::findSimulatedModel(model);
        config.baud = baud;
        return config;
    }
    // Runs AutoDetect answering each offer with the next answer (No when none
    // is left); records the texts offered.
    std::optional<DetectedStation> detect(std::vector<bool> answers)
    {
        return detector->detect([this, answers](const DetectedStation& found) {
            offers.push_back(stationFoundText(found));
            const std::size_t i = offers.size() - 1;
            return i < answers.size() && answers[i];
        });
    }

    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    sim::StationSimulator simulator;
    testsupport::MemoryWire wire{time, simulator};
    std::unique_ptr<StationDetector> detector;
    std::vector<std::string> offers;
};

TEST(StationDetector, FindsTheStationAtTheRateItAnswers)
{
    struct Case {
        const char* model;
        int port;
        int baud;
        const char* offered; // the start of the text the user is asked
    };
    const Case cases[] = {
        {"Carrow III", 3, 1200, "Carrow III found at Port 3  Baudrate 1200 . Press Yes"},
        {"Ostrel II", 10, 2400, "Ostrel found at Port 10  Baudrate 2400 . Press Yes"},
        {"Lunett", 1, 1200, "Lunett found at Port 1  Baudrate 1200 . Press Yes"},
        {"Tirrel D", 2, 1200, "Tirrel D  found at Port 2  Baudrate 1200 . Press Yes"},
        // The classic read gets 0x18 from a Tirrel E: no number, so the Tirrel
        // E engine tries next.
        {"Tirrel E", 3, 2400, "Tirrel E  found at Port 3  Baudrate 2400 . Press Yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        DetectRig rig(c.model, c.port, c.baud);
        const std::optional<DetectedStation> found = rig.detect({true});
        ASSERT_TRUE(found);
        EXPECT_EQ(found->port, c.port);
        EXPECT_EQ(found->baud, c.baud);
        EXPECT_EQ(found->model->name, c.model);
        ASSERT_EQ(rig.offers.size(), 1u);
        EXPECT_EQ(rig.offers[0].rfind(c.offered, 0), 0u) << rig.offers[0];
        EXPECT_FALSE(rig.wire.isOpen());
    }
}

TEST(StationDetector, GoesOnAfterNoAndSkipsNumbersAboveFour)
{
    DetectRig declined("Carrow II", 4, 1200);
    EXPECT_FALSE(declined.detect({false}));
    EXPECT_EQ(declined.offers.size(), 1u);

    DetectRig strange("Carrow II", 4, 2400);
    strange.simulator.faults().add(
        sim::FaultRule(sim::FaultKind::WrongModelNumber).always().reporting(7));
    EXPECT_FALSE(strange.detect({true}));
    EXPECT_TRUE(strange.offers.empty());
    // Silence at 1200 brings the Tirrel E's try; a number at 2400 does not.
    EXPECT_EQ(strange.wire.openCount(), 3);
}

} // namespace
} // namespace bv::station::testing
