#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "link_rig.h"
#include "station/port_path.h"
#include "station/result_codes.h"

namespace bv::station::testing {
namespace {

using platform::Parity;

// Sends the given bytes, each delayMs after the previous one, when the program
// writes anything.
class TricklePeer : public sim::LinePeer {
  public:
    void onBytes(std::span<const std::uint8_t>, sim::LineOutput& out) override
    {
        int delay = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            delay += i < gapsMs.size() ? gapsMs[i] : 0;
            out.send(std::span(bytes).subspan(i, 1), delay);
        }
    }
    std::vector<std::uint8_t> bytes;
    std::vector<int> gapsMs;
};

class SerialPortTest : public ::testing::Test {
  protected:
    testsupport::LambdaPeer peer;
    LinkRig rig{peer};
};

TEST_F(SerialPortTest, OpensEachInstanceWithItsLineSettings)
{
    struct Case {
        const char* what;
        SerialPort& port;
        std::function<PortResult()> open;
        int dataBits;
        Parity parity;
        bool rtsCts;
    };
    const Case cases[] = {
        {"Tirrel 8-N-1", rig.tirrelPort, [&] { return rig.tirrelPort.open(3, 2400, 'D'); }, 8,
         Parity::None, false},
        {"classic 8-N-1", rig.classicPort, [&] { return rig.classicPort.open(3, 1200); }, 8,
         Parity::None, true},
        {"modem 7-E-1", rig.classicPort, [&] { return rig.classicPort.openModem(3, 300); }, 7,
         Parity::Even, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.open(), PortResult::Done);
        EXPECT_EQ(rig.wire.path(), "COM3");
        EXPECT_EQ(peer.settings().dataBits, c.dataBits);
        EXPECT_EQ(peer.settings().parity, c.parity);
        EXPECT_EQ(peer.settings().stopBits, 1);
        EXPECT_EQ(peer.settings().rtsCtsHandshake, c.rtsCts);
        EXPECT_EQ(c.port.reply().size(), SerialPort::kReplyBufferBytes);
        EXPECT_EQ(c.port.close(), PortResult::Done);
        EXPECT_FALSE(rig.wire.isOpen());
    }
}

TEST_F(SerialPortTest, SecondOpenIsRefusedAndLeavesTheFirstUntouched)
{
    peer.setHandler([](auto, sim::LineOutput& out) { out.send(std::vector<std::uint8_t>{0x42}); });
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    EXPECT_EQ(rig.classicPort.open(2, 2400), PortResult::AlreadyOpen);
    EXPECT_EQ(rig.classicPort.openModem(2, 2400), PortResult::AlreadyOpen);
    EXPECT_EQ(rig.wire.openCount(), 1);
    EXPECT_EQ(rig.wire.path(), "COM1");
    EXPECT_EQ(rig.classicPort.writeByte(1), kOk);
    EXPECT_EQ(rig.classicPort.readByte(), 0x42);
}

TEST_F(SerialPortTest, TirrelModelLetterIsDOnlyForD)
{
    for (const auto& [given, kept] : {std::pair{'D', 'D'}, {'E', 'E'}, {'d', 'E'}, {'X', 'E'}}) {
        ASSERT_EQ(rig.tirrelPort.open(1, 2400, given), PortResult::Done);
        EXPECT_EQ(rig.tirrelPort.modelLetter(), kept) << given;
        rig.tirrelPort.close();
    }
}

TEST_F(SerialPortTest, OpenFailuresGiveTheirCodesAndLeaveThePortClosed)
{
    struct Case {
        int error;
        PortResult result;
    };
    for (const Case& c :
         {Case{ENOENT, PortResult::CannotOpen}, Case{EBUSY, PortResult::CannotOpen},
          Case{EACCES, PortResult::CannotOpen}, Case{EINVAL, PortResult::SettingsRefused},
          Case{ENOTTY, PortResult::SettingsRefused}}) {
        rig.wire.failNextOpen(c.error);
        EXPECT_EQ(rig.tirrelPort.open(1, 2400, 'E'), c.result) << c.error;
        EXPECT_FALSE(rig.tirrelPort.isOpen());
        EXPECT_TRUE(rig.tirrelPort.reply().empty());
        if (c.result == PortResult::CannotOpen) {
            EXPECT_EQ(rig.tirrelPort.lastError(), PortError::OpenFailed);
        }
        // The failure is not sticky: the next open works.
        EXPECT_EQ(rig.tirrelPort.open(1, 2400, 'E'), PortResult::Done);
        rig.tirrelPort.close();
    }
}

TEST_F(SerialPortTest, CloseWithoutPortIsRefusedSilently)
{
    EXPECT_EQ(rig.classicPort.close(), PortResult::NotOpen);
    EXPECT_EQ(rig.tirrelPort.close(), PortResult::NotOpen);
    EXPECT_TRUE(rig.ui.boxes().empty());
}

TEST_F(SerialPortTest, FailingCloseIsShownByClassicPortAndForgetsTheHandle)
{
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    rig.wire.failNextClose(EIO);
    EXPECT_EQ(rig.classicPort.close(), PortResult::CloseFailed);
    ASSERT_EQ(rig.ui.boxes().size(), 1u);
    EXPECT_EQ(rig.ui.boxes()[0].request.caption, "Error");
    EXPECT_EQ(rig.ui.boxes()[0].request.text, "Error (5) closing com Port!");
    EXPECT_FALSE(rig.classicPort.isOpen());
    EXPECT_TRUE(rig.classicPort.reply().empty());
    EXPECT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);

