#include "paging/pager_status.h"

#include <array>
#include <utility>

#include "app/base/strings_paging.h"
#include "app/base/text_pattern.h"
#include "paging/numeric_dial.h"
#include "paging/tap_block.h"

namespace bv::paging {

namespace {
constexpr int kTickMs = 1000;
constexpr int kSecondMs = 1000;
constexpr int kModemBaud = 300; // numeric and telephone pages
constexpr int kOkChecks = 3;
constexpr int kOkRecheckSec = 2;
constexpr int kDigitsSec = 10;    // the modem keys the digits and hangs up
constexpr int kTelephoneSec = 40; // the call, its beeps and the hang-up
constexpr int kSpeakerSec = 20;
constexpr int kAlphaDialSec = 20; // from the dial to the dialogue
constexpr int kAlphaAttempts = 3;
constexpr int kBlockSends = 3; // per call, while the terminal answers NAK
constexpr int kConnectionPolls = 10;
constexpr int kPromptRepeats = 10;
constexpr int kMinPromptReply = 3;
constexpr int kTelephoneTimeoutMs = 500;
constexpr int kAdvanceAfterCallSec = 60;
constexpr std::size_t kMinInterval = 1;
constexpr std::size_t kMaxInterval = 5;
constexpr std::string_view kAlphaInit = "ATE0V1Q0\r";
constexpr std::string_view kManualLogin = "M\r";
constexpr std::string_view kConnect = "CONNECT";
constexpr std::string_view kBusy = "BUSY";
constexpr std::array<std::string_view, 5> kFailureWords{"NO DIALTONE", "NO DIAL TONE", "BUSY",
                                                        "NO ANSWER", "NO CARRIER"};

bool contains(std::string_view text, std::string_view word)
{
    return text.find(word) != std::string_view::npos;
}

bool isPrompt(std::string_view reply)
{
    return contains(reply, "ID=") || reply.size() < kMinPromptReply;
}

std::string quotedName(std::string_view name)
{
    return "\"" + std::string(name) + "\".";
}

int alphaBaud(std::uint8_t code)
{
    switch (code) {
    case AdvancedSettings::kBaud300:
        return 300;
    case AdvancedSettings::kBaud2400:
        return 2400;
    default:
        return 1200;
    }
}
} // namespace

PagerStatus::PagerStatus(PagerStatusServices services) : services_(std::move(services)) {}

PagerStatus::~PagerStatus()
{
    if (open_)
        closeWindow();
}

void PagerStatus::sendQueue(const std::filesystem::path& queueFile, std::function<void()> finished)
{
    if (open_) {
        finished();
        return;
    }
    open_ = true;
    finished_ = std::move(finished);
    queue_ = std::make_unique<SendQueueReader>(queueFile, services_.logEvent);
    services_.pagingState(true);
    if (PagerStatusView* view = this->view())
        view->openWindow([this] { cancel(); });
    timer_ = services_.loop.startTimer(kTickMs, [this] { tick(); });
    services_.loop.post([this] {
        if (open_)
            nextPage();
    });
}

void PagerStatus::nextPage()
{
    page_ = queue_ && queue_->isOpen() ? queue_->next() : std::nullopt;
    if (!page_) {
        closeWindow();
        return;
    }
    services_.pagingState(true);
    switch (page_->entry.kind) {
    case EntryKind::Numeric:
        startNumeric();
        break;
    case EntryKind::Telephone:
        startTelephone();
        break;
    case EntryKind::AlphaNumeric:
        startAlpha();
        break;
    case EntryKind::PcSpeaker:
        services_.beep();
        waitFor(Step::Speaker, kSpeakerSec);
        break;
    }
}

void PagerStatus::tick()
{
    if (counted_ < 0)
        return;
    if (++counted_ <= waitSec_)
        return;
    counted_ = -1;
    stepOver(step_);
}

void PagerStatus::waitFor(Step step, int seconds)
{
    step_ = step;
    waitSec_ = seconds;
    counted_ = 0;
}

void PagerStatus::stepOver(Step step)
{
    switch (step) {
    case Step::NumericDialed:
        checkForOk();
        break;
    case Step::NumericDigits:
        services_.port.close();
        services_.logEvent(
            app::fillPattern(app::strings::kNumericPageSent,
                             {numericDisplayText(page_->pageLine), page_->entry.name}));
        pageDone(true);
        break;
    case Step::Telephone:
        services_.port.close();
        services_.logEvent(std::string(app::strings::kTelephoneAlarmSent) +
                           quotedName(page_->entry.name));
        pageDone(true);
        break;
    case Step::Speaker:
        services_.pagingState(false);
        pageDone(true);
        break;
    case Step::AlphaDialed:
        finishAlphaAttempt();
        break;
    case Step::None:
        break;
    }
}

void PagerStatus::pageDone(bool sent)
{
    step_ = Step::None;
    if (pageReport_)
        pageReport_(page_->entry.name, sent);
    if (open_)
        nextPage();
}

void PagerStatus::closeWindow()
{
    if (!open_)
        return;
    open_ = false;
    counted_ = -1;
    step_ = Step::None;
    services_.loop.stopTimer(timer_);
    if (services_.port.isOpen())
        services_.port.close();
    queue_.reset();
    services_.pagingState(false);
    services_.showStatus("");
    if (PagerStatusView* view = this->view())
        view->closeWindow();
    if (finished_)
        std::exchange(finished_, nullptr)();
}

PagerStatusView* PagerStatus::view() const
{
    return viewOf_ ? viewOf_() : nullptr;
}

void PagerStatus::say(const std::string& text)
{
    services_.showStatus(text);
    if (PagerStatusView* view = this->view())
        view->showText(text);
    services_.logEvent(text);
}

bool PagerStatus::openPort(int baud, bool alpha)
{
    const station::PortResult result =
        alpha ? services_.port.openModem(services_.modem().comPort, baud)
              : services_.port.open(services_.modem().comPort, baud);
    if (result == station::PortResult::Done)
        return true;
    // Without the modem no page of the queue can go: the window closes.
    say(std::string(app::strings::kModemPortOpenError));
    if (pageReport_)
        pageReport_(page_->entry.name, false);
    closeWindow();
    return false;
}

bool PagerStatus::initModem(int settleMs)
{
    services_.port.pause(settleMs);
    services_.port.writeText(services_.modem().init);
    services_.port.writeByte(tap::kCr);
    services_.port.pause(kSecondMs);
    services_.port.readLine();
    return open_;
}

void PagerStatus::startNumeric()
{
    if (!openPort(kModemBaud, false) || !initModem(kSecondMs))
        return;
    say(std::string(app::strings::kSendingNumericPage) + quotedName(page_->entry.name));
    const NumericDial dial = numericDial(page_->entry);
    services_.port.writeText(dial.command);
    okChecks_ = kOkChecks;
    waitFor(Step::NumericDialed, dial.waitSec);
}

void PagerStatus::checkForOk()
{
    if (contains(services_.port.readLine(), "OK")) {
        okChecks_ = 0;
        services_.port.writeText("atx3d" + page_->pageLine);
        waitFor(Step::NumericDigits, kDigitsSec);
        return;
    }
    if (--okChecks_ > 0) {
        waitFor(Step::NumericDialed, kOkRecheckSec);
        return;
    }
    // The modem never got the call through: the digits were never keyed.
    services_.port.close();
    services_.logEvent(app::fillPattern(app::strings::kNumericPageFailed, {page_->entry.name}));
    pageDone(false);
}

void PagerStatus::startTelephone()
{
    if (!openPort(kModemBaud, false))
        return;
    services_.port.setTimeouts(kTelephoneTimeoutMs, kTelephoneTimeoutMs);
    if (!initModem(2 * kSecondMs))
        return;
    say(std::string(app::strings::kSendingTelephoneAlarm) + quotedName(page_->entry.name));
    services_.port.writeText(page_->pageLine);
    services_.port.pause(kSecondMs);
    services_.port.readLine();
    waitFor(Step::Telephone, kTelephoneSec);
}

void PagerStatus::startAlpha()
{
    say(std::string(app::strings::kSendingAlphaPage));
    if (!openPort(alphaBaud(page_->entry.advanced.baudRate), true))
        return;
    services_.port.pause(kSecondMs);
    attempt_ = 1;
    dialAlpha();
}

void PagerStatus::dialAlpha()
{
    station::ClassicPort& port = services_.port;
    port.writeText(kAlphaInit);
    port.drain();
    say(app::fillPattern(app::strings::kDialingAlphaPager, {page_->entry.name}));
    port.writeText("ATDT" + page_->entry.number + "\r");
    port.pause(kSecondMs);
    if (open_)
        waitFor(Step::AlphaDialed, kAlphaDialSec);
}

void PagerStatus::finishAlphaAttempt()
{
    const AdvancedSettings& advanced = page_->entry.advanced;
    const int interval =
        advanced.timeInterval >= kMinInterval && advanced.timeInterval <= kMaxInterval
            ? advanced.timeInterval
            : 1;
    const bool automatic = advanced.protocol == AdvancedSettings::kAutomatic;
    const bool sent = automatic ? automaticDialogue(interval) : manualDialogue(interval);
    if (!open_)
        return; // cancelled during the call
    if (!sent && attempt_ < kAlphaAttempts) {
        // A call that got through is still up (the terminal kept prompting or
        // refused the block): hang up, by dropping DTR, before dialling again.
        if (callUp_) {
            services_.port.close();
            if (!openPort(alphaBaud(advanced.baudRate), true))
                return;
        }
        ++attempt_;
        dialAlpha();
        return;
    }
    services_.port.close();
    if (sent) {
        std::string_view text = page_->pageLine;
        if (!automatic && !text.empty())
            text.remove_suffix(1); // the manual dialogue's log leaves off the last character
        services_.logEvent("\"" + std::string(text) + "\"");
        services_.logEvent(std::string(app::strings::kAlphaPageSent) + " " +
                           quotedName(page_->entry.name));
    } else {
        services_.logEvent(app::fillPattern(app::strings::kAlphaPageError, {page_->entry.name}));
    }
    pageDone(sent);
}

bool PagerStatus::waitForConnection(bool busyEndsAtOnce)
{
    bool failureSeen = false;
    for (int poll = 0; poll < kConnectionPolls && open_; ++poll) {
        const std::string reply = services_.port.readLine();
        bool failure = false;
        for (const std::string_view word : kFailureWords)
            failure = failure || contains(reply, word);
        if (contains(reply, kConnect) && !failure && !failureSeen)
            return true;
        if (failure && (failureSeen || (busyEndsAtOnce && contains(reply, kBusy))))
            break;
        failureSeen = failureSeen || failure;
        services_.port.pause(kSecondMs);
    }
    say(std::string(app::strings::kAlphaConnectFailed));
    return false;
}

bool PagerStatus::sendUntilPromptEnds(std::string_view text, std::string reply)
{
    for (int repeats = 0; isPrompt(reply); ++repeats) {
        if (repeats == kPromptRepeats || !open_) {
            services_.logEvent(
                app::fillPattern(app::strings::kAlphaIdReceiveError, {page_->entry.name}));
            return false;
        }
        services_.port.writeText(text);
        reply = services_.port.readLine();
    }
    return true;
}

bool PagerStatus::automaticDialogue(int intervalSec)
{
    station::ClassicPort& port = services_.port;
    const int extraMs = (intervalSec - 1) * kSecondMs;
    const int promptWaitMs = extraMs + 3 * kSecondMs;
    const int blockWaitMs = extraMs + kSecondMs;
    callUp_ = waitForConnection(true);
    if (!callUp_)
        return false;
    port.writeByte(tap::kCr);
    port.pause(promptWaitMs);
    if (!contains(port.readLine(), "ID=")) {
        port.writeByte(tap::kCr);
        port.pause(promptWaitMs);
        port.readLine();
    }
    port.writeText(tap::kLogin);
    if (!sendUntilPromptEnds(tap::kLogin, port.readLine()))
        return false;
    port.pause(promptWaitMs);
    // The terminal answers a block it refuses (a line error) with NAK: it is
    // sent again, and when every send was refused no page went out.
    const std::string block = tapBlock(page_->entry.access, page_->pageLine);
    bool refused = true;
    for (int sends = 0; sends < kBlockSends && refused && open_; ++sends) {
        port.writeText(block);
        port.pause(blockWaitMs);
        refused = contains(port.readLine(), tap::kNak);
    }
    port.pause(blockWaitMs);
    port.drain();
    services_.advanceTimers(kAdvanceAfterCallSec);
    return open_ && !refused;
}

bool PagerStatus::manualDialogue(int intervalSec)
{
    station::ClassicPort& port = services_.port;
    const int waitMs = intervalSec * kSecondMs;
    callUp_ = waitForConnection(false);
    if (!callUp_)
        return false;
    port.writeByte(tap::kCr);
    port.pause(waitMs);
    port.readLine();
    port.writeText(kManualLogin);
    const std::string reply = port.readLine();
    port.pause(waitMs);
    if (!sendUntilPromptEnds(kManualLogin, reply))
        return false;
    port.writeText(page_->entry.access + "\r");
    port.pause(waitMs);
    port.readLine();
    port.writeText(page_->pageLine + "\r\r");
    port.pause(waitMs);
    port.readLine();
    port.writeByte(tap::kCr);
    port.pause(waitMs);
    port.drain();
    services_.advanceTimers(kAdvanceAfterCallSec);
    return open_;
}

} // namespace bv::paging
