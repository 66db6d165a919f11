#include "ftp_test_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string_view>

extern char** environ;

namespace bv::publishtest {

namespace {

constexpr int kStartLimitMs = 10000;
constexpr std::string_view kListening = "listening ";

// Reads the server's first line: "listening PORT", the SFTP server's followed
// by its host key.
std::string readReadyLine(int fd)
{
    std::string line;
    pollfd watch{fd, POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&watch, 1, kStartLimitMs) > 0) {
        char buffer[64];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, static_cast<std::size_t>(n));
    }
    return line.starts_with(kListening) ? line.substr(0, line.find('\n')) : std::string{};
}

} // namespace

FtpTestServer::FtpTestServer(std::filesystem::path root, std::vector<std::string> options,
                             Kind kind)
{
    int input[2];
    int output[2];
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0)
        return;
    // The SFTP server's script lies beside the FTP server's.
    const std::filesystem::path ftpScript = BV_FTP_SERVER_SCRIPT;
    const std::string script =
        (kind == Kind::Sftp ? ftpScript.parent_path() / "sftp_server.py" : ftpScript).string();
    std::vector<std::string> args = {"/usr/bin/python3", script,       "0", kUser,
                                     kPassword,          root.string()};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    const int spawned = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    input_ = input[1];
    if (spawned != 0) {
        pid_ = -1;
    } else {
        const std::string line = readReadyLine(output[0]);
        if (!line.empty()) {
            std::size_t end = 0;
            port_ = static_cast<std::uint16_t>(std::stoi(line.substr(kListening.size()), &end));
            const std::size_t key = kListening.size() + end + 1;
            hostKey_ = key < line.size() ? line.substr(key) : std::string{};
        }
    }
    ::close(output[0]);
}

FtpTestServer::~FtpTestServer()
{
    if (input_ >= 0)
        ::close(input_);
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

} // namespace bv::publishtest