    ASSERT_EQ(rig.classicPort.close(), PortResult::Done);
    ASSERT_EQ(rig.tirrelPort.open(1, 2400, 'D'), PortResult::Done);
    rig.wire.failNextClose(EIO);
    EXPECT_EQ(rig.tirrelPort.close(), PortResult::CloseFailed);
    EXPECT_EQ(rig.ui.boxes().size(), 1u);
    EXPECT_FALSE(rig.tirrelPort.isOpen());
}

TEST_F(SerialPortTest, FailedReadsSayWhyInTheLastError)
{
    struct Case {
        const char* what;
        std::function<void(testsupport::MemoryWire&)> fault;
        PortError error;
        int systemError;
        std::int64_t waitedMs;
    };
    const Case cases[] = {
        {"time-out", [](auto&) {}, PortError::Timeout, 0, 3000},
        {"line error", [](auto& w) { w.injectLineError(100); }, PortError::LineError, 0, 100},
        {"read call failed", [](auto& w) { w.failReads(EIO); }, PortError::System, EIO, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (SerialPort* port : {static_cast<SerialPort*>(&rig.tirrelPort),
                                 static_cast<SerialPort*>(&rig.classicPort)}) {
            ASSERT_EQ(port == &rig.tirrelPort ? rig.tirrelPort.open(1, 2400, 'D')
                                              : rig.classicPort.open(1, 2400),
                      PortResult::Done);
            c.fault(rig.wire);
            const std::int64_t start = rig.now();
            EXPECT_EQ(port->readByte(), -1);
            EXPECT_EQ(port->lastError(), c.error);
            EXPECT_EQ(port->systemError(), c.systemError);
            EXPECT_EQ(rig.now() - start, c.waitedMs);
            rig.wire.failReads(0);
            port->close();
        }
    }
}

TEST_F(SerialPortTest, PushedBackByteIsReadWithoutTouchingTheLine)
{
    ASSERT_EQ(rig.tirrelPort.open(1, 2400, 'E'), PortResult::Done);
    rig.wire.failReads(EIO);
    rig.tirrelPort.pushBack(0x7E);
    EXPECT_EQ(rig.tirrelPort.readByte(), 0x7E);
    EXPECT_EQ(rig.tirrelPort.lastError(), PortError::None);
    EXPECT_EQ(rig.tirrelPort.readByte(), -1);
}

TEST(SerialPortStall, BlockReadGivesUpAfterTwoQuietSeconds)
{
    struct Case {
        std::vector<int> gapsMs;
        int result;
        std::int64_t endsAtMs;
    };
    const Case cases[] = {
        {{0, 1900, 1900, 1900}, kOk, 5700},
        {{0, 1900, 2100}, kNoReply, 3900}, // the per-byte time-out (3 s) has not run out
        {{2500}, kNoReply, 2000},
        {{0, 0, 0}, kNoReply, 2000}, // three of four bytes, then silence
    };
    for (const Case& c : cases) {
        TricklePeer peer;
        peer.bytes = {1, 2, 3, 4};
        peer.gapsMs = c.gapsMs;
        peer.bytes.resize(c.gapsMs.size());
        LinkRig rig(peer);
        ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
        rig.classicPort.writeByte(0);
        EXPECT_EQ(rig.classicPort.readBlock(4), c.result);
        EXPECT_EQ(rig.now(), c.endsAtMs);
        if (c.result != kOk) {
            EXPECT_EQ(rig.classicPort.lastError(), PortError::Timeout);
        }
    }
}

TEST_F(SerialPortTest, BlockReadLongerThanTheBufferGrowsIt)
{
    std::vector<std::uint8_t> data(700);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    peer.setHandler([&](auto, sim::LineOutput& out) { out.send(data); });
    ASSERT_EQ(rig.tirrelPort.open(1, 2400, 'D'), PortResult::Done);
    EXPECT_EQ(rig.tirrelPort.reply().size(), SerialPort::kReplyBufferBytes);
    rig.tirrelPort.writeByte(0);
    ASSERT_EQ(rig.tirrelPort.readBlock(data.size()), kOk);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), rig.tirrelPort.reply().begin()));
}

