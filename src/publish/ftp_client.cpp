#include "publish/ftp_client.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

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
// How often a finished upload looks whether its data has left the machine.
constexpr int kDrainCheckMs = 20;

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

} // namespace

FtpClient::FtpClient(platform::EventLoop& loop, FtpLogin login)
    : loop_(loop), login_(std::move(login)), endpoint_(parseFtpHost(login_.host, login_.port)),
      driver_(loop), easy_(curl_easy_init())
{
}

FtpClient::~FtpClient()
{
    cancel();
    if (easy_ != nullptr)
        curl_easy_cleanup(easy_);
}

void FtpClient::cancel()
{
    stopDrainCheck();
    if (easy_ != nullptr)
        driver_.stop(easy_);
    transfer_ = Transfer{};
    ++operation_;
}

void FtpClient::applyCommonOptions()
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
    curl_easy_setopt(easy_, CURLOPT_DEBUGFUNCTION, &FtpClient::onDebug);
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
    if (endpoint_.protocol == FtpProtocol::FtpExplicitTls)
        curl_easy_setopt(easy_, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(easy_, CURLOPT_FTPPORT, passive_ ? nullptr : kActiveModeAddress);
    curl_easy_setopt(easy_, CURLOPT_ACCEPTTIMEOUT_MS, kActiveAcceptTimeoutMs);
}

void FtpClient::perform(const Request& request, std::function<void(CURLcode)> done)
{
    if (!usable()) {
        later([done = std::move(done)] { done(CURLE_FAILED_INIT); });
        return;
    }
    applyCommonOptions();
    curl_easy_setopt(easy_, CURLOPT_URL, request.url.c_str());
    if (request.nobody)
        curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    if (request.upload != nullptr) {
        curl_easy_setopt(easy_, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(easy_, CURLOPT_READFUNCTION, &FtpClient::onRead);
        curl_easy_setopt(easy_, CURLOPT_READDATA, this);
        curl_easy_setopt(easy_, CURLOPT_INFILESIZE_LARGE, request.uploadSize);
        curl_easy_setopt(easy_, CURLOPT_SOCKOPTFUNCTION, &FtpClient::onSocketOpened);
        curl_easy_setopt(easy_, CURLOPT_SOCKOPTDATA, this);
    }
    if (request.download != nullptr)
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, request.download);
    const auto toList = [](const std::vector<std::string>& commands) {
        curl_slist* list = nullptr;
        for (const std::string& command : commands)
            list = curl_slist_append(list, command.c_str());
        return Slist(list);
    };
    postQuote_ = toList(request.postQuote);
    curl_easy_setopt(easy_, CURLOPT_POSTQUOTE, postQuote_.get());
    lastCommand_.clear();
    dataSocket_ = -1;
    driver_.start(easy_, std::move(done));
}

void FtpClient::later(std::function<void()> fn)
{
    loop_.post(
        [this, alive = std::weak_ptr<bool>(alive_), operation = operation_, fn = std::move(fn)] {
            if (alive.lock() && operation == operation_)
                fn();
        });
}

int FtpClient::onSocketOpened(void* self, curl_socket_t socket, curlsocktype)
{
    // The data connection is the last one a transfer opens or accepts.
    static_cast<FtpClient*>(self)->dataSocket_ = socket;
    return CURL_SOCKOPT_OK;
}

// libcurl waits for the server's answer to a finished upload without
// returning to the loop. Ending the file only once the kernel has sent every
// byte keeps that wait short however slow the line: until then the transfer
// pauses and the loop looks again a little later.
size_t FtpClient::onRead(char* buffer, size_t size, size_t count, void* self)
{
    auto* client = static_cast<FtpClient*>(self);
    std::FILE* file = client->transfer_.file.get();
    const size_t n = std::fread(buffer, size, count, file);
    if (n > 0)
        return n;
    if (std::ferror(file))
        return CURL_READFUNC_ABORT;
    int unsent = 0;
    if (client->dataSocket_ >= 0 && ::ioctl(client->dataSocket_, SIOCOUTQ, &unsent) == 0 &&
        unsent > 0) {
        client->startDrainCheck();
        return CURL_READFUNC_PAUSE;
    }
    return 0;
}

void FtpClient::startDrainCheck()
{
    if (drainTimer_ != 0)
        return;
    drainTimer_ = loop_.startTimer(kDrainCheckMs, [this] {
        stopDrainCheck();
        curl_easy_pause(easy_, CURLPAUSE_CONT);
        driver_.wake();
    });
}

void FtpClient::stopDrainCheck()
{
    loop_.stopTimer(drainTimer_);
    drainTimer_ = 0;
}

int FtpClient::onDebug(CURL*, curl_infotype type, char* data, size_t size, void* self)
{
    if (type != CURLINFO_HEADER_OUT)
        return 0;
    const std::string_view line(data, size);
    static_cast<FtpClient*>(self)->lastCommand_ =
        std::string(line.substr(0, line.find_first_of(" \r\n")));
    return 0;
}

long FtpClient::lastReply() const
{
    long reply = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &reply);
    return reply;
}

void FtpClient::connect(ConnectDone done)
{
    Request request;
    request.url = remoteUrl(endpoint_, {});
    request.nobody = true;
    perform(request, [this, done = std::move(done)](CURLcode code) {
        const ServerExchange exchange{code, lastCommand_, usable() ? lastReply() : 0};
        done(classifyConnectFailure(exchange), code);
    });
}

