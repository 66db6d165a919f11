#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace bv::app {

// Files that must never be seen half written: the bytes go to a temporary file
// beside the target, are flushed to disk and renamed over it, so the old file
// stays whole when the directory is not writable, the disk is full or the
// machine stops half way. The temporary file is removed on failure.

// Writes bytes as target with the given permission bits.
std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    mode_t mode);

// Copies the regular file from over to, keeping from's permission bits (the
// execute bits of programs included). A source that is not a regular file (a
// link, a FIFO, a device) is refused with EINVAL and never opened, so nothing
// hangs and no link is followed. A source that is its own target (the same
// file, by any path) is left alone and counts as copied. A link at the target
// is replaced, never written through.
std::error_code copyFileAtomically(const std::filesystem::path& from,
                                   const std::filesystem::path& to);

} // namespace bv::app
