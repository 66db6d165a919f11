#include "publish/ftp_session.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace bv::publish {

namespace {

// Time limits of one request. A server that stops answering, or a data
// connection that carries nothing for a minute, ends the request instead of
// the cycle waiting for ever.
constexpr long kConnectTimeoutMs = 30000;
constexpr long kActiveAcceptTimeoutMs = 15000; // the server connecting back in active mode
constexpr long kReplyTimeoutSec = 60;
constexpr long kStallLimitBytesPerSec = 1;
constexpr long kStallTimeSec = 60;
// "-": the address of the control connection, as DESIGN's active mode asks.
constexpr const char* kActiveModeAddress = "-";
constexpr long kCannotOpenDataConnection = 425;
// libcurl's note of the login methods an SSH server offers, and those of them
// that take the password.
constexpr std::string_view kSshMethodsNote = "SSH authentication methods available: ";
constexpr std::string_view kSshPasswordMethods[] = {"password", "keyboard-interactive"};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string leafOf(const std::string& name)
{
    const auto slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// A path in an SFTP command, quoted as libcurl reads it.
std::string quoted(const std::string& path)
{
    std::string out = "\"";
    for (const char c : path) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string knownHostsFile()
{
    const char* home = std::getenv("HOME");
    return home == nullptr ? std::string{} : std::string(home) + "/.ssh/known_hosts";
}

std::string temporaryName(const std::string& name)
{
    return name + std::string(FtpSession::kTemporarySuffix);
}

} // namespace

FtpSession::FtpSession(CurlWorker& worker, FtpLogin login)
    : worker_(worker), login_(std::move(login)), endpoint_(parseFtpHost(login_.host, login_.port)),
      easy_(curl_easy_init()),
      // FTPS is passive from the start: libcurl 7.88 fails an active TLS data
      // connection once the file is across, and firewalls cannot follow an
      // encrypted PORT command anyway.
      passive_(endpoint_.protocol == FtpProtocol::FtpExplicitTls)
{
}

FtpSession::~FtpSession()
{
    if (easy_ != nullptr)
        curl_easy_cleanup(easy_);
}

void FtpSession::applyCommonOptions()
{
    curl_easy_reset(easy_); // keeps the connection, the DNS and TLS session caches
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_USERNAME, login_.user.c_str());
    curl_easy_setopt(easy_, CURLOPT_PASSWORD, login_.password.c_str());
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
    curl_easy_setopt(easy_, CURLOPT_SERVER_RESPONSE_TIMEOUT, kReplyTimeoutSec);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, kStallLimitBytesPerSec);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, kStallTimeSec);
    // The debug stream tells which command the server refused; only its verb
    // is kept, so the password of a PASS line goes nowhere.
    curl_easy_setopt(easy_, CURLOPT_DEBUGFUNCTION, &FtpSession::onDebug);
    curl_easy_setopt(easy_, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(easy_, CURLOPT_VERBOSE, 1L);
    if (endpoint_.protocol == FtpProtocol::Sftp) {
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "sftp");
        curl_easy_setopt(easy_, CURLOPT_SSH_AUTH_TYPES,
                         static_cast<long>(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
        // The server's key must be known (ssh to it once): no blind trust.
        const std::string knownHosts = knownHostsFile();
        curl_easy_setopt(easy_, CURLOPT_SSH_KNOWNHOSTS, knownHosts.c_str());
        return;
    }
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "ftp");
    if (endpoint_.protocol == FtpProtocol::FtpExplicitTls) {
        curl_easy_setopt(easy_, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        if (!login_.caFile.empty())
            curl_easy_setopt(easy_, CURLOPT_CAINFO, login_.caFile.c_str());
    }
    curl_easy_setopt(easy_, CURLOPT_FTPPORT, passive_ ? nullptr : kActiveModeAddress);
    curl_easy_setopt(easy_, CURLOPT_ACCEPTTIMEOUT_MS, kActiveAcceptTimeoutMs);
}

CURLcode FtpSession::perform(const Request& request)
{
    if (easy_ == nullptr)
        return CURLE_FAILED_INIT;
    applyCommonOptions();
    curl_easy_setopt(easy_, CURLOPT_URL, request.url.c_str());
    if (request.nobody)
        curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    if (request.upload != nullptr) {
        curl_easy_setopt(easy_, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(easy_, CURLOPT_READDATA, request.upload);
        curl_easy_setopt(easy_, CURLOPT_INFILESIZE_LARGE, request.uploadSize);
    }
    if (request.download != nullptr)
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, request.download);
    if (request.discard)
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &FtpSession::onDiscard);
    curl_slist* list = nullptr;
    for (const std::string& command : request.postQuote)
        list = curl_slist_append(list, command.c_str());
    postQuote_.reset(list);
    curl_easy_setopt(easy_, CURLOPT_POSTQUOTE, postQuote_.get());
    lastCommand_.clear();
    passwordLogin_ = false;
    return worker_.perform(easy_);
}

