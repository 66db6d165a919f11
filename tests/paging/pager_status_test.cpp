#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "paging/pager_status.h"
#include "sim/paging_service.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::paging {
namespace {

class PagerStatusTest : public ::testing::Test {
  protected:
    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    // The modem answers OK to the init and to a dial ending in ';'; data calls
    // reach its TAP terminal.
    sim::PagingService service;
    testsupport::MemoryWire wire{time, service};
    std::string modemInit = "ATZ";
    station::ClassicPort port{station::PortServices{
        time, time, ui, wire.factory(), [](int n) { return "COM" + std::to_string(n); }}};
    std::vector<std::string> log;
    std::vector<int> advanced;
    int beeps = 0;
    PagerStatus status{PagerStatusServices{time, port,
                                           [this] {
                                               return ModemSetup{2, modemInit};
                                           },
                                           [this](const std::string& line) { log.push_back(line); },
                                           [](std::string_view) {}, [this] { ++beeps; },
                                           [](bool) {}, [this](int s) { advanced.push_back(s); }}};
    testsupport::TempDir dir;
    int finishedCalls = 0;

    static PagerEntry entry(std::string name, EntryKind kind)
    {
        PagerEntry e;
        e.name = std::move(name);
        e.kind = kind;
        e.number = "5551234";
        e.connectDelaySec = 5;
        return e;
    }

    // Sends the queue and runs the loop until the window closes.
    void send(const std::vector<std::pair<PagerEntry, std::string>>& pages)
    {
        const auto file = dir.path() / "sendpages.dat";
        std::ofstream out(file);
        for (const auto& [e, line] : pages)
            out << formatPagerLine(e) << '\n' << line << '\n';
        out.close();
        status.sendQueue(file, [this] { ++finishedCalls; });
        for (int i = 0; i < 1000 && status.running(); ++i)
            time.pause(1000);
        EXPECT_EQ(finishedCalls, 1);
    }

    int countIn(const std::string& text, const std::string& what) const
    {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    }

    bool logged(const std::string& line) const
    {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
};

TEST_F(PagerStatusTest, SendsNumericPagesOneAfterTheOther)
{
    send({{entry("Bob", EntryKind::Numeric), "1*12*85*#,,,;ATH0\r"},
          {entry("Ann", EntryKind::Numeric), "0*72*#,,,;ATH0\r"}});
    // Three pauses for the 5-second delay after connection, then the digits.
    EXPECT_EQ(service.toneCalls(), (std::vector<sim::ToneCall>{{"5551234", ",,,1*12*85*#,,,"},
                                                               {"5551234", ",,,0*72*#,,,"}}));
    EXPECT_TRUE(logged("Sending Page to Numeric entry \"Bob\"."));
    EXPECT_TRUE(logged("Pager string \" 1-12-85- \" sent to Numeric pager \"Bob\" ."));
    EXPECT_TRUE(logged("Pager string \" 0-72- \" sent to Numeric pager \"Ann\" ."));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PagerStatusTest, ReportsANumericPageTheModemNeverConnectedAsNotSent)
{
    modemInit = "ATQ1"; // a quiet modem sends no result codes
    send({{entry("Bob", EntryKind::Numeric), "1*12*#,,,;ATH0\r"}});
    EXPECT_EQ(service.toneCalls(), (std::vector<sim::ToneCall>{{"5551234", ",,,"}}));
    EXPECT_TRUE(logged("Page to Numeric pager \"Bob\" not sent: the modem did not answer OK."));
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.find("sent to") != l.npos; }),
              0);
}

TEST_F(PagerStatusTest, APortThatWillNotOpenDropsTheQueueWithoutASentLine)
{
    wire.failNextOpen(ENOENT);
    send({{entry("Home", EntryKind::Telephone), "ATDT5551234@,,,,11#,,;ATH0\r"},
          {entry("Bob", EntryKind::Numeric), "1*12*#,,,;ATH0\r"}});
    EXPECT_EQ(log, std::vector<std::string>{"Error in opening Modem com port."});
    EXPECT_EQ(wire.openCount(), 0);
}

