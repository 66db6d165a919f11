#pragma once

#include <filesystem>
#include <system_error>

#include "app/base/config_record.h"

namespace bv::app {

enum class ConfigLoad {
    Loaded,     // the record holds the file's fields
    Missing,    // no "config.dat": the record is unchanged
    WrongSize,  // not 1740 bytes: the record is unchanged, the file left alone
    Unreadable, // could not be opened or read: the record is unchanged
};

// "config.dat" in the station directory.
std::filesystem::path configFilePath(const std::filesystem::path& stationDir);

// Reads "config.dat" of the station directory over the record. Only a whole
// file of exactly 1740 bytes is taken; anything else leaves the record as it was.
ConfigLoad loadConfig(ConfigRecord& record, const std::filesystem::path& stationDir);

// Writes the record to "config.dat" of the station directory, readable and
// writable by its owner only (it holds passwords). The bytes go to a temporary
// file beside it, are flushed to disk and then renamed over it, so the old
// file stays whole when the directory is not writable, the disk is full or the
// machine stops half way. Returns the error, or an empty error code on success.
std::error_code saveConfig(const ConfigRecord& record, const std::filesystem::path& stationDir);

// Start-up: the defaults, then "config.dat" of the station directory over
// them, then stationDir set to that directory (made absolute, never cut).
ConfigLoad startConfig(ConfigRecord& record, const std::filesystem::path& stationDir);

} // namespace bv::app
