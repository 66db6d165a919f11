#include "publish/curl_worker.h"

#include <signal.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace bv::publish {

namespace {

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The longest wait between two steps of a transfer; libcurl's own timers
// shorten it, and a cancel ends it. It is short because libcurl 7.88 does not
// always name the socket it waits on (a passive data connection still being
// connected on a reused control connection) and would otherwise sleep through
// the connect.
constexpr int kLongestWaitMs = 50;

// Starts fn on a thread that blocks every signal: the program's signals go to
// its own threads, and a write to a closed connection fails with EPIPE there
// instead of raising SIGPIPE.
std::thread startWithoutSignals(std::function<void()> fn)
{
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    std::thread thread(std::move(fn));
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return thread;
}

} // namespace

CurlWorker::CurlWorker(platform::EventLoop& loop) : loop_(loop)
{
    initCurlOnce();
    multi_ = curl_multi_init();
    resultFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (resultFd_ >= 0)
        watch_ = loop_.watchFd(resultFd_, platform::FdReadable,
                               [this](platform::FdEvents) { deliverResults(); });
    thread_ = startWithoutSignals([this] { work(); });
}

void CurlWorker::stop()
{
    if (!thread_.joinable())
        return;
    cancel();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    jobQueued_.notify_one();
    thread_.join();
    loop_.unwatchFd(watch_);
    if (resultFd_ >= 0)
        ::close(resultFd_);
    resultFd_ = -1;
}

void CurlWorker::run(std::function<void()> job, std::function<void()> done)
{
    const unsigned serial = nextSerial_++;
    dones_[serial] = std::move(done);
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(Job{serial, generation_.load(), std::move(job)});
    }
    jobQueued_.notify_one();
}

void CurlWorker::cancel()
{
    dones_.clear();
    {
        const std::lock_guard lock(mutex_);
        jobs_.clear();
        ++generation_;
        // A wait of libcurl's on one of these ends at once; the progress
        // callback catches what is not yet a connection. A QUIT sent later,
        // when the multi handle is cleaned up, fails at once too instead of
        // waiting for a server that may have stopped answering.
        for (const curl_socket_t socket : sockets_)
            ::shutdown(socket, SHUT_RDWR);
    }
    if (multi_ != nullptr)
        curl_multi_wakeup(multi_);
}

void CurlWorker::work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            jobQueued_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_)
                break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        jobGeneration_ = job.generation;
        job.work();
        job.work = nullptr; // whatever it holds is let go here, on the worker
        {
            const std::lock_guard lock(mutex_);
            finished_.push_back(job.serial);
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(resultFd_, &one, sizeof one);
    }
    curl_multi_cleanup(multi_);
    multi_ = nullptr;
}

CURLcode CurlWorker::perform(CURL* easy)
{
    if (jobCancelled())
        return CURLE_ABORTED_BY_CALLBACK;
    // libcurl asks about once a second, also while it waits inside a step.
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &CurlWorker::onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_SOCKOPTFUNCTION, &CurlWorker::onSocketOpened);
    curl_easy_setopt(easy, CURLOPT_SOCKOPTDATA, this);
    curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &CurlWorker::onSocketClosed);
    curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, this);
    // A cancelled name look-up is left to finish on its own thread.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    if (multi_ == nullptr || curl_multi_add_handle(multi_, easy) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    for (;;) {
        int running = 0;
        curl_multi_perform(multi_, &running);
        int left = 0;
        const CURLMsg* message = curl_multi_info_read(multi_, &left);
        if (message != nullptr && message->msg == CURLMSG_DONE) {
            result = message->data.result;
            break;
        }
        if (jobCancelled())
            break;
        // curl_multi_wakeup (a cancel) ends the wait early.
        curl_multi_poll(multi_, nullptr, 0, kLongestWaitMs, nullptr);
    }
    // Removing an unfinished transfer closes its connection.
    curl_multi_remove_handle(multi_, easy);
    return result;
}

int CurlWorker::onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<CurlWorker*>(self)->jobCancelled() ? 1 : 0;
}

int CurlWorker::onSocketOpened(void* self, curl_socket_t socket, curlsocktype)
{
    auto* worker = static_cast<CurlWorker*>(self);
    const std::lock_guard lock(worker->mutex_);
    worker->sockets_.insert(socket);
    return CURL_SOCKOPT_OK;
}

int CurlWorker::onSocketClosed(void* self, curl_socket_t socket)
{
    auto* worker = static_cast<CurlWorker*>(self);
    // Closed under the lock, so that a cancel never shuts a reused number.
    const std::lock_guard lock(worker->mutex_);
    worker->sockets_.erase(socket);
    return ::close(socket);
}

void CurlWorker::deliverResults()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(resultFd_, &count, sizeof count);
    std::vector<unsigned> finished;
    {
        const std::lock_guard lock(mutex_);
        finished.swap(finished_);
    }
    const std::weak_ptr<bool> alive = alive_;
    for (const unsigned serial : finished) {
        // A done may cancel, start the next job or destroy the worker.
        if (!alive.lock())
            return;
        const auto it = dones_.find(serial);
        if (it == dones_.end())
            continue;
        auto done = std::move(it->second);
        dones_.erase(it);
        if (done)
            done();
    }
}

} // namespace bv::publish