TEST_F(PagerStatusTest, CancelHangsUpATelephoneCallAndDropsTheRest)
{
    const auto file = dir.path() / "sendpages.dat";
    std::ofstream(file) << formatPagerLine(entry("Home", EntryKind::Telephone)) << "\n"
                        << "ATDT5551234@,,,,11#,,;ATH0\r\n"
                        << formatPagerLine(entry("Bob", EntryKind::Numeric)) << "\n"
                        << "1*12*#,,,;ATH0\r\n";
    status.sendQueue(file, [this] { ++finishedCalls; });
    time.pause(20000); // inside the 40-second wait of the call
    ASSERT_TRUE(port.isOpen());
    status.cancel();
    time.pause(60000);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(finishedCalls, 1);
    EXPECT_EQ(service.toneCalls(), (std::vector<sim::ToneCall>{{"5551234", "@,,,,11#,,"}}));
    EXPECT_FALSE(logged("Sent alarm to Telephone entry \"Home\"."));
}

TEST_F(PagerStatusTest, RedialsABusyServiceAndSendsTheTapBlock)
{
    service.scriptDial({sim::DialResult::Busy});
    PagerEntry pager = entry("Pat", EntryKind::AlphaNumeric);
    pager.access = "1234";
    pager.advanced.protocol = AdvancedSettings::kAutomatic;
    send({{pager, "abc"}});
    EXPECT_EQ(countIn(wire.writtenText(), "ATDT5551234\r"), 2);
    EXPECT_EQ(service.pages(),
              (std::vector<sim::ReceivedPage>{{"1234", "abc", false, true, false}}));
    EXPECT_EQ(wire.settings().dataBits, 7);
    EXPECT_TRUE(logged("\"abc\""));
    EXPECT_TRUE(logged("Following Pager string sent to Alphanumeric Pager \"Pat\"."));
    EXPECT_EQ(advanced, std::vector<int>{60});
}

TEST_F(PagerStatusTest, ARefusedBlockIsSentAgainAndThreeRefusalsHangUpAndRedial)
{
    PagerEntry pager = entry("Pat", EntryKind::AlphaNumeric);
    pager.access = "1234";
    pager.advanced.protocol = AdvancedSettings::kAutomatic;
    const sim::ReceivedPage refused{"1234", "abc", false, true, true};
    const sim::ReceivedPage taken{"1234", "abc", false, true, false};
    const struct {
        int refusals;
        int calls;
        std::vector<sim::ReceivedPage> blocks;
    } cases[] = {
        {1, 1, {refused, taken}},
        {3, 2, {refused, refused, refused, taken}}, // the second call gets through
    };
    for (const auto& c : cases) {
        const std::size_t blocksBefore = service.pages().size();
        const int callsBefore = countIn(wire.writtenText(), "ATDT5551234\r");
        const int opensBefore = wire.openCount();
        service.refuseBlocks(c.refusals);
        finishedCalls = 0;
        send({{pager, "abc"}});
        EXPECT_EQ(countIn(wire.writtenText(), "ATDT5551234\r") - callsBefore, c.calls);
        EXPECT_EQ(wire.openCount() - opensBefore, c.calls) << "a hang-up before each new call";
        EXPECT_EQ(std::vector(service.pages().begin() + static_cast<long>(blocksBefore),
                              service.pages().end()),
                  c.blocks);
    }
    EXPECT_FALSE(logged("Error in sending Page to Alphanumeric Pager \\\"Pat\\\" ."));
}

TEST_F(PagerStatusTest, ThreeFailedAlphanumericAttemptsAreLoggedAsAnError)
{
    for (int i = 0; i < 3; ++i)
        service.scriptDial({sim::DialResult::NoCarrier});
    send({{entry("Pat", EntryKind::AlphaNumeric), "abc"},
          {entry("Beeper", EntryKind::PcSpeaker), "beep"}});
    EXPECT_EQ(countIn(wire.writtenText(), "ATDT5551234\r"), 3);
    EXPECT_TRUE(logged("Error in sending Page to Alphanumeric Pager \\\"Pat\\\" ."));
    EXPECT_FALSE(logged("\"abc\""));
    EXPECT_TRUE(service.pages().empty());
    EXPECT_EQ(beeps, 1);
}

TEST_F(PagerStatusTest, TypesTheIdAndMessageAtTheManualPrompts)
{
    PagerEntry pager = entry("Pat", EntryKind::AlphaNumeric);
    pager.access = "1234";
    pager.advanced.protocol = AdvancedSettings::kManual;
    send({{pager, "0- Weather 72 "}});
    EXPECT_EQ(service.pages(),
              (std::vector<sim::ReceivedPage>{{"1234", "0- Weather 72 ", true, true, false}}));
    EXPECT_TRUE(logged("\"0- Weather 72\"")) << "the log leaves off the last character";
    EXPECT_EQ(advanced, std::vector<int>{60});
}

} // namespace
} // namespace bv::paging
