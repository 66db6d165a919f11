#pragma once

#include <string>
#include <vector>

namespace bv::cli::test {

struct RunResult {
    int exitStatus = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the built viraraz with the given arguments in the given working
// directory and collects what it wrote.
RunResult runViraraz(const std::vector<std::string>& args, const std::string& workingDir);

} // namespace bv::cli::test
