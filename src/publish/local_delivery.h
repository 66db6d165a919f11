#pragma once

#include <string>
#include <string_view>

namespace bv::publish {

// Local delivery copies queued files into the local transfer directory, an
// absolute path (on the designed-for platform, one with a drive).

enum class MakeDirectoryResult {
    Done,        // created, or there already
    Failed,      // a directory could not be created
    NotAbsolute, // an empty or relative path, which names no place to publish to
};

// Creates every missing directory of path.
MakeDirectoryResult makeDirectoryPath(const std::string& path);

// The local destination of a file named name: the directory followed by the
// name, with a "/" between them only when the directory does not end in one.
// Empty when the directory is empty or relative: an empty setting would
// otherwise put files at "/" + name.
std::string localDestination(std::string_view directory, std::string_view name);

// Copies source over destination through a temporary file beside it and a
// rename, so a full disk never leaves a truncated file under the destination's
// name; a source that is its own destination is left alone. Refuses a relative
// destination. True when the destination holds the source's bytes.
bool copyReplacing(const std::string& source, const std::string& destination);

} // namespace bv::publish
