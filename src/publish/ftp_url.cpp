#include "publish/ftp_url.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <vector>

namespace bv::publish {

namespace {

constexpr std::string_view kFtpsPrefix = "ftps://";
constexpr std::string_view kSftpPrefix = "sftp://";
// libcurl's name for the home directory at the start of an SFTP path.
constexpr std::string_view kSftpHome = "~/";

// Scheme names compare without regard to case.
bool startsWithScheme(std::string_view text, std::string_view scheme)
{
    return text.size() >= scheme.size() &&
           std::ranges::equal(text.substr(0, scheme.size()), scheme, [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::string percentEncode(std::string_view text, bool keepSlashes)
{
    std::string out;
    for (const char c : text) {
        if (isUnreserved(c) || (keepSlashes && c == '/')) {
            out += c;
        } else {
            std::array<char, 4> hex{};
            std::snprintf(hex.data(), hex.size(), "%%%02X", static_cast<unsigned char>(c));
            out += hex.data();
        }
    }
    return out;
}

std::string_view trimSlashes(std::string_view text)
{
    while (!text.empty() && text.front() == '/')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == '/')
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> components(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

FtpEndpoint parseFtpHost(std::string_view ftpHost, std::uint16_t port)
{
    FtpEndpoint endpoint;
    endpoint.port = port;
    if (startsWithScheme(ftpHost, kFtpsPrefix)) {
        endpoint.protocol = FtpProtocol::FtpExplicitTls;
        ftpHost.remove_prefix(kFtpsPrefix.size());
    } else if (startsWithScheme(ftpHost, kSftpPrefix)) {
        endpoint.protocol = FtpProtocol::Sftp;
        ftpHost.remove_prefix(kSftpPrefix.size());
    }
    endpoint.host = std::string(trimSlashes(ftpHost));
    return endpoint;
}

std::string relativeRemoteName(std::string_view destination)
{
    for (const char c : destination) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return {};
    }
    const std::string_view relative = trimSlashes(destination);
    const auto parts = components(relative);
    const auto unusable = [](std::string_view part) {
        return part.empty() || part == "." || part == "..";
    };
    if (std::ranges::none_of(parts, unusable))
        return std::string(relative);
    return std::string(unusable(parts.back()) ? std::string_view{} : parts.back());
}

std::string remoteUrl(const FtpEndpoint& endpoint, std::string_view directory,
                      std::string_view name)
{
    const bool sftp = endpoint.protocol == FtpProtocol::Sftp;
    // A host that is an IPv6 address goes in brackets.
    const bool bracket =
        endpoint.host.find(':') != std::string::npos && !endpoint.host.starts_with('[');
    std::string url = sftp ? "sftp://" : "ftp://";
    url += bracket ? "[" + endpoint.host + "]" : endpoint.host;
    url += ':' + std::to_string(endpoint.port) + '/';

    const bool fromRoot = directory.starts_with('/');
    const std::string_view dir = trimSlashes(directory);
    if (sftp) {
        // SFTP paths start at the root; the home directory is "~".
        if (!fromRoot)
            url += kSftpHome;
    } else if (fromRoot) {
        url += "%2F"; // a first "/" that libcurl sends as CWD /
    }
    if (!dir.empty())
        url += percentEncode(dir, true) + '/';
    url += percentEncode(name, true);
    return url;
}

std::string sftpPath(std::string_view directory, std::string_view name)
{
    // libcurl passes a command's quoted path on as it stands, without the
    // URL's "~/"; the server takes a relative path from the home directory.
    const std::string_view dir = trimSlashes(directory);
    std::string path = directory.starts_with('/') ? "/" : "";
    if (!dir.empty())
        path += std::string(dir) + '/';
    return path + std::string(name);
}

} // namespace bv::publish