void FtpClient::setDirectory(std::string path, Done done)
{
    Request request;
    request.url = remoteUrl(endpoint_, path);
    request.nobody = true;
    perform(request, [this, path, done = std::move(done)](CURLcode code) {
        if (code == CURLE_OK)
            directory_ = path;
        done(code == CURLE_OK);
    });
}

bool FtpClient::activeModeFailed(CURLcode code) const
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

void FtpClient::switchToPassive()
{
    passive_ = true;
    if (passiveNotice_)
        passiveNotice_();
}

std::vector<std::string> FtpClient::renameCommands(const std::string& name) const
{
    const std::string temporary = name + std::string(kTemporarySuffix);
    if (endpoint_.protocol == FtpProtocol::Sftp) {
        // SFTP's rename does not replace an existing file.
        return {"*rm " + quoted(sftpPath(directory_, name)),
                "rename " + quoted(sftpPath(directory_, temporary)) + ' ' +
                    quoted(sftpPath(directory_, name))};
    }
    // The commands run in the file's own directory.
    return {"RNFR " + leafOf(temporary), "RNTO " + leafOf(name)};
}

void FtpClient::putFile(std::string remoteName, std::string localPath, Done done)
{
    transfer_ = Transfer{};
    transfer_.done = std::move(done);
    transfer_.name = relativeRemoteName(remoteName);
    transfer_.file.reset(std::fopen(localPath.c_str(), "rb"));
    struct stat info {};
    if (transfer_.name.empty() || !transfer_.file ||
        ::fstat(::fileno(transfer_.file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        later([this] { finish(false); });
        return;
    }
    transfer_.size = info.st_size;
    store();
}

void FtpClient::store()
{
    std::rewind(transfer_.file.get());
    Request request;
    request.upload = transfer_.file.get();
    request.uploadSize = transfer_.size;
    if (renames_) {
        request.url =
            remoteUrl(endpoint_, directory_, transfer_.name + std::string(kTemporarySuffix));
        request.postQuote = renameCommands(transfer_.name);
    } else {
        request.url = remoteUrl(endpoint_, directory_, transfer_.name);
    }
    perform(request, [this](CURLcode code) { onStored(code); });
}

void FtpClient::onStored(CURLcode code)
{
    if (activeModeFailed(code)) {
        switchToPassive();
        store();
        return;
    }
    if (code == CURLE_QUOTE_ERROR && renames_) {
        renames_ = false;
        transfer_.renameRefused = true;
        store();
        return;
    }
    curl_off_t sent = -1;
    if (code == CURLE_OK)
        curl_easy_getinfo(easy_, CURLINFO_SIZE_UPLOAD_T, &sent);
    const bool ok = code == CURLE_OK && sent == transfer_.size;
    if (transfer_.renameRefused) {
        removeTemporary(ok);
        return;
    }
    finish(ok);
}

void FtpClient::removeTemporary(bool stored)
{
    // The temporary file the refused rename left behind; the removal may fail.
    const std::string temporary = transfer_.name + std::string(kTemporarySuffix);
    const auto slash = transfer_.name.rfind('/');
    const std::string subdirectory =
        slash == std::string::npos ? std::string{} : transfer_.name.substr(0, slash + 1);
    Request request;
    request.url = remoteUrl(endpoint_, directory_, subdirectory);
    request.nobody = true;
    request.postQuote = {endpoint_.protocol == FtpProtocol::Sftp
                             ? "*rm " + quoted(sftpPath(directory_, temporary))
                             : "*DELE " + leafOf(temporary)};
    transfer_.renameRefused = false;
    perform(request, [this, stored](CURLcode) { finish(stored); });
}

void FtpClient::getFile(std::string remoteName, std::string localPath, Done done)
{
    transfer_ = Transfer{};
    transfer_.done = std::move(done);
    transfer_.name = relativeRemoteName(remoteName);
    transfer_.localPath = std::move(localPath);
    if (transfer_.name.empty()) {
        later([this] { finish(false); });
        return;
    }
    fetch();
}

void FtpClient::fetch()
{
    const std::string temporary = transfer_.localPath + std::string(kTemporarySuffix);
    transfer_.file.reset(std::fopen(temporary.c_str(), "wb"));
    if (!transfer_.file) {
        onFetched(CURLE_WRITE_ERROR);
        return;
    }
    Request request;
    request.url = remoteUrl(endpoint_, directory_, transfer_.name);
    request.download = transfer_.file.get();
    perform(request, [this](CURLcode code) { onFetched(code); });
}

void FtpClient::onFetched(CURLcode code)
{
    const std::string temporary = transfer_.localPath + std::string(kTemporarySuffix);
    const bool closed = transfer_.file && std::fclose(transfer_.file.release()) == 0;
    if (activeModeFailed(code)) {
        switchToPassive();
        fetch();
        return;
    }
    std::error_code error;
    const bool ok = code == CURLE_OK && closed;
    if (ok)
        std::filesystem::rename(temporary, transfer_.localPath, error);
    if (!ok || error)
        std::filesystem::remove(temporary, error);
    finish(ok && !error);
}

void FtpClient::finish(bool ok)
{
    Done done = std::move(transfer_.done);
    transfer_ = Transfer{};
    if (done)
        done(ok);
}

} // namespace bv::publish
