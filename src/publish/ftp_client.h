#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/event_loop.h"
#include "publish/curl_worker.h"
#include "publish/ftp_failure.h"
#include "publish/ftp_session.h"

namespace bv::publish {

// The FTP client of one transfer cycle. Every operation is asynchronous: it
// returns at once and its done runs later on the event loop, never inside the
// call. One operation at a time. The work itself runs on a thread of the
// client's own (CurlWorker); its FtpSession is that thread's alone, and the
// loop side learns only the outcome of each operation.
//
// Data connections are active first (PORT/EPRT to the address of the control
// connection). When one cannot be made, the transfer is tried once more in
// passive mode and the client stays passive; the passive notice runs then.
//
// A file is stored under a temporary name beside its target and renamed over
// it (RNFR/RNTO; rm and rename on SFTP), so a transfer cut short never leaves
// a truncated file under the target's name. A server that refuses renames gets
// the file stored directly, now and for the rest of the client's life.
class FtpClient {
  public:
    using Done = std::function<void(bool ok)>;
    using ConnectDone = std::function<void(ConnectFailure failure, long errorNumber)>;

    FtpClient(platform::EventLoop& loop, FtpLogin login);
    // Cancels; returns within about a second even when the server is silent.
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // False when libcurl could not be set up; no operation can succeed then.
    bool usable() const { return usable_; }

    // Connects and logs in to the login directory.
    void connect(ConnectDone done);
    // Changes to path (relative to the login directory, or from the root when
    // it starts with "/"); later transfers use it. Fails when the server
    // refuses it, leaving the directory as it was.
    void setDirectory(std::string path, Done done);
    // Stores the local file as remoteName (see relativeRemoteName) in binary.
    // Succeeds only when the server confirms the transfer and took every byte.
    void putFile(std::string remoteName, std::string localPath, Done done);
    // Fetches remoteName in binary into localPath, replacing it only once the
    // whole file has arrived.
    void getFile(std::string remoteName, std::string localPath, Done done);
    // Ends the operation under way and returns at once; its done never runs.
    // A transfer cut this way closes its connection; the next one logs in anew.
    void cancel() { worker_.cancel(); }

    void setPassiveNotice(std::function<void()> notice) { passiveNotice_ = std::move(notice); }
    bool passive() const { return passive_; }

  private:
    // Runs op(session) on the worker and then, on the loop, then(its result).
    template <typename Op, typename Then> void submit(Op op, Then then);
    void notePassive(bool passive);

    CurlWorker worker_;
    std::unique_ptr<FtpSession> session_; // the worker thread's; see CurlWorker
    bool usable_ = false;
    bool passive_ = false; // the loop's copy of the session's mode
    std::function<void()> passiveNotice_;
};

} // namespace bv::publish
