#pragma once

#include "platform/child_process.h"

namespace bv::platform {

// Children started with posix_spawn in a new process group, with standard
// input on /dev/null and their output on /dev/null or captured through a
// non-blocking pipe, so they never write into our terminal or wait for input.
class SpawningStarter final : public ProcessStarter {
  public:
    std::unique_ptr<ChildProcess> start(const std::vector<std::string>& words,
                                        const std::filesystem::path& workingDir,
                                        std::error_code& error,
                                        const SpawnOptions& options = {}) override;
};

} // namespace bv::platform
