#include "launcher/program_start.h"

#include <spawn.h>

extern char** environ;

namespace bv::launcher {

std::filesystem::path ownDirectory()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

std::error_code startDetached(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments)
{
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    // glibc reports a program that cannot be executed as the result of the call.
    const int result =
        posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return {result, std::generic_category()};
}

} // namespace bv::launcher