TEST_F(SerialPortTest, PortClosedWhileWaitingEndsTheReadSafely)
{
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    rig.time.startTimer(500, [&] { rig.classicPort.close(); });
    EXPECT_EQ(rig.classicPort.readBlock(10), kNoReply);
    EXPECT_FALSE(rig.classicPort.isOpen());
    EXPECT_EQ(rig.classicPort.readBytes(10), kNoReply);
}

TEST_F(SerialPortTest, DrainEndsAfterHalfASecondOfQuietAndRestoresTheTimeouts)
{
    peer.setHandler([](auto, sim::LineOutput& out) {
        out.send(std::vector<std::uint8_t>{1, 2, 3});
        out.send(std::vector<std::uint8_t>{4}, 400);
    });
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    rig.classicPort.writeByte(0);
    rig.classicPort.pushBack(9);
    EXPECT_EQ(rig.classicPort.drain(), kOk);
    EXPECT_EQ(rig.now(), 900);
    EXPECT_EQ(rig.wire.pendingBytes(), 0u);
    EXPECT_EQ(rig.classicPort.readTimeoutMs(), 3000);
    EXPECT_EQ(rig.classicPort.writeTimeoutMs(), 3000);
    EXPECT_EQ(rig.classicPort.readByte(), -1); // push-back emptied too
}

TEST_F(SerialPortTest, DrainOfALineThatNeverGoesQuietStops)
{
    peer.setHandler([](auto, sim::LineOutput& out) {
        for (int i = 0; i < 1000; ++i)
            out.send(std::vector<std::uint8_t>{0x55}, 100 * i);
    });
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    rig.classicPort.writeByte(0);
    EXPECT_EQ(rig.classicPort.drain(), kOk);
    EXPECT_LE(rig.now(), SerialPort::kDrainLimitMs + 100);
}

