#include "station/modem_dial.h"

#include <array>

#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/serial_port.h"

namespace bv::station {

namespace {

constexpr int kAfterInitWaitMs = 1000;
constexpr int kAfterDialWaitMs = 15000;
constexpr int kResultRounds = 15;
constexpr int kRoundWaitMs = 2000;

constexpr std::string_view kConnected = "CONNECT";
constexpr std::array<std::string_view, 5> kFailureWords{"BUSY", "NO DIALTONE", "NO DIAL TONE",
                                                        "NO ANSWER", "NO CARRIER"};

bool holdsFailureWord(std::string_view reply)
{
    for (std::string_view word : kFailureWords)
        if (reply.find(word) != std::string_view::npos)
            return true;
    return false;
}

} // namespace

int dialStation(SerialPort& port, std::string_view number, const ModemDialSettings& settings,
                DialCheck check, const StationMessages& messages)
{
    messages.status(std::string(kConnectingText));
    port.writeText(settings.modemInit);
    port.writeByte(protocol::kCarriageReturn);
    port.pause(kAfterInitWaitMs);
    port.readLine(); // the modem's answer to its initialisation

    port.writeText(settings.rotaryDial ? "ATDP" : "ATDT");
    port.writeText(number);
    port.writeByte(protocol::kCarriageReturn);
    port.pause(kAfterDialWaitMs);
    if (check == DialCheck::DialOnly)
        return kDone;

    for (int round = 0; round < kResultRounds; ++round) {
        port.pause(kRoundWaitMs);
        const std::string reply = port.readLine();
        if (reply.find(kConnected) != std::string::npos)
            return kDone;
        if (holdsFailureWord(reply))
            break;
    }
    messages.report(std::string(kDialFailedText));
    return kDialFailed;
}

} // namespace bv::station
