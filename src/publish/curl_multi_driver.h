#pragma once

#include <curl/curl.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/event_loop.h"

namespace bv::publish {

// Runs libcurl transfers on the program's event loop: the multi handle's
// sockets are watched descriptors and its time-outs loop timers, so a slow
// upload never holds the thread and the window repaints and answers Cancel
// meanwhile. Connections stay in the multi handle's cache between transfers,
// so one easy handle used for several requests keeps its FTP control
// connection.
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

  private:
    static int onSocket(CURL* easy, curl_socket_t socket, int what, void* self, void* socketData);
    static int onTimer(CURLM* multi, long timeoutMs, void* self);
    void act(curl_socket_t socket, int events);
    void collectDone();
    void postDone(CURL* easy, unsigned serial, CURLcode result);

    struct Transfer {
        std::function<void(CURLcode)> done;
        unsigned serial = 0;
        bool finished = false; // out of the multi handle, done posted
    };

    platform::EventLoop& loop_;
    CURLM* multi_ = nullptr;
    std::map<curl_socket_t, platform::WatchId> watches_;
    std::map<CURL*, Transfer> transfers_;
    unsigned nextSerial_ = 1;
    platform::TimerId timer_ = 0;
    // Calls posted to the loop check this first, so none outlives the driver.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace bv::publish
