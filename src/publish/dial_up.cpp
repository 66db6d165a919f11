#include "publish/dial_up.h"

#include <algorithm>
#include <cctype>

#include "app/base/event_log.h"
#include "app/base/strings_publish.h"
#include "app/base/text_pattern.h"
#include "platform/event_loop.h"

namespace bv::publish {

namespace strings = app::strings;

namespace {

// Results of the dialing dialog.
constexpr int kDialConnected = 1;
constexpr int kDialAborted = -1;
constexpr int kDialFailed = -2;
// The pause after a cancelled or failed dial, before it is logged.
constexpr int kAfterFailureMs = 3000;

bool holdsLetterOrDigit(const std::string& text)
{
    return std::ranges::any_of(text,
                               [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

} // namespace

bool WithoutDialUp::hangUp(const app::ConfigRecord&)
{
    if (closeStationLink_)
        closeStationLink_();
    return true;
}

std::vector<std::string> DialerDialUp::phonebookEntries() const
{
    return dialer_.phonebookEntries();
}

DialResult DialerDialUp::dialUp(const app::ConfigRecord& config)
{
    if (!holdsLetterOrDigit(config.dialupEntry)) {
        log_.logEventId(strings::kDialupInvalidEntry.id);
        return DialResult::UnusableEntry;
    }
    if (dialer_.connectionActive(config.dialupEntry))
        return DialResult::Connected;
    const int result = dialer_.runDial(config);
    switch (result) {
    case kDialConnected:
        log_.logEventId(strings::kDialupConnected.id);
        return DialResult::Connected;
    case kDialAborted:
        loop_.pause(kAfterFailureMs);
        log_.logEventId(strings::kDialupAborted.id);
        return DialResult::Failed;
    case kDialFailed:
        hangUp(config);
        loop_.pause(kAfterFailureMs);
        log_.logEventId(strings::kDialupConnectError.id);
        return DialResult::Failed;
    default:
        // Not a result the dialog gives: a fault, never a connection.
        hangUp(config);
        log_.logEvent(app::fillPattern(strings::kDialupUnknownResult, {std::to_string(result)}));
        return DialResult::Failed;
    }
}

bool DialerDialUp::hangUp(const app::ConfigRecord& config)
{
    log_.logEventId(strings::kHangingUp.id);
    return dialer_.hangUp(config.dialupEntry);
}

} // namespace bv::publish