int FtpSession::onDebug(CURL*, curl_infotype type, char* data, size_t size, void* self)
{
    auto* session = static_cast<FtpSession*>(self);
    const std::string_view line(data, size);
    if (type == CURLINFO_HEADER_OUT) {
        session->lastCommand_ = std::string(line.substr(0, line.find_first_of(" \r\n")));
    } else if (type == CURLINFO_TEXT && line.starts_with(kSshMethodsNote)) {
        const std::string_view methods = line.substr(kSshMethodsNote.size());
        session->passwordLogin_ = std::ranges::any_of(kSshPasswordMethods, [&](std::string_view m) {
            return methods.find(m) != std::string_view::npos;
        });
    }
    return 0;
}

size_t FtpSession::onDiscard(char*, size_t size, size_t count, void*)
{
    return size * count;
}

long FtpSession::lastReply() const
{
    long reply = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &reply);
    return reply;
}

ServerExchange FtpSession::connect()
{
    Request request;
    request.url = remoteUrl(endpoint_, {});
    request.nobody = true;
    const CURLcode code = perform(request);
    return ServerExchange{code, lastCommand_, usable() ? lastReply() : 0, passwordLogin_};
}

bool FtpSession::setDirectory(const std::string& path)
{
    Request request;
    request.url = remoteUrl(endpoint_, path);
    // FTP's CWD fails for a missing directory; SFTP has no such step, and
    // only reading the directory's listing tells that it is there.
    if (endpoint_.protocol == FtpProtocol::Sftp)
        request.discard = true;
    else
        request.nobody = true;
    const bool ok = perform(request) == CURLE_OK;
    if (ok)
        directory_ = path;
    return ok;
}

bool FtpSession::activeModeFailed(CURLcode code) const
{
    if (passive_ || endpoint_.protocol == FtpProtocol::Sftp)
        return false;
    switch (code) {
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
        return true;
    case CURLE_UPLOAD_FAILED:
    case CURLE_FTP_COULDNT_RETR_FILE:
        return lastReply() == kCannotOpenDataConnection;
    default:
        return false;
    }
}

std::vector<std::string> FtpSession::renameCommands(const std::string& name) const
{
    const std::string temporary = temporaryName(name);
    if (endpoint_.protocol == FtpProtocol::Sftp) {
        // SFTP's rename does not replace an existing file.
        return {"*rm " + quoted(sftpPath(directory_, name)),
                "rename " + quoted(sftpPath(directory_, temporary)) + ' ' +
                    quoted(sftpPath(directory_, name))};
    }
    // The commands run in the file's own directory.
    return {"RNFR " + leafOf(temporary), "RNTO " + leafOf(name)};
}

bool FtpSession::putFile(const std::string& remoteName, const std::string& localPath)
{
    const std::string name = relativeRemoteName(remoteName);
    const File file(std::fopen(localPath.c_str(), "rb"));
    struct stat info {};
    if (name.empty() || !file || ::fstat(::fileno(file.get()), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return false;
    bool renameRefused = false;
    for (;;) {
        const CURLcode code = store(file.get(), info.st_size, name);
        if (activeModeFailed(code)) {
            passive_ = true; // once: the retry is passive
            continue;
        }
        if (code == CURLE_QUOTE_ERROR && renames_) {
            renames_ = false;
            renameRefused = true;
            continue;
        }
        curl_off_t sent = -1;
        if (code == CURLE_OK)
            curl_easy_getinfo(easy_, CURLINFO_SIZE_UPLOAD_T, &sent);
        if (renameRefused)
            removeTemporary(name);
        return code == CURLE_OK && sent == info.st_size;
    }
}

CURLcode FtpSession::store(std::FILE* file, curl_off_t size, const std::string& name)
{
    std::rewind(file);
    Request request;
    request.upload = file;
    request.uploadSize = size;
    if (renames_) {
        request.url = remoteUrl(endpoint_, directory_, temporaryName(name));
        request.postQuote = renameCommands(name);
    } else {
        request.url = remoteUrl(endpoint_, directory_, name);
    }
    return perform(request);
}

void FtpSession::removeTemporary(const std::string& name)
{
    // The temporary file the refused rename left behind; the removal may fail.
    const std::string temporary = temporaryName(name);
    const auto slash = name.rfind('/');
    const std::string subdirectory =
        slash == std::string::npos ? std::string{} : name.substr(0, slash + 1);
    Request request;
    request.url = remoteUrl(endpoint_, directory_, subdirectory);
    request.nobody = true;
    request.postQuote = {endpoint_.protocol == FtpProtocol::Sftp
                             ? "*rm " + quoted(sftpPath(directory_, temporary))
                             : "*DELE " + leafOf(temporary)};
    perform(request);
}

bool FtpSession::getFile(const std::string& remoteName, const std::string& localPath)
{
    const std::string name = relativeRemoteName(remoteName);
    if (name.empty())
        return false;
    const std::string temporary = temporaryName(localPath);
    for (;;) {
        File file(std::fopen(temporary.c_str(), "wb"));
        if (!file)
            return false;
        Request request;
        request.url = remoteUrl(endpoint_, directory_, name);
        request.download = file.get();
        const CURLcode code = perform(request);
        const bool closed = std::fclose(file.release()) == 0;
        if (activeModeFailed(code)) {
            passive_ = true;
            continue;
        }
        std::error_code error;
        const bool ok = code == CURLE_OK && closed;
        if (ok)
            std::filesystem::rename(temporary, localPath, error);
        if (!ok || error)
            std::filesystem::remove(temporary, error);
        return ok && !error;
    }
}

} // namespace bv::publish
