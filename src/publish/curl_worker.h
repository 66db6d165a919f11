#pragma once

#include <curl/curl.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/event_loop.h"

namespace bv::publish {

// Runs libcurl on a thread of its own. libcurl 7.88 waits inside a step in
// some FTP phases (the reply to a finished upload, a data connection that
// stops), for up to its reply time-out; on this thread such a wait never holds
// the event loop, so the window repaints and Cancel answers meanwhile.
//
// Ownership: a job and everything it touches (easy handles, their files and
// callback state) belong to the worker thread from run() until its done runs;
// the loop thread touches only the queues (under the mutex), the cancel count
// (atomic) and the dones, which never leave it.
class CurlWorker {
  public:
    explicit CurlWorker(platform::EventLoop& loop);
    ~CurlWorker() { stop(); }
    CurlWorker(const CurlWorker&) = delete;
    CurlWorker& operator=(const CurlWorker&) = delete;

    bool valid() const { return multi_ != nullptr && resultFd_ >= 0; }

    // Runs job on the worker, then done on the loop: later, never inside this
    // call, and not at all when the job is cancelled first.
    void run(std::function<void()> job, std::function<void()> done);
    // Ends the job under way and drops the queued ones; none of their dones
    // runs. Returns at once. The connections are shut: the job ends at once
    // (at the latest within about a second, the longest libcurl goes without
    // asking whether to go on), and the next one logs in anew.
    void cancel();
    // Cancels and ends the thread, without waiting for the server.
    void stop();

    // For jobs, on the worker: runs easy's transfer to its end; a cancel ends
    // it with CURLE_ABORTED_BY_CALLBACK, and a cut transfer's connection is
    // closed rather than reused.
    CURLcode perform(CURL* easy);

  private:
    struct Job {
        unsigned serial = 0;
        unsigned generation = 0;
        std::function<void()> work;
    };

    void work();
    void deliverResults();
    bool jobCancelled() const { return generation_.load() != jobGeneration_; }
    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int onSocketOpened(void* self, curl_socket_t socket, curlsocktype purpose);
    static int onSocketClosed(void* self, curl_socket_t socket);

    platform::EventLoop& loop_;
    int resultFd_ = -1; // an eventfd: finished jobs are waiting
    platform::WatchId watch_ = 0;

    // Shared, under mutex_.
    std::mutex mutex_;
    std::condition_variable jobQueued_;
    std::deque<Job> jobs_;
    std::vector<unsigned> finished_;  // serials of jobs whose done may run
    std::set<curl_socket_t> sockets_; // the open connections of the multi handle
    bool stopping_ = false;
    std::atomic<unsigned> generation_{0}; // counts cancels

    // The loop thread's.
    std::map<unsigned, std::function<void()>> dones_;
    unsigned nextSerial_ = 1;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    // The worker thread's (made before it starts, freed by it at its end).
    CURLM* multi_ = nullptr;
    unsigned jobGeneration_ = 0;

    std::thread thread_;
};

} // namespace bv::publish
