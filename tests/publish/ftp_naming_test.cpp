#include <curl/curl.h>

#include <gtest/gtest.h>

#include "publish/ftp_failure.h"
#include "publish/ftp_url.h"

namespace bv::publishtest {
namespace {

using publish::ConnectFailure;
using publish::FtpProtocol;

TEST(FtpNaming, HostPrefixesChooseTheProtocol)
{
    struct Case {
        std::string setting;
        FtpProtocol protocol;
        std::string host;
    };
    const Case cases[] = {
        {"ftp.example.net", FtpProtocol::Ftp, "ftp.example.net"},
        {"ftps://ftp.example.net", FtpProtocol::FtpExplicitTls, "ftp.example.net"},
        {"sftp://ftp.example.net/", FtpProtocol::Sftp, "ftp.example.net"},
        {"SFTP://upper.example.net", FtpProtocol::Sftp, "upper.example.net"},
    };
    for (const Case& c : cases) {
        const auto endpoint = publish::parseFtpHost(c.setting, 2121);
        EXPECT_EQ(endpoint.protocol, c.protocol) << c.setting;
        EXPECT_EQ(endpoint.host, c.host) << c.setting;
        EXPECT_EQ(endpoint.port, 2121);
    }
}

TEST(FtpNaming, DestinationsStayInsideTheRemoteDirectory)
{
    struct Case {
        std::string destination;
        std::string name;
    };
    const Case cases[] = {
        {"index.htm", "index.htm"},
        {"sub/logo.gif", "sub/logo.gif"},
        {"/index.htm", "index.htm"},
        {"//sub/logo.gif", "sub/logo.gif"},
        {"../../etc/passwd", "passwd"},
        {"sub/./x.gif", "x.gif"},
        {"sub/..", ""},
        {"/", ""},
        {"two\r\nDELE x", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(publish::relativeRemoteName(c.destination), c.name) << c.destination;
}

TEST(FtpNaming, UrlsEncodeEveryCharacterButTheSafeOnesAndNeverHoldThePassword)
{
    struct Case {
        std::string host;
        std::string directory;
        std::string name;
        std::string url;
    };
    const Case cases[] = {
        {"example.net", "", "", "ftp://example.net:21/"},
        {"example.net", "public_html", "my page #2.htm",
         "ftp://example.net:21/public_html/my%20page%20%232.htm"},
        {"example.net", "/var/www/", "a;type=a?.gif",
         "ftp://example.net:21/%2Fvar/www/a%3Btype%3Da%3F.gif"},
        {"ftps://example.net", "web", "x.htm", "ftp://example.net:21/web/x.htm"},
        {"sftp://example.net", "web", "x.htm", "sftp://example.net:21/~/web/x.htm"},
        {"sftp://example.net", "/srv/web", "x.htm", "sftp://example.net:21/srv/web/x.htm"},
        {"::1", "", "x.htm", "ftp://[::1]:21/x.htm"},
    };
    for (const Case& c : cases) {
        const auto endpoint = publish::parseFtpHost(c.host, 21);
        EXPECT_EQ(publish::remoteUrl(endpoint, c.directory, c.name), c.url);
    }
}

TEST(FtpNaming, RefusedLoginsMapToTheirMessages)
{
    struct Case {
        publish::ServerExchange exchange;
        ConnectFailure failure;
        std::string text;
    };
    const Case cases[] = {
        {{CURLE_COULDNT_RESOLVE_HOST, "", 0},
         ConnectFailure::HostNotFound,
         "Unable to find FTP host 'h'."},
        {{CURLE_COULDNT_CONNECT, "", 0},
         ConnectFailure::CannotConnect,
         "Unable to Connect to the FTP server 'h' with user 'u'."},
        {{CURLE_WEIRD_SERVER_REPLY, "", 421},
         ConnectFailure::CannotConnect,
         "Unable to Connect to the FTP server 'h' with user 'u'."},
        {{CURLE_LOGIN_DENIED, "USER", 530},
         ConnectFailure::IncorrectUser,
         "Incorrect FTP User Name 'u'."},
        {{CURLE_LOGIN_DENIED, "PASS", 530},
         ConnectFailure::IncorrectPassword,
         "Incorrect FTP Password for FTP name 'u'."},
        {{CURLE_LOGIN_DENIED, "PASS", 332},
         ConnectFailure::LoginFailed,
         "Unable to Login to the FTP server 'h' with user 'u'."},
        {{CURLE_LOGIN_DENIED, "", 0}, // an SFTP server that takes no password
         ConnectFailure::LoginFailed,
         "Unable to Login to the FTP server 'h' with user 'u'."},
        {{CURLE_LOGIN_DENIED, "", 0, true},
         ConnectFailure::IncorrectPassword,
         "Incorrect FTP Password for FTP name 'u'."},
        {{CURLE_USE_SSL_FAILED, "AUTH", 500},
         ConnectFailure::Other,
         "Error Connecting to the FTP server (64)."},
    };
    for (const Case& c : cases) {
        const ConnectFailure failure = publish::classifyConnectFailure(c.exchange);
        EXPECT_EQ(failure, c.failure) << c.text;
        EXPECT_EQ(publish::connectFailureText(failure, "h", "u", c.exchange.curlCode), c.text);
    }
}

} // namespace
} // namespace bv::publishtest
