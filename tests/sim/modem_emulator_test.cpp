#include <gtest/gtest.h>

#include "sim/modem_emulator.h"
#include "sim_fixture.h"

namespace bv::sim {
namespace {

using test::RecordingOutput;

std::vector<std::uint8_t> bytesOf(const std::string& s)
{
    return {s.begin(), s.end()};
}

struct ModemLine {
    ModemLine() : station(test::StationLine::configFor("Carrow III")), modem(&station) {}

    std::string type(const std::string& text)
    {
        modem.onBytes(bytesOf(text), out);
        return out.takeText();
    }
    // Sends the program's init string and dial command, then lets the call
    // come up.
    void connect(const std::string& number = "5551234")
    {
        type("AT &F0 E &M Q V1 X4 S7=60\r");
        type("ATDT" + number + "\r");
        out.now += 10'000;
    }

    StationSimulator station;
    ModemEmulator modem;
    RecordingOutput out;
};

TEST(ModemEmulator, AnswersTheInitStringAndTurnsEchoOff)
{
    ModemLine line;
    EXPECT_EQ(line.type("AT &F0 E &M Q V1 X4 S7=60\r"), "AT &F0 E &M Q V1 X4 S7=60\r\r\nOK\r\n");
    EXPECT_FALSE(line.modem.echoOn());
    EXPECT_EQ(line.type("ATZ\r"), "\r\nOK\r\n");
    EXPECT_EQ(line.type("AT\r"), "AT\r\r\nOK\r\n") << "ATZ restored echo";
    EXPECT_EQ(line.modem.commandLines(),
              (std::vector<std::string>{"AT &F0 E &M Q V1 X4 S7=60", "ATZ", "AT"}));
}

TEST(ModemEmulator, ConnectsAndPassesTheStationThrough)
{
    ModemLine line;
    line.type("ATE0\r");
    line.modem.onBytes(bytesOf("ATDT5551234\r"), line.out);
    ASSERT_FALSE(line.out.sent.empty());
    EXPECT_EQ(line.out.sent.front().atMs, 10'000);
    EXPECT_EQ(line.out.takeText(), "\r\nCONNECT 2400\r\n");
    ASSERT_EQ(line.modem.dials().size(), 1u);
    EXPECT_EQ(line.modem.dials()[0].number, "5551234");
    EXPECT_FALSE(line.modem.dials()[0].pulse);

    EXPECT_TRUE(line.type("WRD\x12M\r").empty()) << "still dialling: ignored";
    line.out.now = 10'000;
    EXPECT_TRUE(line.modem.online(line.out.now));
    const auto reply = line.type(std::string("WRD\x12M\r"));
    ASSERT_EQ(reply.size(), 2u);
    EXPECT_EQ(reply[0], 0x06);
    EXPECT_EQ(reply[1] & 0x0F, 0) << "Carrow III behind the modem";
}

TEST(ModemEmulator, ScriptedFailuresReportTheirWordsAndStayInCommandMode)
{
    struct Case {
        DialResult result;
        const char* text;
    };
    for (const Case& c :
         {Case{DialResult::Busy, "\r\nBUSY\r\n"}, Case{DialResult::NoCarrier, "\r\nNO CARRIER\r\n"},
          Case{DialResult::NoDialtone, "\r\nNO DIALTONE\r\n"},
          Case{DialResult::NoAnswer, "\r\nNO ANSWER\r\n"}, Case{DialResult::Silence, ""}}) {
        ModemLine line;
        line.type("ATE0\r");
        line.modem.scriptDial({c.result, 3000, "", -1});
        EXPECT_EQ(line.type("ATDP 555 1234\r"), c.text);
        EXPECT_TRUE(line.modem.dials()[0].pulse);
        line.out.now += 3000;
        EXPECT_FALSE(line.modem.online(line.out.now));
        EXPECT_EQ(line.type("AT\r"), "\r\nOK\r\n");
    }
}

TEST(ModemEmulator, ScriptedOutcomesAreUsedInOrder)
{
    ModemLine line;
    line.type("ATE0\r");
    line.modem.scriptDial({DialResult::Busy, 1000, "", -1});
    line.modem.scriptDial({DialResult::Connect, 2000, "CONNECT 1200", -1});
    EXPECT_EQ(line.type("ATDT1\r"), "\r\nBUSY\r\n");
    line.out.now += 1000;
    EXPECT_EQ(line.type("ATDT1\r"), "\r\nCONNECT 1200\r\n");
    line.out.now += 2000;
    EXPECT_TRUE(line.modem.online(line.out.now));
}

TEST(ModemEmulator, NumericAndQuietResults)
{
    ModemLine line;
    EXPECT_EQ(line.type("ATE0V0\r"), "ATE0V0\r0\r");
    EXPECT_EQ(line.type("ATDT5\r"), "10\r");
    ModemLine quiet;
    EXPECT_EQ(quiet.type("ATE0Q1\r"), "ATE0Q1\r");
    EXPECT_EQ(quiet.type("ATDT5\r"), "");
    EXPECT_EQ(quiet.type("AT!\r"), "");
    EXPECT_EQ(line.type("hello\r"), "") << "not a command line";
}

TEST(ModemEmulator, DialStringsThatKeepTheModemInCommandModeRecordTheKeyedDigits)
{
    ModemLine line;
    line.type("ATE0\r");
    EXPECT_EQ(line.type("atdt5551234,,,;\r"), "\r\nOK\r\n");
    EXPECT_EQ(line.type("atx3d1*12*85*#,,,;ATH0\r"), "\r\nOK\r\n");
    EXPECT_EQ(line.type("ATDT1234@,,,,11,11#,,;ATH0\r"), "\r\nOK\r\n");
    const auto& dials = line.modem.dials();
    ASSERT_EQ(dials.size(), 3u);
    EXPECT_EQ(dials[0].number, "5551234");
    EXPECT_EQ(dials[0].dialString, "5551234,,,");
    EXPECT_TRUE(dials[0].staysInCommandMode);
    EXPECT_EQ(dials[1].dialString, "1*12*85*#,,,");
    EXPECT_EQ(dials[2].number, "1234");
    EXPECT_EQ(dials[2].dialString, "1234@,,,,11,11#,,");
    EXPECT_FALSE(line.modem.online(line.out.now));
}

TEST(ModemEmulator, ALostCarrierEndsTheCall)
{
    ModemLine line;
    line.modem.scriptDial({DialResult::Connect, 10'000, "CONNECT 2400", 5000});
    line.connect();
    EXPECT_TRUE(line.modem.online(line.out.now));
    line.out.now += 6000;
    EXPECT_EQ(line.type(std::string("WRD\x12M\r")), "\r\nNO CARRIER\r\n");
    EXPECT_EQ(line.type("AT\r"), "\r\nOK\r\n");
}

TEST(ModemEmulator, ReopeningTheLineHangsUp)
{
    ModemLine line;
    line.connect();
    EXPECT_TRUE(line.modem.online(line.out.now));
    line.modem.onOpen({});
    EXPECT_FALSE(line.modem.online(line.out.now));
    EXPECT_EQ(line.type("AT\r"), "\r\nOK\r\n");
}

TEST(ModemEmulator, BadCommandCharactersGiveError)
{
    ModemLine line;
    line.type("ATE0\r");
    EXPECT_EQ(line.type("AT!\r"), "\r\nERROR\r\n");
}

} // namespace
} // namespace bv::sim