TEST_F(SerialPortTest, ReadCountRestoresTheCallersTimeouts)
{
    peer.setHandler([](auto, sim::LineOutput& out) { out.send(std::vector<std::uint8_t>{1, 2}); });
    ASSERT_EQ(rig.tirrelPort.open(1, 2400, 'E'), PortResult::Done);
    ASSERT_EQ(rig.tirrelPort.setTimeouts(1000, 2000), PortResult::Done);
    rig.tirrelPort.writeByte(0);
    EXPECT_EQ(rig.tirrelPort.readCount(2), kOk);
    EXPECT_EQ(rig.tirrelPort.readCount(1), kNoReply);
    EXPECT_EQ(rig.now(), 500);
    EXPECT_EQ(rig.tirrelPort.readTimeoutMs(), 1000);
    EXPECT_EQ(rig.tirrelPort.writeTimeoutMs(), 2000);
    const std::int64_t start = rig.now();
    rig.tirrelPort.readByte();
    EXPECT_EQ(rig.now() - start, 1000);
}

TEST_F(SerialPortTest, SetTimeoutsNeedsAnOpenPort)
{
    EXPECT_EQ(rig.classicPort.setTimeouts(500, 500), PortResult::NotOpen);
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    EXPECT_EQ(rig.classicPort.setTimeouts(500, 500), PortResult::Done);
    EXPECT_EQ(rig.classicPort.setTimeouts(-1, 500), PortResult::BadValue);
}

TEST_F(SerialPortTest, ReadLineStopsAt255CharactersOrAtTheFirstFailedRead)
{
    std::string text(300, 'x');
    text[10] = '\0';
    peer.setHandler([&](auto, sim::LineOutput& out) {
        out.send(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    });
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    rig.classicPort.writeByte(0);
    const std::string first = rig.classicPort.readLine();
    EXPECT_EQ(first.size(), 255u);
    EXPECT_EQ(first, text.substr(0, 255));
    const std::string rest = rig.classicPort.readLine();
    EXPECT_EQ(rest, text.substr(255));
    EXPECT_EQ(rig.now(), 3000);
    EXPECT_EQ(rig.classicPort.readLine(), "");
}

TEST_F(SerialPortTest, WriteTextLimitIsClassicPortsOnly)
{
    const std::string fits(299, 'a');
    const std::string tooLong(300, 'b');
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    EXPECT_EQ(rig.classicPort.writeText(fits), kOk);
    EXPECT_EQ(rig.classicPort.writeText(tooLong), kNoReply);
    EXPECT_EQ(rig.wire.writtenText(), fits);
    rig.classicPort.close();
    ASSERT_EQ(rig.tirrelPort.open(1, 2400, 'D'), PortResult::Done);
    EXPECT_EQ(rig.tirrelPort.writeText(tooLong), kOk);
    EXPECT_EQ(rig.wire.writtenText(), fits + tooLong);
}

TEST_F(SerialPortTest, WritesFailOnAClosedPortOrAFailingLine)
{
    EXPECT_EQ(rig.classicPort.writeByte(1), kNoReply);
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    rig.wire.failWrites(EIO);
    EXPECT_EQ(rig.classicPort.writeText("AT"), kNoReply);
    EXPECT_EQ(rig.classicPort.lastError(), PortError::System);
    EXPECT_EQ(rig.classicPort.systemError(), EIO);
}

TEST_F(SerialPortTest, PauseKeepsTimersRunning)
{
    int ticks = 0;
    rig.time.startTimer(100, [&] { ++ticks; });
    rig.classicPort.pause(1000);
    EXPECT_EQ(ticks, 10);
    EXPECT_EQ(rig.now(), 1000);
}

TEST(PortPath, LocalPortLinkWinsOverTheSystemDevice)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("bv-port-path-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "ports");
    std::ofstream(dir / "ports" / "COM2").put('x');
    std::filesystem::create_symlink("/nonexistent/ttyUSB7", dir / "ports" / "COM3");

    EXPECT_EQ(portDevicePath(dir, 1), "/dev/ttyS0");
    EXPECT_EQ(portDevicePath(dir, 2), (dir / "ports" / "COM2").string());
    EXPECT_EQ(portDevicePath(dir, 3), (dir / "ports" / "COM3").string());
    EXPECT_EQ(portDevicePath(dir, 10), "/dev/ttyS9");
    EXPECT_EQ(portDevicePath(dir, 0), "");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace bv::station::testing
