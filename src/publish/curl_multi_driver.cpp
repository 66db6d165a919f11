#include "publish/curl_multi_driver.h"

#include <mutex>

namespace bv::publish {

namespace {

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int toCurlEvents(platform::FdEvents ready)
{
    int events = 0;
    if (ready & platform::FdReadable)
        events |= CURL_CSELECT_IN;
    if (ready & platform::FdWritable)
        events |= CURL_CSELECT_OUT;
    return events;
}

platform::FdEvents toWatchedEvents(int what)
{
    platform::FdEvents events = 0;
    if (what == CURL_POLL_IN || what == CURL_POLL_INOUT)
        events |= platform::FdReadable;
    if (what == CURL_POLL_OUT || what == CURL_POLL_INOUT)
        events |= platform::FdWritable;
    return events;
}

} // namespace

CurlMultiDriver::CurlMultiDriver(platform::EventLoop& loop) : loop_(loop)
{
    initCurlOnce();
    multi_ = curl_multi_init();
    if (multi_ == nullptr)
        return;
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlMultiDriver::onSocket);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlMultiDriver::onTimer);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

CurlMultiDriver::~CurlMultiDriver()
{
    while (!transfers_.empty())
        stop(transfers_.begin()->first);
    if (multi_ != nullptr)
        curl_multi_cleanup(multi_); // closes cached connections: their watches go
    for (const auto& [socket, watch] : watches_)
        loop_.unwatchFd(watch);
    loop_.stopTimer(timer_);
}

void CurlMultiDriver::start(CURL* easy, std::function<void(CURLcode)> done)
{
    if (transfers_.contains(easy))
        return; // one transfer per handle: the caller's own error
    const unsigned serial = nextSerial_++;
    const bool added = multi_ != nullptr && curl_multi_add_handle(multi_, easy) == CURLM_OK;
    // libcurl asks for its first time-out within add_handle and starts from it.
    transfers_[easy] = Transfer{std::move(done), serial, !added};
    if (!added)
        postDone(easy, serial, CURLE_FAILED_INIT);
}

void CurlMultiDriver::stop(CURL* easy)
{
    const auto it = transfers_.find(easy);
    if (it == transfers_.end())
        return;
    if (!it->second.finished)
        curl_multi_remove_handle(multi_, easy);
    transfers_.erase(it);
}

int CurlMultiDriver::onSocket(CURL*, curl_socket_t socket, int what, void* self, void*)
{
    auto* driver = static_cast<CurlMultiDriver*>(self);
    const auto it = driver->watches_.find(socket);
    if (it != driver->watches_.end()) {
        driver->loop_.unwatchFd(it->second);
        driver->watches_.erase(it);
    }
    if (what != CURL_POLL_REMOVE) {
        driver->watches_[socket] =
            driver->loop_.watchFd(socket, toWatchedEvents(what), [driver, socket](auto ready) {
                driver->act(socket, toCurlEvents(ready));
            });
    }
    return 0;
}

int CurlMultiDriver::onTimer(CURLM*, long timeoutMs, void* self)
{
    auto* driver = static_cast<CurlMultiDriver*>(self);
    driver->loop_.stopTimer(driver->timer_);
    driver->timer_ = 0;
    if (timeoutMs < 0)
        return 0;
    // libcurl may not be called back from inside its own callback: the loop
    // runs the time-out on a later turn, at once for 0.
    driver->timer_ = driver->loop_.startTimer(static_cast<int>(timeoutMs), [driver] {
        driver->loop_.stopTimer(driver->timer_);
        driver->timer_ = 0;
        driver->act(CURL_SOCKET_TIMEOUT, 0);
    });
    return 0;
}

void CurlMultiDriver::act(curl_socket_t socket, int events)
{
    int stillRunning = 0;
    curl_multi_socket_action(multi_, socket, events, &stillRunning);
    collectDone();
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
