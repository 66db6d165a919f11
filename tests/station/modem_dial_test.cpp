#include <gtest/gtest.h>

#include "link_rig.h"
#include "station/modem_dial.h"
#include "station/result_codes.h"
#include "station/tirrel_link.h"

namespace bv::station::testing {
namespace {

// A modem that answers its initialisation with "OK" and a dial command with
// the scripted replies, each at its time after the dial command.
class ScriptedModem : public sim::LinePeer {
  public:
    struct Reply {
        int afterMs;
        std::string text;
    };
    void onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out) override
    {
        for (std::uint8_t b : bytes) {
            if (b != '\r') {
                line_.push_back(static_cast<char>(b));
                continue;
            }
            lines.push_back(line_);
            if (line_.starts_with("ATD")) {
                for (const Reply& r : replies)
                    out.send(std::span(reinterpret_cast<const std::uint8_t*>(r.text.data()),
                                       r.text.size()),
                             r.afterMs);
            } else {
                out.send(std::vector<std::uint8_t>{'O', 'K', '\r', '\n'});
            }
            line_.clear();
        }
    }
    std::vector<Reply> replies;
    std::vector<std::string> lines;

  private:
    std::string line_;
};

struct DialRig {
    DialRig() { EXPECT_EQ(rig.classicPort.open(2, 2400), PortResult::Done); }
    int dial(DialCheck check, ModemDialSettings settings = {})
    {
        return dialStation(
            rig.classicPort, "5551234", settings, check,
            StationMessages{[this](const std::string& text) { status.push_back(text); },
                            [this](const std::string& text) { log.push_back(text); }});
    }
    ScriptedModem modem;
    LinkRig rig{modem};
    std::vector<std::string> log;
    std::vector<std::string> status;
};

// Init: 1 s wait, then its reply line read until 3 s of quiet; dial: 15 s wait.
constexpr std::int64_t kDialedAtMs = 1000 + 3000;
constexpr std::int64_t kFirstCheckMs = kDialedAtMs + 15000 + 2000;

TEST(ModemDial, SendsInitialisationAndToneOrPulseDialCommand)
{
    for (bool rotary : {false, true}) {
        DialRig d;
        ModemDialSettings settings;
        settings.rotaryDial = rotary;
        d.modem.replies = {{100, "CONNECT 2400\r\n"}};
        EXPECT_EQ(d.dial(DialCheck::AwaitResult, settings), kDone);
        EXPECT_EQ(d.modem.lines,
                  (std::vector<std::string>{"AT &F0 E &M Q V1 X4 S7=60",
                                            rotary ? "ATDP5551234" : "ATDT5551234"}));
        EXPECT_EQ(d.status.front(), "Viraraz is connecting to your remote station.");
        EXPECT_TRUE(d.log.empty());
    }
}

TEST(ModemDial, ResultWordsDecideTheOutcome)
{
    struct Case {
        std::vector<ScriptedModem::Reply> replies;
        int result;
        std::int64_t endsAtMs;
    };
    // Each pass waits 2 s, then reads until 3 s of quiet.
    const Case cases[] = {
        {{{16000, "CONNECT 9600/ARQ\r\n"}}, kDone, kFirstCheckMs + 3000},
        {{{16000, "\r\nRING\r\n"}, {21500, "CONNECT\r\n"}}, kDone, kFirstCheckMs + 5000 + 3000},
        {{{26000, "NO CARRIER\r\n"}}, kDialFailed, kFirstCheckMs + 5000 * 2 + 3000},
        {{{16000, "BUSY\r\n"}}, kDialFailed, kFirstCheckMs + 3000},
        {{{16000, "NO DIALTONE\r\n"}}, kDialFailed, kFirstCheckMs + 3000},
        {{{16000, "NO DIAL TONE\r\n"}}, kDialFailed, kFirstCheckMs + 3000},
        {{{16000, "NO ANSWER\r\n"}}, kDialFailed, kFirstCheckMs + 3000},
        {{{16000, "NO CARRIER CONNECT\r\n"}}, kDone, kFirstCheckMs + 3000},
        {{}, kDialFailed, kDialedAtMs + 15000 + 15 * 5000},
    };
    for (const Case& c : cases) {
        DialRig d;
        d.modem.replies = c.replies;
        EXPECT_EQ(d.dial(DialCheck::AwaitResult), c.result);
        EXPECT_EQ(d.rig.now(), c.endsAtMs);
        if (c.result == kDialFailed) {
            const std::string failed =
                "Dialing to remote modem. Connection Failed. Check settings.";
            EXPECT_EQ(d.log, std::vector<std::string>{failed});
            EXPECT_EQ(d.status.back(), failed);
        } else {
            EXPECT_TRUE(d.log.empty());
        }
    }
}

TEST(ModemDial, DialOnlyDoesNotReadTheResult)
{
    DialRig d;
    d.modem.replies = {{16000, "NO CARRIER\r\n"}};
    EXPECT_EQ(d.dial(DialCheck::DialOnly), kDone);
    EXPECT_EQ(d.rig.now(), kDialedAtMs + 15000);
    EXPECT_TRUE(d.log.empty());
}

TEST(ModemDial, TirrelLinkDialsWithoutReadingTheResult)
{
    ScriptedModem modem;
    LinkRig rig(modem);
    ASSERT_EQ(rig.tirrelPort.open(1, 1200, 'E'), PortResult::Done);
    TirrelLink link(rig.tirrelPort);
    EXPECT_EQ(link.dialStation("42", ModemDialSettings{"ATZ", false}, {}), kDone);
    EXPECT_EQ(modem.lines, (std::vector<std::string>{"ATZ", "ATDT42"}));
    EXPECT_EQ(rig.now(), kDialedAtMs + 15000);
}

TEST(ModemDial, TimersKeepRunningWhileDialing)
{
    DialRig d;
    int ticks = 0;
    d.rig.time.startTimer(1000, [&] { ++ticks; });
    d.dial(DialCheck::DialOnly);
    EXPECT_EQ(ticks, 19);
}

} // namespace
} // namespace bv::station::testing
