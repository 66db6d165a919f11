#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "publish/curl_multi_driver.h"
#include "publish/ftp_failure.h"
#include "publish/ftp_url.h"

namespace bv::publish {

struct FtpLogin {
    std::string host; // as the settings hold it; "ftps://" or "sftp://" choose the protocol
    std::uint16_t port = 21;
    std::string user;
    std::string password; // handed to libcurl as an option, never put in a URL
};

// The FTP client of one transfer cycle, on libcurl: one easy handle for every
// request, so the server sees one control connection and one login. Every
// operation is asynchronous: it returns at once and its done runs later on the
// event loop, never inside the call. One operation at a time.
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

    // The suffix of the temporary name a file is stored under before its rename.
    static constexpr std::string_view kTemporarySuffix = ".part";

    FtpClient(platform::EventLoop& loop, FtpLogin login);
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // False when libcurl could not be set up; no operation can succeed then.
    bool usable() const { return easy_ != nullptr && driver_.valid(); }

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
    // Ends the operation under way; its done never runs.
    void cancel();

    void setPassiveNotice(std::function<void()> notice) { passiveNotice_ = std::move(notice); }
    bool passive() const { return passive_; }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;
    struct SlistFree {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };
    using Slist = std::unique_ptr<curl_slist, SlistFree>;

    struct Request {
        std::string url;
        bool nobody = false;
        std::FILE* upload = nullptr;
        curl_off_t uploadSize = 0;
        std::FILE* download = nullptr;
        std::vector<std::string> postQuote; // after a successful transfer
    };
    // The file of the operation under way.
    struct Transfer {
        File file;
        curl_off_t size = 0;
        std::string name;      // relative to the directory
        std::string localPath; // the target of a download
        bool renameRefused = false;
        Done done;
    };

    void perform(const Request& request, std::function<void(CURLcode)> done);
    void applyCommonOptions();
    void store();
    void onStored(CURLcode code);
    void removeTemporary(bool stored);
    void fetch();
    void onFetched(CURLcode code);
    bool activeModeFailed(CURLcode code) const;
    void switchToPassive();
    std::vector<std::string> renameCommands(const std::string& name) const;
    long lastReply() const;
    void finish(bool ok);
    // Runs fn on a later turn of the loop unless the client is gone or the
    // operation was cancelled by then.
    void later(std::function<void()> fn);
    static int onDebug(CURL* easy, curl_infotype type, char* data, size_t size, void* self);
    static int onSocketOpened(void* self, curl_socket_t socket, curlsocktype purpose);
    static size_t onRead(char* buffer, size_t size, size_t count, void* self);
    void startDrainCheck();
    void stopDrainCheck();

    platform::EventLoop& loop_;
    FtpLogin login_;
    FtpEndpoint endpoint_;
    CurlMultiDriver driver_;
    CURL* easy_ = nullptr;
    std::string directory_;
    bool passive_ = false;
    bool renames_ = true;
    std::function<void()> passiveNotice_;
    std::string lastCommand_;
    curl_socket_t dataSocket_ = -1;
    platform::TimerId drainTimer_ = 0;
    Slist postQuote_;
    Transfer transfer_;
    unsigned operation_ = 0; // counts cancels
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace bv::publish
