#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace bv::launcher {

// The directory of the running program, read from /proc/self/exe, so that the
// builds are found beside the launcher and never in the current directory or
// on PATH. Empty when it cannot be read.
std::filesystem::path ownDirectory();

// Starts program (an absolute path, no PATH search, no shell) with arguments in
// a session of its own, so it outlives the launcher and its terminal, and does
// not wait for it. An error when the program could not be started.
std::error_code startDetached(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments);

} // namespace bv::launcher
