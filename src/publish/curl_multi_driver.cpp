#include "publish/curl_multi_driver.h"

#include <sys/select.h>

#include <algorithm>
#include <mutex>

namespace bv::publish {

namespace {

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The longest wait between two steps while a transfer runs (see the header).
constexpr long kLongestWaitMs = 50;

} // namespace

CurlMultiDriver::CurlMultiDriver(platform::EventLoop& loop) : loop_(loop)
{
    initCurlOnce();
    multi_ = curl_multi_init();
}

CurlMultiDriver::~CurlMultiDriver()
{
    while (!transfers_.empty())
        stop(transfers_.begin()->first);
    for (const auto& [fd, watch] : watches_)
        loop_.unwatchFd(watch.id);
    loop_.stopTimer(timer_);
    if (multi_ != nullptr)
        curl_multi_cleanup(multi_); // closes the cached connections
}

void CurlMultiDriver::start(CURL* easy, std::function<void(CURLcode)> done)
{
    if (transfers_.contains(easy))
        return; // one transfer per handle: the caller's own error
    const unsigned serial = nextSerial_++;
    const bool added = multi_ != nullptr && curl_multi_add_handle(multi_, easy) == CURLM_OK;
    // libcurl asks for its first time-out within add_handle and starts from it.
    transfers_[easy] = Transfer{std::move(done), serial, !added};
    if (added)
        scheduleStep(0);
    else
        postDone(easy, serial, CURLE_FAILED_INIT);
}

void CurlMultiDriver::stop(CURL* easy)
{
    const auto it = transfers_.find(easy);
    if (it == transfers_.end())
        return;
    const bool running = !it->second.finished;
    transfers_.erase(it);
    if (running) {
        curl_multi_remove_handle(multi_, easy);
        watchSockets(); // the transfer's sockets may be closed now
    }
}

void CurlMultiDriver::step()
{
    int stillRunning = 0;
    curl_multi_perform(multi_, &stillRunning);
    collectDone();
    watchSockets();
    long timeoutMs = -1;
    curl_multi_timeout(multi_, &timeoutMs);
    const bool busy =
        std::ranges::any_of(transfers_, [](const auto& t) { return !t.second.finished; });
    if (busy && (timeoutMs < 0 || timeoutMs > kLongestWaitMs))
        timeoutMs = kLongestWaitMs;
    if (timeoutMs >= 0)
        scheduleStep(timeoutMs);
    else
        loop_.stopTimer(timer_);
}

void CurlMultiDriver::scheduleStep(long delayMs)
{
    loop_.stopTimer(timer_);
    timer_ = loop_.startTimer(static_cast<int>(delayMs), [this] {
        loop_.stopTimer(timer_);
        timer_ = 0;
        step();
    });
}

void CurlMultiDriver::watchSockets()
{
    fd_set readable;
    fd_set writable;
    fd_set exceptional;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&exceptional);
    int maxFd = -1;
    curl_multi_fdset(multi_, &readable, &writable, &exceptional, &maxFd);
    std::map<int, platform::FdEvents> wanted;
    for (int fd = 0; fd <= maxFd; ++fd) {
        platform::FdEvents events = 0;
        if (FD_ISSET(fd, &readable))
            events |= platform::FdReadable;
        if (FD_ISSET(fd, &writable))
            events |= platform::FdWritable;
        if (events != 0)
            wanted[fd] = events;
    }
    for (auto it = watches_.begin(); it != watches_.end();) {
        const auto found = wanted.find(it->first);
        if (found != wanted.end() && found->second == it->second.events) {
            wanted.erase(found);
            ++it;
            continue;
        }
        loop_.unwatchFd(it->second.id);
        it = watches_.erase(it);
    }
    for (const auto& [fd, events] : wanted)
        watches_[fd] =
            Watch{loop_.watchFd(fd, events, [this](platform::FdEvents) { step(); }), events};
}

void CurlMultiDriver::collectDone()
{
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        CURL* easy = message->easy_handle;
        const CURLcode result = message->data.result;
        const auto it = transfers_.find(easy);
        if (it == transfers_.end() || it->second.finished)
            continue;
        it->second.finished = true;
        curl_multi_remove_handle(multi_, easy);
        postDone(easy, it->second.serial, result);
    }
}

void CurlMultiDriver::postDone(CURL* easy, unsigned serial, CURLcode result)
{
    // A stop() before the call runs drops the result.
    loop_.post([this, alive = std::weak_ptr<bool>(alive_), easy, serial, result] {
        if (!alive.lock())
            return;
        const auto found = transfers_.find(easy);
        if (found == transfers_.end() || found->second.serial != serial)
            return;
        auto done = std::move(found->second.done);
        transfers_.erase(found);
        done(result);
    });
}

} // namespace bv::publish
