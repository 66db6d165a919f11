#include <gtest/gtest.h>

#include "paging/modem_detect.h"
#include "sim/modem_emulator.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"

namespace bv::paging {
namespace {

using platform::MessageResult;

class ModemDetectTest : public ::testing::Test {
  protected:
    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    units::RegionalSettings regional;
    app::Shell shell{ui, time, regional};
    sim::ModemEmulator modem;
    testsupport::MemoryWire wire{time, modem};
    // Port 3 has the modem on it; the other ports have no device.
    station::ClassicPort port{
        station::PortServices{time, time, ui, testsupport::routedFactory({{"COM3", &wire}}),
                              [](int n) { return "COM" + std::to_string(n); }}};
};

TEST_F(ModemDetectTest, FindsTheModemThatAnswersOkAndOffersIt)
{
    ui.queueAnswer(MessageResult::Yes); // continue?
    ui.queueAnswer(MessageResult::Yes); // take port 3
    EXPECT_EQ(detectModemPort(port, shell), 3);
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].request.caption, "Confirm");
    EXPECT_EQ(ui.boxes()[1].request.caption, "Select Modem");
    EXPECT_EQ(ui.boxes()[1].request.text,
              "Modem found at com port 3 . Press Yes to select this modem or No to continue "
              "AutoDetect.");
    EXPECT_EQ(modem.commandLines(), (std::vector<std::string>{"ATE0Q0V1", "AT"}));
    EXPECT_EQ(wire.settings().baud, 300);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ModemDetectTest, DecliningEveryModemEndsWithNoMoreModems)
{
    ui.queueAnswer(MessageResult::Yes);
    ui.queueAnswer(MessageResult::No);
    EXPECT_EQ(detectModemPort(port, shell), 0);
    EXPECT_EQ(ui.boxes().back().request.caption, "Auto Detect");
    EXPECT_EQ(ui.boxes().back().request.text, "No more modems found.");
    EXPECT_EQ(wire.openCount(), 1);

    ui.queueAnswer(MessageResult::No); // not even started
    EXPECT_EQ(detectModemPort(port, shell), 0);
    EXPECT_EQ(wire.openCount(), 1);
}

} // namespace
} // namespace bv::paging
