#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What the launcher "Brisvane Viraraz" starts: hollit where dial-up networking
// over pppd is available, else hollit1, with "-d" passed on.
namespace bv::launcher {

enum class Build { WithDialUp, WithoutDialUp };

// Where pppd and its phonebook live. pppd is tested by its absolute path and is
// never run for the test; PATH is not searched.
inline constexpr std::string_view kPppdPath = "/usr/sbin/pppd";
inline constexpr std::string_view kPeersDir = "/etc/ppp/peers";

struct LaunchPlan {
    Build build = Build::WithoutDialUp;
    std::string program;                // "hollit" or "hollit1"
    std::vector<std::string> arguments; // {"-d"} or none

    // The command as the launcher's log and tests show it: "hollit -d",
    // "hollit1 " (the program name is always followed by one blank).
    std::string commandText() const;
    // 1 when hollit was chosen, -1 when hollit1 was, whether or not it started.
    int exitCode() const;
    // The error box's text when the build cannot be started.
    std::string_view missingProgramText() const;
};

// Dial-up networking is available when pppd is an executable regular file and
// the peers directory is a directory.
bool dialUpAvailable(const std::filesystem::path& pppd = kPppdPath,
                     const std::filesystem::path& peersDir = kPeersDir);

// The build for the machine and "-d" when the command-line tail holds "-d" or
// "-D" anywhere ("-debug" and "/x -D" count, as a plain substring search).
LaunchPlan planLaunch(bool dialUp, std::string_view commandTail);

// The command-line tail: the arguments after the program name, joined by blanks.
std::string commandTail(const std::vector<std::string>& arguments);

} // namespace bv::launcher
