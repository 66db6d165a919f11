#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bv::publish {

// How the FTP host setting is reached: a plain host name is FTP, "ftps://"
// asks for FTP over explicit TLS (AUTH TLS on the usual port), "sftp://" for
// SFTP; user, password, port and remote directory are the same for all three.
enum class FtpProtocol { Ftp, FtpExplicitTls, Sftp };

struct FtpEndpoint {
    FtpProtocol protocol = FtpProtocol::Ftp;
    std::string host; // without the prefix and any trailing "/"
    std::uint16_t port = 21;
};

FtpEndpoint parseFtpHost(std::string_view ftpHost, std::uint16_t port);

// The name a file is stored under, relative to the remote directory: a
// destination that starts with "/" loses its leading "/"s instead of naming a
// path from the server's root, and one that would climb out with ".." keeps
// only its last component. Empty when nothing usable is left or the name
// holds a control character (which could end an FTP command early).
std::string relativeRemoteName(std::string_view destination);

// The URL of the remote directory, or of name inside it. An empty directory is
// the login directory; one starting with "/" is taken from the server's root.
// Every character of directory and name but letters, digits, "-._~" and the
// "/" between components is percent-encoded, so blanks, "#", "?" and ";" are
// part of the name. The URL never holds user or password.
std::string remoteUrl(const FtpEndpoint& endpoint, std::string_view directory,
                      std::string_view name = {});

// The path an SFTP command such as rename takes for name in directory: from
// the root when directory starts with "/", else relative (the home directory).
std::string sftpPath(std::string_view directory, std::string_view name);

} // namespace bv::publish
