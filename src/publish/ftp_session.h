#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "publish/curl_worker.h"
#include "publish/ftp_failure.h"
#include "publish/ftp_url.h"

namespace bv::publish {

struct FtpLogin {
    std::string host; // as the settings hold it; "ftps://" or "sftp://" choose the protocol
    std::uint16_t port = 21;
    std::string user;
    std::string password; // handed to libcurl as an option, never put in a URL
    // Certificates an "ftps://" server's must chain to; empty: the system's.
    std::string caFile = {};
};

// The FTP work of an FtpClient, on its CurlWorker's thread: each call runs its
// requests to their end and returns the outcome. One easy handle serves every
// request, so the server sees one control connection and one login.
class FtpSession {
  public:
    // The suffix of the temporary name a file is stored under before its rename.
    static constexpr std::string_view kTemporarySuffix = ".part";

    FtpSession(CurlWorker& worker, FtpLogin login);
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    bool usable() const { return easy_ != nullptr; }
    bool passive() const { return passive_; }

    // What the server said when the login failed; curlCode 0 when it worked.
    ServerExchange connect();
    bool setDirectory(const std::string& path);
    bool putFile(const std::string& remoteName, const std::string& localPath);
    bool getFile(const std::string& remoteName, const std::string& localPath);

  private:
    struct SlistFree {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };
    using Slist = std::unique_ptr<curl_slist, SlistFree>;

    struct Request {
        std::string url;
        bool nobody = false;
        bool discard = false; // what the server sends (an SFTP listing) goes nowhere
        std::FILE* upload = nullptr;
        curl_off_t uploadSize = 0;
        std::FILE* download = nullptr;
        std::vector<std::string> postQuote; // after a successful transfer
    };

    CURLcode perform(const Request& request);
    void applyCommonOptions();
    CURLcode store(std::FILE* file, curl_off_t size, const std::string& name);
    void removeTemporary(const std::string& name);
    bool activeModeFailed(CURLcode code) const;
    std::vector<std::string> renameCommands(const std::string& name) const;
    long lastReply() const;
    static int onDebug(CURL* easy, curl_infotype type, char* data, size_t size, void* self);
    static size_t onDiscard(char* data, size_t size, size_t count, void* self);

    CurlWorker& worker_;
    const FtpLogin login_;
    const FtpEndpoint endpoint_;
    CURL* easy_ = nullptr;
    std::string directory_;
    bool passive_ = false;
    bool renames_ = true;
    std::string lastCommand_;
    bool passwordLogin_ = false;
    Slist postQuote_;
};

} // namespace bv::publish
