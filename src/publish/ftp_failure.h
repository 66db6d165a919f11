#pragma once

#include <string>
#include <string_view>

namespace bv::publish {

// Why a login to the FTP server failed, one case per message of the connect
// step.
enum class ConnectFailure {
    None,
    HostNotFound,      // the name does not resolve
    IncorrectUser,     // the server refused the user name (USER)
    IncorrectPassword, // the server refused the password (PASS answered 530, SFTP password)
    LoginFailed,       // the login failed otherwise (an account wanted, no SFTP password login)
    CannotConnect,     // no connection, or the server turned it away before the login
    Other,             // anything else; errorNumber tells what
};

// What the client saw when the connection or login failed.
struct ServerExchange {
    int curlCode = 0;           // libcurl's result code
    std::string lastCommand;    // the verb of the last command sent ("USER", "PASS", ...)
    long lastReply = 0;         // the last reply code of the server, 0 before its greeting
    bool passwordLogin = false; // an SFTP server offered to take a password
};

ConnectFailure classifyConnectFailure(const ServerExchange& exchange);

// The event-log and status-line text of a failed connect, from its string
// table entry: host and user as the settings hold them, the error number for
// Other (libcurl's result code).
std::string connectFailureText(ConnectFailure failure, std::string_view host, std::string_view user,
                               long errorNumber);

} // namespace bv::publish
