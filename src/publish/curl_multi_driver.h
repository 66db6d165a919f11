#pragma once

#include <curl/curl.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/event_loop.h"

namespace bv::publish {

// Runs libcurl transfers on the program's event loop: after every step of the
// multi handle its sockets become watched descriptors and its time-out a loop
// timer, and the next step runs when one of them fires. A slow upload never
// holds the thread, so the window repaints and answers Cancel meanwhile.
// Connections stay in the multi handle's cache between transfers, so one easy
// handle used for several requests keeps its FTP control connection.
//
// While a transfer runs, a step also comes at least every kLongestWaitMs:
// libcurl 7.88 does not always name the socket it waits on (an FTP data
// connection still being connected on a reused control connection) and would
// otherwise sit until its connect time-out. The sockets are asked for after
// each step (curl_multi_fdset), so one step function serves every wake-up.
class CurlMultiDriver {
  public:
    explicit CurlMultiDriver(platform::EventLoop& loop);
    ~CurlMultiDriver();
    CurlMultiDriver(const CurlMultiDriver&) = delete;
    CurlMultiDriver& operator=(const CurlMultiDriver&) = delete;

    bool valid() const { return multi_ != nullptr; }

    // Starts the transfer of easy; done(result) runs later on the loop, never
    // inside this call (with CURLE_FAILED_INIT when libcurl refused to take it).
    void start(CURL* easy, std::function<void(CURLcode)> done);
    // Ends easy's transfer if it runs; its done never runs.
    void stop(CURL* easy);
    // Runs a step soon, for a transfer that was unpaused.
    void wake() { scheduleStep(0); }

  private:
    struct Watch {
        platform::WatchId id;
        platform::FdEvents events;
    };

    // One step: libcurl works on whatever is ready, finished transfers are
    // handed on, and the sockets and the time-out are watched again.
    void step();
    void scheduleStep(long delayMs);
    void watchSockets();
    void collectDone();
    void postDone(CURL* easy, unsigned serial, CURLcode result);

    struct Transfer {
        std::function<void(CURLcode)> done;
        unsigned serial = 0;
        bool finished = false; // out of the multi handle, done posted
    };

    platform::EventLoop& loop_;
    CURLM* multi_ = nullptr;
    std::map<int, Watch> watches_;
    std::map<CURL*, Transfer> transfers_;
    unsigned nextSerial_ = 1;
    platform::TimerId timer_ = 0;
    // Calls posted to the loop check this first, so none outlives the driver.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace bv::publish
