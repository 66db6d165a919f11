#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bv::publishtest {

// A real FTP server on 127.0.0.1 (ftp_server.py on Debian's pyftpdlib) or SFTP
// server (sftp_server.py on paramiko) for one test: user "web", password
// "s3cret", the given root directory, on a free port. Options are those of the
// script ("--refuse-active", ...). The server stops with the object, and on its
// own when the test process dies.
class FtpTestServer {
  public:
    static constexpr const char* kUser = "web";
    static constexpr const char* kPassword = "s3cret";

    enum class Kind { Ftp, Sftp };

    explicit FtpTestServer(std::filesystem::path root, std::vector<std::string> options = {},
                           Kind kind = Kind::Ftp);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    // 0 when the server did not start.
    std::uint16_t port() const { return port_; }
    // The SFTP server's host key as a known_hosts line has it: "TYPE BASE64".
    const std::string& hostKey() const { return hostKey_; }

  private:
    pid_t pid_ = -1;
    int input_ = -1; // the server's standard input: closing it ends the server
    std::uint16_t port_ = 0;
    std::string hostKey_;
};

} // namespace bv::publishtest
