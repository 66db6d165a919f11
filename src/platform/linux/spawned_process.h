#pragma once

#include "platform/child_process.h"

namespace bv::platform {

// Children started with posix_spawn in a new process group, with the
// standard descriptors on /dev/null so they never write into our terminal or
// wait for our input.
class SpawningStarter final : public ProcessStarter {
  public:
    std::unique_ptr<ChildProcess> start(const std::vector<std::string>& words,
                                        const std::filesystem::path& workingDir,
                                        std::error_code& error) override;
};

} // namespace bv::platform
