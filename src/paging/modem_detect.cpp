#include "paging/modem_detect.h"

#include "app/base/strings_paging.h"
#include "app/base/strings_station.h"
#include "app/base/text_pattern.h"
#include "station/result_codes.h"

namespace bv::paging {
namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 10;
constexpr int kDetectBaud = 300;
constexpr int kTimeoutMs = 1000;
constexpr int kSettleMs = 1000;
constexpr std::string_view kResetCommand = "ATE0Q0V1\r";
constexpr std::string_view kAttention = "AT\r";
constexpr int kDiscardBytes = 15;
constexpr int kAnswerBytes = 6;
constexpr std::string_view kOk = "OK";

bool answersAt(station::ClassicPort& port, int number)
{
    if (port.open(number, kDetectBaud) != station::PortResult::Done)
        return false;
    port.setTimeouts(kTimeoutMs, kTimeoutMs);
    port.pause(kSettleMs);
    port.writeText(kResetCommand);
    port.readCount(kDiscardBytes);
    port.pause(kSettleMs);
    port.writeText(kAttention);
    std::string answer;
    for (int i = 0; i < kAnswerBytes; ++i) {
        const int byte = port.readByte();
        if (byte < 0)
            break;
        answer += static_cast<char>(byte);
    }
    port.close();
    return answer.find(kOk) != std::string::npos;
}

} // namespace

int detectModemPort(station::ClassicPort& port, app::Shell& shell)
{
    if (shell.confirmBox(app::strings::kModemAutoDetectConfirm, platform::MessageButtons::YesNo) !=
        platform::MessageResult::Yes)
        return 0;
    for (int number = kFirstPort; number <= kLastPort; ++number) {
        if (!answersAt(port, number))
            continue;
        const std::string found =
            app::fillPattern(app::strings::kModemFound, {std::to_string(number)});
        if (shell.messageBox(app::strings::kSelectModemCaption, found,
                             platform::MessageButtons::YesNo,
                             platform::MessageIcon::Question) == platform::MessageResult::Yes)
            return number;
    }
    shell.messageBox(app::strings::kAutoDetectCaption, app::strings::kNoMoreModems,
                     platform::MessageButtons::Ok, platform::MessageIcon::Information);
    return 0;
}

} // namespace bv::paging
