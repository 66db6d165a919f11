#include "publish/ftp_failure.h"

#include <curl/curl.h>

#include "app/base/strings_publish.h"
#include "app/base/text_pattern.h"

namespace bv::publish {

namespace {

constexpr long kNotLoggedIn = 530;
constexpr long kFirstPermanentFailure = 500;

} // namespace

ConnectFailure classifyConnectFailure(const ServerExchange& exchange)
{
    switch (exchange.curlCode) {
    case CURLE_OK:
        return ConnectFailure::None;
    case CURLE_COULDNT_RESOLVE_HOST:
        return ConnectFailure::HostNotFound;
    case CURLE_COULDNT_CONNECT:
        return ConnectFailure::CannotConnect;
    default:
        break;
    }
    if (exchange.lastCommand == "USER" && exchange.lastReply >= kFirstPermanentFailure)
        return ConnectFailure::IncorrectUser;
    if (exchange.lastCommand == "PASS" && exchange.lastReply == kNotLoggedIn)
        return ConnectFailure::IncorrectPassword;
    // SSH does not tell a wrong user from a wrong password; a server that took
    // passwords and still refused the login refused this user's password.
    if (exchange.curlCode == CURLE_LOGIN_DENIED)
        return exchange.passwordLogin ? ConnectFailure::IncorrectPassword
                                      : ConnectFailure::LoginFailed;
    // Connected, but turned away before a command was sent (a greeting such as
    // 421 "too many users", or no greeting at all).
    if (exchange.lastCommand.empty() && exchange.curlCode != CURLE_SSL_CONNECT_ERROR &&
        exchange.curlCode != CURLE_PEER_FAILED_VERIFICATION)
        return ConnectFailure::CannotConnect;
    return ConnectFailure::Other;
}

std::string connectFailureText(ConnectFailure failure, std::string_view host, std::string_view user,
                               long errorNumber)
{
    namespace s = app::strings;
    switch (failure) {
    case ConnectFailure::None:
        return {};
    case ConnectFailure::HostNotFound:
        return app::fillPattern(s::kFtpHostNotFound.text, {host});
    case ConnectFailure::IncorrectUser:
        return app::fillPattern(s::kFtpIncorrectUser.text, {user});
    case ConnectFailure::IncorrectPassword:
        return app::fillPattern(s::kFtpIncorrectPassword.text, {user});
    case ConnectFailure::LoginFailed:
        return app::fillPattern(s::kFtpLoginFailed.text, {host, user});
    case ConnectFailure::CannotConnect:
        return app::fillPattern(s::kFtpCannotConnect.text, {host, user});
    case ConnectFailure::Other:
        break;
    }
    return app::fillPattern(s::kFtpConnectError.text, {std::to_string(errorNumber)});
}

} // namespace bv::publish
