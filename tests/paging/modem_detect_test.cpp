#include <gtest/gtest.h>

#include <cerrno>

#include "paging/modem_detect.h"
#include "sim/modem_emulator.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"

namespace bv::paging {
namespace {

using platform::MessageResult;

// Port 3 has a modem on it; the other ports have no device.
class ModemOnPort3 : public platform::SerialDevice {
  public:
    explicit ModemOnPort3(testsupport::MemoryWire& wire) : wire_(wire) {}
    int open(const std::string& path, const platform::LineSettings& settings) override
    {
        return path == "COM3" ? wire_.open(path, settings) : ENOENT;
    }
    int close() override { return wire_.close(); }
    bool isOpen() const override { return wire_.isOpen(); }
    platform::ReadResult readByte(int timeoutMs) override { return wire_.readByte(timeoutMs); }
    int write(const std::uint8_t* data, std::size_t size) override
    {
        return wire_.write(data, size);
    }

  private:
    testsupport::MemoryWire& wire_;
};

class ModemDetectTest : public ::testing::Test {
  protected:
    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    units::RegionalSettings regional;
    app::Shell shell{ui, time, regional};
    sim::ModemEmulator modem;
    testsupport::MemoryWire wire{time, modem};
    station::ClassicPort port{station::PortServices{
        time, time, ui, [this] { return std::make_unique<ModemOnPort3>(wire); },
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
